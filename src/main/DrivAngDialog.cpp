#include "main/DrivAngDialog.h"

#include "main/MotionControls.h"

namespace corvellan {

TDrivAng::TDrivAng(Model& model, MotionControls& motion, QWidget* parent)
    : EntryDialog("TDrivAng", "Driver Angle", {208, 47}, false, parent), m_(model),
      motion_(motion) {
    addLabel("Min = 0.00", 4, 4);
    addLabel("Max = 360.00", 110, 4);
    placeEntryRow(21);
}

void TDrivAng::refresh() {
    // A turning driver has no angle worth offering.
    Ext shown = m_.gear.StepAngle != 0 ? 0 : static_cast<Ext>(m_.gear.DriverAngle);
    edit()->setText(QString::fromStdString(formatFixed(shown, 4, 2)));
}

void TDrivAng::apply() {
    motion_.enterDriverAngle(entry());
}

} // namespace corvellan
