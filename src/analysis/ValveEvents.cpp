#include "analysis/ValveEvents.h"

#include "analysis/PistonKinematics.h"
#include "model/DiagramPositions.h"
#include "model/Guards.h"
#include "model/Solver.h"
#include "model/Valve.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace corvellan {

namespace {

constexpr int kSamples = 360; // one per degree
// Bisection stops at this bracket width, or sooner where the 4-byte driver
// angle has no value between the two ends.
constexpr Ext kAngleTolerance = 1e-6L;
// The valve's extreme positions are searched to this width around the best
// sample; the valve position is flat there far below its 4-byte resolution.
constexpr Ext kExtremeTolerance = 1e-4L;

struct Sample {
    std::array<Real, kPortEdges> open{};
    Real cen = 0;
    Real piston = 0;
    // How far worn pins moved the crosshead towards the cylinder (0 for a
    // gear without wear).
    Ext crossheadShift = 0;
};

struct Point {
    Real angle = 0;
    Sample s;
};

// The gear being sampled: a scratch model, and the offsets of its worn pin
// joints where it has any.
struct Gear {
    Model& model;
    const JointOffsets* wear = nullptr;
};

Sample evaluate(Gear& g, Real angle) {
    Model& m = g.model;
    m.gear.DriverAngle = angle;
    const Ext crossheadShift = g.wear ? solveWorn(m, *g.wear) : (solve(m), 0);
    computeValve(m);
    Sample s;
    s.open = {m.valve.FrontSteamOpening, m.valve.FrontExhaustOpening, m.valve.RearSteamOpening,
              m.valve.RearExhaustOpening};
    s.cen = m.lap.ValveCen;
    s.piston = m.valve.PistonTravelPos;
    s.crossheadShift = crossheadShift;
    if (crossheadShift != 0) {
        // The piston follows the crosshead: towards the cylinder is towards
        // the front dead centre, 640 to the stroke.
        const Ext stroke = divGuard(m, m.frame.Stroke);
        s.piston = static_cast<Real>(s.piston - 640 * crossheadShift / stroke);
    }
    return s;
}

Real wrapAngle(Ext angle) {
    if (angle < 0) angle += 360;
    if (angle >= 360) angle -= 360;
    Real a = static_cast<Real>(angle);
    return a >= 360 ? 0 : a;
}

bool isOpen(const Sample& s, int edge) {
    return s.open[edge] > 0;
}

// Percent of stroke from the dead centre of the edge's end, from where the
// piston really is at that driver angle (moved with the crosshead where worn
// pins shift it).
double pistonPct(int edge, Real angle, Ext crossheadShift, const PistonKinematics& k) {
    const double f =
        k.fractionAt(k.crossheadX(angle) + static_cast<double>(crossheadShift));
    return 100 * (edge < RearSteamEdge ? f : 1 - f);
}

// The crossing of `edge` between lo and hi (lo.angle < hi.angle, the edge
// open at one end only), narrowed by bisection, as met with the driver angle
// increasing. The reported end is the one whose opening is nearer zero, so
// evaluating the model there reproduces it.
ValveEvent refineCrossing(Gear& m, int edge, Point lo, Point hi, const PistonKinematics& k) {
    const bool openAtLo = isOpen(lo.s, edge);
    while (static_cast<Ext>(hi.angle) - lo.angle > kAngleTolerance) {
        const Real mid = static_cast<Real>((static_cast<Ext>(lo.angle) + hi.angle) / 2);
        if (!(mid > lo.angle && mid < hi.angle)) break;
        Point p{mid, evaluate(m, mid)};
        (isOpen(p.s, edge) == openAtLo ? lo : hi) = p;
    }
    const Point& best = std::fabs(lo.s.open[edge]) <= std::fabs(hi.s.open[edge]) ? lo : hi;
    ValveEvent e;
    e.kind = static_cast<EventKind>(2 * edge + (openAtLo ? 1 : 0));
    e.angle = wrapAngle(best.angle);
    e.pct = pistonPct(edge, e.angle, best.s.crossheadShift, k);
    return e;
}

// Running backward every edge opens where, running forward, it closes.
void reverseKinds(std::vector<ValveEvent>& events) {
    for (ValveEvent& e : events)
        e.kind = static_cast<EventKind>(static_cast<int>(e.kind) ^ 1);
}

// Golden-section search for the smallest (sign +1) or largest (sign -1)
// valve position within a degree of sample k; never worse than the sample.
Point refineExtreme(Gear& m, int k, const Sample& atK, int sign) {
    constexpr Ext kInvPhi = 0.6180339887498948482L;
    auto value = [sign](const Sample& s) { return sign * static_cast<Ext>(s.cen); };
    Point best{static_cast<Real>(k), atK};
    Ext a = k - 1, b = k + 1;
    Ext c = b - kInvPhi * (b - a), d = a + kInvPhi * (b - a);
    Point pc{wrapAngle(c), evaluate(m, wrapAngle(c))};
    Point pd{wrapAngle(d), evaluate(m, wrapAngle(d))};
    while (b - a > kExtremeTolerance) {
        if (value(pc.s) < value(pd.s)) {
            b = d, d = c, pd = pc;
            c = b - kInvPhi * (b - a);
            pc = {wrapAngle(c), evaluate(m, wrapAngle(c))};
        } else {
            a = c, c = d, pc = pd;
            d = a + kInvPhi * (b - a);
            pd = {wrapAngle(d), evaluate(m, wrapAngle(d))};
        }
        for (const Point* p : {&pc, &pd})
            if (value(p->s) < value(best.s)) best = *p;
    }
    return best;
}

// A sampled turn: the 360 one-degree samples and the two extremes of the
// valve position.
struct Turn {
    std::array<Sample, kSamples> at;
    Point lowest, highest;

