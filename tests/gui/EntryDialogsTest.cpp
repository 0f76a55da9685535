#include "GuiTestSupport.h"

#include "main/DrivAngDialog.h"
#include "main/GraphZoomDialog.h"
#include "main/RevPosDialog.h"
#include "main/StepAngleDialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace corvellan;
using namespace corvellan::test;

namespace {

QLineEdit* entryOf(QWidget* dialog) {
    return dialog->findChild<QLineEdit*>();
}

// Replaces the entry with `keys` typed one by one, then presses OK.
void typeAndOk(QWidget* dialog, const char* keys) {
    QLineEdit* edit = entryOf(dialog);
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, keys);
    QTest::mouseClick(dialog->findChild<QPushButton*>("OK"), Qt::LeftButton);
}

QStringList labelTexts(QWidget* dialog) {
    QStringList texts;
    for (QLabel* l : dialog->findChildren<QLabel*>())
        texts << l->text();
    return texts;
}

} // namespace

TEST_F(MainWindowTest, DriverAngleDialogStopsAtTheClampedAngle) {
    QWidget* dialog = window->driverAngleDialog();
    QString shown, typed;
    whileModal([&] { action("DriverAng")->trigger(); },
               [&] {
                   EXPECT_EQ(dialog->windowTitle(), "Driver Angle");
                   EXPECT_EQ(dialog->focusWidget(), dialog->findChild<QPushButton*>("Cancel"));
                   shown = entryOf(dialog)->text();
                   // Letters, a second "." and any "-" are swallowed.
                   entryOf(dialog)->clear();
                   QTest::keyClicks(entryOf(dialog), "1a2.3.-4");
                   typed = entryOf(dialog)->text();
                   typeAndOk(dialog, "400");
               });
    EXPECT_EQ(shown, "0.00"); // the motion was running
    EXPECT_EQ(typed, "12.34");
    EXPECT_TRUE(labelTexts(dialog).contains("Max = 360.00"));
    EXPECT_EQ(model.gear.DriverAngle, 360.0f);
    EXPECT_EQ(bar("SBDrvAng")->value(), 36000);
    EXPECT_EQ(model.gear.StepAngle, 0.0f);
    EXPECT_EQ(button("Run")->text(), "Run");

    // Stopped, it offers the angle where the driver stands.
    whileModal([&] { window->driverAngleDialog()->exec(); },
               [&] {
                   shown = entryOf(dialog)->text();
                   QTest::mouseClick(dialog->findChild<QPushButton*>("Cancel"), Qt::LeftButton);
               });
    EXPECT_EQ(shown, "360.00");
}

TEST_F(MainWindowTest, StepAngleDialogKeepsATypedStepOffTheLadder) {
    QWidget* dialog = window->stepAngleDialog();
    QString shown;
    whileModal([&] { action("StepAng1")->trigger(); },
               [&] {
                   shown = entryOf(dialog)->text();
                   typeAndOk(dialog, "7");
               });
    EXPECT_EQ(shown, "10.00");
    EXPECT_EQ(model.gear.StepAngleSetting, 7.0f);
    EXPECT_EQ(model.gear.StepAngle, 7.0f); // still running
    EXPECT_EQ(bar("SBStepAng")->value(), 11380);
    EXPECT_EQ(bar("SBDrvAng")->singleStep(), 700);
    EXPECT_EQ(bar("SBDrvAng")->pageStep(), 3500);
    EXPECT_TRUE(button("Step10")->isEnabled());

    // The next change of the bar snaps again.
    bar("SBStepAng")->setValue(11381);
    EXPECT_EQ(model.gear.StepAngleSetting, 5.0f);

    whileModal([&] { window->stepAngleDialog()->exec(); }, [&] { typeAndOk(dialog, "100"); });
    EXPECT_EQ(model.gear.StepAngleSetting, 45.0f);
    EXPECT_EQ(bar("SBStepAng")->value(), 14613);
    EXPECT_EQ(bar("SBDrvAng")->pageStep(), 22500); // no cap for a typed step

    click("Run");
    whileModal([&] { window->stepAngleDialog()->exec(); },
               [&] {
                   shown = entryOf(dialog)->text();
                   typeAndOk(dialog, "0");
               });
    EXPECT_EQ(shown, "0.00"); // stopped
    EXPECT_EQ(model.gear.StepAngleSetting, 0.01f);
    EXPECT_EQ(model.gear.StepAngle, 0.0f); // still stopped
    EXPECT_EQ(button("Run")->text(), "Run");
    EXPECT_EQ(bar("SBStepAng")->value(), 0);
}

TEST_F(MainWindowTest, StepAngleDialogOnTheSamePositionSnapsAgainAtOnce) {
    QWidget* dialog = window->stepAngleDialog();
    // 10.001 maps to position 12000, where the bar already stands.
    whileModal([&] { window->stepAngleDialog()->exec(); }, [&] { typeAndOk(dialog, "10.001"); });
    EXPECT_FLOAT_EQ(model.gear.StepAngleSetting, 10.001f);
    bar("SBStepAng")->setValue(12001);
    EXPECT_EQ(model.gear.StepAngleSetting, 10.0f);
}

TEST_F(MainWindowTest, ReverseArmDialogShowsTheTravelAndClamps) {
    QWidget* dialog = window->revArmDialog();
    QString shown, typed;
    whileModal([&] { action("RevArmPos")->trigger(); },
               [&] {
                   shown = entryOf(dialog)->text();
                   entryOf(dialog)->clear();
                   QTest::keyClicks(entryOf(dialog), "-1.2-.5x");
                   typed = entryOf(dialog)->text();
                   typeAndOk(dialog, "99");
               });
    EXPECT_EQ(dialog->windowTitle(), "Reverse Arm Position");
    EXPECT_EQ(shown, "  0.000");
    EXPECT_EQ(typed, "-1.25");
    QStringList labels = labelTexts(dialog);
    for (const char* text :
         {"Rev = 1.500", "Cen = 0.000", "Fwd = -1.500", "Max = 1.700", "Min = -1.700"})
        EXPECT_TRUE(labels.contains(text)) << text << " in " << labels.join("|").toStdString();
    EXPECT_EQ(bar("SBRevArm")->value(), -1700); // full reverse
    EXPECT_EQ(model.gear.Direction, "Rev");

    whileModal([&] { window->revArmDialog()->exec(); }, [&] { typeAndOk(dialog, "-0.25"); });
    EXPECT_EQ(bar("SBRevArm")->value(), 250);
    EXPECT_EQ(model.gear.Direction, "Fwd");
}

TEST_F(MainWindowTest, GraphicZoomDialogClampsAndCancelKeeps) {
    QWidget* dialog = window->graphicZoomDialog();
    QString shown;
    whileModal([&] { action("SetGraphicZoom")->trigger(); },
               [&] {
                   shown = entryOf(dialog)->text();
                   typeAndOk(dialog, "0.1");
               });
    EXPECT_EQ(shown, "7.50");
    EXPECT_EQ(model.view.GraphicZoom, 0.5f);
    whileModal([&] { window->graphicZoomDialog()->exec(); }, [&] { typeAndOk(dialog, "5000"); });
    EXPECT_EQ(model.view.GraphicZoom, 2000.0f);
    whileModal([&] { window->graphicZoomDialog()->exec(); },
               [&] {
                   entryOf(dialog)->setText("12");
                   QTest::keyClick(dialog, Qt::Key_Escape);
               });
    EXPECT_EQ(model.view.GraphicZoom, 2000.0f);
}
