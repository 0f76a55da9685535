#pragma once
// "Reverse Arm Position": shows the travel of the reverse arm and takes a
// setting, which moves the reverse-arm bar.

#include "main/EntryDialog.h"
#include "model/Model.h"

namespace corvellan {

class MotionControls;

class TRevPos : public EntryDialog {
    Q_OBJECT
  public:
    TRevPos(Model& model, MotionControls& motion, QWidget* parent);

  protected:
    void refresh() override;
    void apply() override;

  private:
    Model& m_;
    MotionControls& motion_;
    QLabel* rev_;
    QLabel* cen_;
    QLabel* fwd_;
    QLabel* max_;
    QLabel* min_;
};

} // namespace corvellan
