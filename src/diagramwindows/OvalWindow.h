#pragma once
// TOvalDia, the oval diagram window: the frame of DiagramWindow around drawOvalDiagram.

#include "diagramwindows/DiagramWindow.h"

namespace corvellan {

class TOvalDia : public DiagramWindow {
    Q_OBJECT
  public:
    TOvalDia(Model& model, TSetRevArm* positions, DiagramWindowHooks hooks,
             QWidget* parent = nullptr);

  protected:
    void paintDiagram(Canvas& c, bool erase) override;
    const std::string& captionOf(const Captions& captions) const override;
};

} // namespace corvellan
