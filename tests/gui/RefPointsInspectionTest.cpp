#include "InspectionTestSupport.h"

#include "main/InspectionAids.h"
#include "main/KeyFilterEdit.h"
#include "main/RefPntsDialog.h"

#include <QTest>

using namespace corvellan;
using namespace corvellan::test;

namespace {

const char* const kRefBars[4] = {"SBRef1Vert", "SBRef1Horz", "SBRef2Vert", "SBRef2Horz"};

} // namespace

TEST_F(InspectionTest, ReferencePointModeShowsItsControlsAndEnablesTheOverlay) {
    for (const char* name : kRefBars)
        EXPECT_FALSE(bar(name)->isVisible()) << name;
    EXPECT_FALSE(button("RefPt1")->isEnabled());
    EXPECT_FALSE(action("DrawLines1")->isEnabled());
    EXPECT_FALSE(action("ToolDrawLines")->isEnabled());

    action("RefPoints")->trigger();
    EXPECT_TRUE(model.refPoints.mode);
    for (const char* name : kRefBars)
        EXPECT_TRUE(bar(name)->isVisible()) << name;
    EXPECT_TRUE(button("RefPt1Zero")->isVisible());
    EXPECT_FALSE(button("RefPt1Zero")->isEnabled()); // nothing placed yet
    EXPECT_TRUE(button("RefPt2")->isEnabled());
    EXPECT_TRUE(window->findChild<QWidget*>("Panel11")->isVisible());
    EXPECT_TRUE(action("DrawLines1")->isEnabled());
    EXPECT_TRUE(action("ToolDrawLines")->isEnabled());

    // The tool bar button is the same toggle.
    action("ToolRefPoints")->trigger();
    EXPECT_FALSE(model.refPoints.mode);
    EXPECT_FALSE(bar("SBRef1Vert")->isVisible());
    EXPECT_FALSE(action("DrawLines1")->isEnabled());
}

TEST_F(InspectionTest, MousePlacesPointsOnlyInsideTheDrawingAreaWhileTheModeIsOn) {
    clickPicture(100, 200);
    EXPECT_EQ(model.pivots.X[19], 0.0f); // mode off
    action("RefPoints")->trigger();

    clickPicture(100, 200); // below row 120: inside
    EXPECT_FLOAT_EQ(model.pivots.X[19], -40.0f / 28);
    EXPECT_FLOAT_EQ(model.pivots.Y[19], 2.5f);
    EXPECT_TRUE(button("RefPt1Zero")->isEnabled());
    EXPECT_FALSE(button("RefPt2Zero")->isEnabled());

    clickPicture(200, 90); // the band of the controls, left of column 248
    EXPECT_FLOAT_EQ(model.pivots.Y[19], 2.5f);
    clickPicture(300, 90); // the same band right of it
    EXPECT_FLOAT_EQ(model.pivots.X[19], 160.0f / 28);
    EXPECT_FLOAT_EQ(model.pivots.Y[19], 180.0f / 28);

    clickPicture(224, 158, Qt::RightButton);
    EXPECT_EQ(model.pivots.X[20], 3.0f);
    EXPECT_EQ(model.pivots.Y[20], 4.0f);
    EXPECT_TRUE(button("RefPt2Zero")->isEnabled());

    click("RefPt1Zero");
    EXPECT_EQ(model.pivots.X[19], 0.0f);
    EXPECT_EQ(model.pivots.Y[19], 0.0f);
    EXPECT_FALSE(button("RefPt1Zero")->isEnabled());
    EXPECT_EQ(model.pivots.X[20], 3.0f); // point 2 stays
}

