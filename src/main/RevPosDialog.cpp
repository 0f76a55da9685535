#include "main/RevPosDialog.h"

#include "main/MotionControls.h"
#include "model/Motion.h"

#include <QLabel>

namespace corvellan {

namespace {
QString limitText(const char* prefix, Ext value) {
    return prefix + QString::fromStdString(formatFixed(value, 5, 3));
}
} // namespace

TRevPos::TRevPos(Model& model, MotionControls& motion, QWidget* parent)
    : EntryDialog("TRevPos", "Reverse Arm Position", {208, 64}, true, parent), m_(model),
      motion_(motion) {
    rev_ = addLabel({}, 4, 4);
    cen_ = addLabel({}, 72, 4);
    fwd_ = addLabel({}, 140, 4);
    max_ = addLabel({}, 4, 20);
    min_ = addLabel({}, 140, 20);
    placeEntryRow(38);
}

void TRevPos::refresh() {
    const Ext cen = m_.gear.RevArmCen();
    const Ext norm = m_.frame.RevArmToCentNorm;
    const Ext max = m_.frame.RevArmToCentMax;
    rev_->setText(limitText("Rev = ", cen + norm));
    cen_->setText(limitText("Cen = ", cen));
    fwd_->setText(limitText("Fwd = ", cen - norm));
    max_->setText(limitText("Max = ", cen + max));
    min_->setText(limitText("Min = ", cen - max));
    for (QLabel* label : {rev_, cen_, fwd_, max_, min_})
        label->adjustSize();
    edit()->setText(QString::fromStdString(formatFixed(m_.gear.RevArmPos, 7, 3)));
}

void TRevPos::apply() {
    Ext value = clampRevArmEntry(m_, entry());
    motion_.setRevArmScroll(revArmScrollForPos(m_, value));
}

} // namespace corvellan
