#include "model/DimensionEdit.h"

#include "model/DynVars.h"

#include <cctype>
#include <cmath>

namespace corvellan {

namespace {

// The angle as it will be stored, brought into [0, 360) in one step: adding or
// taking 360 one turn at a time would never end for a value near the largest
// 4-byte real.
Real boxAngle(Ext value) {
    Real v = clampToReal(value);
    Ext r = std::fmod(static_cast<Ext>(v), 360.0L);
    if (r < 0) r += 360;
    Real out = clampToReal(r);
    // A tiny negative angle plus 360 rounds to 360 itself as a 4-byte real.
    return out >= 360 ? 0 : out;
}

// Pulls a diagram position into [cen - norm, cen + norm].
Real pulledInside(Real position, Real cen, Real norm) {
    const Ext low = static_cast<Ext>(cen) - norm;
    const Ext high = static_cast<Ext>(cen) + norm;
    if (position < low) return clampToReal(low);
    if (position > high) return clampToReal(high);
    return position;
}

void pullDiagramPositions(Model& m, bool zerosToo) {
    auto& g = m.gear;
    for (int i = 1; i <= 9; ++i) {
        if (!zerosToo && g.RevArmPositions[i] == 0) continue;
        g.RevArmPositions[i] =
            pulledInside(g.RevArmPositions[i], g.RevArmCen(), m.frame.RevArmToCentNorm);
    }
}

void emptyDynVarList(Model& m) {
    ClearDynVars(m);
    m.dyn.DynDelta = 0;
    // Every slot is empty now, so this changes nothing; kept so the list and
    // the bars go through the same path as any other change.
    for (int k = 1; k <= 4; ++k) {
        m.dyn.ActiveDynSlot = k;
        ApplyDynVar(m);
    }
}

} // namespace

std::string dimensionBoxText(Real value) {
    return formatFixed(value, 5, 3);
}

BoxKey dimensionBoxKey(char key, const std::string& text) {
    if (key == '\r' || key == '\n') return BoxKey::Enter;
    if (key == '\b' || (key >= '0' && key <= '9')) return BoxKey::Accepted;
    if (key == '-' || key == '.')
        return text.find(key) == std::string::npos ? BoxKey::Accepted : BoxKey::Refused;
    return BoxKey::Refused;
}

bool boxKeyMarksEdit(int code) {
    return isDynVarCode(code);
}

Ext dimensionBoxValue(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    const std::size_t start = i;
    if (i < text.size() && text[i] == '-') ++i;
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return 0;
    bool ok = false;
    const Ext value = parseReal(text.substr(start, i - start), &ok);
    return ok ? value : 0;
}

BoxCommit commitDimensionBox(Model& m, int code, Ext value) {
    BoxCommit result;
    if (code == RevArmToCentNormCode) {
        m.frame.RevArmToCentNorm = clampToReal(value);
        if (m.frame.RevArmToCentNorm > m.frame.RevArmToCentMax) {
            m.frame.RevArmToCentNorm = m.frame.RevArmToCentMax;
            pullDiagramPositions(m, false);
        }
        return result;
    }
    if (code == RevArmToCentMaxCode) {
        m.frame.RevArmToCentMax = clampToReal(value);
        if (m.frame.RevArmToCentMax < m.frame.RevArmToCentNorm) {
            m.frame.RevArmToCentMax = m.frame.RevArmToCentNorm;
            pullDiagramPositions(m, true);
        }
        updateRevArmScrollRange(m);
        result.revArmRangeChanged = true;
        return result;
    }
    const DimensionInfo* info = dimensionInfo(code);
    if (!info) return result;
    const Real before = dimensionValue(m, code);
    const Ext stored = code == EccCrankAngleDegCode ? boxAngle(value) : value;
    commitDimensionEdit(m, code, before, stored, info->label);
    return result;
}

BoxCommit resetFrameDimensions(Model& m) {
    resetFrame(m);
    updateRevArmScrollRange(m);
    emptyDynVarList(m);
    BoxCommit result;
    result.revArmRangeChanged = true;
    return result;
}

void resetCylinderDimensions(Model& m) {
    resetCylinder(m);
    emptyDynVarList(m);
}

void closeDimensionDialog(Model& m, const std::function<void()>& revArmScrollToZero) {
    midGearCalc(m);
    if (revArmScrollToZero) revArmScrollToZero();
    m.events.front.cutOffText.clear();
    m.events.rear.cutOffText.clear();
}

} // namespace corvellan
