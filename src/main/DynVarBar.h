#pragma once
// A dynamic-variable bar: a jog scroll bar bound to slot k (1..4) of the
// dynamic-variable list. Every change of its position nudges the slot's
// dimension and the bar springs back to 0; every finished scroll action (an
// arrow click, a click in the trough, a thumb drag, held keys or a turn of
// the wheel) records one undo entry. The main window and the four diagram
// windows each carry four of these; they share the jog memory and the undo
// store through the model.
//
// Qt tells when a scroll action starts (actionTriggered, sliderPressed) but
// not when it ends: the end is the release of the mouse button or key that
// started it, or the wheel event itself.

#include "model/Model.h"

#include <QScrollBar>

#include <functional>

namespace corvellan {

class DynVarBar : public QScrollBar {
    Q_OBJECT
  public:
    // A bar for slot k (1..4), with the range and steps every window uses and
    // at rest at 0; the caller places it.
    DynVarBar(Model& model, int k, QWidget* parent);

    int slot() const { return k_; }

    // Runs after each change of the dimension, once the bar is back at 0 (a
    // diagram window redraws here).
    void setOnChanged(std::function<void()> run) { onChanged_ = std::move(run); }
    // Runs after a scroll action ended and its undo entry is recorded. The
    // window moves the keyboard focus away from the bar here, so that the
    // next use of the bar takes a fresh start value for its undo entry.
    void setOnScrollEnded(std::function<void()> run) { onScrollEnded_ = std::move(run); }

    // The main window's hint for bar k.
    static QString mainWindowHint(int k);

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void positionChanged(int position);
    void actionStarted();
    void endScroll();

    Model& m_;
    int k_;
    std::function<void()> onChanged_;
    std::function<void()> onScrollEnded_;
    // A scroll action runs and its end has not been seen yet.
    bool acting_ = false;
    // The value the next undo entry starts from has been taken since the last
    // scroll action ended.
    bool entryTaken_ = false;
    int depth_ = 0; // nesting of the change handler (the spring back re-enters it)
};

} // namespace corvellan
