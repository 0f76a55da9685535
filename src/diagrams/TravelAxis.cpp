#include "diagrams/TravelAxis.h"

#include "diagrams/DiagramFrame.h"

namespace corvellan {

int travelRow(Ext v, Real scale) {
    return travelRowFrom(215, v, scale);
}

int travelRowFrom(int base, Ext v, Real scale) {
    return roundToInt(static_cast<Ext>(base) - v * 375 / scale);
}

void drawTravelAxisTexts(Canvas& c, Real scale) {
    const TextStyle font = diagramFont();
    c.text(9, 46, "Front", font);
    c.text(9, 374, "Rear", font);
    c.text(9, 32, "Units Travel", font);
    c.text(9, 18, "Scale =", font);
    c.text(50, 18, formatFixed(scale, 3, 1), font);
}

void drawTravelScaleMarks(Canvas& c, Real scale, int labelX) {
    const TextStyle font = diagramFont();
    const Ext s = scale;
    const int g = roundToInt(4 * s);
    const bool all = scale <= 3.75f;
    for (int h = -5 * g; h <= 5 * g; ++h) {
        if (h % 5 != 0 && !all) continue;
        const int y = roundToInt(h * 7.5L / s + 215);
        c.line(39, y, 44, y);
    }
    for (int l = -g; l <= g; ++l) {
        if (l % 5 != 0 && !all) continue;
        const int y = roundToInt(l * 37.5L / s + 215);
        c.line(36, y, 44, y);
        c.text(labelX, roundToInt(210 - l * 37.5L / s), formatFixed(l * 0.1L, 1, 1), font);
    }
}

void drawPortEdgeLevels(const Model& m, Canvas& c, Real scale, int lineEnd,
                        const LevelTextColumns& columns) {
    const TextStyle font = diagramFont();
    const LapConstants& l = m.lap;
    const Ext front[3] = {l.FrontSteamOpenAt, l.FrontSteamFullAt, l.FrontExhaustOpenAt};
    const Ext rear[3] = {l.RearSteamOpenAt, l.RearSteamFullAt, l.RearExhaustOpenAt};

    // All lines of a colour first, then their texts (opaque: drawn over them).
    const auto levels = [&](const Ext(&v)[3], const int(&textBase)[3], const int* textX,
                            const char* const(&captions)[3]) {
        for (Ext level : v)
            if (plottable(level)) {
                const int y = travelRow(level, scale);
                c.line(15, y, lineEnd, y);
            }
        for (int k = 0; k < 3; ++k)
            if (plottable(v[k]))
                c.text(textX[k], travelRowFrom(textBase[k], v[k], scale), captions[k], font);
    };
    c.setPen(colours::Lime, 1);
    levels(front, {199, 216, 216}, columns.x,
           {"Front Steam Port Open", "Front Steam Port Max", "Front Exhaust Port Open"});
    // The rear thresholds are in -ValveCen, so their levels are mirrored.
    const Ext rearLevels[3] = {-rear[0], -rear[1], -rear[2]};
    c.setPen(colours::Red, 1);
    levels(rearLevels, {216, 199, 199}, columns.x + 3,
           {"Rear Steam Port Open", "Rear Steam Port Max", "Rear Exhaust Port Open"});
    c.setPen(colours::Black, 1);
}

bool nearMidGear(const Model& m) {
    const Ext cen = m.gear.RevArmCen();
    const Ext pos = m.gear.RevArmPos;
    return cen - 0.05L < pos && pos < cen + 0.05L;
}

void drawMidGearFigures(const Model& m, Canvas& c, const MidGearTrack& track) {
    const TextStyle font = diagramFont();
    const LapConstants& l = m.lap;
    c.text(595, 153, "Lead", font);
    c.text(595, 182, "Lap", font);
    c.text(595, 211, "ExCl", font);
    c.text(595, 253, "Lap", font);
    c.text(595, 282, "Lead", font);

    // A valve longer than the rear port gives the laps as they stand; a
    // shorter one measures them from the middle of the valve's swing.
    const bool longValve = m.cyl.ValveLengthRearHalf > m.cyl.SteamPortWidthRear;
    const Ext mid = longValve ? 0 : (static_cast<Ext>(track.x4Max) + track.x4Min) / 2;
    const Ext values[6] = {static_cast<Ext>(l.RearSteamOpenShift) + track.x4Max,
                           l.FrontSteamLap - mid,
                           l.FrontExhClearance - mid,
                           mid + l.RearExhClearance,
                           mid + l.RearSteamLap,
                           static_cast<Ext>(l.FrontSteamOpenX4) - track.x4Min};
    static const int kRows[6] = {166, 195, 224, 237, 266, 295};
    for (int k = 0; k < 6; ++k)
        c.text(592, kRows[k], formatFigure(values[k], 6, 3), font);
}

} // namespace corvellan
