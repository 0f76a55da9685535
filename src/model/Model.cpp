#include "model/Model.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace corvellan {

namespace {

template <class F> auto frameField(F& f, int code) -> decltype(&f.DriverDia) {
    switch (code) {
    case 1: return &f.DriverDia;
    case 2: return &f.Stroke;
    case 3: return &f.EccCrankCirDia;
    case 4: return &f.EccCrankAngleDeg;
    case 5: return &f.MainRod;
    case 6: return &f.ValveRod;
    case 7: return &f.ValveLeverUpper;
    case 8: return &f.ValveLeverLower;
    case 9: return &f.RevArmLinkUpper;
    case 10: return &f.LinkLower;
    case 13: return &f.RevArmToCentNorm;
    case 14: return &f.RevArmToCentMax;
    default: return nullptr;
    }
}

template <class C> auto cylinderField(C& c, int code) -> decltype(&c.ValveStem) {
    switch (code) {
    case 101: return &c.CylCtrToDriverCtr;
    case 103: return &c.CylBoreDia;
    case 104: return &c.CylBoreLength;
    case 105: return &c.CylSteamPortWidth;
    case 106: return &c.PistonCtrToCrosshead;
    case 107: return &c.PistonWidth;
    case 108: return &c.ValveSurfaceToCylCL;
    case 109: return &c.ValveStemCLToCylCL;
    case 110: return &c.ExhaustPortWidth;
    case 111: return &c.BridgeWidthRear;
    case 112: return &c.BridgeWidthFront;
    case 113: return &c.SteamPortWidthRear;
    case 114: return &c.SteamPortWidthFront;
    case 115: return &c.ValveChamberHeight;
    case 116: return &c.ValveChamberLength;
    case 117: return &c.ValveHeight;
    case 118: return &c.ValveLengthRearHalf;
    case 119: return &c.ValveLengthFrontHalf;
    case 120: return &c.ValveExhCavityRearHalf;
    case 121: return &c.ValveExhCavityFrontHalf;
    case 122: return &c.ValveStem;
    default: return nullptr;
    }
}

void setPivot4Height(Model& m) {
    m.pivots.Y[4] = clampToReal(static_cast<Ext>(m.pivots.Y[3]) + m.cyl.ValveStemCLToCylCL);
}

} // namespace

void initialiseModel(Model& m) {
    // Step 1: plain start values, including those other windows own.
    m = Model{};
    m.gear.DriverAngle = 0;
    m.gear.StepAngle = 10;
    for (int p : {0, 1, 8, 9, 19, 20}) m.pivots.X[p] = m.pivots.Y[p] = 0;
    m.pivots.Y[3] = 0;
    m.gear.RevArmPositions.fill(0);
    m.DimSetName = "Nominal";
    m.gear.Direction = "Fwd";
    m.error = ErrorState{};
    m.view.SelectedDimCode = 0;
    m.view.GraphicZoom = 7.5f;
    m.view.presets = {{{0, 0, 0},
                       {62, 315, 237},
                       {62, 315, 410},
                       {55, -250, 300},
                       {80, -750, 335},
                       {320, -3600, 850},
                       {320, -4050, 850}}};
    for (int i = 0; i <= kOverlayItems; ++i) {
        m.overlay.Type[i] = -1;
        m.overlay.Color[i] = -1;
        m.overlay.RefMode[i] = -1;
    }
    m.overlay.CurrentOverlayItem = 1;
    m.diagrams = DiagramSettings{};
    m.dyn = DynVarState{};
    // Step 2: current and saved view take the normal view.
    m.view.current = kNormalView;
    m.view.saved = kNormalView;
    // Steps 3 and 4: nominal tables, then the resets.
    m.nominalFrame = nominalFrameSet();
    resetFrame(m);
    m.nominalCyl = nominalCylinderSet();
    resetCylinder(m);
    // Steps 5 and 6.
    midGearCalc(m);
    updateRevArmScrollRange(m);
    markDimensionsSaved(m);
}

Model nominalModel() {
    Model m;
    initialiseModel(m);
    return m;
}

void resetFrame(Model& m) {
    m.frame = m.nominalFrame;
    m.pivots.X[8] = m.pivots.X[9] = m.nominalFrame.LinkPivotHorz;
    m.pivots.Y[8] = m.pivots.Y[9] = m.nominalFrame.LinkPivotVert;
}

void resetCylinder(Model& m) {
    m.cyl = m.nominalCyl;
    m.cyl.CylinderReserve = 0;
    m.pivots.Y[3] = 0;
    setPivot4Height(m);
}

