#include "view/DrawHelpers.h"

namespace corvellan {

namespace {

// The section's model lengths, in extended precision.
struct SectionSizes {
    Ext C, E, W, F, T, H, L, R, Y3;
    explicit SectionSizes(const Model& m) {
        const CylinderDimensions& c = m.cyl;
        C = c.CylCtrToDriverCtr;
        W = c.ExhaustPortWidth;
        E = W / 2;
        Y3 = m.pivots.Y[3];
        F = Y3 + c.ValveSurfaceToCylCL;
        T = F + c.ValveChamberHeight;
        H = static_cast<Ext>(c.ValveChamberLength) / 2;
        L = static_cast<Ext>(c.CylBoreLength) / 2;
        R = static_cast<Ext>(c.CylBoreDia) / 2;
    }
};

void fillOuter(const Model& m, const SectionSizes& z, SectionOutlines& s) {
    const CylinderDimensions& c = m.cyl;
    const Ext rearPort = z.C - z.E - c.BridgeWidthRear - c.SteamPortWidthRear;
    const Ext frontPort = z.C + z.E + c.BridgeWidthFront + c.SteamPortWidthFront;
    const Ext step = z.F - z.W / 3;
    s.outer = {project(m, z.C - z.E, z.T),        project(m, z.C - z.H, z.T),
               project(m, z.C - z.H, z.F),        project(m, rearPort, z.F),
               project(m, rearPort, step),        project(m, z.C - z.L, z.Y3 + z.R),
               project(m, z.C - z.L, z.Y3 - z.R), project(m, z.C + z.L, z.Y3 - z.R),
               project(m, z.C + z.L, z.Y3 + z.R), project(m, frontPort, step),
               project(m, frontPort, z.F),        project(m, z.C + z.H, z.F),
               project(m, z.C + z.H, z.T),        project(m, z.C + z.E, z.T)};
}

void fillInner(const Model& m, const SectionSizes& z, SectionOutlines& s) {
    const CylinderDimensions& c = m.cyl;
    const Ext rearBridge = z.C - z.E - c.BridgeWidthRear;
    const Ext frontBridge = z.C + z.E + c.BridgeWidthFront;
    const Ext passage = z.F - z.W / 1.5L;
    // Both ends of the inner outline drop by the rear port width, as drawn.
    s.inner = {project(m, z.C - z.E, z.F - c.SteamPortWidthRear),
               project(m, z.C - z.E, z.F),
               project(m, rearBridge, z.F),
               project(m, rearBridge, passage),
               project(m, z.C - z.L + c.CylSteamPortWidth, z.Y3 + z.R),
               project(m, z.C + z.L - c.CylSteamPortWidth, z.Y3 + z.R),
               project(m, frontBridge, passage),
               project(m, frontBridge, z.F),
               project(m, z.C + z.E, z.F),
               project(m, z.C + z.E, z.F - c.SteamPortWidthRear)};
}

} // namespace

void computeSectionOutline(const Model& m, SectionOutlines& s) {
    const CylinderDimensions& c = m.cyl;
    const SectionSizes z(m);
    fillOuter(m, z, s);
    fillInner(m, z, s);
    s.chestRear = col(m, z.C - z.H);
    s.chestFront = col(m, z.C + z.H);
    s.exhaustRear = col(m, z.C - z.E);
    s.exhaustFront = col(m, z.C + z.E);
    s.rearBridge = col(m, z.C - z.E - c.BridgeWidthRear);
    s.frontBridge = col(m, z.C + z.E + c.BridgeWidthFront);
    s.rearPortOuter = col(m, z.C - z.E - c.BridgeWidthRear - c.SteamPortWidthRear);
    s.frontPortOuter = col(m, z.C + z.E + c.BridgeWidthFront + c.SteamPortWidthFront);
    s.boreRear = col(m, z.C - z.L);
    s.boreFront = col(m, z.C + z.L);
    s.rearOpening = col(m, z.C - z.L + c.CylSteamPortWidth);
    s.frontOpening = col(m, z.C + z.L - c.CylSteamPortWidth);
    s.cylinderCentre = col(m, static_cast<Ext>(m.pivots.X[1]) + z.C);
    s.chestTop = row(m, z.T);
    s.portFace = row(m, z.F);
    s.passageTop = row(m, z.F - z.W / 1.5L);
    s.boreTop = row(m, z.Y3 + z.R);
    s.boreBottom = row(m, z.Y3 - z.R);
    s.centreLine = row(m, z.Y3);
    s.spindleLine = row(m, m.pivots.Y[4]);
    const Ext scale = m.view.current.ViewScale;
    s.steamPortPx = roundToInt(static_cast<Ext>(c.CylSteamPortWidth) * scale);
    s.exhaustPortPx = s.exhaustFront - s.exhaustRear;
}

void computePistonValveOutline(const Model& m, SectionOutlines& s) {
    const CylinderDimensions& c = m.cyl;
    const SectionSizes z(m);
    const Ext xp = static_cast<Ext>(m.pivots.X[3]) + c.PistonCtrToCrosshead;
    const Ext half = static_cast<Ext>(c.PistonWidth) / 2;
    s.pistonRear = col(m, xp - half);
    s.pistonFront = col(m, xp + half);
    s.rodEnd = {s.pistonFront, row(m, z.Y3)};
    const Pix top = row(m, z.Y3 + z.R), bottom = row(m, z.Y3 - z.R);
    s.piston = {ScreenPoint{s.pistonRear, bottom},
                {s.pistonRear, top},
                {s.pistonFront, top},
                {s.pistonFront, bottom},
                {s.pistonRear, bottom}};

    const Ext xv = static_cast<Ext>(m.pivots.X[4]) + c.ValveStem;
    s.valveRear = col(m, xv - c.ValveLengthRearHalf);
    s.valveFront = col(m, xv + c.ValveLengthFrontHalf);
    s.cavityRear = col(m, xv - c.ValveExhCavityRearHalf);
    s.cavityFront = col(m, xv + c.ValveExhCavityFrontHalf);
    const Pix face = row(m, z.F);
    s.valveTop = row(m, z.F + c.ValveHeight);
    s.cavityTop = s.valveTop + (face - s.valveTop) / 3;
    s.spindleEnd = {s.valveRear, row(m, m.pivots.Y[4])};
    s.valve = {
        ScreenPoint{s.valveRear, face}, {s.valveRear, s.valveTop}, {s.valveFront, s.valveTop},
        {s.valveFront, face},           {s.cavityFront, face},     {s.cavityFront, s.cavityTop},
        {s.cavityRear, s.cavityTop},    {s.cavityRear, face},      {s.valveRear, face}};
}

} // namespace corvellan
