#pragma once
// "Frame Dimensions": the 14 linkage dimensions, two columns of boxes. The
// two reverse-arm limits (white boxes) never become dynamic variables.

#include "dimensions/DimensionDialog.h"

namespace corvellan {

class TFrameDi : public DimensionDialog {
    Q_OBJECT
  public:
    TFrameDi(Model& model, QWidget* parent = nullptr);

  protected:
    bool resetDimensions() override;
};

} // namespace corvellan
