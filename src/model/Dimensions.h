#pragma once
// The 36 user dimensions: 14 frame (linkage) dimensions with codes 1..14 and
// 22 cylinder and valve dimensions with codes 101..122.

#include "model/Numeric.h"

#include <array>

namespace corvellan {

enum DimCode : int {
    DriverDiaCode = 1,
    StrokeCode = 2,
    EccCrankCirDiaCode = 3,
    EccCrankAngleDegCode = 4,
    MainRodCode = 5,
    ValveRodCode = 6,
    ValveLeverUpperCode = 7,
    ValveLeverLowerCode = 8,
    RevArmLinkUpperCode = 9,
    LinkLowerCode = 10,
    LinkPivotVertCode = 11,
    LinkPivotHorzCode = 12,
    RevArmToCentNormCode = 13,
    RevArmToCentMaxCode = 14,
    CylCtrToDriverCtrCode = 101,
    CylCLAboveDriverCtrCode = 102,
    ValveStemCLToCylCLCode = 109,
};

// Frame dimensions. The link pivot (codes 11, 12) is held as pivots 8 and 9 of
// the pivot table, so it has no field here.
struct FrameDimensions {
    Real DriverDia = 0;
    Real Stroke = 0;
    Real EccCrankCirDia = 0;
    Real EccCrankAngleDeg = 0;
    Real MainRod = 0;
    Real ValveRod = 0;
    Real ValveLeverUpper = 0;
    Real ValveLeverLower = 0;
    Real RevArmLinkUpper = 0;
    Real LinkLower = 0;
    Real LinkPivotVert = 0; // only used in the nominal table; live value is pivot 8/9 Y
    Real LinkPivotHorz = 0; // only used in the nominal table; live value is pivot 8/9 X
    Real RevArmToCentNorm = 0;
    Real RevArmToCentMax = 0;
};

// Cylinder dimensions. `CylCLAboveDriverCtr` lives as Y of pivot 3 in the
// pivot table; the field here is used only by the nominal table.
struct CylinderDimensions {
    Real CylCtrToDriverCtr = 0;
    Real CylCLAboveDriverCtr = 0;
    Real CylBoreDia = 0;
    Real CylBoreLength = 0;
    Real CylSteamPortWidth = 0;
    Real PistonCtrToCrosshead = 0;
    Real PistonWidth = 0;
    Real ValveSurfaceToCylCL = 0;
    Real ValveStemCLToCylCL = 0;
    Real ExhaustPortWidth = 0;
    Real BridgeWidthRear = 0;
    Real BridgeWidthFront = 0;
    Real SteamPortWidthRear = 0;
    Real SteamPortWidthFront = 0;
    Real ValveChamberHeight = 0;
    Real ValveChamberLength = 0;
    Real ValveHeight = 0;
    Real ValveLengthRearHalf = 0;
    Real ValveLengthFrontHalf = 0;
    Real ValveExhCavityRearHalf = 0;
    Real ValveExhCavityFrontHalf = 0;
    Real ValveStem = 0;
    // Kept with the cylinder dimensions only for the dimension file.
    Real CylinderReserve = 0;
};

FrameDimensions nominalFrameSet();
CylinderDimensions nominalCylinderSet();

// Static facts of one dimension: its code, code name and close-up label.
struct DimensionInfo {
    int code;
    const char* name;  // e.g. "DriverDia"
    const char* label; // e.g. "Driver Dia", spacing exact
};

// All 36 dimensions, frame first, in code order.
const std::array<DimensionInfo, 36>& allDimensions();
// nullptr when `code` is not a dimension code.
const DimensionInfo* dimensionInfo(int code);
bool isDimensionCode(int code); // 1..14 or 101..122

} // namespace corvellan
