#pragma once
// "Set Zoom of Dimensional Graphic Position": the scale of the close-up
// pictures that show where a dimension lies.

#include "main/EntryDialog.h"
#include "model/Model.h"

namespace corvellan {

class TGraphZoom : public EntryDialog {
    Q_OBJECT
  public:
    TGraphZoom(Model& model, QWidget* parent);

  protected:
    void refresh() override;
    void apply() override;

  private:
    Model& m_;
};

} // namespace corvellan
