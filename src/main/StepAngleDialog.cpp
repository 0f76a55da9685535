#include "main/StepAngleDialog.h"

#include "main/MotionControls.h"

namespace corvellan {

TStpAng::TStpAng(Model& model, MotionControls& motion, QWidget* parent)
    : EntryDialog("TStpAng", "Step Angle", {208, 47}, false, parent), m_(model), motion_(motion) {
    addLabel("Min = 0.01", 4, 4);
    addLabel("Max = 45.00", 110, 4);
    placeEntryRow(21);
    edit()->setText("5.0");
}

void TStpAng::refresh() {
    edit()->setText(QString::fromStdString(formatFixed(m_.gear.StepAngle, 4, 2)));
}

void TStpAng::apply() {
    motion_.enterStepAngle(entry());
}

} // namespace corvellan
