// The dashed pen a compared gear is drawn with.
#include "diagrams/DashedCanvas.h"
#include "view/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <climits>

using namespace corvellan;

namespace {

// Pixels set by the recorded lines along row `y` (each line leaves out its
// end, as every canvas does).
std::vector<bool> litRow(const RecordingCanvas& c, int y, int width) {
    std::vector<bool> lit(static_cast<size_t>(width));
    for (const Primitive& p : c.ofKind(PrimitiveKind::Line)) {
        if (p.coords[1] != y || p.coords[3] != y) continue;
        for (int x = p.coords[0]; x < p.coords[2]; ++x)
            if (x >= 0 && x < width) lit[static_cast<size_t>(x)] = true;
    }
    return lit;
}

} // namespace

TEST(DashedCanvas, KeepsOnePatternAlongACurveDrawnPieceByPieceAndDropsAllButLines) {
    RecordingCanvas whole(200, 100), pieces(200, 100);
    DashedCanvas a(whole, colours::Fuchsia), b(pieces, colours::Fuchsia);
    a.setPen(colours::Black, 1);
    a.line(0, 10, 80, 10);
    b.setPen(colours::Red, 1);
    // The same line in segments of 3 pixels, and another curve drawn in
    // turns with it, as the steam diagram draws its two ends.
    for (int x = 0; x < 80; x += 3) {
        b.line(x, 10, std::min(x + 3, 80), 10);
        b.line(150, 20 + x, 150, 23 + x);
        b.text(x, 0, "label", TextStyle{});
    }
    b.erase(colours::White);
    b.pixel(1, 1, colours::Black);
    b.ellipse(0, 0, 10, 10);

    const std::vector<bool> expected = litRow(whole, 10, 80);
    for (int x = 0; x < 80; ++x)
        EXPECT_EQ(expected[static_cast<size_t>(x)], x % 8 < 5) << x;
    EXPECT_EQ(litRow(pieces, 10, 80), expected);
    for (const Primitive& p : pieces.primitives()) {
        EXPECT_EQ(p.kind, PrimitiveKind::Line);
        EXPECT_EQ(p.colour, colours::Fuchsia);
    }
}

TEST(DashedCanvas, ALineFarBeyondThePictureIsCutToItFirst) {
    RecordingCanvas c(632, 414);
    DashedCanvas dashed(c, colours::Fuchsia);
    dashed.line(INT_MIN, 200, INT_MAX, 200);
    const auto lines = c.ofKind(PrimitiveKind::Line);
    EXPECT_GT(lines.size(), 60u);
    EXPECT_LT(lines.size(), 100u);
}
