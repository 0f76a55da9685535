#include "DialogDriver.h"

#include "dimensions/DimensionBox.h"
#include "dimensions/FrameDimDialog.h"
#include "model/DynVars.h"

#include <QPushButton>

#include <memory>
#include <vector>

using namespace corvellan;
using namespace corvellan::test;

namespace {

class FrameDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        initialiseModel(m);
        dialog = std::make_unique<TFrameDi>(m);
        showActive(dialog.get());
    }

    // How often `signal` is emitted from now on.
    template <typename Signal> const int& count(Signal signal) {
        counters.push_back(std::make_unique<int>(0));
        int* n = counters.back().get();
        QObject::connect(dialog.get(), signal, [n] { ++*n; });
        return *n;
    }

    DimensionBox* edit(int n) const { return dialog->box(n - 1); }

    // Clicks into box n, types `text` and presses Enter.
    void enter(int n, const QString& text) {
        edit(n)->setFocus(Qt::MouseFocusReason);
        edit(n)->selectAll();
        typeInto(edit(n), text);
        sendKey(edit(n), Qt::Key_Return, "\r");
    }

    // Enters box n and leaves it for the "Close" button without typing.
    void visit(int n) {
        edit(n)->setFocus(Qt::MouseFocusReason);
        dialog->closeButton()->setFocus(Qt::MouseFocusReason);
    }

    Model m;
    std::unique_ptr<TFrameDi> dialog;
    std::vector<std::unique_ptr<int>> counters;
};

} // namespace

TEST_F(FrameDialogTest, OpensWithNominalValuesAndTheFocusOnClose) {
    EXPECT_EQ(dialog->windowTitle(), "Frame Dimensions");
    EXPECT_EQ(dialog->size(), QSize(386, 192));
    EXPECT_EQ(edit(1)->text(), "7.000");
    EXPECT_EQ(edit(4)->text(), "180.000");
    EXPECT_EQ(edit(11)->text(), "3.155");
    EXPECT_EQ(edit(12)->text(), "0.000");
    EXPECT_EQ(QApplication::focusWidget(), dialog->closeButton());
    EXPECT_EQ(edit(9)->geometry(), QRect(342, 0, 40, 13));
    EXPECT_EQ(dialog->smallButton(13)->geometry(), QRect(194, 65, 8, 13));
}

TEST_F(FrameDialogTest, EnterCommitsTheAngleIntoOneTurnAndKeepsTheDialogOpen) {
    enter(4, "365");
    EXPECT_FLOAT_EQ(m.frame.EccCrankAngleDeg, 5.0f);
    EXPECT_EQ(edit(4)->text(), "5.000");
    EXPECT_EQ(QApplication::focusWidget(), dialog->closeButton());
    EXPECT_TRUE(dialog->isVisible());

    enter(4, "-90");
    EXPECT_FLOAT_EQ(m.frame.EccCrankAngleDeg, 270.0f);
    EXPECT_EQ(m.dyn.UndoCount, 2);
    EXPECT_EQ(m.dyn.undo[1].code, 4);
    EXPECT_FLOAT_EQ(m.dyn.undo[1].before, 5.0f);
    EXPECT_FLOAT_EQ(m.dyn.undo[1].after, 270.0f);
    EXPECT_EQ(m.dyn.undo[1].name, "Ecc Crank Angle Deg");
    EXPECT_EQ(m.dyn.undo[2].code, 4);
    EXPECT_FLOAT_EQ(m.dyn.undo[2].before, 180.0f);
    EXPECT_EQ(m.dyn.slots[1].code, 4);
    EXPECT_FALSE(m.dyn.DimEdited);
}

TEST_F(FrameDialogTest, KeyFilterSwallowsSecondPointOrMinusAndOtherKeys) {
    edit(2)->setFocus(Qt::MouseFocusReason);
    edit(2)->selectAll();
    typeInto(edit(2), "3.2.5");
    EXPECT_EQ(edit(2)->text(), "3.25");
    typeInto(edit(2), "x-a-");
    EXPECT_EQ(edit(2)->text(), "3.25-");
    sendKey(edit(2), Qt::Key_V, "\x16", Qt::ControlModifier);
    EXPECT_EQ(edit(2)->text(), "3.25-");
    // "3.25-" is not a well-formed number; its leading number stands.
    sendKey(edit(2), Qt::Key_Return, "\r");
    EXPECT_FLOAT_EQ(m.frame.Stroke, 3.25f);
}

TEST_F(FrameDialogTest, LeavingBoxesBindsDynamicVariablesNewestFirst) {
    for (int n : {1, 2, 5, 6, 7})
        visit(n);
    EXPECT_EQ(m.dyn.slots[1].name, "Valve Lever Upper");
    EXPECT_EQ(m.dyn.slots[2].name, "Valve Rod");
    EXPECT_EQ(m.dyn.slots[3].name, "Main Rod");
    EXPECT_EQ(m.dyn.slots[4].name, "Stroke");
    visit(2);
    EXPECT_EQ(m.dyn.slots[1].name, "Valve Lever Upper");
    EXPECT_EQ(m.dyn.slots[4].name, "Stroke");
    // Untouched boxes record nothing to undo and keep their values exactly.
    EXPECT_EQ(m.dyn.UndoCount, 0);
    EXPECT_FLOAT_EQ(m.frame.DriverDia, 7.0f);
}

