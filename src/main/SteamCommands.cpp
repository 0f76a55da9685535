#include "main/SteamCommands.h"

#include "main/CommandPlacement.h"
#include "main/Commands.h"
#include "main/ConditionsDialog.h"
#include "main/ConditionsStore.h"
#include "main/FileCommands.h"
#include "main/IndicatorWindow.h"
#include "main/PerformanceWindow.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>

#include <filesystem>
#include <system_error>

namespace corvellan {

namespace {

// An indicator card (16 x 16): admission, expansion, exhaust.
QIcon indicatorGlyph() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::darkGray, 1));
    p.drawLine(1, 15, 15, 15);
    p.setPen(QPen(Qt::blue, 1));
    p.drawPolyline(QPolygon({QPoint(1, 3), QPoint(6, 3), QPoint(10, 8), QPoint(14, 11),
                             QPoint(14, 13), QPoint(3, 13), QPoint(1, 10), QPoint(1, 3)}));
    p.end();
    return QIcon(pixmap);
}

// Rising curves (16 x 16).
QIcon performanceGlyph() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::darkGray, 1));
    p.drawLine(1, 15, 15, 15);
    p.drawLine(1, 1, 1, 15);
    p.setPen(QPen(Qt::red, 1));
    p.drawPolyline(QPolygon({QPoint(2, 13), QPoint(6, 8), QPoint(10, 5), QPoint(15, 3)}));
    p.setPen(QPen(Qt::blue, 1));
    p.drawPolyline(QPolygon({QPoint(2, 14), QPoint(6, 11), QPoint(10, 9), QPoint(15, 8)}));
    p.end();
    return QIcon(pixmap);
}

void raise(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace

SteamCommands::SteamCommands(Model& model, QMainWindow* window, CommandBar& commands,
                             FileCommands& files, std::function<const Model*()> comparedGear)
    : QObject(window), m_(model), window_(window), store_(new ConditionsStore(this)) {
    dialog_ = new TConditions(m_, *store_, window);
    indicator_ = new TIndicator(m_, *store_, comparedGear, window);
    performance_ = new TPerformance(m_, *store_, window);
    files.setCompanions([this](const std::string& path) { saveBeside(path); },
                        [this](const std::string& path) { readBeside(path); });
    buildCommands(window, commands);
}

void SteamCommands::buildCommands(QMainWindow* window, CommandBar& commands) {
    if (auto* setUp = window->findChild<QMenu*>("SetUp"))
        connect(insertMenuItem(setUp, "OperatingConditions",
                               QString::fromUtf8("Operating &Conditions\u2026"), nullptr),
                &QAction::triggered, this, &SteamCommands::openConditions);
    // Beside the other diagrams: after the port events, before "Valve Events"
    // (at the end where it is not there).
    if (auto* graphs = window->findChild<QMenu*>("View1")) {
        QAction* before = findNamedAction(graphs->actions(), "ValveEvents");
        connect(insertMenuItem(graphs, "IndicatorDiagram", "&Indicator Diagram", before),
                &QAction::triggered, this, &SteamCommands::openIndicator);
        connect(insertMenuItem(graphs, "Performance", "P&erformance", before),
                &QAction::triggered, this, &SteamCommands::openPerformance);
    }
    QToolBar* tools = commands.toolBar();
    QAction* before = findNamedAction(tools->actions(), "ToolValveEvents");
    connect(insertToolButton(tools, "ToolIndicator", indicatorGlyph(), "View Indicator Diagram",
                             before),
            &QAction::triggered, this, &SteamCommands::openIndicator);
    connect(insertToolButton(tools, "ToolPerformance", performanceGlyph(),
                             "View Performance: MEP, Power and Steam Rate", before),
            &QAction::triggered, this, &SteamCommands::openPerformance);
}

void SteamCommands::openConditions() {
    dialog_->refill();
    dialog_->exec();
}

void SteamCommands::openIndicator() {
    raise(indicator_);
}

void SteamCommands::openPerformance() {
    raise(performance_);
}

void SteamCommands::saveBeside(const std::string& dimensionPath) {
    std::string error;
    if (!steam::writeConditionsFile(steam::conditionsPathFor(dimensionPath), store_->conditions(),
                                    &error))
        report(QString::fromStdString("The dimensions are saved, but the operating conditions "
                                      "are not: " +
                                      error + "."));
}

void SteamCommands::readBeside(const std::string& dimensionPath) {
    const std::string path = steam::conditionsPathFor(dimensionPath);
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) return;
    steam::Conditions c;
    std::string error;
    // A named pipe or a folder of that name would only make the read wait or
    // fail: refused without opening it.
    if (!std::filesystem::is_regular_file(status))
        error = path + " is not a regular file";
    else if (steam::readConditionsFile(path, c, &error))
        error = steam::validateConditions(c, m_.cyl.CylBoreDia);
    if (!error.empty()) {
        report(QString::fromStdString("The operating conditions beside the dimension file were "
                                      "not read: " +
                                      error + ". The conditions in use are kept."));
        return;
    }
    store_->set(c);
}

void SteamCommands::report(const QString& message) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("CORVELLAN Outside Admission"), message,
                    QMessageBox::Ok, window_);
    box.setObjectName("ConditionsFileError");
    box.exec();
}

} // namespace corvellan
