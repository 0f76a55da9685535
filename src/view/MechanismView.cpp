#include "view/MechanismView.h"

#include "view/DimensionCloseUp.h"
#include "view/DrawHelpers.h"
#include "view/Panels.h"
#include "view/SteamDisplay.h"

#include <cmath>
#include <ctime>
#include <vector>

#include "model/LocalTime.h"

namespace corvellan {

namespace {

const char* const kVersion = "Version 2.6";

// Counterweight: 140 degrees of arc opposite the crank pin, from 110 degrees
// before the crank to 110 degrees after it, through the far side.
void drawCounterweight(Canvas& c, const Model& m) {
    const Ext r = static_cast<Ext>(m.frame.DriverDia) * 0.35L;
    // The crank as drawn: DriverAngle has already advanced when the frame is
    // rendered, and the weight must sit opposite the pin on the picture.
    const Ext crank = std::atan2(static_cast<Ext>(m.pivots.Y[1]) - m.pivots.Y[2],
                                 static_cast<Ext>(m.pivots.X[2]) - m.pivots.X[1]) /
                      kDegToRad;
    // Directions run like DriverAngle, which turns clockwise on the screen, so
    // the counter-clockwise canvas arc starts at crank - 110.
    auto radial = [&](Ext deg) {
        const Ext a = deg * kDegToRad;
        return project(m, r * std::cos(a), -r * std::sin(a));
    };
    const ScreenPoint a = radial(crank - 110), b = radial(crank + 110);
    const ScreenPoint topLeft{col(m, -r), row(m, r)}, bottomRight{col(m, r), row(m, -r)};
    if (!known(a) || !known(b) || !known(topLeft) || !known(bottomRight)) return;
    c.arc(toScreen(col(m, -r)), toScreen(row(m, r)), toScreen(col(m, r)), toScreen(row(m, -r)),
          toScreen(a.x), toScreen(a.y), toScreen(b.x), toScreen(b.y));
}

void drawPins(Canvas& c, const Model& m) {
    const Ext dia = m.frame.DriverDia;
    const struct {
        int pivot;
        Ext fraction;
    } pins[] = {{2, 0.05L}, {3, 0.04L}, {4, 0.02L}, {5, 0.14L}, {1, 0.06L},
                {6, 0.02L}, {7, 0.02L}, {8, 0.02L}, {18, 0.02L}};
    for (const auto& p : pins)
        drawModelCircle(c, m, m.pivots.X[p.pivot], m.pivots.Y[p.pivot], dia * p.fraction);
}

void drawCross(Canvas& c, ScreenPoint p) {
    drawLine(c, {p.x + 5, p.y + 5}, {p.x - 6, p.y - 6});
    drawLine(c, {p.x + 5, p.y - 5}, {p.x - 6, p.y + 6});
}

void drawSection(Canvas& c, const SectionOutlines& s, int width) {
    c.setPen(colours::Grey, width);
    drawPolyline(c, s.outer.data(), static_cast<int>(s.outer.size()));
    drawPolyline(c, s.inner.data(), static_cast<int>(s.inner.size()));
    c.setPen(colours::Black, width);
}

void drawPistonAndValve(Canvas& c, const Model& m, const SectionOutlines& s) {
    drawLine(c, pivotPoint(m, 3), s.rodEnd);
    drawPolyline(c, s.piston.data(), static_cast<int>(s.piston.size()));
    drawLine(c, pivotPoint(m, 4), s.spindleEnd);
    drawPolyline(c, s.valve.data(), static_cast<int>(s.valve.size()));
}

void drawLinkage(Canvas& c, const Model& m, int width) {
    auto bar = [&](int from, int to, Rgb colour) {
        c.setPen(colour, width);
        drawLine(c, pivotPoint(m, from), pivotPoint(m, to));
    };
    bar(3, 2, colours::Red);   // main rod
    bar(4, 6, colours::Lime);  // valve rod
    bar(5, 7, colours::Blue);  // valve lever
    bar(11, 18, colours::Red); // link
    c.setPen(colours::Black, width);
    const ScreenPoint arm = pivotPoint(m, 18); // reach rod to the picture's left edge
    drawLine(c, arm, {0, arm.y});
    bar(2, 1, colours::Lime); // main crank
    bar(1, 5, colours::Red);  // eccentric crank
}

// Items 4 to 10.
void drawMechanism(Canvas& c, const Model& m, const SectionOutlines& s, int width) {
    drawModelCircle(c, m, m.pivots.X[1], m.pivots.Y[1], static_cast<Ext>(m.frame.DriverDia) / 2);
    drawCounterweight(c, m);
    drawPins(c, m);
    drawSection(c, s, width);
    drawPistonAndValve(c, m, s);
    c.setPen(colours::Red, width);
    drawCross(c, pivotPoint(m, 0));
    drawCross(c, pivotPoint(m, 8));
    drawLinkage(c, m, width);
}

} // namespace

void drawPolyline(Canvas& c, const ScreenPoint* pts, int n) {
    std::vector<int> xs, ys;
    xs.reserve(n > 0 ? static_cast<std::size_t>(n) : 0);
    ys.reserve(xs.capacity());
    auto flush = [&] {
        if (xs.size() > 1) c.polyline(xs.data(), ys.data(), static_cast<int>(xs.size()));
        xs.clear();
        ys.clear();
    };
    for (int i = 0; i < n; ++i) {
        if (!known(pts[i])) {
            flush();
            continue;
        }
        xs.push_back(toScreen(pts[i].x));
        ys.push_back(toScreen(pts[i].y));
    }
    flush();
}

void drawModelCircle(Canvas& c, const Model& m, Ext x, Ext y, Ext radius) {
    const ScreenPoint topLeft{col(m, x - radius), row(m, y + radius)};
    const ScreenPoint bottomRight{col(m, x + radius), row(m, y - radius)};
    if (!known(topLeft) || !known(bottomRight)) return;
    c.ellipse(toScreen(topLeft.x), toScreen(topLeft.y), toScreen(bottomRight.x),
              toScreen(bottomRight.y));
}

void buildCaptions(const Model& m, FrameState& f) {
    std::string date, time;
    if (f.clock)
        f.clock(date, time);
    else
        localDateTime(date, time);
    const std::string tail = m.DimSetName + "     " + date + "   " + time + "   " + kVersion;
    const std::string title = "CORVELLAN Outside Admission";
    Captions& k = f.captions;
    // The main caption marks dimensions that differ from the file (or the
    // nominal set) with a star after the set's name.
    k.main = title + std::string(12, ' ') + m.DimSetName + (dimensionsModified(m) ? "*" : "") +
             "     " + date + "   " + time + "   " + kVersion;
    k.sine = title + "      Sine Diagram    " + tail;
    k.oval = title + "      Oval Diagram    " + tail;
    k.steam = title + "      Steam Diagram    " + tail;
    k.ports = title + "      Port Open/Closed    " + tail;
    k.dataTable = title + "  Data Table " + tail;
}

void renderFrame(Model& m, FrameState& f, Canvas& c, SoundSink& sound) {
    f.window.closeDialogForCode = 0;
    f.window.reopenDialog = DimDialog::None;
    const int width = m.display.lineWidth;
    c.erase(colours::White);
    c.setPen(colours::Black, width);
    if (m.display.steamDisplay) drawSteamDisplay(m, f, c, sound);
    buildCaptions(m, f);
    f.pivotPaths.draw(m, c);
    drawMechanism(c, m, f.section, width);
    drawOverlayItems(m, c);
    drawUndoPanel(m, f, c);
    if (m.display.screenData) drawScreenData(m, f, c, sound);
    if (m.view.SelectedDimCode > 0) drawDimensionCloseUp(m, f, c);
}

} // namespace corvellan
