#pragma once
// "Balance…" in the "&EditDimen" menu, after the two dimension dialogs: it
// opens the balance dialog, created here once and reused, on the gear as it
// is now. The dialog's requests for the reverse-arm scroll bar go to the
// motion controls, as the dimension dialogs' do. After an Apply, the "UnDo"
// press that brings the last dimension back also brings back mid gear, the
// diagram positions, the reverse-arm setting and its scroll bar.

#include "analysis/BalanceApply.h"
#include "model/Model.h"

#include <QObject>

class QMainWindow;

namespace corvellan {

class MotionControls;
class TBalance;

class BalanceCommand : public QObject {
    Q_OBJECT
  public:
    BalanceCommand(Model& model, QMainWindow* window, MotionControls& motion);

    TBalance* dialog() const { return dialog_; }
    void open();

  private:
    // Before Apply: remembers the design's positions and watches every
    // window's "UnDo" button.
    void remember();
    // After any "UnDo": the positions back once the design is.
    void afterUndo();

    Model& m_;
    QMainWindow* window_;
    TBalance* dialog_;
    BalanceRestore restore_;
    int revArmScroll_ = 0;
};

} // namespace corvellan
