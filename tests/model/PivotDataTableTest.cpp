#include "model/PivotDataTable.h"
#include "model/Solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <vector>

using namespace corvellan;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

class PivotDataTableTest : public ::testing::Test {
  protected:
    void SetUp() override { initialiseModel(m); }
    std::vector<std::string> table(Real step) {
        m.gear.StepAngleSetting = step;
        return lines(buildPivotDataTable(m, "01/02/03", "12:34:56"));
    }
    Model m;
};

TEST_F(PivotDataTableTest, HeadingsAndRowsFromZeroTo360) {
    auto t = table(10);
    ASSERT_EQ(t.size(), 4u + 37u);
    EXPECT_EQ(t[0], "Pivot Data   Nominal     01/02/03   12:34:56");
    EXPECT_EQ(t[1], "       Reverse Arm   0.000      Step Angle  10.000");
    EXPECT_EQ(t[3].substr(0, 27), "  Angle     Vert   Horz    ");
    EXPECT_EQ(t[4].substr(0, 7), "   0.00");
    EXPECT_EQ(t.back().substr(0, 7), " 360.00");
    EXPECT_EQ(table(45).size(), 4u + 9u);
    t = table(7);
    ASSERT_EQ(t.size(), 4u + 52u);
    EXPECT_EQ(t.back().substr(0, 7), " 357.00"); // no row for 360
    // Small steps neither drift nor lose the last row.
    EXPECT_EQ(pivotTableRowCount(0.1f), 3601);
    t = table(0.01f);
    ASSERT_EQ(t.size(), 4u + 36001u);
    EXPECT_EQ(t[4 + 12345].substr(0, 7), " 123.45");
    EXPECT_EQ(t.back().substr(0, 7), " 360.00");
}

TEST_F(PivotDataTableTest, StepsThatWouldNeverFinishUseTheSmallestStep) {
    for (Real bad : {0.0f, -5.0f, 1e-6f, std::numeric_limits<Real>::quiet_NaN()})
        EXPECT_EQ(pivotTableRowCount(bad), 36001) << bad;
    EXPECT_EQ(pivotTableRowCount(std::numeric_limits<Real>::infinity()), 1);
}

TEST_F(PivotDataTableTest, RowHoldsEachSlotsPivotAndTheGearComesBack) {
    m.pivotData.slotPivot = {0, 2, 3, 0, 5, 18, 4}; // slot 3 never bound: pivot 0
    m.pivots.X[0] = 0.25f;
    m.gear.DriverAngle = 123.4f;
    m.gear.StepAngle = 0; // stopped
    const auto t = table(45);
    EXPECT_EQ(m.gear.DriverAngle, 123.4f);
    EXPECT_EQ(m.gear.StepAngle, 0);
    Model g = m; // an independent solve at the third row's angle
    g.gear.DriverAngle = 90;
    solve(g);
    std::string row = "  90.00";
    for (int k = 1; k <= 6; ++k) {
        const int p = static_cast<int>(g.pivotData.slotPivot[k]);
        row += "   " + formatFixed(g.pivots.Y[p], k == 1 ? 7 : 9, 3) + "  " +
               formatFixed(g.pivots.X[p], 7, 3);
    }
    ASSERT_GE(t.size(), 7u);
    EXPECT_EQ(t[6], row);
    EXPECT_NE(t[6].find("      0.000    0.250"), std::string::npos) << t[6];
}

TEST_F(PivotDataTableTest, CsvHoldsFullPrecisionCoordinates) {
    m.pivotData.slotPivot[2] = 2;
    m.pivotData.slotPivot[6] = 4;
    m.gear.StepAngleSetting = 30;
    const auto t = lines(buildPivotDataCsv(m));
    ASSERT_EQ(t.size(), 1u + 13u);
    EXPECT_EQ(t[0], "angle,slot1_vert,slot1_horz,slot2_vert,slot2_horz,slot3_vert,slot3_horz,"
                    "slot4_vert,slot4_horz,slot5_vert,slot5_horz,slot6_vert,slot6_horz");
    Model g = m;
    g.gear.DriverAngle = 30;
    solve(g);
    std::vector<float> fields;
    std::istringstream in(t[2]);
    for (std::string f; std::getline(in, f, ',');)
        fields.push_back(std::strtof(f.c_str(), nullptr));
    ASSERT_EQ(fields.size(), 13u);
    EXPECT_EQ(fields[0], 30.0f);
    EXPECT_EQ(fields[11], g.pivots.Y[4]); // exact round trip
    EXPECT_EQ(fields[12], g.pivots.X[4]);
    // At a right angle the crank pin's horizontal is the noise of a cosine:
    // written 0, not -6.1e-17.
    EXPECT_EQ(t[4].rfind("90,0,0,-1.5,0,", 0), 0u) << t[4];

    // A gear the solver cannot give numbers leaves its fields empty.
    storeDimension(m, StrokeCode, std::numeric_limits<Ext>::quiet_NaN());
    const std::string csv = buildPivotDataCsv(m);
    EXPECT_TRUE(csv.find(",,") != std::string::npos || csv.find(",\n") != std::string::npos);
    for (const std::string& row : lines(csv)) {
        EXPECT_EQ(std::count(row.begin(), row.end(), ','), 12) << row;
        for (const char* bad : {"nan", "inf"})
            EXPECT_EQ(row.find(bad), std::string::npos) << row;
    }
}

} // namespace
