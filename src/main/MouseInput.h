#pragma once
// The main window's mouse-down handler: a press in the picture places the
// reference points, completes a pick of the draw-lines dialog (which then
// opens again), picks a pivot or arms a pivot slot, and ends a running
// dimension close-up, in that order (model/MouseDown.h).

#include "model/Model.h"

#include <QObject>

#include <functional>

class QWidget;

namespace corvellan {

class RefPointControls;
struct FrameState;

class MouseInput : public QObject {
    Q_OBJECT
  public:
    // Listens to presses on `clientArea`; `openOverlayDialog` shows the
    // draw-lines dialog modally.
    MouseInput(Model& model, FrameState& frame, QWidget* clientArea, RefPointControls& refPoints,
               std::function<void()> openOverlayDialog);

    // A press of `button` at client-area pixel (x, y).
    void pressed(int x, int y, Qt::MouseButton button);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Model& m_;
    FrameState& frame_;
    QWidget* client_;
    RefPointControls& refPoints_;
    std::function<void()> openOverlayDialog_;
};

} // namespace corvellan
