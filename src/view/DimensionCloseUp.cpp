#include "view/DimensionCloseUp.h"

#include "view/DrawHelpers.h"

#include <vector>

namespace corvellan {

namespace {

using Path = std::vector<ScreenPoint>;

// The waiting sign: an hourglass at the top left, never scaled.
void drawHourglass(Canvas& c) {
    auto poly = [&c](std::initializer_list<int> xy) {
        std::vector<int> xs, ys;
        for (auto it = xy.begin(); it != xy.end(); it += 2) {
            xs.push_back(*it);
            ys.push_back(*(it + 1));
        }
        c.polyline(xs.data(), ys.data(), static_cast<int>(xs.size()));
    };
    c.setPen(colours::Black, 2);
    poly({20, 100, 44, 100, 44, 104, 20, 104, 20, 100});
    poly({20, 138, 44, 138, 44, 142, 20, 142, 20, 138});
    poly({22, 100, 22, 112, 30, 120, 30, 122, 22, 130, 22, 142});
    poly({42, 100, 42, 112, 34, 120, 34, 122, 42, 130, 42, 142});
    c.setPen(colours::Black, 1);
    c.line(24, 136, 32, 127);
    c.line(39, 136, 31, 127);
    poly({31, 117, 26, 111, 37, 111, 31, 118});
}

ScreenPoint opposite(ScreenPoint p, ScreenPoint centre) {
    return {2 * centre.x - p.x, 2 * centre.y - p.y};
}

Path frameDimensionPath(const Model& m, int code) {
    const ScreenPoint p1 = pivotPoint(m, 1), p8 = pivotPoint(m, 8);
    const Real dia = m.frame.DriverDia;
    const Ext cen = m.gear.RevArmCen();
    const Pix armRow = pivotPoint(m, 18).y + 5;
    auto armSpan = [&](Ext reach) {
        return Path{
            {col(m, cen - reach), armRow}, {col(m, cen), armRow}, {col(m, cen + reach), armRow}};
    };
    switch (code) {
    case 1:
        return {{p1.x, row(m, m.pivots.Y[1] + static_cast<Ext>(dia) / 2)},
                {p1.x, row(m, m.pivots.Y[1] - static_cast<Ext>(dia) / 2)}};
    case 2:
        return {pivotPoint(m, 2), opposite(pivotPoint(m, 2), p1)};
    case 3:
        return {pivotPoint(m, 5), opposite(pivotPoint(m, 5), p1)};
    case 4:
        return {pivotPoint(m, 2), p1, pivotPoint(m, 5)};
    case 5:
        return {pivotPoint(m, 2), pivotPoint(m, 3)};
    case 6:
        return {pivotPoint(m, 4), pivotPoint(m, 6)};
    case 7:
        return {pivotPoint(m, 6), pivotPoint(m, 7)};
    case 8:
        return {pivotPoint(m, 5), pivotPoint(m, 6)};
    case 9:
        return {p8, pivotPoint(m, 18)};
    case 10:
        return {p8, pivotPoint(m, 11)};
    case 11:
        return {p8, {p8.x, p1.y}};
    case 12:
        return {p8, {p1.x, p8.y}};
    case 13:
        return armSpan(m.frame.RevArmToCentNorm);
    case 14:
        return armSpan(m.frame.RevArmToCentMax);
    default:
        return {};
    }
}

Path cylinderDimensionPath(const Model& m, const SectionOutlines& s, int code) {
    const ScreenPoint p1 = pivotPoint(m, 1), p3 = pivotPoint(m, 3), p4 = pivotPoint(m, 4);
    // Midpoints are the integer half of the sum, truncated towards zero.
    const Pix valveMid = (s.valveRear + s.valveFront) / 2;
    const Pix pistonMid = (s.pistonRear + s.pistonFront) / 2;
    const Pix face = s.portFace;
    switch (code) {
    case 101:
        return {p1, {col(m, static_cast<Ext>(m.pivots.X[1]) + m.cyl.CylCtrToDriverCtr), p1.y}};
    case 102:
        return {{s.cylinderCentre, p1.y}, {s.cylinderCentre, p3.y}};
    case 103:
        return {{s.boreRear, s.boreTop}, {s.boreRear, s.boreBottom}};
    case 104:
        return {{s.boreRear, s.boreBottom}, {s.boreFront, s.boreBottom}};
    case 105:
        return {{s.boreRear, s.boreTop}, {s.rearOpening, s.boreTop}};
    case 106:
        return {p3, {pistonMid, s.centreLine}};
    case 107:
        return {{s.pistonRear, s.centreLine}, {s.pistonFront, s.centreLine}};
    case 108:
        return {{s.chestRear + 5, face}, {s.chestRear + 5, p3.y}};
    case 109:
        return {{s.chestRear, p4.y}, {s.chestRear, p3.y}};
    case 110:
        return {{s.exhaustRear, face}, {s.exhaustFront, face}};
    case 111:
        return {{s.rearBridge, face}, {s.exhaustRear, face}};
    case 112:
        return {{s.exhaustFront, face}, {s.frontBridge, face}};
    case 113:
        return {{s.rearPortOuter, face}, {s.rearBridge, face}};
    case 114:
        return {{s.frontBridge, face}, {s.frontPortOuter, face}};
    case 115:
        return {{s.chestRear, s.chestTop}, {s.chestRear, face}};
    case 116:
        return {{s.chestRear, s.chestTop}, {s.chestFront, s.chestTop}};
    case 117:
        return {{s.valveRear, s.valveTop}, {s.valveRear, face}};
    case 118:
        return {{s.valveRear, s.valveTop}, {valveMid, s.valveTop}};
    case 119:
        return {{s.valveFront, s.valveTop}, {valveMid, s.valveTop}};
    case 120:
        return {{s.cavityRear, face}, {valveMid, face}};
    case 121:
        return {{s.cavityFront, face}, {valveMid, face}};
    case 122:
        return {p4, {valveMid, s.spindleLine}};
    default:
        return {};
    }
}

void applyCloseUpView(Model& m, int code) {
    const CloseUpView v = closeUpView(code);
    ViewTransform& t = m.view.current;
    t.ViewScale = clampToReal(static_cast<Ext>(v.k) / m.view.GraphicZoom * 7.5L);
    if (v.movesOffsets) {
        t.ViewOffsetX = v.offsetX;
        t.ViewOffsetY = v.offsetY;
    }
}

void endCloseUp(Model& m, FrameState& f) {
    f.closeUp.frameCounter = 0;
    f.closeUp.blinkCounter = 0;
    m.view.SelectedDimCode = 0;
    m.view.current = m.view.saved;
    f.window.reopenDialog = f.closeUp.dialog;
}

} // namespace

CloseUpView closeUpView(int code) {
    auto moved = [](int k, Real x, Real y) { return CloseUpView{k, true, x, y}; };
    switch (code) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 11:
    case 12:
        return moved(30, 290, 212);
    case 5:
    case 6:
    case 13:
    case 14:
    case 101:
        return CloseUpView{28, false, 0, 0};
    case 7:
    case 8:
        return moved(30, 290, 240);
    case 9:
    case 10:
        return moved(30, 290, 300);
    case 102:
        return moved(55, -400, 295);
    case 103:
    case 104:
    case 105:
        return moved(55, -400, 250);
    case 106:
        return moved(40, -200, 260);
    case 122:
        return moved(55, -300, 295);
    default:
        break;
    }
    if (code >= 107 && code <= 121) return moved(55, -400, 295);
    return CloseUpView{};
}

