#include "model/JogBar.h"

namespace corvellan {

Ext jogIncrement(int position, int& last, int& prev, int divisor, int smallStep, int largeStep) {
    const Ext p = position;
    const Ext d = divisor != 0 ? divisor : 1;
    Ext increment = 0;
    // A drag: the size of the position, signed by the way it moved since the
    // previous change.
    if (position > 0 && prev < position) increment = p / d;
    if (position < 0 && prev < position) increment = -p / d;
    if (position < 0 && position < prev) increment = p / d;
    if (position > 0 && position < prev) increment = -p / d;
    // An arrow or trough click: the step itself, with its sign. Widened so
    // extreme positions cannot overflow the difference.
    long long moved = static_cast<long long>(position) - last;
    if (moved < 0) moved = -moved;
    if (moved == smallStep) increment = p / d;
    if (moved == largeStep) increment = p / d;
    prev = last;
    last = position;
    return increment;
}

} // namespace corvellan
