// Every dimension at the values that break arithmetic, through whole ticks
// with the steam display, the dimension's close-up and the pivot paths: the
// frame is drawn
// without undefined behaviour (the sanitizer build runs this too), does no
// more than ten times the shapes of a normal frame, draws nothing at a point
// that is not a number, and a pivot that is not a number raises the error.

#include "TickFixture.h"

#include "model/Dimensions.h"
#include "model/Solver.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

using namespace corvellan;
using namespace corvellan::testing;

namespace {

constexpr int kLinkagePivots[] = {2, 3, 4, 5, 6, 7, 11, 18};

// Shapes and texts a frame hands the canvas. The steam dots are left out:
// their number follows the steam levels and the zoom, never the dimensions.
long drawingWork(const RecordingCanvas& c) {
    return static_cast<long>(c.primitives().size());
}

// Whether any shape has a corner or end at the picture's origin, where a
// coordinate that is not a number would land if it were rounded.
bool touchesOrigin(const RecordingCanvas& c) {
    for (const Primitive& p : c.primitives()) {
        if (p.kind == PrimitiveKind::Text || p.kind == PrimitiveKind::Pixel ||
            p.kind == PrimitiveKind::Erase)
            continue;
        for (std::size_t i = 0; i + 1 < p.coords.size(); i += 2)
            if (p.coords[i] == 0 && p.coords[i + 1] == 0) return true;
    }
    return false;
}

struct WildValues : TickFixture {};

// The paths of the crank pin, the crosshead and the valve rod's end, whose
// screen points run to the ends of the int range on a wild gear.
void showPaths(Model& m) {
    m.pivotData.pathsShown = true;
    const int pivots[] = {2, 3, 7};
    for (int k = 0; k < 3; ++k) {
        m.pivotData.slotPivot[k + 1] = static_cast<Real>(pivots[k]);
        m.pivotData.slotShown[k + 1] = true;
    }
}

} // namespace

TEST_F(WildValues, EveryDimensionAtItsExtremesDrawsSafely) {
    canvas.setKeepPixels(false);
    m.display.steamDisplay = true;
    for (int i = 0; i < 3; ++i) tick();
    const long normalWork = drawingWork(canvas);

    int nonFiniteGears = 0;
    for (const DimensionInfo& d : allDimensions()) {
        const Real nominal = dimensionValue(nominalModel(), d.code);
        for (Real v : {0.0f, -nominal, 1e-30f, 1e30f, -1e30f, FLT_MAX, -FLT_MAX}) {
            Model w = nominalModel();
            w.display.steamDisplay = true;
            showPaths(w);
            storeDimension(w, d.code, v);
            midGearCalc(w);
            w.view.SelectedDimCode = d.code;
            FrameState wf = fixedFrame();
            RecordingCanvas c;
            c.setKeepPixels(false);
            for (int i = 0; i < 3; ++i) {
                c.clear();
                runTick(w, wf, c, sound);
            }
            bool placed = true;
            for (int p : kLinkagePivots)
                placed = placed && std::isfinite(w.pivots.X[p]) && std::isfinite(w.pivots.Y[p]);
            nonFiniteGears += !placed;
            const std::string what = std::string(d.label) + " = " + std::to_string(v);
            if (!placed) {
                EXPECT_TRUE(w.error.GeometryError) << what;
            }
            EXPECT_LE(drawingWork(c), 10 * normalWork) << what;
            EXPECT_FALSE(touchesOrigin(c)) << what;
        }
    }
    EXPECT_GT(nonFiniteGears, 0); // the values do reach gears that cannot be built
}

TEST_F(WildValues, APivotThatIsNotANumberDrawsNothingThere) {
    m.frame.MainRod = std::numeric_limits<Real>::quiet_NaN(); // no crosshead at all
    m.gear.StepAngle = 0;
    tick();
    EXPECT_TRUE(m.error.GeometryError);
    ASSERT_FALSE(std::isfinite(m.pivots.X[3]));
    // The main rod and the piston rod end at the crosshead: neither is drawn,
    // while the crank beside them is.
    const int x2 = m.pivots.ScreenX[2], y2 = m.pivots.ScreenY[2];
    int fromCrankPin = 0;
    for (const Primitive& p : canvas.ofKind(PrimitiveKind::Line)) {
        const bool atPin = (p.coords[0] == x2 && p.coords[1] == y2) ||
                           (p.coords[2] == x2 && p.coords[3] == y2);
        if (atPin) {
            ++fromCrankPin;
            EXPECT_NE(p.colour, colours::Red) << p.toLine(); // the main rod
        }
    }
    EXPECT_EQ(fromCrankPin, 1); // the crank
    EXPECT_FALSE(touchesOrigin(canvas));

    // An overlay line carried by the crosshead has no place either.
    const auto redLines = ofKindAndColour(canvas, PrimitiveKind::Line, colours::Red).size();
    m.overlay.Type[1] = 0;
    m.overlay.RefMode[1] = 1;
    m.overlay.Ref1Pivot[1] = 3;
    m.overlay.Color[1] = 255;
    tick();
    EXPECT_EQ(ofKindAndColour(canvas, PrimitiveKind::Line, colours::Red).size(), redLines);
    EXPECT_FALSE(touchesOrigin(canvas));
}
