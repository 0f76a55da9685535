#pragma once
// TPortDia, the port events window: the frame of DiagramWindow around the
// port events diagram, with the "SetUp" menu of forward, reverse and both
// graphs. Every redraw follows the current PortGraphMode.

#include "diagramwindows/DiagramWindow.h"

namespace corvellan {

class TPortDia : public DiagramWindow {
    Q_OBJECT
  public:
    TPortDia(Model& model, DiagramWindowHooks hooks, QWidget* parent = nullptr);

    // The main window's "&PortOpenClose": the forward graph first, then the
    // window, modally.
    int openForward();

    // "SetUp": 'F' "ForwardGraph", 'R' "ReverseGraph", 'B' "BothGraphs".
    void chooseGraph(char mode);

  protected:
    void paintDiagram(Canvas& c, bool erase) override;
    const std::string& captionOf(const Captions& captions) const override;
};

} // namespace corvellan
