#pragma once
// TSteamDia, the steam diagram window: the frame of DiagramWindow around drawSteamDiagram.

#include "diagramwindows/DiagramWindow.h"

namespace corvellan {

class TSteamDia : public DiagramWindow {
    Q_OBJECT
  public:
    TSteamDia(Model& model, TSetRevArm* positions, DiagramWindowHooks hooks,
              QWidget* parent = nullptr);

  protected:
    void paintDiagram(Canvas& c, bool erase) override;
    const std::string& captionOf(const Captions& captions) const override;
};

} // namespace corvellan