    // Sample k for k = 0 .. 360, the turn closing on itself.
    Point point(int k) const { return {static_cast<Real>(k), at[k % kSamples]}; }
};

void sampleTurn(Gear& m, Turn& t) {
    int kLow = 0, kHigh = 0;
    for (int k = 0; k < kSamples; ++k) {
        t.at[k] = evaluate(m, static_cast<Real>(k));
        if (t.at[k].cen < t.at[kLow].cen) kLow = k;
        if (t.at[k].cen > t.at[kHigh].cen) kHigh = k;
    }
    t.lowest = refineExtreme(m, kLow, t.at[kLow], +1);
    t.highest = refineExtreme(m, kHigh, t.at[kHigh], -1);
}

// Every sign change between neighbouring samples, and the pairs of crossings
// hidden inside one degree where an edge just touches open (or shut) at the
// valve's extreme positions; as met with the driver angle increasing.
void findCrossings(Gear& m, const Turn& t, const PistonKinematics& piston,
                   std::vector<ValveEvent>& out) {
    for (int edge = 0; edge < kPortEdges; ++edge) {
        for (int k = 0; k < kSamples; ++k) {
            const Point lo = t.point(k), hi = t.point(k + 1);
            if (isOpen(lo.s, edge) != isOpen(hi.s, edge))
                out.push_back(refineCrossing(m, edge, lo, hi, piston));
        }
        for (const Point* extreme : {&t.lowest, &t.highest}) {
            const int k = static_cast<int>(std::floor(extreme->angle));
            if (extreme->angle == static_cast<Real>(k)) continue;
            const Point lo = t.point(k), hi = t.point(k + 1);
            const bool sampled = isOpen(lo.s, edge);
            if (isOpen(hi.s, edge) != sampled || isOpen(extreme->s, edge) == sampled) continue;
            out.push_back(refineCrossing(m, edge, lo, *extreme, piston));
            out.push_back(refineCrossing(m, edge, *extreme, hi, piston));
        }
    }
}

// Where the turn, started at driver angle 0, reaches an angle.
double runningPosition(double angle, bool forward) {
    if (forward || angle == 0) return angle;
    return 360 - angle;
}

void sortRunningOrder(std::vector<ValveEvent>& events, bool forward) {
    std::sort(events.begin(), events.end(), [forward](const ValveEvent& a, const ValveEvent& b) {
        const double pa = runningPosition(a.angle, forward);
        const double pb = runningPosition(b.angle, forward);
        if (pa != pb) return pa < pb;
        return a.kind < b.kind;
    });
}

// Angle and percent of the one opening and the one closing of an edge that
// crosses exactly twice; absent otherwise.
void edgeFigures(const std::vector<ValveEvent>& events, int edge, Figure& opensAngle,
                 Figure& opensPct, Figure& closesAngle, Figure& closesPct) {
    const ValveEvent* opens = nullptr;
    const ValveEvent* closes = nullptr;
    int count = 0;
    for (const ValveEvent& e : events) {
        const int kind = static_cast<int>(e.kind);
        if (kind / 2 != edge) continue;
        ++count;
        (kind % 2 == 0 ? opens : closes) = &e;
    }
    opensAngle = opensPct = closesAngle = closesPct = std::nullopt;
    if (count != 2 || !opens || !closes) return;
    opensAngle = opens->angle;
    opensPct = opens->pct;
    closesAngle = closes->angle;
    closesPct = closes->pct;
}

double largestOpening(const Turn& t, int edge) {
    Real best = t.lowest.s.open[edge];
    best = std::max(best, t.highest.s.open[edge]);
    for (const Sample& s : t.at)
        best = std::max(best, s.open[edge]);
    return best;
}

// The piston's travel while the steam edge is open, with the driver angle
// increasing (events as findCrossings gives them), in percent of stroke:
// each opening paired with the crossing after it on the turn.
double steamTravelPct(const std::vector<ValveEvent>& events, int steamEdge,
                      const PistonKinematics& k) {
    // At most one sign change per one-degree sample and two pairs more at the
    // valve's extremes.
    std::array<std::pair<double, bool>, kSamples + 8> crossings; // angle, opens
    size_t n = 0;
    for (const ValveEvent& e : events)
        if (static_cast<int>(e.kind) / 2 == steamEdge && n < crossings.size())
            crossings[n++] = {e.angle, static_cast<int>(e.kind) % 2 == 0};
    std::sort(crossings.begin(), crossings.begin() + n);
    double travel = 0;
    for (size_t i = 0; i < n; ++i)
        if (crossings[i].second)
            travel += k.fraction(crossings[(i + 1) % n].first) - k.fraction(crossings[i].first);
    // Away from the front end is towards the rear dead centre.
    return 100 * (steamEdge == FrontSteamEdge ? travel : -travel);
}

// The samples taken at a driver angle: one of the one-degree samples where
// it is a whole degree, a fresh solve otherwise.
Sample sampleAt(Gear& m, const Turn& t, double angle) {
    const Real a = wrapAngle(angle);
    const int whole = static_cast<int>(a);
    if (static_cast<Real>(whole) == a) return t.at[whole % kSamples];
    return evaluate(m, a);
}

// Degrees the crank turns from `from` to `to` in the running direction, in
// (-180, 180].
double crankTurn(double from, double to, bool forward) {
    double d = std::fmod(forward ? to - from : from - to, 360.0);
    if (d > 180) d -= 360;
    if (d <= -180) d += 360;
    return d;
}

void endFigures(const Turn& t, const std::vector<ValveEvent>& events, int steamEdge,
                const Sample& deadCentre, double deadCentreAngle, bool forward, EndEvents& end) {
    const int exhaustEdge = steamEdge + 1;
    end.lead = deadCentre.open[steamEdge];
    edgeFigures(events, steamEdge, end.admissionAngle, end.admissionPct, end.cutOffAngle,
                end.cutOffPct);
    end.leadAngle = std::nullopt;
    if (end.admissionAngle)
        end.leadAngle = crankTurn(*end.admissionAngle, deadCentreAngle, forward);
    edgeFigures(events, exhaustEdge, end.releaseAngle, end.releasePct, end.compressionAngle,
                end.compressionPct);
    end.maxSteamOpening = largestOpening(t, steamEdge);
    end.maxExhaustOpening = largestOpening(t, exhaustEdge);
}

} // namespace

