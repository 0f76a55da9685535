#include "main/MotionControls.h"

#include "main/Controls.h"
#include "model/Motion.h"
#include "model/Valve.h"

#include <QPushButton>
#include <QScrollBar>

namespace corvellan {

namespace {
const QString kRunning = QStringLiteral("Stop");
const QString kStopped = QStringLiteral("Run");
} // namespace

MotionControls::MotionControls(Model& model, QWidget* clientArea) : QObject(clientArea), m_(model) {
    QWidget* p = clientArea;
    revArm_ = makeScrollBar(p, "SBRevArm", {336, 26, 121, 12}, {0, 0, 1, 20, 0},
                            "Set Reverse Arm Between Max & Min");
    driverAngle_ = makeScrollBar(p, "SBDrvAng", {336, 40, 121, 12}, {-4000, 40000, 1000, 4500, 1},
                                 "Set Driver Angle From 0 to 360 Deg");
    stepAngle_ = makeScrollBar(p, "SBStepAng", {336, 54, 121, 12}, {0, 14613, 920, 2760, 12000},
                               "Set Driver Step Angle to Predefined Values");
    rev_ = makeButton(p, "Rev", "Rev", {252, 25, 28, 14}, "Set Reverse Arm to Normal Reverse");
    cen_ = makeButton(p, "Center", "Cen", {280, 25, 27, 14}, "Set Reverse Arm to Mid Gear");
    fwd_ = makeButton(p, "Fwd", "Fwd", {307, 25, 28, 14}, "Set Reverse Arm to Normal Forward");
    deg180_ = makeButton(p, "Deg180", "180", {252, 39, 25, 14}, "Set Driver Angle to 180 Deg");
    run_ = makeButton(p, "Run", "Stop", {277, 39, 36, 14}, "Start / Stop Driver Rotation");
    deg00_ = makeButton(p, "Deg00", "0.0", {313, 39, 22, 14}, "Set Driver to 0 Deg");
    step1_ = makeButton(p, "Step1", "1.0", {252, 53, 25, 14}, "Set Driver Step Angle to 1 Deg");
    step10_ = makeButton(p, "Step10", "10.0", {277, 53, 29, 14}, "Set Driver Step Angle to 10 Deg");
    step45_ = makeButton(p, "Step45", "45.0", {306, 53, 29, 14}, "Set Driver Step Angle to 45 Deg");
    cen_->setEnabled(false);
    step10_->setEnabled(false);
    // The program starts running, and a running motion has no use for the
    // driver-angle bar.
    driverAngle_->setEnabled(false);

    connect(revArm_, &QScrollBar::valueChanged, this, &MotionControls::revArmChanged);
    connect(driverAngle_, &QScrollBar::valueChanged, this, &MotionControls::driverAngleChanged);
    connect(stepAngle_, &QScrollBar::valueChanged, this, &MotionControls::stepAngleChanged);
    connect(rev_, &QPushButton::clicked, this, [this] { normalSetting(false); });
    connect(cen_, &QPushButton::clicked, this, &MotionControls::centre);
    connect(fwd_, &QPushButton::clicked, this, [this] { normalSetting(true); });
    connect(run_, &QPushButton::clicked, this, &MotionControls::runClicked);
    connect(deg00_, &QPushButton::clicked, this, [this] { driverAngleButton(0, deg00_, deg180_); });
    connect(deg180_, &QPushButton::clicked, this,
            [this] { driverAngleButton(180, deg180_, deg00_); });
    connect(step1_, &QPushButton::clicked, this, [this] { stepButton(1, 8000, step1_); });
    connect(step10_, &QPushButton::clicked, this, [this] { stepButton(10, 12000, step10_); });
    connect(step45_, &QPushButton::clicked, this, [this] { stepButton(45, 14613, step45_); });

    applyRevArmRange();
}

bool MotionControls::isRunning() const {
    return run_->text() == kRunning;
}

void MotionControls::runClicked() {
    if (isRunning()) {
        stopMotion();
        return;
    }
    m_.gear.StepAngle = m_.gear.StepAngleSetting;
    driverAngle_->setEnabled(false);
    run_->setText(kRunning);
    deg00_->setEnabled(true);
    deg180_->setEnabled(true);
}

void MotionControls::stopMotion() {
    driverAngle_->setValue(driverScrollForAngle(m_.gear.DriverAngle));
    m_.gear.StepAngle = 0;
    driverAngle_->setEnabled(true);
    run_->setText(kStopped);
    deg00_->setEnabled(true);
    deg180_->setEnabled(true);
}

void MotionControls::centre() {
    setRevArmScroll(0);
    m_.gear.RevArmPos = m_.gear.RevArmCen();
    fwd_->setEnabled(true);
    rev_->setEnabled(true);
    cen_->setEnabled(false);
    clearCutOffTexts(m_);
}

void MotionControls::setRevArmScroll(int position) {
    revArm_->setValue(position);
}

void MotionControls::applyRevArmRange() {
    updateRevArmScrollRange(m_);
    revArm_->setRange(m_.gear.RevArmScrollMin, m_.gear.RevArmScrollMax);
}

void MotionControls::enterDriverAngle(Ext angle) {
    stopMotion();
    Real value = clampToReal(clampDriverAngleEntry(angle));
    m_.gear.DriverAngle = value;
    driverAngle_->setValue(driverScrollForAngle(value));
    m_.gear.StepAngle = 0;
    driverAngle_->setEnabled(true);
}

void MotionControls::enterStepAngle(Ext step) {
    stepSnapping_ = false;
    m_.gear.StepAngleSetting = clampToReal(clampStepEntry(step));
    if (isRunning())
        m_.gear.StepAngle = m_.gear.StepAngleSetting;
    else
        stopMotion();
    int position = stepScrollForStep(m_.gear.StepAngleSetting);
    if (position == stepAngle_->value())
        stepSnapping_ = true; // no change follows to turn it back on
    else
        stepAngle_->setValue(position);
    setDriverAngleSteps(driverSmallChangeForStep(m_.gear.StepAngleSetting),
                        driverLargeChangeForStep(m_.gear.StepAngleSetting));
}

void MotionControls::windowActivated() {
    driverAngle_->setEnabled(false);
}

void MotionControls::setShown(bool shown) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{revArm_, driverAngle_, stepAngle_, rev_, cen_, fwd_,
                                         deg180_, run_, deg00_, step1_, step10_, step45_})
        w->setVisible(shown);
}

