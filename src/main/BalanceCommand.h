#pragma once
// "Balance…" in the "&EditDimen" menu, after the two dimension dialogs: it
// opens the balance dialog, created here once and reused, on the gear as it
// is now. The dialog's requests for the reverse-arm scroll bar go to the
// motion controls, as the dimension dialogs' do.

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
    TBalance* dialog_;
};

} // namespace corvellan
