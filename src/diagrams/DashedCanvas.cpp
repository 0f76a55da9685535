#include "diagrams/DashedCanvas.h"

#include "model/Numeric.h"
#include "view/CanvasClip.h"

#include <algorithm>
#include <cstdlib>

namespace corvellan {

int DashedCanvas::phaseAt(int x, int y) const {
    // The most recent first.
    for (size_t k = 0; k < ends_.size(); ++k) {
        const End& e = ends_[(nextEnd_ + ends_.size() - 1 - k) % ends_.size()];
        if (e.used && e.x == x && e.y == y) return e.phase;
    }
    return 0;
}

void DashedCanvas::remember(int x, int y, int phase) {
    ends_[nextEnd_] = {x, y, phase, true};
    nextEnd_ = (nextEnd_ + 1) % ends_.size();
}

void DashedCanvas::line(int x1, int y1, int x2, int y2) {
    // A line far beyond the picture (a curve of a gear that cannot be
    // assembled) is cut to it first, so the dashes stay few.
    const long long longest = 4LL * (width() + height());
    if (std::llabs(static_cast<long long>(x2) - x1) > longest ||
        std::llabs(static_cast<long long>(y2) - y1) > longest) {
        double ax = x1, ay = y1, bx = x2, by = y2;
        if (clipSegment(ax, ay, bx, by, grownRect(width(), height(), 16)))
            dash(roundToInt(ax), roundToInt(ay), roundToInt(bx), roundToInt(by), 0);
        remember(x2, y2, 0);
        return;
    }
    remember(x2, y2, dash(x1, y1, x2, y2, phaseAt(x1, y1)));
}

int DashedCanvas::dash(int x1, int y1, int x2, int y2, int phase) {
    const long long dx = static_cast<long long>(x2) - x1;
    const long long dy = static_cast<long long>(y2) - y1;
    // The pixels of the line, its end left out; each dash is a line of its
    // own from the first pixel of the dash to the first one after it.
    const long long steps = std::max(std::llabs(dx), std::llabs(dy));
    constexpr int period = kDashOn + kDashOff;
    auto point = [&](long long k, long long d, int from) {
        return roundToInt(from + static_cast<Ext>(d) * k / steps);
    };
    for (long long k = 0; k < steps;) {
        const bool on = phase < kDashOn;
        const long long run = std::min<long long>((on ? kDashOn : period) - phase, steps - k);
        if (on)
            target_.line(point(k, dx, x1), point(k, dy, y1), point(k + run, dx, x1),
                         point(k + run, dy, y1));
        k += run;
        phase = static_cast<int>((phase + run) % period);
    }
    return phase;
}

void DashedCanvas::polyline(const int* xs, const int* ys, int n) {
    for (int k = 1; k < n; ++k)
        line(xs[k - 1], ys[k - 1], xs[k], ys[k]);
}

} // namespace corvellan
