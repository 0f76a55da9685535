#include "DialogDriver.h"

#include "dimensions/CylDimDialog.h"
#include "dimensions/DimensionBox.h"
#include "model/DynVars.h"

#include <QPushButton>

#include <memory>
#include <vector>

using namespace corvellan;
using namespace corvellan::test;

namespace {

class CylinderDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        initialiseModel(m);
        dialog = std::make_unique<TCylDimen>(m);
        showActive(dialog.get());
    }

    DimensionBox* edit(int n) const { return dialog->box(n - 1); }

    void enter(int n, const QString& text) {
        edit(n)->setFocus(Qt::MouseFocusReason);
        edit(n)->selectAll();
        typeInto(edit(n), text);
        sendKey(edit(n), Qt::Key_Return, "\r");
    }

    Model m;
    std::unique_ptr<TCylDimen> dialog;
};

} // namespace

TEST_F(CylinderDialogTest, RowsCarryTheCylinderCodesAndTwoLineRowsATallButton) {
    EXPECT_EQ(dialog->windowTitle(), "Cylinder Dimensions");
    EXPECT_EQ(dialog->size(), QSize(386, 230));
    ASSERT_EQ(dialog->rowCount(), 22);
    for (int i = 0; i < 22; ++i)
        EXPECT_EQ(edit(i + 1)->code(), 101 + i);
    EXPECT_EQ(edit(1)->text(), "13.000");
    EXPECT_EQ(edit(9)->text(), "2.062");
    EXPECT_EQ(edit(6)->geometry(), QRect(146, 78, 40, 13));
    EXPECT_EQ(dialog->smallButton(5)->geometry(), QRect(0, 65, 8, 26));
    EXPECT_EQ(edit(22)->geometry(), QRect(342, 130, 40, 13));
    EXPECT_EQ(dialog->smallButton(21)->geometry(), QRect(194, 117, 8, 26));
}

TEST_F(CylinderDialogTest, CentreLineHeightMovesPivotsThreeAndFourStemHeightOnlyFour) {
    enter(2, "0.5");
    EXPECT_FLOAT_EQ(m.pivots.Y[3], 0.5f);
    EXPECT_FLOAT_EQ(m.pivots.Y[4], 2.562f);
    enter(9, "1");
    EXPECT_FLOAT_EQ(m.pivots.Y[3], 0.5f);
    EXPECT_FLOAT_EQ(m.pivots.Y[4], 1.5f);
    EXPECT_EQ(m.dyn.slots[1].name, "Valve Stem CL to Cyl CL");
    EXPECT_EQ(m.dyn.slots[2].name, "Cyl CL above Driver ctr");
    EXPECT_EQ(m.dyn.UndoCount, 2);
    EXPECT_EQ(m.dyn.undo[2].code, 102);
}

TEST_F(CylinderDialogTest, ResetEmptiesFrameVariablesTooAndLeavesTheScrollRange) {
    RegisterDimension(m, DriverDiaCode, 7.0f, "Driver Dia");
    enter(4, "5");
    ASSERT_EQ(m.dyn.slots[2].code, DriverDiaCode);
    m.cyl.CylinderReserve = 2;
    int ranges = 0;
    QObject::connect(dialog.get(), &DimensionDialog::revArmRangeChanged, [&] { ++ranges; });
    mouseClick(dialog->resetButton());
    EXPECT_FLOAT_EQ(m.cyl.CylBoreLength, 4.0f);
    EXPECT_EQ(edit(4)->text(), "4.000");
    EXPECT_EQ(m.cyl.CylinderReserve, 0.0f);
    EXPECT_TRUE(dynSlotEmpty(m, 1));
    EXPECT_TRUE(dynSlotEmpty(m, 2));
    EXPECT_EQ(m.dyn.UndoCount, 0);
    EXPECT_EQ(ranges, 0);
}

TEST_F(CylinderDialogTest, SmallButtonOfTheTwoLineRowSelectsItsCode) {
    std::vector<int> closeUps;
    QObject::connect(dialog.get(), &DimensionDialog::closeUpRequested,
                     [&](int code) { closeUps.push_back(code); });
    mouseClick(dialog->smallButton(5));
    mouseClick(dialog->smallButton(21));
    EXPECT_EQ(closeUps, (std::vector<int>{106, 122}));
    EXPECT_EQ(m.view.SelectedDimCode, 122);
}

TEST_F(CylinderDialogTest, CloseRunsTheSameSequenceAsTheFrameDialog) {
    storeDimension(m, LinkPivotHorzCode, 0.5L);
    m.events.rear.cutOffText = "50";
    int zero = 0;
    QObject::connect(dialog.get(), &DimensionDialog::revArmScrollToZero, [&] { ++zero; });
    mouseClick(dialog->closeButton());
    EXPECT_EQ(zero, 1);
    EXPECT_GT(m.gear.RevArmCen(), 0.5f);
    EXPECT_TRUE(m.events.rear.cutOffText.empty());
    EXPECT_FALSE(dialog->isVisible());
}