const char* eventKindName(EventKind kind) {
    switch (kind) {
    case EventKind::FrontSteamOpens:
        return "front steam opens";
    case EventKind::FrontSteamCloses:
        return "front steam closes";
    case EventKind::FrontExhaustOpens:
        return "front exhaust opens";
    case EventKind::FrontExhaustCloses:
        return "front exhaust closes";
    case EventKind::RearSteamOpens:
        return "rear steam opens";
    case EventKind::RearSteamCloses:
        return "rear steam closes";
    case EventKind::RearExhaustOpens:
        return "rear exhaust opens";
    case EventKind::RearExhaustCloses:
        return "rear exhaust closes";
    }
    return "";
}

bool runsForward(const Model& m, Real revArmPos) {
    return !(revArmPos > m.gear.RevArmCen());
}

RunningDirection runningDirection(double front, double rear) {
    if (!(std::fabs(front) >= kNeutralTravelPct && std::fabs(rear) >= kNeutralTravelPct))
        return RunningDirection::Neutral;
    if (front > 0 && rear > 0) return RunningDirection::Forward;
    if (front < 0 && rear < 0) return RunningDirection::Reverse;
    return RunningDirection::Neutral;
}

namespace {

void computeEventsOf(Model& scratch, Real revArmPos, const bool* running, SettingEvents& out,
                     const JointOffsets* wear) {
    Gear gear{scratch, wear};
    Turn turn;
    scratch.gear.RevArmPos = revArmPos;
    scratch.error.ErrorBeep = true; // let the guards report, whatever the user set
    scratch.error.GeometryError = false;
    const PistonKinematics k = pistonKinematics(scratch);

    out.revArmPos = revArmPos;
    sampleTurn(gear, turn);
    out.valveTravel = static_cast<Ext>(turn.highest.s.cen) - turn.lowest.s.cen;
    out.events.clear();
    findCrossings(gear, turn, k, out.events);
    out.front.steamTravelPct = steamTravelPct(out.events, FrontSteamEdge, k);
    out.rear.steamTravelPct = steamTravelPct(out.events, RearSteamEdge, k);
    out.direction = runningDirection(out.front.steamTravelPct, out.rear.steamTravelPct);
    out.forward = running ? *running : out.direction != RunningDirection::Reverse;
    if (!out.forward) reverseKinds(out.events);
    sortRunningOrder(out.events, out.forward);

    endFigures(turn, out.events, FrontSteamEdge, sampleAt(gear, turn, k.frontAngle), k.frontAngle,
               out.forward, out.front);
    endFigures(turn, out.events, RearSteamEdge, sampleAt(gear, turn, k.rearAngle), k.rearAngle,
               out.forward, out.rear);
    const CylinderDimensions& c = scratch.cyl;
    out.front.overTravel =
        out.front.maxSteamOpening > static_cast<Ext>(c.BridgeWidthFront) + c.SteamPortWidthFront;
    out.rear.overTravel =
        out.rear.maxSteamOpening > static_cast<Ext>(c.BridgeWidthRear) + c.SteamPortWidthRear;
    out.leadDifference = out.front.lead - out.rear.lead;
    out.cutOffDifference = std::nullopt;
    if (out.front.cutOffPct && out.rear.cutOffPct)
        out.cutOffDifference = *out.front.cutOffPct - *out.rear.cutOffPct;
    out.geometryError = scratch.error.GeometryError;
}

} // namespace

