#pragma once
// Geometry that keeps painter-backed canvases safe and exact. Screen
// coordinates reach a canvas as any int, INT_MIN and INT_MAX included (the
// rounding helper saturates), and a raster or vector painter must never be
// handed values that overflow its own fixed-point arithmetic. So lines are cut
// to a guard rectangle a little larger than the picture, and ellipses and arcs
// too large to hand over whole are replaced by the short chords of their part
// that crosses the picture.

#include <utility>
#include <vector>

namespace corvellan {

struct ClipRect {
    double left, top, right, bottom;
    bool contains(double x, double y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
};

// The picture of width x height grown by `margin` pixels on every side.
ClipRect grownRect(int width, int height, double margin);

// Cuts the segment to `r` in place; false when no part of it lies inside.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, const ClipRect& r);

// A line from A to B leaves out B itself. This gives the last pixel that is set
// (E), so a painter that sets both ends can draw A..E. False for A == B, which
// sets nothing; E == A for a line one step long.
bool lastPixelBefore(long long x1, long long y1, long long x2, long long y2, long long& ex,
                     long long& ey);

// The ellipse inscribed in a canvas box: the box (l, t, r, b) covers columns
// l..r-1 and rows t..b-1, so the outline's centre and semi-axes are these.
struct EllipseShape {
    double cx, cy, a, b;
};
EllipseShape ellipseInBox(long long left, long long top, long long right, long long bottom);

// Parametric angle (radians, counter-clockwise on the screen from 3 o'clock) of
// the outline point on the radial from the centre through (x, y).
double radialAngle(const EllipseShape& e, double x, double y);

// Counter-clockwise sweep from angle t1 to t2, in (0, 2 pi]; equal angles give
// the whole turn.
double counterClockwiseSpan(double t1, double t2);

// The part of the arc from t0 over `span` (counter-clockwise) that lies inside
// `r`, as polylines of points at most about two pixels apart.
std::vector<std::vector<std::pair<double, double>>>
visibleArcPolylines(const EllipseShape& e, double t0, double span, const ClipRect& r);

} // namespace corvellan
