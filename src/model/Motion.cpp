#include "model/Motion.h"

#include "model/Valve.h"

#include <array>
#include <cmath>

namespace corvellan {

namespace {

Ext clampTo(Ext value, Ext low, Ext high) {
    if (std::isnan(value)) return low;
    if (value < low) return low;
    if (value > high) return high;
    return value;
}

// Each rung ends just below the mapped position of the values half-way
// between two steps (0.015, 0.025, 0.04, 0.08 and these times 10, 100, 1000).
// From step 10 upwards the trough step stays at 45 degrees.
constexpr std::array<StepRung, 16> kStepLadder{{
    {704, 0.01f, 1, 5},
    {1591, 0.02f, 2, 10},
    {2408, 0.03f, 3, 15},
    {3612, 0.05f, 5, 25},
    {4704, 0.1f, 10, 50},
    {5591, 0.2f, 20, 100},
    {6408, 0.3f, 30, 150},
    {7612, 0.5f, 50, 250},
    {8704, 1.0f, 100, 500},
    {9591, 2.0f, 200, 1000},
    {10408, 3.0f, 300, 1500},
    {11612, 5.0f, 500, 2500},
    {12704, 10.0f, 1000, 4500},
    {13591, 20.0f, 2000, 4500},
    {14408, 30.0f, 3000, 4500},
    {14613, 45.0f, 4500, 4500},
}};

} // namespace

Real revArmPosForScroll(const Model& m, int position) {
    return clampToReal(static_cast<Ext>(m.gear.RevArmCen()) - static_cast<Ext>(position) / 1000);
}

int revArmScrollForPos(const Model& m, Ext revArmPos) {
    return roundToInt((static_cast<Ext>(m.gear.RevArmCen()) - revArmPos) * 1000);
}

int revArmScrollForNormalFwd(const Model& m, int max) {
    Ext travel = m.frame.RevArmToCentMax;
    if (travel == 0) return 0;
    return roundToInt(static_cast<Ext>(m.frame.RevArmToCentNorm) * max / travel);
}

int revArmScrollForNormalRev(const Model& m, int min) {
    Ext travel = m.frame.RevArmToCentMax;
    if (travel == 0) return 0;
    return roundToInt(static_cast<Ext>(m.frame.RevArmToCentNorm) * min / travel);
}

void revArmScrolled(Model& m, int position) {
    m.gear.RevArmPos = revArmPosForScroll(m, position);
    m.gear.Direction = m.gear.RevArmPos > m.gear.RevArmCen() ? "Rev" : "Fwd";
    clearCutOffTexts(m);
}

bool revArmAwayFromNormalFwd(const Model& m) {
    Real normalFwd = clampToReal(static_cast<Ext>(m.gear.RevArmCen()) - m.frame.RevArmToCentNorm);
    return m.gear.RevArmPos != normalFwd;
}

bool revArmAwayFromNormalRev(const Model& m) {
    Real normalRev = clampToReal(static_cast<Ext>(m.gear.RevArmCen()) + m.frame.RevArmToCentNorm);
    return m.gear.RevArmPos != normalRev;
}

Ext clampRevArmEntry(const Model& m, Ext value) {
    Ext cen = m.gear.RevArmCen();
    return clampTo(value, cen - m.frame.RevArmToCentMax, cen + m.frame.RevArmToCentMax);
}

Real driverAngleForScroll(int position) {
    return clampToReal(static_cast<Ext>(position) / 100);
}

int driverScrollForAngle(Ext angle) {
    return roundToInt(angle * 100);
}

Ext clampDriverAngleEntry(Ext value) {
    return clampTo(value, 0, 360);
}

int stepScrollForStep(Ext step) {
    if (!(step > 0)) return 0;
    return roundToInt(4000 * std::log10(step * 100));
}

Ext clampStepEntry(Ext value) {
    return clampTo(value, 0.01L, 45);
}

StepRung stepRungAt(int position) {
    for (const StepRung& rung : kStepLadder)
        if (position <= rung.lastPosition) return rung;
    return kStepLadder.back();
}

int driverSmallChangeForStep(Ext step) {
    return roundToInt(step * 100);
}

int driverLargeChangeForStep(Ext step) {
    return roundToInt(step * 500);
}

Ext clampGraphicZoom(Ext value) {
    return clampTo(value, 0.5L, 2000);
}

bool entryKeyAccepted(char key, const std::string& text, bool allowMinus) {
    if (key == '\b') return true;
    if (key >= '0' && key <= '9') return true;
    if (key == '.' || (key == '-' && allowMinus)) return text.find(key) == std::string::npos;
    return false;
}

Ext entryValue(const std::string& text) {
    bool ok = false;
    Ext value = parseReal(text, &ok);
    return ok ? value : 0;
}

} // namespace corvellan
