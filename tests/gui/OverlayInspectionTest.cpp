#include "InspectionTestSupport.h"

#include "main/DrawLinesDialog.h"
#include "main/InspectionAids.h"
#include "main/KeyFilterEdit.h"
#include "main/OverlayRow.h"
#include "model/DimensionFile.h"

#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace corvellan;
using namespace corvellan::test;

namespace {

const QColor kGreen(0x00, 0x80, 0x00);
const QColor kYellow(0xFF, 0xFF, 0x00);

class OverlayDialogTest : public InspectionTest {
  protected:
    void SetUp() override {
        InspectionTest::SetUp();
        dialog = window->inspection().drawLinesDialog();
        action("RefPoints")->trigger();
    }

    void choose(const char* item) const {
        auto* radio = dialog->findChild<QRadioButton*>(item);
        ASSERT_NE(radio, nullptr) << item;
        QTest::mouseClick(radio, Qt::LeftButton);
    }
    void press(const char* name) const {
        QTest::mouseClick(dialog->findChild<QPushButton*>(name), Qt::LeftButton);
    }
    // Runs `drive` in the dialog opened from the menu.
    void inDialog(const std::function<void()>& drive) {
        whileModal([&] { action("DrawLines1")->trigger(); }, drive);
    }
    // A fixed circle of radius 5 about the driver centre, as item n.
    void defineFixedCircle() {
        clickPicture(140, 270);                  // reference point 1 at (0, 0)
        clickPicture(224, 158, Qt::RightButton); // reference point 2 at (3, 4)
        inDialog([&] {
            choose("Circle");
            choose("Yellow");
            choose("0,0");
            EXPECT_TRUE(dialog->findChild<QPushButton*>("DrawBut")->isEnabled());
            press("DrawBut");
        });
    }
    // A line from window pixel (400, 200) to (450, 250) carried by the crank
    // pin (pivot 2), picked through the main window.
    void defineLineOnCrankPin() {
        clickPicture(400, 200);
        clickPicture(450, 250, Qt::RightButton);
        inDialog([&] {
            choose("Line");
            choose("Green");
            choose("Pivot1"); // closes the dialog for the pick
        });
        EXPECT_TRUE(model.overlayDialog.pickPrompt);
        prompt = recordFrame();
        whileModal([&] { clickPicture(model.pivots.ScreenX[2], model.pivots.ScreenY[2]); },
                   [&] {
                       EXPECT_EQ(model.overlay.Ref1Pivot[model.overlay.CurrentOverlayItem], 2.0f);
                       press("DrawBut");
                   });
        EXPECT_FALSE(model.overlayDialog.pickPrompt);
    }

    TDrawLines* dialog = nullptr;
    RecordingCanvas prompt;
};

// Pixels of the two overlay colours in the part of the frame the window shows.
std::vector<QPoint> overlayPixels(const QImage& image) {
    std::vector<QPoint> found;
    for (int y = 0; y < 380; ++y)
        for (int x = 0; x < 632; ++x) {
            const QColor c(image.pixel(x, y));
            if (c == kGreen || c == kYellow) found.emplace_back(x, y);
        }
    return found;
}

} // namespace

TEST_F(OverlayDialogTest, FixedCircleThroughTwoReferencePointsHasRadiusFive) {
    defineFixedCircle();
    EXPECT_FALSE(dialog->isVisible());
    OverlayRow* row = dialog->row(1);
    EXPECT_EQ(row->typeLabel()->text(), "Circle");
    EXPECT_EQ(row->colourLabel()->text(), "Yellow");
    EXPECT_EQ(row->refLabel()->text(), "0 , 0");
    EXPECT_EQ(row->box(0)->text().toDouble(), 0.0);
    EXPECT_EQ(row->box(1)->text(), "  0.000");
    EXPECT_EQ(row->box(2)->text(), "");
    EXPECT_EQ(row->box(3)->text(), "  5.000");
    EXPECT_EQ(model.overlay.CurrentOverlayItem, 2);

    // Drawn about the driver centre: 140 pixels each way at scale 28.
    window->tick();
    EXPECT_TRUE(colourNear(140, 130, kYellow));
    EXPECT_TRUE(colourNear(280, 270, kYellow));
    EXPECT_TRUE(colourNear(1, 270, kYellow));
    EXPECT_FALSE(colourNear(140, 270, kYellow, 20));
    // With the screen data off as well.
    action("SetScreenData")->trigger();
    window->tick();
    EXPECT_TRUE(colourNear(140, 130, kYellow));
}

