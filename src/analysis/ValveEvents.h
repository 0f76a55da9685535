#pragma once
// The valve events of a reverse-arm setting, found exactly: every crossing of
// the four port edges over one turn in the running direction, and for each
// end its admission, cut-off, release and compression, lead and largest
// openings. The openings come from the program's own solve and valve
// computation on a scratch copy of the model; the diagrams sample the same
// quantities every few degrees, here each crossing is bracketed between
// one-degree samples and refined by bisection.

#include "model/Model.h"
#include "model/Solver.h"

#include <optional>
#include <string>
#include <vector>

namespace corvellan {

// The four signed openings, in this order everywhere below.
enum PortEdge { FrontSteamEdge, FrontExhaustEdge, RearSteamEdge, RearExhaustEdge, kPortEdges };

// An edge opening or closing: kind = 2 x edge + (1 when it closes).
enum class EventKind {
    FrontSteamOpens,
    FrontSteamCloses,
    FrontExhaustOpens,
    FrontExhaustCloses,
    RearSteamOpens,
    RearSteamCloses,
    RearExhaustOpens,
    RearExhaustCloses,
};

// "front steam opens", "rear exhaust closes", ...
const char* eventKindName(EventKind kind);

struct ValveEvent {
    EventKind kind = EventKind::FrontSteamOpens;
    double angle = 0; // driver angle, [0, 360)
    double pct = 0;   // piston position, percent of stroke from that end's dead centre
};

using Figure = std::optional<double>; // absent where the edge does not cross twice

struct EndEvents {
    double lead = 0; // steam opening at this end's dead centre (negative: blind)
    Figure admissionAngle, admissionPct;
    Figure cutOffAngle, cutOffPct;
    Figure releaseAngle, releasePct;
    Figure compressionAngle, compressionPct;
    double maxSteamOpening = 0;   // largest signed opening over the turn
    double maxExhaustOpening = 0; // (not clipped to the port width)
};

struct SettingEvents {
    Real revArmPos = 0;
    bool forward = true; // "Fwd": driver angle increasing
    double valveTravel = 0;
    std::vector<ValveEvent> events; // in running order from driver angle 0
    EndEvents front, rear;
    double leadDifference = 0; // front minus rear
    Figure cutOffDifference;   // front minus rear, percent
    // The solver had to substitute values somewhere on the turn: the gear
    // cannot be assembled there and the figures describe the repaired one.
    bool geometryError = false;
};

struct EventsReport {
    Real revArmCen = 0;
    // The gear's size (gearLengthScale): the scale of the report's lengths,
    // below 1e-12 of which a length is written as 0.
    Ext lengthScale = 0;
    std::vector<SettingEvents> settings;
};

// The running direction of a setting, as the "Fwd"/"Rev" direction: forward
// (driver angle increasing) at mid gear and below it.
bool runsForward(const Model& m, Real revArmPos);

// The events of one setting. `scratch` is a copy of the model that this call
// may change (gear state, pivots, valve quantities, error flag); `out` keeps
// its event storage between calls, so repeated calls do not allocate.
void computeSettingEvents(Model& scratch, Real revArmPos, SettingEvents& out);
// The same for a worn gear, solved with its pin joints' offsets (nullptr:
// none). The piston follows the crosshead where the clearances put it.
void computeSettingEvents(Model& scratch, Real revArmPos, SettingEvents& out,
                          const JointOffsets* wear);

// The events of each setting, computed on one copy of `m`.
EventsReport computeEvents(const Model& m, const std::vector<Real>& settings);

// The settings the diagrams plot: the leading non-zero diagram positions.
std::vector<Real> diagramPositionSettings(const Model& m);
// Mid gear, then 10 %, 20 %, ... 100 % of RevArmToCentMax forward, then the
// same in reverse: 21 settings.
std::vector<Real> sweepSettings(const Model& m);
// A setting given by the user, brought into the reverse arm's travel.
Real clampSetting(const Model& m, Ext value);

// Everything the events of the diagram positions and of the sweep depend on:
// the 36 dimensions, mid gear and the diagram positions. Whoever shows the
// events computes them again when this changes (compare bit for bit: a NaN
// dimension is no change).
std::vector<Real> eventsInputs(const Model& m);

} // namespace corvellan
