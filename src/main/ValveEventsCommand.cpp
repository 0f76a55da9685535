#include "main/ValveEventsCommand.h"

#include "main/CommandPlacement.h"
#include "main/Commands.h"
#include "main/ValveEventsWindow.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>

namespace corvellan {

namespace {

// A small table with a red mark on one row (16 x 16).
QIcon eventsGlyph() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::darkGray, 1));
    p.drawRect(1, 1, 13, 13);
    for (int y : {5, 9})
        p.drawLine(2, y, 14, y);
    p.drawLine(6, 2, 6, 14);
    p.setPen(QPen(Qt::red, 1));
    p.drawLine(8, 7, 12, 7);
    p.end();
    return QIcon(pixmap);
}

} // namespace

ValveEventsCommand::ValveEventsCommand(Model& model, QMainWindow* window, CommandBar& commands)
    : QObject(window), window_(new TValveEvents(model, window)) {
    if (auto* menu = window->findChild<QMenu*>("View1"))
        connect(insertMenuItem(menu, "ValveEvents", "Valve Events", nullptr), &QAction::triggered,
                this, &ValveEventsCommand::open);
    // The diagram buttons end the tool bar; this one follows them.
    connect(insertToolButton(commands.toolBar(), "ToolValveEvents", eventsGlyph(),
                             "View Valve Events", nullptr),
            &QAction::triggered, this, &ValveEventsCommand::open);
}

void ValveEventsCommand::open() {
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace corvellan
