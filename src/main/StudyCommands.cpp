#include "main/StudyCommands.h"

#include "main/CommandPlacement.h"
#include "main/SensitivityWindow.h"
#include "main/SweepWindow.h"
#include "main/ToleranceWindow.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

namespace corvellan {

namespace {

void raise(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace

StudyCommands::StudyCommands(Model& model, QMainWindow* window)
    : QObject(window), sensitivity_(new TSensitivity(model, window)),
      tolerance_(new TTolerance(model, window)), sweep_(new TSweep(model, window)) {
    QMenu* edit = window->findChild<QMenu*>("Edit1");
    if (!edit) return;
    // Right after "Balance…" (or the cylinder dialog where there is none).
    const QList<QAction*> actions = edit->actions();
    QAction* after = findNamedAction(actions, "Balance");
    if (!after) after = findNamedAction(actions, "CylDim");
    const int next = after ? static_cast<int>(actions.indexOf(after)) + 1 : -1;
    QAction* before = next > 0 && next < actions.size() ? actions[next] : nullptr;
    connect(insertMenuItem(edit, "Sensitivity", QString::fromUtf8("&Sensitivity\u2026"), before),
            &QAction::triggered, this, &StudyCommands::openSensitivity);
    connect(insertMenuItem(edit, "Tolerances", QString::fromUtf8("&Tolerances\u2026"), before),
            &QAction::triggered, this, &StudyCommands::openTolerance);
    connect(insertMenuItem(edit, "Sweep", QString::fromUtf8("S&weep\u2026"), before),
            &QAction::triggered, this, &StudyCommands::openSweep);
}

void StudyCommands::openSensitivity() {
    const bool wasShown = sensitivity_->isVisible();
    if (!wasShown) sensitivity_->refill();
    raise(sensitivity_);
    // Quick enough to compute at once on opening.
    if (!wasShown) sensitivity_->start();
}

void StudyCommands::openTolerance() {
    if (!tolerance_->isVisible()) tolerance_->refill();
    raise(tolerance_);
}

void StudyCommands::openSweep() {
    if (!sweep_->isVisible()) sweep_->refill();
    raise(sweep_);
}

} // namespace corvellan
