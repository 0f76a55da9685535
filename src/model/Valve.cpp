#include "model/Valve.h"

#include "model/Guards.h"
#include "model/Trig.h"

#include <cmath>

namespace corvellan {

namespace {

Real store(Ext v) { return static_cast<Real>(v); }

// The phase rules of one cylinder end; the later rule wins the colour.
void updatePhase(EndState& end, Real steamOpening, Real exhaustOpening) {
    end.phase = Phase::None;
    if (steamOpening > 0) {
        end.letter = 'E';
        end.phase = Phase::Admission;
    } else if (end.letter == 'E') {
        end.phase = Phase::Expansion;
    }
    if (exhaustOpening > 0) {
        end.letter = 'C';
        end.phase = Phase::Exhaust;
    } else if (end.letter == 'C') {
        end.phase = Phase::Compression;
    }
}

void updateLevel(EndState& end, Real step, Real steamOpening, Real exhaustOpening) {
    if (step == 0) return; // a stopped motion moves no steam
    Ext level = end.steamLevel;
    if (end.phase == Phase::Admission)
        level += static_cast<Ext>(step) * 50 * (static_cast<Ext>(steamOpening) + 0.1L);
    else if (end.phase == Phase::Exhaust)
        level -= static_cast<Ext>(step) * 60 * exhaustOpening;
    if (level < 25) level = 25;
    if (level > 2000) level = 2000;
    if (std::isnan(level)) level = 25;
    end.steamLevel = store(level);
}

// Arms an end while its exhaust is shut; on opening, captures its level and
// sounds the beat at the loudness of the other end's last beat.
void exhaustBeat(Model& m, EndState& end, const EndState& other, Real exhaustOpening,
                 SoundSink& sound) {
    if (exhaustOpening < 0 && m.view.SelectedDimCode == 0) end.armed = true;
    if (exhaustOpening > 0 && end.armed) {
        end.armed = false;
        end.capturedLevel = end.steamLevel;
        int volume = exhaustVolumeFor(other.capturedLevel);
        if (volume >= 0) m.events.waveVolume = volume;
        sound.playExhaust(m.events.waveVolume, m.events.waveVolume);
    }
}

// Cut-off of one end: the steam port closed between the previous frame and
// this one; interpolate the piston position at the closure.
bool closedBetween(Real previous, Real current, Real q0, Real q1, Ext* x) {
    if (!(previous > 0 && current < 0)) return false;
    Ext p = previous, c = current;
    *x = q0 - p * (static_cast<Ext>(q1) - q0) / (c - p);
    return true;
}

} // namespace

void computeLapConstants(Model& m) {
    const CylinderDimensions& c = m.cyl;
    const Ext E = static_cast<Ext>(c.ExhaustPortWidth) / 2;
    LapConstants& l = m.lap;
    l.FrontSteamOpenAt =
        store(E + c.BridgeWidthFront + c.SteamPortWidthFront - c.ValveLengthFrontHalf);
    l.FrontSteamFullAt = store(E + c.BridgeWidthFront - c.ValveLengthFrontHalf);
    l.FrontExhaustOpenAt = store(E + c.BridgeWidthFront - c.ValveExhCavityFrontHalf);
    l.RearSteamOpenAt = store(E + c.BridgeWidthRear + c.SteamPortWidthRear - c.ValveLengthRearHalf);
    l.RearSteamFullAt = store(E + c.BridgeWidthRear - c.ValveLengthRearHalf);
    l.RearExhaustOpenAt = store(E + c.BridgeWidthRear - c.ValveExhCavityRearHalf);
    l.ValveCen = store(static_cast<Ext>(c.ValveStem) + m.pivots.X[4] - c.CylCtrToDriverCtr);
    l.RearSteamOpenShift = store(static_cast<Ext>(c.ValveStem) - c.ValveLengthRearHalf -
                                 c.CylCtrToDriverCtr + E + c.BridgeWidthRear +
                                 c.SteamPortWidthRear);
    l.FrontSteamOpenX4 = store(E + c.CylCtrToDriverCtr + c.BridgeWidthFront +
                               c.SteamPortWidthFront - c.ValveStem - c.ValveLengthFrontHalf);
    l.FrontSteamLap =
        store(static_cast<Ext>(c.ValveLengthFrontHalf) - E - c.BridgeWidthFront - c.SteamPortWidthFront);
    l.RearSteamLap =
        store(static_cast<Ext>(c.ValveLengthRearHalf) - E - c.BridgeWidthRear - c.SteamPortWidthRear);
    l.FrontExhClearance = store(static_cast<Ext>(c.ValveExhCavityFrontHalf) - E - c.BridgeWidthFront);
    l.RearExhClearance = store(static_cast<Ext>(c.ValveExhCavityRearHalf) - E - c.BridgeWidthRear);
}

void computeValve(Model& m) {
    const CylinderDimensions& c = m.cyl;
    const Ext E = static_cast<Ext>(c.ExhaustPortWidth) / 2;
    const Ext cen = m.lap.ValveCen;
    ValveQuantities& v = m.valve;
    v.FrontSteamOpening = store(m.lap.FrontSteamOpenAt - cen);
    v.FrontExhaustOpening = store(cen + c.ValveExhCavityFrontHalf - E - c.BridgeWidthFront);
    v.RearSteamOpening =
        store(cen - c.ValveLengthRearHalf + E + c.BridgeWidthRear + c.SteamPortWidthRear);
    v.RearExhaustOpening = store(-cen + c.ValveExhCavityRearHalf - E - c.BridgeWidthRear);

    // Exact slider-crank piston position: 0 at front dead centre, 640 at rear.
    const Ext theta = static_cast<Ext>(m.gear.DriverAngle) * kDegToRad;
    const Real div = divGuard(m, m.frame.Stroke);
    const Ext crankY = trig::sin(theta) * m.frame.Stroke / 2;
    const Real work =
        sqrtGuard(m, store(static_cast<Ext>(m.frame.MainRod) * m.frame.MainRod - crankY * crankY));
    const Ext S = div;
    v.PistonTravelPos = store(
        320 - (trig::cos(theta) + 2 * std::sqrt(static_cast<Ext>(work)) / S - 2 * m.frame.MainRod / S) *
                  320);
}

unsigned phaseColour(Phase p) {
    switch (p) {
    case Phase::Admission: return 0xFF0000;
    case Phase::Expansion: return 0xFF00FF;
    case Phase::Exhaust: return 0x0000FF;
    case Phase::Compression: return 0x008000;
    case Phase::None: break;
    }
    return 0x000000;
}

void updatePhases(Model& m) {
    updatePhase(m.events.front, m.valve.FrontSteamOpening, m.valve.FrontExhaustOpening);
    updatePhase(m.events.rear, m.valve.RearSteamOpening, m.valve.RearExhaustOpening);
}

void updateSteamLevels(Model& m) {
    updateLevel(m.events.front, m.gear.StepAngle, m.valve.FrontSteamOpening,
                m.valve.FrontExhaustOpening);
    updateLevel(m.events.rear, m.gear.StepAngle, m.valve.RearSteamOpening,
                m.valve.RearExhaustOpening);
}

void updateExhaustBeats(Model& m, SoundSink& sound) {
    exhaustBeat(m, m.events.front, m.events.rear, m.valve.FrontExhaustOpening, sound);
    exhaustBeat(m, m.events.rear, m.events.front, m.valve.RearExhaustOpening, sound);
}

int exhaustVolumeFor(Ext capturedLevel) {
    const int v = roundToInt(capturedLevel);
    if (v >= 24 && v <= 100) return 0x0700;
    if (v >= 101 && v <= 200) return 0x1400;
    if (v >= 201 && v <= 400) return 0x2800;
    if (v >= 401 && v <= 600) return 0x4000;
    if (v >= 601 && v <= 800) return 0x5000;
    if (v >= 801 && v <= 1000) return 0x6000;
    if (v >= 1001 && v <= 1200) return 0x7000;
    if (v >= 1201 && v <= 2001) return 0x8000;
    return -1;
}

void detectCutOff(Model& m) {
    ValveEventState& e = m.events;
    const ValveQuantities& v = m.valve;
    const int hold = roundToInt(400.0L / (static_cast<Ext>(m.gear.StepAngle) + 0.1L));
    Ext x = 0;
    if (closedBetween(e.prevFrontSteamOpening, v.FrontSteamOpening, e.prevPistonTravelPos,
                      v.PistonTravelPos, &x)) {
        e.front.holdCount = hold;
        e.front.cutOffText = formatFigure(x / 6.4L, 4, 1);
    }
    if (closedBetween(e.prevRearSteamOpening, v.RearSteamOpening, e.prevPistonTravelPos,
                      v.PistonTravelPos, &x)) {
        e.rear.holdCount = hold;
        e.rear.cutOffText = formatFigure((640 - x) / 6.4L, 4, 1);
    }
    e.prevPistonTravelPos = v.PistonTravelPos;
    e.prevFrontSteamOpening = v.FrontSteamOpening;
    e.prevRearSteamOpening = v.RearSteamOpening;
}

void clearCutOffTexts(Model& m) {
    m.events.front.cutOffText.clear();
    m.events.rear.cutOffText.clear();
}

} // namespace corvellan