TEST_F(OverlayDialogTest, LinePickedOnAPivotFollowsItAsTheGearTurns) {
    defineLineOnCrankPin();
    EXPECT_EQ(textAt(prompt, 10, 130), "STOP MOTION AND SELECT PIVOT 1");
    EXPECT_EQ(textAt(prompt, 10, 143), "USE LEFT MOUSE BUTTON");
    EXPECT_EQ(model.overlay.RefMode[1], 1.0f);
    EXPECT_EQ(dialog->row(1)->refLabel()->text(), "Pivot1");

    window->tick();
    EXPECT_EQ(textAt(recordFrame(), 10, 130), ""); // the prompt has gone
    EXPECT_EQ(pixel(400, 200), kGreen);
    EXPECT_EQ(pixel(425, 225), kGreen);
    EXPECT_EQ(pixel(449, 249), kGreen);

    // A quarter turn carries the line with the crank pin, shape unchanged.
    const int x0 = model.pivots.ScreenX[2], y0 = model.pivots.ScreenY[2];
    model.gear.DriverAngle += 90;
    window->tick();
    const int dx = model.pivots.ScreenX[2] - x0, dy = model.pivots.ScreenY[2] - y0;
    ASSERT_GT(std::abs(dx) + std::abs(dy), 20);
    EXPECT_TRUE(colourNear(400 + dx, 200 + dy, kGreen));
    EXPECT_TRUE(colourNear(425 + dx, 225 + dy, kGreen));
    EXPECT_TRUE(colourNear(448 + dx, 248 + dy, kGreen));
    EXPECT_NE(pixel(425, 225), kGreen);
}

TEST_F(OverlayDialogTest, TwoPivotLineReopensOnTheRightClickAfterALeftOne) {
    clickPicture(400, 200);
    clickPicture(450, 250, Qt::RightButton);
    inDialog([&] {
        choose("Line");
        choose("Red");
        choose("Piv1/Piv2");
    });
    EXPECT_EQ(textAt(recordFrame(), 10, 143), "USE LEFT MOUSE BUTTON FIRST THEN RIGHT");
    clickPicture(model.pivots.ScreenX[2], model.pivots.ScreenY[2]); // the dialog stays shut
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    whileModal(
        [&] { clickPicture(model.pivots.ScreenX[3], model.pivots.ScreenY[3], Qt::RightButton); },
        [&] { press("DrawBut"); });
    EXPECT_EQ(model.overlay.RefMode[1], 3.0f);
    EXPECT_EQ(model.overlay.Ref1Pivot[1], 2.0f);
    EXPECT_EQ(model.overlay.Ref2Pivot[1], 3.0f);
    EXPECT_EQ(dialog->row(1)->refLabel()->text(), "Piv1/P2");
}

TEST_F(OverlayDialogTest, ItemsComeBackFromAFileInTheSamePlaces) {
    defineLineOnCrankPin();
    defineFixedCircle();
    QTemporaryDir folder;
    const std::string path = folder.filePath("overlay.dco").toStdString();
    ASSERT_TRUE(saveDimensionFile(model, path).ok);
    // Without the reference crosses, which lie on the circle and the line.
    action("RefPoints")->trigger();
    window->tick();
    const std::vector<QPoint> drawn = overlayPixels(window->picture());
    ASSERT_GT(drawn.size(), 300u);

    Model fresh;
    CountingSound freshSound;
    TMainForm other(fresh, freshSound);
    other.timer()->stop();
    ASSERT_TRUE(openDimensionFile(fresh, path).ok);
    TDrawLines* otherDialog = other.inspection().drawLinesDialog();
    otherDialog->markCurrentOverlayItem();
    other.inspection().refillOverlayRows();
    fresh.gear.StepAngle = 0;
    fresh.gear.DriverAngle = model.gear.DriverAngle;
    fresh.gear.RevArmPos = model.gear.RevArmPos;
    other.tick();
    EXPECT_EQ(overlayPixels(other.picture()), drawn);

    EXPECT_EQ(otherDialog->row(1)->typeLabel()->text(), "Line");
    EXPECT_EQ(otherDialog->row(1)->colourLabel()->text(), "Green");
    EXPECT_EQ(otherDialog->row(1)->refLabel()->text(), "Pivot1");
    EXPECT_EQ(otherDialog->row(2)->typeLabel()->text(), "Circle");
    // Opened from a file, a circle's third box shows its leftover value.
    EXPECT_EQ(otherDialog->row(2)->box(2)->text(), "  4.000");
    EXPECT_EQ(otherDialog->row(2)->box(3)->text(), "  5.000");
    EXPECT_EQ(fresh.overlay.CurrentOverlayItem, 3);
    EXPECT_EQ(fresh.overlayDialog.markedItem, 3);
}

