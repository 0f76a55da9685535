#pragma once
// The jog scroll bar: a bar that rests at position 0 and turns each change of
// its position into a signed increment for some target value (pan, zoom,
// reference points, dynamic variables).
//
// Contract with the widget that owns the bar:
//   1. On every change of the bar's position P (user action or program write)
//      call jogIncrement / JogBar::changed with P and apply the returned
//      increment to the target.
//   2. Then set the bar's position back to 0. That write reports a change once
//      more, with P = 0: forward it exactly like the first one. It yields 0 and
//      leaves the memory at last = 0, prev = the user's position, which is what
//      the next change is compared with.
// An arrow click yields +-S1/D, a click in the trough +-S2/D, and any other
// change (a thumb drag) |P|/D in the direction P moved since the previous
// change.

#include "model/Numeric.h"

namespace corvellan {

// Runs one change of a jog bar whose memory is held elsewhere (several windows
// may share one memory): returns the increment for position `position` and
// updates the memory (prev := last; last := position).
Ext jogIncrement(int position, int& last, int& prev, int divisor, int smallStep, int largeStep);

// A jog bar that keeps its own memory.
class JogBar {
  public:
    JogBar(int divisor, int smallStep, int largeStep)
        : divisor_(divisor), smallStep_(smallStep), largeStep_(largeStep) {}

    // The increment for a change of the bar's position to `position`.
    Ext changed(int position) {
        return jogIncrement(position, last_, prev_, divisor_, smallStep_, largeStep_);
    }

    int last() const { return last_; }
    int prev() const { return prev_; }

  private:
    int divisor_;
    int smallStep_;
    int largeStep_;
    int last_ = 0;
    int prev_ = 0;
};

// The pan and zoom bars: an arrow click moves by 0.1, a trough click by 1.0.
inline JogBar makePanZoomJogBar() {
    return JogBar(10, 1, 10);
}

} // namespace corvellan