void drawDimensionCloseUp(Model& m, FrameState& f, Canvas& c) {
    const int code = m.view.SelectedDimCode;
    CloseUpState& cu = f.closeUp;
    f.window.closeDialogForCode = code;
    cu.dialog = code > 99 ? DimDialog::Cylinder : DimDialog::Frame;
    drawHourglass(c);
    if (cu.frameCounter == 0) m.view.saved = m.view.current;
    ++cu.frameCounter;
    ++cu.blinkCounter;
    c.setPen(cu.blinkCounter < 4 ? colours::Red : colours::Black, 3);
    // This frame's line uses this tick's screen points; the close-up view
    // takes effect at the next tick's projection.
    const Path path =
        code > 99 ? cylinderDimensionPath(m, f.section, code) : frameDimensionPath(m, code);
    applyCloseUpView(m, code);
    if (!path.empty()) drawPolyline(c, path.data(), static_cast<int>(path.size()));
    TextStyle big;
    big.pixelSize = 19; // 14 points
    const DimensionInfo* info = dimensionInfo(code);
    if (info) c.text(textX(m, 30), textY(m, 75), info->label, big);
    if (cu.blinkCounter > 5) cu.blinkCounter = 0;
    if (cu.frameCounter > kCloseUpFrames) endCloseUp(m, f);
    f.window.waitCursor = cu.frameCounter != 0;
}

void endCloseUpOnNextFrame(const Model& m, FrameState& f) {
    if (m.view.SelectedDimCode > 0) f.closeUp.frameCounter = kCloseUpFrames + 5;
}

} // namespace corvellan
