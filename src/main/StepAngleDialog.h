#pragma once
// "Step Angle": any step from 0.01 to 45 degrees, not only the ladder's.

#include "main/EntryDialog.h"
#include "model/Model.h"

namespace corvellan {

class MotionControls;

class TStpAng : public EntryDialog {
    Q_OBJECT
  public:
    TStpAng(Model& model, MotionControls& motion, QWidget* parent);

  protected:
    void refresh() override;
    void apply() override;

  private:
    Model& m_;
    MotionControls& motion_;
};

} // namespace corvellan