void MotionControls::revArmChanged(int position) {
    revArmScrolled(m_, position);
    cen_->setEnabled(position != 0);
    fwd_->setEnabled(revArmAwayFromNormalFwd(m_));
    rev_->setEnabled(revArmAwayFromNormalRev(m_));
}

void MotionControls::driverAngleChanged(int position) {
    m_.gear.DriverAngle = driverAngleForScroll(position);
    deg180_->setEnabled(true);
    deg00_->setEnabled(true);
}

void MotionControls::stepAngleChanged(int position) {
    if (stepSnapping_) {
        StepRung rung = stepRungAt(position);
        m_.gear.StepAngleSetting = rung.step;
        setDriverAngleSteps(rung.driverSmallChange, rung.driverLargeChange);
        if (isRunning()) m_.gear.StepAngle = m_.gear.StepAngleSetting;
    } else {
        stepSnapping_ = true;
    }
    step10_->setEnabled(m_.gear.StepAngleSetting != 10);
    step45_->setEnabled(m_.gear.StepAngleSetting != 45);
    step1_->setEnabled(m_.gear.StepAngleSetting != 1);
}

void MotionControls::normalSetting(bool forward) {
    setRevArmScroll(forward ? revArmScrollForNormalFwd(m_, revArm_->maximum())
                            : revArmScrollForNormalRev(m_, revArm_->minimum()));
    fwd_->setEnabled(!forward);
    rev_->setEnabled(forward);
    cen_->setEnabled(true);
    clearCutOffTexts(m_);
}

void MotionControls::driverAngleButton(Real angle, QPushButton* pressed, QPushButton* other) {
    m_.gear.DriverAngle = angle;
    driverAngle_->setValue(driverScrollForAngle(angle));
    m_.gear.StepAngle = 0;
    driverAngle_->setEnabled(true);
    run_->setText(kStopped);
    pressed->setEnabled(false);
    other->setEnabled(true);
}

void MotionControls::stepButton(Real step, int position, QPushButton* pressed) {
    pressed->setEnabled(false);
    m_.gear.StepAngleSetting = step;
    if (isRunning()) m_.gear.StepAngle = m_.gear.StepAngleSetting;
    stepAngle_->setValue(position);
}

void MotionControls::setDriverAngleSteps(int smallChange, int largeChange) {
    driverAngle_->setSingleStep(smallChange);
    driverAngle_->setPageStep(largeChange);
}

} // namespace corvellan
