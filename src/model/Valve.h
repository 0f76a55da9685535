#pragma once
// What the valve does to the steam: lap constants, port openings, piston
// position, and the per-frame phase, steam level, exhaust beat and cut-off.

#include "model/Model.h"
#include "model/SoundSink.h"

namespace corvellan {

// Port-face constants from the cylinder dimensions and pivot 4 (ValveCen).
// Called at the end of every solve.
void computeLapConstants(Model& m);

// Openings and PistonTravelPos for the current angle; run after solve().
void computeValve(Model& m);

// Colour of a phase in the steam display and legend.
unsigned phaseColour(Phase p);

// Per-frame steam logic, in this order while the steam display is on:
// phases of both ends, then their steam levels, then the exhaust beats.
void updatePhases(Model& m);
void updateSteamLevels(Model& m);
void updateExhaustBeats(Model& m, SoundSink& sound);

// Per-frame cut-off detection (while screen data are shown).
void detectCutOff(Model& m);

// Channel volume (0..0xFFFF) for a captured steam level, or -1 to leave the
// volume as it was.
int exhaustVolumeFor(Ext capturedLevel);

// Empties both cut-off readouts (reverse arm moved, dimension changed, ...).
void clearCutOffTexts(Model& m);

} // namespace corvellan
