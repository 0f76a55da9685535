#include "main/BalanceCommand.h"

#include "main/BalanceDialog.h"
#include "main/CommandPlacement.h"
#include "main/MotionControls.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

namespace corvellan {

BalanceCommand::BalanceCommand(Model& model, QMainWindow* window, MotionControls& motion)
    : QObject(window), dialog_(new TBalance(model, window)) {
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

void BalanceCommand::open() {
    dialog_->refill();
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
}

} // namespace corvellan
