#include "DiagramWindowTestSupport.h"

#include "diagramwindows/SetRevArmDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace corvellan;
using namespace corvellan::test;

namespace {

// Where slot k's legend "Rev Arm Position  k" is drawn (at text scale 1).
QRect slotLegend(int k) {
    const int x = k <= 4 ? 13 : 165;
    const int y = k <= 4 ? 25 + 13 * k : 25 + 13 * (k - 5);
    return QRect(x, y + 2, 100, 10);
}

class PositionsDialogTest : public DiagramWindowTest {
  protected:
    void SetUp() override {
        DiagramWindowTest::SetUp();
        dialog = windows().positions;
    }
    // Shows the dialog modally, as the diagram windows do, and runs `body`
    // inside it; a dialog that `body` leaves open is closed afterwards.
    void drive(const std::function<void()>& body) {
        whenModal(dialog, [this, body] {
            body();
            if (dialog->isVisible()) dialog->closeButton()->click();
        });
        dialog->exec();
    }
    // Types into box `index` from empty; the focus stays in the box.
    void type(int index, const char* keys) {
        QLineEdit* box = dialog->box(index);
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, keys);
    }
    TSetRevArm* dialog = nullptr;
};

} // namespace

TEST_F(PositionsDialogTest, OpeningShowsTheMidGearPositionsAndCountsThem) {
    ASSERT_EQ(model.diagrams.RevArmPosCount, 0); // until the dialog first refreshes
    drive([&] {
        EXPECT_EQ(model.diagrams.RevArmPosCount, 3);
        EXPECT_EQ(dialog->box(1)->text(), "0.000");
        EXPECT_EQ(dialog->box(2)->text(), "-1.500");
        EXPECT_EQ(dialog->box(3)->text(), "1.500");
        EXPECT_EQ(dialog->box(0)->text(), "1.500"); // the vertical scale
        EXPECT_TRUE(dialog->box(4)->isVisible());   // the next free slot
        EXPECT_FALSE(dialog->box(5)->isVisible());
        EXPECT_GT(inkIn(dialog->picture(), slotLegend(4)), 0);
        EXPECT_EQ(inkIn(dialog->picture(), slotLegend(5)), 0);
        EXPECT_TRUE(dialog->closeButton()->hasFocus());
    });
    EXPECT_TRUE(model.diagrams.RevArmDialogClosed);
}

TEST_F(PositionsDialogTest, TypingInTheLastVisibleSlotOpensTheNext) {
    drive([&] {
        type(4, "x"); // even a key the box refuses
        EXPECT_EQ(dialog->box(4)->text(), "");
        EXPECT_TRUE(dialog->box(5)->isVisible());
        EXPECT_GT(inkIn(dialog->picture(), slotLegend(5)), 0);
        EXPECT_FALSE(dialog->box(6)->isVisible());
        // The scale opens nothing.
        const QImage before = dialog->picture().copy();
        type(0, "2");
        EXPECT_EQ(dialog->picture(), before);
        EXPECT_FALSE(dialog->box(6)->isVisible());
    });
}

TEST_F(PositionsDialogTest, KeyFilterTakesOnePointAndOneMinus) {
    drive([&] {
        type(4, "1.2.3");
        EXPECT_EQ(dialog->box(4)->text(), "1.23");
        type(5, "--1a");
        EXPECT_EQ(dialog->box(5)->text(), "-1");
        QTest::keyClick(dialog->box(5), Qt::Key_Backspace);
        EXPECT_EQ(dialog->box(5)->text(), "-");
    });
}

TEST_F(PositionsDialogTest, LeavingBoxesClampsAndCloseRecountsAndRaisesTheFlag) {
    drive([&] {
        type(1, "0");  // slot 1 is never empty
        type(2, "5");  // beyond the reverse limit RevArmCen + 1.7
        type(3, "-5"); // beyond the forward limit
        type(4, "0.25");
        type(0, "0.05"); // below the smallest scale
        // Leaving a box stores it but does not rewrite its text.
        dialog->box(1)->setFocus();
        EXPECT_EQ(dialog->box(0)->text(), "0.05");
        EXPECT_FLOAT_EQ(model.diagrams.VerticalScale, 0.1f);
        QTest::mouseClick(dialog->closeButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_FLOAT_EQ(model.gear.RevArmPositions[1], 0.001f);
    // The limits lie 1.7 either side of mid gear (which is not exactly 0).
    const double cen = model.gear.RevArmCen();
    EXPECT_NEAR(model.gear.RevArmPositions[2], cen + 1.7, 1e-6);
    EXPECT_NEAR(model.gear.RevArmPositions[3], cen - 1.7, 1e-6);
    EXPECT_FLOAT_EQ(model.gear.RevArmPositions[4], 0.25f);
    EXPECT_EQ(model.diagrams.RevArmPosCount, 4);
    EXPECT_TRUE(model.diagrams.RevArmDialogClosed);
    // The clamped values show at the refresh.
    EXPECT_EQ(dialog->box(2)->text(), "1.700");
    EXPECT_EQ(dialog->box(0)->text(), "0.100");
}

TEST_F(PositionsDialogTest, AnEmptiedSlotEmptiesThoseAfterItAtTheRefresh) {
    model.gear.RevArmPositions[4] = 0.5f;
    model.gear.RevArmPositions[5] = 0.6f;
    drive([&] {
        ASSERT_EQ(model.diagrams.RevArmPosCount, 5);
        EXPECT_GT(inkIn(dialog->picture(), slotLegend(6)), 0);
        type(2, "0");
    });
    EXPECT_EQ(model.diagrams.RevArmPosCount, 1);
    for (int k = 2; k <= 9; ++k)
        EXPECT_EQ(model.gear.RevArmPositions[static_cast<size_t>(k)], 0.0f) << k;
    drive([&] {
        EXPECT_TRUE(dialog->box(2)->isVisible());
        EXPECT_FALSE(dialog->box(3)->isVisible());
        // The legends the emptied slots had are gone with them.
        EXPECT_EQ(inkIn(dialog->picture(), slotLegend(3)), 0);
        EXPECT_EQ(inkIn(dialog->picture(), slotLegend(6)), 0);
    });
}

TEST_F(PositionsDialogTest, ClosingByTheWindowKeepsTheBoxBeingTyped) {
    drive([&] {
        type(4, "0.75");
        dialog->close(); // the close box, not "Close"
    });
    EXPECT_FLOAT_EQ(model.gear.RevArmPositions[4], 0.75f);
    EXPECT_EQ(model.diagrams.RevArmPosCount, 4);
    EXPECT_TRUE(model.diagrams.RevArmDialogClosed);
}
