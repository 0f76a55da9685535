#pragma once
// TSineDia, the sine diagram window: the frame of DiagramWindow around drawSineDiagram.

#include "diagramwindows/DiagramWindow.h"

namespace corvellan {

class TSineDia : public DiagramWindow {
    Q_OBJECT
  public:
    TSineDia(Model& model, TSetRevArm* positions, DiagramWindowHooks hooks,
             QWidget* parent = nullptr);

  protected:
    void paintDiagram(Canvas& c, bool erase) override;
    const std::string& captionOf(const Captions& captions) const override;
};

} // namespace corvellan
