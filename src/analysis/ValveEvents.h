#pragma once
// The valve events of a reverse-arm setting, found exactly: every crossing of
// the four port edges over one turn in the running direction, and for each
// end its admission, cut-off, release and compression, lead and largest
// openings. The openings come from the program's own solve and valve
// computation on a scratch copy of the model; the diagrams sample the same
// quantities every few degrees, here each crossing is bracketed between
// one-degree samples and refined by bisection.
//
// Unlike the live figures and the diagrams, the events use where the piston
// really is (PistonKinematics.h): percentages from the crosshead on its
// offset line, leads at the true dead centres. The running direction is the
// one the steam drives the piston in, not the side of mid gear.

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
    double pct = 0;   // real piston position, percent of stroke from that end's dead centre
};

using Figure = std::optional<double>; // absent where the edge does not cross twice

struct EndEvents {
    double lead = 0; // steam opening at this end's true dead centre (negative: blind)
    // The lead as crank angle: degrees the crank turns from admission to this
    // end's dead centre in the running direction (positive: steam admitted
    // before dead centre); absent without an admission.
    Figure leadAngle;
    Figure admissionAngle, admissionPct;
    Figure cutOffAngle, cutOffPct;
    Figure releaseAngle, releasePct;
    Figure compressionAngle, compressionPct;
    double maxSteamOpening = 0;   // largest signed opening over the turn
    double maxExhaustOpening = 0; // (not clipped to the port width)
    // Percent of stroke the piston travels while this end's steam port is
    // open, as the driver angle increases: positive where it moves away from
    // this end (the steam pushes it), negative where it moves towards it.
    double steamTravelPct = 0;
    // The valve's steam edge passes over the bridge into the exhaust port
    // somewhere on the turn (the largest steam opening exceeds port plus
    // bridge): live steam blows straight to the exhaust.
    bool overTravel = false;
};

// Which way the steam drives the engine at a setting.
enum class RunningDirection {
    Forward, // both ends push the piston as the driver angle increases
    Reverse, // both push it as the driver angle decreases
    Neutral, // the ends disagree, or one hardly pushes either way
};

// Net steam travel (percent of stroke) within which an end counts as not
// driving either way.
constexpr double kNeutralTravelPct = 3;

struct SettingEvents {
    Real revArmPos = 0;
    RunningDirection direction = RunningDirection::Forward;
    // The events are given for increasing driver angle (Forward and
    // Neutral), or for decreasing driver angle (Reverse).
    bool forward = true;
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
    Real revArmCen = 0; // mid gear as the gear is constructed
    Real revArmToCentMax = 0; // full gear's distance from it
    // The gear's size (gearLengthScale): the scale of the report's lengths,
    // below 1e-12 of which a length is written as 0.
    Ext lengthScale = 0;
    // The true neutral of each end: the setting where its steam travel
    // changes sign, within the reverse arm's travel; absent where it keeps
    // one sign over the whole travel.
    Figure neutralFront, neutralRear;
    std::vector<SettingEvents> settings;
    // Why the linkage cannot be built at all (a length that is not
    // positive); "" for a gear that can be. Every setting of such a gear is
    // a geometry error.
    std::string unbuildable;
};

// The side of the constructed mid gear a setting lies on, as the main
// window's "Fwd"/"Rev" direction: forward at mid gear and below it. The
// events report goes by the steam instead.
bool runsForward(const Model& m, Real revArmPos);

// The direction the steam travels of the two ends give.
RunningDirection runningDirection(double frontTravelPct, double rearTravelPct);

// The events of one setting. `scratch` is a copy of the model that this call
// may change (gear state, pivots, valve quantities, error flag); `out` keeps
// its event storage between calls, so repeated calls do not allocate. The
// events run in the direction the steam drives (increasing driver angle
// where neutral), or, when `running` is given, in that one (true: driver
// angle increasing), the direction found from the steam still reported.
void computeSettingEvents(Model& scratch, Real revArmPos, SettingEvents& out);
void computeSettingEvents(Model& scratch, Real revArmPos, bool running, SettingEvents& out);
// The same for a worn gear, solved with its pin joints' offsets (nullptr:
// none). The piston follows the crosshead where the clearances put it.
void computeSettingEvents(Model& scratch, Real revArmPos, SettingEvents& out,
                          const JointOffsets* wear);

// The events of each setting and the true neutral settings, computed on one
// copy of `m`.
EventsReport computeEvents(const Model& m, const std::vector<Real>& settings);

// The true neutral settings alone (on a scratch copy, as above).
void findNeutralSettings(Model& scratch, Figure& front, Figure& rear);

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
