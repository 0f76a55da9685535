#pragma once
// "Sensitivity…", "Tolerances…" and "Sweep…" in the "&EditDimen" menu,
// after "Balance…": each opens its window, created here once and reused, on
// the gear as it is now.

#include "model/Model.h"

#include <QObject>

class QMainWindow;

namespace corvellan {

class TSensitivity;
class TSweep;
class TTolerance;

class StudyCommands : public QObject {
    Q_OBJECT
  public:
    StudyCommands(Model& model, QMainWindow* window);

    TSensitivity* sensitivity() const { return sensitivity_; }
    TTolerance* tolerance() const { return tolerance_; }
    TSweep* sweep() const { return sweep_; }

    void openSensitivity();
    void openTolerance();
    void openSweep();

  private:
    TSensitivity* sensitivity_;
    TTolerance* tolerance_;
    TSweep* sweep_;
};

} // namespace corvellan
