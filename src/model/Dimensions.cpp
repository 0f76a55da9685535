#include "model/Dimensions.h"

namespace corvellan {

FrameDimensions nominalFrameSet() {
    FrameDimensions f;
    f.DriverDia = 7.0f;
    f.Stroke = 3.0f;
    f.EccCrankCirDia = 1.0f;
    f.EccCrankAngleDeg = 180.0f;
    f.MainRod = 8.0f;
    f.ValveRod = 8.0f;
    f.ValveLeverUpper = 1.2f;
    f.ValveLeverLower = 2.0f;
    f.RevArmLinkUpper = 2.0f;
    f.LinkLower = 1.0f;
    f.LinkPivotVert = 3.155f;
    f.LinkPivotHorz = 0.0f;
    f.RevArmToCentNorm = 1.5f;
    f.RevArmToCentMax = 1.7f;
    return f;
}

CylinderDimensions nominalCylinderSet() {
    CylinderDimensions c;
    c.CylCtrToDriverCtr = 13.0f;
    c.CylCLAboveDriverCtr = 0.0f;
    c.CylBoreDia = 2.125f;
    c.CylBoreLength = 4.0f;
    c.CylSteamPortWidth = 0.312f;
    c.PistonCtrToCrosshead = 5.0f;
    c.PistonWidth = 0.5f;
    c.ValveSurfaceToCylCL = 1.75f;
    c.ValveStemCLToCylCL = 2.062f;
    c.ExhaustPortWidth = 0.375f;
    c.BridgeWidthRear = 0.187f;
    c.BridgeWidthFront = 0.187f;
    c.SteamPortWidthRear = 0.156f;
    c.SteamPortWidthFront = 0.156f;
    c.ValveChamberHeight = 0.625f;
    c.ValveChamberLength = 2.187f;
    c.ValveHeight = 0.5f;
    c.ValveLengthRearHalf = 0.687f;
    c.ValveLengthFrontHalf = 0.687f;
    c.ValveExhCavityRearHalf = 0.375f;
    c.ValveExhCavityFrontHalf = 0.375f;
    c.ValveStem = 5.0f;
    c.CylinderReserve = 0.0f;
    return c;
}

const std::array<DimensionInfo, 36>& allDimensions() {
    static const std::array<DimensionInfo, 36> table = {{
        {1, "DriverDia", "Driver Dia"},
        {2, "Stroke", "Stroke"},
        {3, "EccCrankCirDia", "Ecc Crank Cir Dia"},
        {4, "EccCrankAngleDeg", "Ecc Crank Angle Deg"},
        {5, "MainRod", "Main Rod"},
        {6, "ValveRod", "Valve Rod"},
        {7, "ValveLeverUpper", "Valve Lever Upper"},
        {8, "ValveLeverLower", "Valve Lever Lower"},
        {9, "RevArmLinkUpper", "Reverse Arm (Link Upper)"},
        {10, "LinkLower", "Link Lower"},
        {11, "LinkPivotVert", "Link Pivot Vert"},
        {12, "LinkPivotHorz", "Link Pivot Horz"},
        {13, "RevArmToCentNorm", "Rev Arm to Cent Norm"},
        {14, "RevArmToCentMax", "Rev Arm to Cent Max"},
        {101, "CylCtrToDriverCtr", "Cyl ctr to Driver ctr"},
        {102, "CylCLAboveDriverCtr", "Cyl CL above Driver ctr"},
        {103, "CylBoreDia", "Cylinder Bore Dia"},
        {104, "CylBoreLength", "Cylinder Bore Length"},
        {105, "CylSteamPortWidth", "Cyl Steam Port Width"},
        {106, "PistonCtrToCrosshead", "Piston ctr to Crosshead"},
        {107, "PistonWidth", "Piston Width"},
        {108, "ValveSurfaceToCylCL", "Valve Surface to Cyl CL"},
        {109, "ValveStemCLToCylCL", "Valve Stem CL to Cyl CL"},
        {110, "ExhaustPortWidth", "Exhaust Port  Width"},
        {111, "BridgeWidthRear", "Bridge Width   Rear"},
        {112, "BridgeWidthFront", "Bridge Width   Front"},
        {113, "SteamPortWidthRear", "Steam Port Width  Rear"},
        {114, "SteamPortWidthFront", "Steam Port Width   Front"},
        {115, "ValveChamberHeight", "Valve Chamber    Height"},
        {116, "ValveChamberLength", "Valve Chamber Length"},
        {117, "ValveHeight", "Valve Height"},
        {118, "ValveLengthRearHalf", "Valve Length  Rear Half"},
        {119, "ValveLengthFrontHalf", "Valve Length   Front Half"},
        {120, "ValveExhCavityRearHalf", "Valve Exh CavityRearHalf"},
        {121, "ValveExhCavityFrontHalf", "Valve ExhCavityFrontHalf"},
        {122, "ValveStem", "Valve Stem"},
    }};
    return table;
}

const DimensionInfo* dimensionInfo(int code) {
    for (const auto& d : allDimensions())
        if (d.code == code) return &d;
    return nullptr;
}

bool isDimensionCode(int code) {
    return (code >= 1 && code <= 14) || (code >= 101 && code <= 122);
}

} // namespace corvellan