void midGearCalc(Model& m) {
    const auto& p = m.pivots;
    Ext dx = static_cast<Ext>(p.X[9]) - p.X[1];
    Ext dy = static_cast<Ext>(p.Y[9]) - p.Y[1];
    Ext d = std::sqrt(dx * dx + dy * dy);
    Ext cen = static_cast<Ext>(p.X[9]);
    // A link pivot on the driver centre leaves the line undefined: treat it as
    // straight above, which is where the formula's limit points for X9 = X1.
    if (d > 0) cen += dx * m.frame.RevArmLinkUpper / d;
    cen += 0.00001L;
    Real c = clampToReal(cen);
    m.gear.RevArmPositions[0] = c;
    m.gear.RevArmPos = c;
    m.gear.RevArmPositions[1] = c;
    m.gear.RevArmPositions[2] = clampToReal(static_cast<Ext>(c) - m.frame.RevArmToCentNorm);
    m.gear.RevArmPositions[3] = clampToReal(static_cast<Ext>(c) + m.frame.RevArmToCentNorm);
}

void updateRevArmScrollRange(Model& m) {
    int r = roundToInt(static_cast<Ext>(m.frame.RevArmToCentMax) * 1000);
    m.gear.RevArmScrollMax = r;
    m.gear.RevArmScrollMin = roundToInt(static_cast<Ext>(m.frame.RevArmToCentMax) * -1000);
}

int screenColumn(const Model& m, Ext x) {
    return roundToInt(static_cast<Ext>(m.view.current.ViewOffsetX) + m.view.current.ViewScale * x);
}

int screenRow(const Model& m, Ext y) {
    return roundToInt(static_cast<Ext>(m.view.current.ViewOffsetY) - m.view.current.ViewScale * y);
}

void projectToScreen(Model& m) {
    auto project = [&m](int i) {
        m.pivots.ScreenX[i] = screenColumn(m, m.pivots.X[i]);
        m.pivots.ScreenY[i] = screenRow(m, m.pivots.Y[i]);
    };
    for (int i = 0; i <= 11; ++i) project(i);
    for (int i = 18; i <= 20; ++i) project(i);
}

void markDimensionsSaved(Model& m) {
    const auto& all = allDimensions();
    for (std::size_t i = 0; i < all.size(); ++i)
        m.savedDimensions[i] = dimensionValue(m, all[i].code);
}

bool dimensionsModified(const Model& m) {
    const auto& all = allDimensions();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Real now = dimensionValue(m, all[i].code);
        if (std::memcmp(&now, &m.savedDimensions[i], sizeof now) != 0) return true;
    }
    return false;
}

Real dimensionValue(const Model& m, int code) {
    switch (code) {
    case 11: return m.pivots.Y[8];
    case 12: return m.pivots.X[8];
    case 102: return m.pivots.Y[3];
    default: break;
    }
    if (const Real* f = frameField(m.frame, code)) return *f;
    if (const Real* c = cylinderField(m.cyl, code)) return *c;
    return 0;
}

Ext gearLengthScale(const Model& m) {
    std::vector<Ext> sizes;
    for (const DimensionInfo& d : allDimensions()) {
        if (d.code == EccCrankAngleDegCode) continue;
        const Real v = dimensionValue(m, d.code);
        if (std::isfinite(v) && v != 0) sizes.push_back(std::fabs(static_cast<Ext>(v)));
    }
    if (sizes.empty()) return 0;
    // The median: one wild dimension does not make the whole gear's figures
    // look like noise.
    const auto middle = sizes.begin() + static_cast<std::ptrdiff_t>(sizes.size() / 2);
    std::nth_element(sizes.begin(), middle, sizes.end());
    return *middle;
}

bool storeDimension(Model& m, int code, Ext value) {
    Real v = clampToReal(value);
    switch (code) {
    case 11: m.pivots.Y[8] = m.pivots.Y[9] = v; return true;
    case 12: m.pivots.X[8] = m.pivots.X[9] = v; return true;
    case 102:
        m.pivots.Y[3] = v;
        setPivot4Height(m);
        return true;
    case 109:
        m.cyl.ValveStemCLToCylCL = v;
        setPivot4Height(m);
        return true;
    default: break;
    }
    if (Real* f = frameField(m.frame, code)) {
        *f = v;
        return true;
    }
    if (Real* c = cylinderField(m.cyl, code)) {
        *c = v;
        return true;
    }
    return false;
}

} // namespace corvellan
