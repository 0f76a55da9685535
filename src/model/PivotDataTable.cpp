#include "model/PivotDataTable.h"

#include "model/PivotPick.h"
#include "model/Solver.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace corvellan {

namespace {

const char* const kHeading3 = "  Driver         No.1                   No.2                   No.3"
                              "                  No.4                   No.5                  No.6";
const char* const kHeading4 = "  Angle     Vert   Horz         Vert   Horz          Vert   Horz"
                              "         Vert   Horz          Vert   Horz         Vert   Horz";
// Angle (7), slot 1 (3 + 7 + 2 + 7), slots 2 to 6 (3 + 9 + 2 + 7), newline.
constexpr std::size_t kRowLength = 7 + 19 + 5 * 21 + 1;

// Each angle is formed from its row number: adding the step row by row in
// 4-byte reals drifts (at step 0.01 the sweep would end at 359.99, five rows
// short), so the rows would no longer land on the steps the user chose.
Real rowAngle(Real step, int k) {
    return k == 0 ? 0 : clampToReal(static_cast<Ext>(k) * step);
}

using SlotPivots = std::array<int, kPivotSlots + 1>;

SlotPivots slotPivots(const Model& m) {
    SlotPivots p{};
    for (int k = 1; k <= kPivotSlots; ++k) {
        const int i = pivotIndex(m.pivotData.slotPivot[k]);
        p[k] = i < 0 ? 0 : i;
    }
    return p;
}

// Solves the gear at every row's angle and hands it to `row`; the driver
// angle and step come back afterwards.
template <class Row> void sweepTurn(Model& m, Row&& row) {
    const Real step = tableStep(m.gear.StepAngleSetting);
    const Real angle = m.gear.DriverAngle, stepAngle = m.gear.StepAngle;
    m.gear.StepAngle = 0;
    const int rows = pivotTableRowCount(step);
    for (int k = 0; k < rows; ++k) {
        m.gear.DriverAngle = rowAngle(step, k);
        solve(m);
        row(m);
    }
    m.gear.DriverAngle = angle;
    m.gear.StepAngle = stepAngle;
}

void appendRow(std::string& out, const Model& m, const SlotPivots& p) {
    appendFigure(out, m.gear.DriverAngle, 7, 2);
    for (int k = 1; k <= kPivotSlots; ++k) {
        out += "   ";
        appendFigure(out, m.pivots.Y[p[k]], k == 1 ? 7 : 9, 3);
        out += "  ";
        appendFigure(out, m.pivots.X[p[k]], 7, 3);
    }
    out += '\n';
}

// A field after a comma: the shortest decimal, empty where the solver left
// no number.
void appendCsvNumber(std::string& out, Real v, Ext scale) {
    out += ',';
    appendShortest(out, v, scale);
}

} // namespace

Real tableStep(Real stepSetting) {
    return stepSetting >= 0.01f ? stepSetting : 0.01f;
}

int pivotTableRowCount(Real stepSetting) {
    const Real step = tableStep(stepSetting);
    // Start from the quotient, then settle on the last row not beyond 360.
    int last = static_cast<int>(std::floor(std::fmin(360.0L / step, 36000.0L)));
    while (!(rowAngle(step, last + 1) > 360))
        ++last;
    while (last > 0 && rowAngle(step, last) > 360)
        --last;
    return last + 1;
}

std::string buildPivotDataTable(Model& m, const std::string& date, const std::string& time) {
    std::string out;
    out.reserve(512 + m.DimSetName.size() +
                kRowLength * pivotTableRowCount(m.gear.StepAngleSetting));
    out += "Pivot Data   " + m.DimSetName + "     " + date + "   " + time + "\n";
    out += "       Reverse Arm " + formatFigure(m.gear.RevArmPos, 7, 3) + "      Step Angle " +
           formatFigure(tableStep(m.gear.StepAngleSetting), 7, 3) + "\n";
    out += kHeading3;
    out += '\n';
    out += kHeading4;
    out += '\n';
    const SlotPivots p = slotPivots(m);
    sweepTurn(m, [&](const Model& g) { appendRow(out, g, p); });
    return out;
}

std::string buildPivotDataCsv(Model& m) {
    std::string out = "angle";
    for (int k = 1; k <= kPivotSlots; ++k)
        out += ",slot" + std::to_string(k) + "_vert,slot" + std::to_string(k) + "_horz";
    out += '\n';
    out.reserve(out.size() +
                200 * static_cast<std::size_t>(pivotTableRowCount(m.gear.StepAngleSetting)));
    const SlotPivots p = slotPivots(m);
    const Ext scale = gearLengthScale(m);
    sweepTurn(m, [&](const Model& g) {
        appendShortest(out, g.gear.DriverAngle, kAngleScale);
        for (int k = 1; k <= kPivotSlots; ++k) {
            appendCsvNumber(out, g.pivots.Y[p[k]], scale);
            appendCsvNumber(out, g.pivots.X[p[k]], scale);
        }
        out += '\n';
    });
    return out;
}

} // namespace corvellan