TEST_F(InspectionTest, JogBarsMoveThePointsByArrowAndTroughSteps) {
    action("RefPoints")->trigger();
    clickBar(bar("SBRef1Horz"), QStyle::SC_ScrollBarAddPage);
    EXPECT_NEAR(model.pivots.X[19], 0.025, 1e-6);
    EXPECT_EQ(bar("SBRef1Horz")->value(), 0); // back at rest
    EXPECT_TRUE(button("RefPt1Zero")->isEnabled());
    clickBar(bar("SBRef1Horz"), QStyle::SC_ScrollBarAddLine);
    EXPECT_NEAR(model.pivots.X[19], 0.026, 1e-6);
    clickBar(bar("SBRef2Vert"), QStyle::SC_ScrollBarSubLine);
    EXPECT_NEAR(model.pivots.Y[20], -0.001, 1e-6);
    clickBar(bar("SBRef2Vert"), QStyle::SC_ScrollBarSubPage);
    EXPECT_NEAR(model.pivots.Y[20], -0.026, 1e-6);
    EXPECT_EQ(model.pivots.Y[19], 0.0f);
    EXPECT_EQ(model.pivots.X[20], 0.0f);
}

TEST_F(InspectionTest, ReadoutShowsCoordinatesDistanceAndCrosses) {
    action("RefPoints")->trigger();
    clickPicture(140, 270);                  // point 1 at (0, 0)
    clickPicture(224, 158, Qt::RightButton); // point 2 at (3, 4)
    RecordingCanvas frame = recordFrame();
    EXPECT_EQ(textAt(frame, 143, 95), "Pt2V  4.000");
    EXPECT_EQ(textAt(frame, 143, 107), "Pt2H  3.000");
    EXPECT_EQ(textAt(frame, 210, 71), "-4.000");
    EXPECT_EQ(textAt(frame, 207, 95), "Pt1-Pt2");
    EXPECT_EQ(textAt(frame, 209, 107), " 5.000");
    EXPECT_EQ(textAt(frame, 227, 141), "2"); // 3 right of and 17 above the cross
    // The cross of point 2 in the window's own frame: 20 pixels each way.
    const QColor black(Qt::black);
    EXPECT_EQ(pixel(214, 158), black);
    EXPECT_EQ(pixel(233, 158), black);
    EXPECT_EQ(pixel(224, 148), black);
    EXPECT_EQ(pixel(224, 167), black);

    // At the large font the texts move, the crosses do not.
    action("LargeFont")->trigger();
    frame = recordFrame();
    EXPECT_EQ(textAt(frame, 265, 131), " 5.000"); // (209, 107) x (1.27, 1.22)
    EXPECT_EQ(textAt(frame, 227, 141), "2");

    action("RefPoints")->trigger();
    frame = recordFrame();
    EXPECT_EQ(frame.findText("Pt1V"), nullptr);
    EXPECT_NE(pixel(214, 158), black); // the cross has gone with the mode
    EXPECT_NE(pixel(224, 148), black);
}

TEST_F(InspectionTest, ReferencePointsDialogOkZeroAndCancel) {
    auto* dialog = window->inspection().refPointsDialog();
    whileModal([&] { action("RefPoints1")->trigger(); },
               [&] {
                   EXPECT_EQ(dialog->windowTitle(), "Reference Points");
                   EXPECT_EQ(dialog->box(0)->text(), "0.000");
                   EXPECT_EQ(dialog->focusWidget(), dialog->findChild<QPushButton*>("Cancel"));
                   // Letters and a second "." are swallowed; "-" is not limited.
                   dialog->box(2)->clear();
                   QTest::keyClicks(dialog->box(2), "-4x.5.-");
                   EXPECT_EQ(dialog->box(2)->text(), "-4.5-");
                   dialog->box(2)->clear();
                   QTest::keyClicks(dialog->box(2), "4");
                   dialog->box(3)->clear();
                   QTest::keyClicks(dialog->box(3), "3");
                   QTest::mouseClick(dialog->findChild<QPushButton*>("OK"), Qt::LeftButton);
               });
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(model.refPoints.mode); // OK leaves the mode on
    EXPECT_TRUE(bar("SBRef2Horz")->isVisible());
    EXPECT_EQ(model.pivots.Y[20], 4.0f);
    EXPECT_EQ(model.pivots.X[20], 3.0f);
    EXPECT_FALSE(button("RefPt1Zero")->isEnabled()); // point 1 typed as zero
    EXPECT_TRUE(button("RefPt2Zero")->isEnabled());
    EXPECT_EQ(textAt(recordFrame(), 209, 107), " 5.000");

    // Cancel keeps the points and turns the mode off, even though it was on.
    whileModal([&] { action("RefPoints1")->trigger(); },
               [&] {
                   EXPECT_EQ(dialog->box(2)->text(), "4.000");
                   dialog->box(2)->clear();
                   QTest::keyClicks(dialog->box(2), "9");
                   QTest::mouseClick(dialog->findChild<QPushButton*>("Cancel"), Qt::LeftButton);
               });
    EXPECT_FALSE(model.refPoints.mode);
    EXPECT_FALSE(bar("SBRef2Horz")->isVisible());
    EXPECT_EQ(model.pivots.Y[20], 4.0f);

    // Zero clears both points and leaves the mode off.
    action("RefPoints")->trigger();
    whileModal([&] { action("RefPoints1")->trigger(); },
               [&] { QTest::mouseClick(dialog->findChild<QPushButton*>("Zero"), Qt::LeftButton); });
    EXPECT_FALSE(model.refPoints.mode);
    EXPECT_EQ(model.pivots.Y[20], 0.0f);
    EXPECT_FALSE(button("RefPt2Zero")->isEnabled());
}

