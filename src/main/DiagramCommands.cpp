#include "main/DiagramCommands.h"

#include "diagramwindows/OvalWindow.h"
#include "diagramwindows/PortWindow.h"
#include "diagramwindows/SineWindow.h"
#include "diagramwindows/SteamWindow.h"
#include "main/CommandPlacement.h"
#include "main/Commands.h"
#include "main/DynVarBar.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>

#include <cmath>

namespace corvellan {

namespace {

enum class GraphGlyph { Sine, Oval, Steam, Ports };

// Small pictures of the four diagrams (16 x 16).
QIcon graphGlyph(GraphGlyph which) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::darkGray, 1));
    p.drawLine(1, 8, 15, 8);
    switch (which) {
    case GraphGlyph::Sine: {
        p.setPen(QPen(Qt::blue, 1));
        QPolygon wave;
        for (int x = 1; x <= 15; ++x)
            wave << QPoint(x, 8 - static_cast<int>(std::lround(6 * std::sin((x - 1) * 0.45))));
        p.drawPolyline(wave);
        break;
    }
    case GraphGlyph::Oval:
        p.setPen(QPen(Qt::blue, 1));
        p.drawEllipse(1, 3, 14, 10);
        break;
    case GraphGlyph::Steam:
        p.setPen(QPen(QColor(0, 128, 0), 1));
        p.drawPolyline(QPolygon({QPoint(1, 14), QPoint(1, 2), QPoint(6, 2), QPoint(9, 6),
                                 QPoint(15, 11), QPoint(15, 14), QPoint(1, 14)}));
        break;
    case GraphGlyph::Ports:
        p.setPen(QPen(QColor(0, 128, 128), 1));
        p.drawLine(3, 15, 6, 1);
        p.drawLine(10, 15, 8, 1);
        p.setPen(QPen(Qt::red, 1));
        p.drawLine(13, 15, 11, 1);
        break;
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace

DiagramCommands::DiagramCommands(Model& model, QMainWindow* window, CommandBar& commands,
                                 std::function<void(bool)> animation,
                                 std::function<void()> dynVarsSwitched,
                                 std::function<void(std::string&, std::string&)> clock)
    : QObject(window), m_(model) {
    DiagramWindowHooks hooks;
    hooks.animation = std::move(animation);
    hooks.dynVarsSwitched = std::move(dynVarsSwitched);
    hooks.clock = std::move(clock);
    hooks.comparedGear = [this]() -> const Model* {
        return comparedGear_ ? comparedGear_() : nullptr;
    };
    // The diagram windows carry the main window's kind of bar: the same
    // range, steps, jog memory and undo entries.
    hooks.makeDynBar = [this](QWidget* parent, int k, const QString& name, const QRect& geometry,
                              DynBarHandlers handlers) -> QWidget* {
        auto* bar = new DynVarBar(m_, k, parent);
        bar->setObjectName(name);
        bar->setGeometry(geometry);
        bar->setOnChanged(std::move(handlers.stepped));
        bar->setOnScrollEnded(std::move(handlers.scrollEnded));
        return bar;
    };
    windows_ = createDiagramWindows(m_, hooks, window);
    buildCommands(window, commands);
}

void DiagramCommands::buildCommands(QMainWindow* window, CommandBar& commands) {
    QMenu* menu = insertMenuBarMenu(window->menuBar(), "View1", "Draw&Graphs", {"Help1", "Error"});
    const struct {
        const char* item;
        const char* caption;
        const char* tool;
        GraphGlyph glyph;
        const char* hint;
        void (DiagramCommands::*open)();
    } kCommands[] = {
        {"SineDiag", "&SineDiagram", "ToolSineDiag", GraphGlyph::Sine, "View Sine Diagram",
         &DiagramCommands::openSine},
        {"OvalDiag", "&OvalDiagram", "ToolOvalDiag", GraphGlyph::Oval, "View Oval Diagram",
         &DiagramCommands::openOval},
        {"SteamDiag", "S&teamDiagram", "ToolSteamDiag", GraphGlyph::Steam, "View Steam Diagram",
         &DiagramCommands::openSteam},
        {"FourEvents", "&PortOpenClose", "ToolFourEvents", GraphGlyph::Ports,
         "View Port Events vs Reverse Arm Position", &DiagramCommands::openPorts},
    };
    // The diagram buttons end the tool bar, after a separator.
    QToolBar* tools = commands.toolBar();
    insertToolSeparator(tools, nullptr);
    for (const auto& c : kCommands) {
        auto open = c.open;
        QAction* item = insertMenuItem(menu, c.item, c.caption, nullptr);
        connect(item, &QAction::triggered, this, [this, open] { (this->*open)(); });
        QAction* tool = insertToolButton(tools, c.tool, graphGlyph(c.glyph), c.hint, nullptr);
        connect(tool, &QAction::triggered, this, [this, open] { (this->*open)(); });
    }
}

void DiagramCommands::openSine() {
    windows_.sine->exec();
}

void DiagramCommands::openOval() {
    windows_.oval->exec();
}

void DiagramCommands::openSteam() {
    windows_.steam->exec();
}

void DiagramCommands::openPorts() {
    windows_.ports->openForward();
}

} // namespace corvellan