TEST_F(FrameDialogTest, UntouchedBoxKeepsMoreThanThreeDecimals) {
    storeDimension(m, StrokeCode, 3.0625L);
    dialog->refresh();
    EXPECT_EQ(edit(2)->text(), "3.062");
    visit(2);
    EXPECT_FLOAT_EQ(m.frame.Stroke, 3.0625f);
}

TEST_F(FrameDialogTest, LinkPivotBoxesMoveBothPivotCopies) {
    enter(12, "0.5");
    enter(11, "3");
    EXPECT_FLOAT_EQ(m.pivots.X[8], 0.5f);
    EXPECT_FLOAT_EQ(m.pivots.X[9], 0.5f);
    EXPECT_FLOAT_EQ(m.pivots.Y[8], 3.0f);
    EXPECT_FLOAT_EQ(m.pivots.Y[9], 3.0f);
}

TEST_F(FrameDialogTest, ReverseArmLimitsClampAndSetTheScrollRange) {
    std::vector<std::pair<int, int>> ranges;
    QObject::connect(dialog.get(), &DimensionDialog::revArmRangeChanged,
                     [&](int min, int max) { ranges.emplace_back(min, max); });
    enter(14, "1");
    EXPECT_FLOAT_EQ(m.frame.RevArmToCentMax, 1.5f);
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges[0], std::make_pair(-1500, 1500));
    EXPECT_EQ(edit(14)->text(), "1.500");
    enter(13, "2");
    EXPECT_FLOAT_EQ(m.frame.RevArmToCentNorm, 1.5f);
    // Neither limit is a dynamic variable or recorded for undo.
    EXPECT_EQ(m.dyn.UndoCount, 0);
    EXPECT_TRUE(dynSlotEmpty(m, 1));
}

// A mouse click resets on the press and again on the click, and only the
// click clears undo; the keyboard resets once and clears undo.
TEST_F(FrameDialogTest, ResetByPressClickAndKeyboard) {
    const int& ranges = count(&DimensionDialog::revArmRangeChanged);
    enter(1, "8");
    mouseEvent(dialog->resetButton(), QEvent::MouseButtonPress);
    EXPECT_FLOAT_EQ(m.frame.DriverDia, 7.0f);
    EXPECT_EQ(edit(1)->text(), "7.000");
    EXPECT_TRUE(dynSlotEmpty(m, 1));
    EXPECT_EQ(m.dyn.UndoCount, 1);
    EXPECT_EQ(ranges, 1);
    mouseEvent(dialog->resetButton(), QEvent::MouseButtonRelease);
    EXPECT_EQ(m.dyn.UndoCount, 0);
    EXPECT_EQ(ranges, 2);

    enter(2, "4");
    dialog->resetButton()->setFocus(Qt::TabFocusReason);
    sendKey(dialog->resetButton(), Qt::Key_Space, " ");
    EXPECT_EQ(ranges, 3);
    EXPECT_FLOAT_EQ(m.frame.Stroke, 3.0f);
    EXPECT_EQ(m.dyn.UndoCount, 0);
}

TEST_F(FrameDialogTest, CloseButtonRunsTheCloseSequenceTheTitleBarDoesNot) {
    const int& zero = count(&DimensionDialog::revArmScrollToZero);
    enter(12, "0.5");
    dialog->close();
    EXPECT_EQ(zero, 0);
    EXPECT_FLOAT_EQ(m.gear.RevArmCen(), 0.00001f);

    showActive(dialog.get());
    m.events.front.cutOffText = "45";
    Real cenSeenByBar = 0;
    QObject::connect(dialog.get(), &DimensionDialog::revArmScrollToZero,
                     [&] { cenSeenByBar = m.gear.RevArmCen(); });
    mouseClick(dialog->closeButton());
    EXPECT_EQ(zero, 1);
    // Mid gear moved with the link pivot before the bar was asked to follow.
    EXPECT_GT(cenSeenByBar, 0.5f);
    EXPECT_FLOAT_EQ(m.gear.RevArmPos, cenSeenByBar);
    EXPECT_TRUE(m.events.front.cutOffText.empty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(FrameDialogTest, SmallButtonAsksForTheCloseUpAndTheDialogReopensFresh) {
    std::vector<int> closeUps;
    QObject::connect(dialog.get(), &DimensionDialog::closeUpRequested,
                     [&](int code) { closeUps.push_back(code); });
    mouseClick(dialog->smallButton(4));
    EXPECT_EQ(m.view.SelectedDimCode, 5);
    EXPECT_EQ(closeUps, std::vector<int>{5});

    // The main view closes the dialog and later opens it again.
    dialog->hide();
    storeDimension(m, MainRodCode, 8.5L);
    showActive(dialog.get());
    EXPECT_EQ(edit(5)->text(), "8.500");
    EXPECT_EQ(QApplication::focusWidget(), dialog->closeButton());
}

TEST_F(FrameDialogTest, TabOrderRunsThroughCloseAfterTheThirdBox) {
    edit(3)->setFocus(Qt::MouseFocusReason);
    sendKey(edit(3), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog->closeButton());
    sendKey(dialog->closeButton(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog->resetButton());
    sendKey(dialog->resetButton(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), edit(4));
    edit(14)->setFocus(Qt::MouseFocusReason);
    sendKey(edit(14), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog->smallButton(0));
}
