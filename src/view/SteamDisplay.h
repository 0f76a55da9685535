#pragma once
// The steam display: random dots in the cylinder section whose colour tells
// the phase of each cylinder end and whose number follows its steam level;
// live steam around the valve, exhaust in the cavity, port and plume; the
// phase legend; the exhaust beats. Drawn first, under the mechanism.

#include "view/MechanismView.h"

namespace corvellan {

// No area ever gets more dots than the whole picture has pixels, whatever the
// zoom: a wild ViewScale (from a file, say) must not stall the frame.
constexpr Pix kMaxDotsPerArea = 1280 * 1024;

// Dots of one cylinder space: round(level * ViewScale / 18.5), never negative,
// at most kMaxDotsPerArea.
Pix steamDotCount(Ext level, Ext viewScale);

// Frame item 2, with the phase, steam-level and exhaust-beat updates.
void drawSteamDisplay(Model& m, FrameState& f, Canvas& c, SoundSink& sound);

} // namespace corvellan