void computeSettingEvents(Model& scratch, Real revArmPos, SettingEvents& out) {
    computeEventsOf(scratch, revArmPos, nullptr, out, nullptr);
}

void computeSettingEvents(Model& scratch, Real revArmPos, SettingEvents& out,
                          const JointOffsets* wear) {
    computeEventsOf(scratch, revArmPos, nullptr, out, wear);
}

void computeSettingEvents(Model& scratch, Real revArmPos, bool running, SettingEvents& out) {
    computeEventsOf(scratch, revArmPos, &running, out, nullptr);
}

EventsReport computeEvents(const Model& m, const std::vector<Real>& settings) {
    EventsReport report;
    report.revArmCen = m.gear.RevArmCen();
    report.revArmToCentMax = m.frame.RevArmToCentMax;
    report.lengthScale = gearLengthScale(m);
    report.unbuildable = unbuildableLinkage(m.frame);
    report.settings.resize(settings.size());
    Model scratch = m;
    for (size_t i = 0; i < settings.size(); ++i)
        computeSettingEvents(scratch, settings[i], report.settings[i]);
    findNeutralSettings(scratch, report.neutralFront, report.neutralRear);
    return report;
}

namespace {

// Bisection-like search (the Illinois variant of regula falsi) for the
// setting between lo and hi where one end's steam travel changes sign.
constexpr int kNeutralIterations = 60;
constexpr Ext kNeutralTolerance = 1e-6L; // reverse-arm units

struct TravelAt {
    Real setting = 0;
    double front = 0, rear = 0;
};

TravelAt travelAt(Model& m, Real setting, SettingEvents& scratchEvents) {
    computeSettingEvents(m, setting, true, scratchEvents);
    return {setting, scratchEvents.front.steamTravelPct, scratchEvents.rear.steamTravelPct};
}

Figure neutralOf(Model& m, TravelAt lo, TravelAt hi, bool front, SettingEvents& ev) {
    auto value = [front](const TravelAt& t) { return front ? t.front : t.rear; };
    double flo = value(lo), fhi = value(hi);
    if (!std::isfinite(flo) || !std::isfinite(fhi) || (flo > 0) == (fhi > 0)) return std::nullopt;
    int side = 0;
    for (int i = 0; i < kNeutralIterations; ++i) {
        const Ext width = static_cast<Ext>(hi.setting) - lo.setting;
        if (!(std::fabs(width) > kNeutralTolerance) || flo == fhi) break;
        Ext x = static_cast<Ext>(lo.setting) + width * flo / (flo - fhi);
        Real s = clampToReal(x);
        const Real a = std::min(lo.setting, hi.setting), b = std::max(lo.setting, hi.setting);
        if (!(s > a && s < b)) s = clampToReal((static_cast<Ext>(a) + b) / 2);
        if (!(s > a && s < b)) break;
        const TravelAt t = travelAt(m, s, ev);
        const double ft = value(t);
        if (!std::isfinite(ft)) return std::nullopt;
        if ((ft > 0) == (flo > 0)) {
            lo = t, flo = ft;
            if (side == -1) fhi /= 2;
            side = -1;
        } else {
            hi = t, fhi = ft;
            if (side == 1) flo /= 2;
            side = 1;
        }
    }
    return std::fabs(value(lo)) <= std::fabs(value(hi)) ? lo.setting : hi.setting;
}

} // namespace

