#pragma once
// "Driver Angle": stops the motion with the driver at a typed angle.

#include "main/EntryDialog.h"
#include "model/Model.h"

namespace corvellan {

class MotionControls;

class TDrivAng : public EntryDialog {
    Q_OBJECT
  public:
    TDrivAng(Model& model, MotionControls& motion, QWidget* parent);

  protected:
    void refresh() override;
    void apply() override;

  private:
    Model& m_;
    MotionControls& motion_;
};

} // namespace corvellan
