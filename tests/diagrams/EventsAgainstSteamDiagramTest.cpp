// The exact cut-offs of the events report against those the steam diagram
// prints from its four-degree samples.

#include "DiagramTestSupport.h"
#include "diagrams/SteamDiagram.h"
#include "analysis/ValveEvents.h"

#include <gtest/gtest.h>

#include <optional>

#include <cstdlib>

using namespace corvellan;
using namespace corvellan::testing;

namespace {

// The text drawn last at a place: a cut-off found later in the sweep is
// printed over an earlier one of the same row.
std::optional<Primitive> lastTextAt(const RecordingCanvas& c, int x, int y) {
    std::optional<Primitive> last;
    for (const Primitive& p : c.ofKind(PrimitiveKind::Text))
        if (p.coords[0] == x && p.coords[1] == y) last = p;
    return last;
}

// The diagram finds a closing between two samples 4 degrees apart, over
// which the piston moves up to 4 % of the stroke, and interpolates the
// piston linearly in the opening (an opening it has raised to 0.005 during
// admission included); it prints one decimal.
constexpr double kSamplingError = 1.0;

} // namespace

TEST(EventsAgainstSteamDiagram, CutOffsAgreeWithinTheDiagramsSamplingError) {
    Model m = nominalWithPositions();
    // Both sides of mid gear, not mid gear itself: the diagram turns the wheel
    // backwards there, the events report forwards.
    const std::vector<Real> settings{-1.7f, -1.5f, -1.0f, -0.6f, 0.6f, 1.0f, 1.5f, 1.7f};
    for (size_t i = 0; i < settings.size(); ++i)
        m.gear.RevArmPositions[i + 1] = settings[i];
    refreshDiagramPositions(m);
    ASSERT_EQ(m.diagrams.RevArmPosCount, 8);
    const EventsReport report = computeEvents(m, settings);
    RecordingCanvas c{632, 414};
    drawSteamDiagram(m, c);

    for (size_t i = 0; i < settings.size(); ++i) {
        const int row = 13 * static_cast<int>(i + 1) + 233;
        const SettingEvents& s = report.settings[i];
        for (const auto& [x, exact] : {std::pair{600, s.front.cutOffPct}, {15, s.rear.cutOffPct}}) {
            const std::optional<Primitive> printed = lastTextAt(c, x, row);
            ASSERT_TRUE(printed && exact) << "setting " << settings[i];
            const double shown = std::atof(printed->text.c_str());
            EXPECT_NEAR(shown, *exact, kSamplingError) << "setting " << settings[i] << " x " << x;
        }
    }
}