void findNeutralSettings(Model& scratch, Figure& front, Figure& rear) {
    front = rear = std::nullopt;
    const Ext cen = scratch.gear.RevArmCen();
    const Ext max = scratch.frame.RevArmToCentMax;
    if (!std::isfinite(cen) || !(max > 0) || !std::isfinite(max)) return;
    SettingEvents ev;
    const TravelAt lo = travelAt(scratch, clampSetting(scratch, cen - max), ev);
    const TravelAt mid = travelAt(scratch, clampSetting(scratch, cen), ev);
    const TravelAt hi = travelAt(scratch, clampSetting(scratch, cen + max), ev);
    // Each end on the half of the travel where its sign changes, the forward
    // half first.
    for (bool isFront : {true, false}) {
        Figure& out = isFront ? front : rear;
        out = neutralOf(scratch, lo, mid, isFront, ev);
        if (!out) out = neutralOf(scratch, mid, hi, isFront, ev);
    }
}

std::vector<Real> diagramPositionSettings(const Model& m) {
    std::vector<Real> settings;
    for (int slot = 1; slot <= kMaxDiagramPositions && m.gear.RevArmPositions[slot] != 0; ++slot)
        settings.push_back(m.gear.RevArmPositions[slot]);
    return settings;
}

std::vector<Real> sweepSettings(const Model& m) {
    const Ext cen = m.gear.RevArmCen();
    const Ext max = m.frame.RevArmToCentMax;
    std::vector<Real> settings{m.gear.RevArmCen()};
    for (int side : {-1, +1})
        for (int tenth = 1; tenth <= 10; ++tenth)
            settings.push_back(clampToReal(cen + side * max * tenth / 10));
    return settings;
}

Real clampSetting(const Model& m, Ext value) {
    const Ext cen = m.gear.RevArmCen();
    const Ext max = m.frame.RevArmToCentMax;
    if (value > cen + max) value = cen + max;
    if (value < cen - max) value = cen - max;
    return clampToReal(value);
}

std::vector<Real> eventsInputs(const Model& m) {
    std::vector<Real> inputs;
    for (const DimensionInfo& d : allDimensions())
        inputs.push_back(dimensionValue(m, d.code));
    inputs.push_back(m.pivots.Y[4]); // follows codes 102 and 109 unless a writer forgot
    for (Real p : m.gear.RevArmPositions)
        inputs.push_back(p);
    return inputs;
}

} // namespace corvellan
