#pragma once
// The motion controls of the main window: the reverse-arm, driver-angle and
// step-angle scroll bars with their buttons, and the Run/Stop button. They
// write the gear state of the model; the tick reads it. Whether the motion
// runs is the caption of the Run button: "Stop" while the driver turns.

#include "model/Model.h"

#include <QObject>

class QPushButton;
class QScrollBar;
class QWidget;

namespace corvellan {

class MotionControls : public QObject {
    Q_OBJECT
  public:
    MotionControls(Model& model, QWidget* clientArea);

    bool isRunning() const;
    // The Run/Stop button.
    void runClicked();
    // What the Run/Stop button does when pressed while running: the
    // driver-angle bar takes the current angle and the motion stops.
    void stopMotion();

    // "Cen": mid gear.
    void centre();
    // Moves the reverse-arm bar (its change handler sets the gear).
    void setRevArmScroll(int position);
    // The reverse-arm bar's range follows "Rev Arm to Cent Max".
    void applyRevArmRange();

    // The driver-angle dialog's OK: stops the motion at `angle` (clamped).
    void enterDriverAngle(Ext angle);
    // The step-angle dialog's OK: `step` (clamped) stands even where it is
    // not a rung of the ladder; the run state is kept.
    void enterStepAngle(Ext step);

    // The main window became the active window.
    void windowActivated();
    // Screen data on or off.
    void setShown(bool shown);

  private:
    void revArmChanged(int position);
    void driverAngleChanged(int position);
    void stepAngleChanged(int position);
    void normalSetting(bool forward);
    void driverAngleButton(Real angle, QPushButton* pressed, QPushButton* other);
    void stepButton(Real step, int position, QPushButton* pressed);
    void setDriverAngleSteps(int smallChange, int largeChange);

    Model& m_;
    QScrollBar* revArm_;
    QScrollBar* driverAngle_;
    QScrollBar* stepAngle_;
    QPushButton* rev_;
    QPushButton* cen_;
    QPushButton* fwd_;
    QPushButton* deg180_;
    QPushButton* run_;
    QPushButton* deg00_;
    QPushButton* step1_;
    QPushButton* step10_;
    QPushButton* step45_;
    // Off only between the step-angle dialog's OK and the bar change that it
    // causes, so the typed step is not snapped to the ladder.
    bool stepSnapping_ = true;
};

} // namespace corvellan
