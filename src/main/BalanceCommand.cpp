#include "main/BalanceCommand.h"

#include "main/BalanceDialog.h"
#include "main/CommandPlacement.h"
#include "main/MotionControls.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace corvellan {

BalanceCommand::BalanceCommand(Model& model, QMainWindow* window, MotionControls& motion)
    : QObject(window), m_(model), window_(window), dialog_(new TBalance(model, window)) {
    connect(dialog_, &TBalance::aboutToApply, this, &BalanceCommand::remember);
    connect(dialog_, &TBalance::revArmRangeChanged, this, [&motion] { motion.applyRevArmRange(); });
    connect(dialog_, &TBalance::revArmScrollToZero, this, [&motion] { motion.setRevArmScroll(0); });
    QMenu* edit = window->findChild<QMenu*>("Edit1");
    if (!edit) return;
    // Right after the cylinder dialog, where the menu's dimension commands are.
    const QList<QAction*> actions = edit->actions();
    QAction* after = findNamedAction(actions, "CylDim");
    const int next = after ? static_cast<int>(actions.indexOf(after)) + 1 : -1;
    QAction* before = next > 0 && next < actions.size() ? actions[next] : nullptr;
    connect(insertMenuItem(edit, "Balance", QString::fromUtf8("&Balance\u2026"), before),
            &QAction::triggered, this, &BalanceCommand::open);
}

void BalanceCommand::remember() {
    restore_.arm(m_);
    if (auto* bar = window_->findChild<QScrollBar*>("SBRevArm")) revArmScroll_ = bar->value();
    // The main window's button and each diagram window's; each is
    // connected after its own handler, so this runs once the step is taken.
    for (QWidget* w : QApplication::allWidgets())
        if (auto* b = qobject_cast<QPushButton*>(w); b && b->objectName().startsWith("UnDoDn"))
            connect(b, &QPushButton::clicked, this, &BalanceCommand::afterUndo,
                    Qt::UniqueConnection);
}

void BalanceCommand::afterUndo() {
    if (!restore_.restoreIfBack(m_)) return;
    if (auto* bar = window_->findChild<QScrollBar*>("SBRevArm")) {
        // The bar shows where it stood; the setting itself is the one kept,
        // not one the bar's handler would make of the position.
        const QSignalBlocker quiet(bar);
        bar->setValue(revArmScroll_);
    }
}

void BalanceCommand::open() {
    dialog_->refill();
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
}

} // namespace corvellan
