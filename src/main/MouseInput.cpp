#include "main/MouseInput.h"

#include "main/RefPointControls.h"
#include "model/MouseDown.h"
#include "view/MechanismView.h"

#include <QMouseEvent>
#include <QWidget>

#include <cmath>

namespace corvellan {

MouseInput::MouseInput(Model& model, FrameState& frame, QWidget* clientArea,
                       RefPointControls& refPoints, std::function<void()> openOverlayDialog)
    : QObject(clientArea), m_(model), frame_(frame), client_(clientArea), refPoints_(refPoints),
      openOverlayDialog_(std::move(openOverlayDialog)) {
    clientArea->installEventFilter(this);
}

bool MouseInput::eventFilter(QObject* watched, QEvent* event) {
    // The second press of a double click is a press as well.
    const QEvent::Type type = event->type();
    if (watched == client_ &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPointF at = mouse->position();
        pressed(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())),
                mouse->button());
    }
    return QObject::eventFilter(watched, event);
}

void MouseInput::pressed(int x, int y, Qt::MouseButton button) {
    bool openDialog = false;
    if (button == Qt::LeftButton || button == Qt::RightButton) {
        const MouseButton which = button == Qt::LeftButton ? MouseButton::Left : MouseButton::Right;
        openDialog = mainWindowMouseDown(m_, x, y, which).openOverlayDialog;
        refPoints_.sync(); // a placed point enables its zero button
    }
    if (openDialog && openOverlayDialog_) openOverlayDialog_();
    // Last: any press ends a running close-up on the next frame.
    endCloseUpOnNextFrame(m_, frame_);
}

} // namespace corvellan
