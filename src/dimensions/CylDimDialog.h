#pragma once
// "Cylinder Dimensions": the 22 cylinder and valve dimensions, all of which
// can become dynamic variables. Two rows carry a two-line caption; their box
// sits on the second line and their small button covers both.

#include "dimensions/DimensionDialog.h"

namespace corvellan {

class TCylDimen : public DimensionDialog {
    Q_OBJECT
  public:
    TCylDimen(Model& model, QWidget* parent = nullptr);

  protected:
    bool resetDimensions() override;
};

} // namespace corvellan