TEST_F(OverlayDialogTest, RefusedChoicesBeepAndClearThemselves) {
    // Both points at (0, 0): the menu beeps, and a type beeps and closes.
    inDialog([&] {
        EXPECT_EQ(sound.beeps, 1);
        choose("Line");
        EXPECT_EQ(sound.beeps, 2);
    });
    EXPECT_EQ(dialog->typeGroup()->checkedId(), -1);
    EXPECT_EQ(model.overlay.Type[1], -1.0f);

    clickPicture(300, 300, Qt::RightButton);
    inDialog([&] {
        EXPECT_EQ(sound.beeps, 2); // no beep now
        choose("Red");             // no type yet
        EXPECT_EQ(sound.beeps, 3);
        EXPECT_EQ(dialog->colourGroup()->checkedId(), -1);
        choose("Circle");
        choose("Blue");
        choose("Piv1/0,0"); // circles are fixed or follow one pivot
        EXPECT_EQ(sound.beeps, 4);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->typeGroup()->checkedId(), -1);
        EXPECT_EQ(dialog->referenceGroup()->checkedId(), -1);
        EXPECT_EQ(dialog->row(1)->typeLabel()->text(), "");
        EXPECT_FALSE(model.overlayDialog.pickPrompt);
        press("CloseBut");
    });
    EXPECT_EQ(model.overlay.Type[1], -1.0f);
}

TEST_F(OverlayDialogTest, RowsSelectEditAndClear) {
    clickPicture(300, 300, Qt::RightButton);
    inDialog([&] {
        OverlayRow* row = dialog->row(5);
        QTest::mouseClick(row, Qt::LeftButton, {}, row->number()->geometry().center());
        EXPECT_EQ(model.overlay.CurrentOverlayItem, 5);
        EXPECT_EQ(row->palette().color(QPalette::Window), QColor(0x00, 0xFF, 0xFF));
        EXPECT_EQ(dialog->row(1)->palette().color(QPalette::Window), QColor(Qt::white));

        choose("Circle");
        EXPECT_EQ(row->typeLabel()->text(), "Circle");
        // The third box of a circle row takes no key; the others filter.
        QTest::keyClicks(row->box(2), "12");
        EXPECT_EQ(row->box(2)->text(), "");
        // Offscreen, the modal dialog is not made the active window by itself.
        QApplication::setActiveWindow(dialog);
        QTest::mouseClick(row->box(0), Qt::LeftButton);
        QTest::keyClicks(row->box(0), "-1.2.5-x");
        EXPECT_EQ(row->box(0)->text(), "-1.25");
        QTest::mouseClick(row->box(1), Qt::LeftButton); // leaving the box stores it
        EXPECT_EQ(model.overlay.Y1[5], -1.25f);

        press("ClearLine");
        EXPECT_EQ(row->typeLabel()->text(), "");
        EXPECT_EQ(row->box(0)->text(), "");
        EXPECT_EQ(model.overlay.Y1[5], 0.0f);
        EXPECT_EQ(dialog->typeGroup()->checkedId(), -1);
        press("CloseBut");
    });

    // "Draw Close" on the last item stays there and beeps.
    model.overlay.CurrentOverlayItem = 20;
    const int beeps = sound.beeps;
    inDialog([&] {
        EXPECT_FALSE(dialog->findChild<QPushButton*>("DrawBut")->isEnabled()); // nothing chosen
        press("CloseBut");
    });
    inDialog([&] {
        choose("Line");
        choose("Black");
        choose("0,0");
        press("DrawBut");
    });
    EXPECT_EQ(model.overlay.CurrentOverlayItem, 20);
    EXPECT_EQ(sound.beeps, beeps + 1);
    EXPECT_EQ(model.overlay.Type[20], 0.0f);
}