TEST_F(InspectionTest, RecentringMovesThePointToTheCentreThroughThePanBars) {
    action("RefPoints")->trigger();
    clickPicture(280, 270); // point 1 at (5, 0)
    click("RefPt1");
    // The offsets put the point at (320, 240); each pan bar then jogs once
    // more, by a tenth of the position it was given (-29 and -22).
    EXPECT_NEAR(model.view.current.ViewOffsetX, 177.1, 1e-4);
    EXPECT_NEAR(model.view.current.ViewOffsetY, 242.2, 1e-4);
    EXPECT_EQ(model.view.current.ViewScale, 28.0f);
    EXPECT_EQ(bar("SBPanHorz")->value(), 0);
    EXPECT_TRUE(button("NormVHZ")->isEnabled());
}

TEST_F(InspectionTest, ScreenDataOffEndsBothModesAndTheirCommands) {
    action("SetPivotData")->trigger();
    ASSERT_TRUE(model.refPoints.mode);
    action("SetScreenData")->trigger();
    EXPECT_FALSE(model.refPoints.mode);
    EXPECT_FALSE(model.pivotData.mode);
    EXPECT_FALSE(button("DataTableBut")->isVisible());
    EXPECT_FALSE(button("RefPt1")->isVisible());
    EXPECT_FALSE(bar("SBRef1Vert")->isVisible());
    for (const char* name : {"RefPoints", "SetPivotData", "DrawLines1", "ToolDrawLines"})
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    EXPECT_FALSE(action("RefPoints1")->isVisible());

    action("SetScreenData")->trigger();
    EXPECT_FALSE(model.refPoints.mode); // they stay off
    EXPECT_TRUE(button("RefPt1")->isVisible());
    EXPECT_FALSE(button("RefPt1")->isEnabled());
    EXPECT_TRUE(action("RefPoints")->isEnabled());
    EXPECT_TRUE(action("SetPivotData")->isEnabled());
    EXPECT_FALSE(action("DrawLines1")->isEnabled());
    EXPECT_TRUE(action("RefPoints1")->isVisible());
}

TEST_F(InspectionTest, APointFarOffThePictureDrawsNoStrayCross) {
    action("RefPoints")->trigger();
    // Typed or jogged that far, the point's column is the end of the int
    // range: the cross must not wrap round into a line across the picture.
    model.pivots.X[19] = 3.0e38f;
    model.pivots.Y[19] = 7; // row 74, where the nominal gear draws no line
    RecordingCanvas frame = recordFrame();
    for (const Primitive& p : frame.ofKind(PrimitiveKind::Line)) {
        const bool crossesThePicture = std::min(p.coords[0], p.coords[2]) < 632 &&
                                       std::max(p.coords[0], p.coords[2]) > 0;
        EXPECT_FALSE(p.coords[1] == 74 && p.coords[3] == 74 && crossesThePicture)
            << p.toLine();
    }
}
