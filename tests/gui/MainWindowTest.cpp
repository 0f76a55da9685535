#include "GuiTestSupport.h"

#include "model/LocalTime.h"
#include "view/MechanismView.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <cmath>

using namespace corvellan;
using namespace corvellan::test;

TEST_F(MainWindowTest, ClientAreaIsTheSizeOfTheOldScreenLayout) {
    EXPECT_EQ(window->centralWidget()->size(), QSize(632, 380));
    EXPECT_EQ(window->picture().size(), QSize(1280, 1024));
    // Fusion, under the program's own layer that shares the standard icons.
    const QStyle* style = QApplication::style();
    if (auto* proxy = qobject_cast<const QProxyStyle*>(style)) style = proxy->baseStyle();
    EXPECT_EQ(style->name().toLower(), "fusion");
}

TEST_F(MainWindowTest, EachTickDrawsTheTurnedGearIntoTheWindow) {
    window->tick();
    EXPECT_EQ(model.gear.DriverAngle, 10.0f); // the drawn frame shows the angle before it
    EXPECT_TRUE(window->windowTitle().startsWith("CORVELLAN Outside Admission            Nominal"))
        << window->windowTitle().toStdString();
    EXPECT_TRUE(window->windowTitle().endsWith("Version 2.6"));

    // The client area shows the picture from its top left corner: the red
    // cross of the driver centre at (140, 270).
    QImage shown = window->centralWidget()->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(140, 270)), QColor(Qt::red));
    EXPECT_EQ(QColor(shown.pixel(145, 275)), QColor(Qt::red));

    window->tick();
    EXPECT_EQ(model.gear.DriverAngle, 20.0f);
}

// The caption gives the date and time exactly as the command line's table
// does: the user's short date and long time, with no zone name.
TEST_F(MainWindowTest, CaptionTimeIsTheCommandLinesTime) {
    std::string date, before, after;
    localDateTime(date, before);
    window->tick();
    localDateTime(date, after);
    const QString title = window->windowTitle();
    const auto tail = [&](const std::string& time) {
        return QString::fromStdString("     " + date + "   " + time + "   Version 2.6");
    };
    EXPECT_TRUE(title.endsWith(tail(before)) || title.endsWith(tail(after))) << title.toStdString();
}

TEST_F(MainWindowTest, TimerRunsAtTheScreenRefreshInterval) {
    EXPECT_EQ(refreshIntervalMs(nullptr), 17); // 60 Hz where unknown
    EXPECT_EQ(window->timer()->interval(), refreshIntervalMs(window->screen()));
    EXPECT_GE(window->timer()->interval(), 1);
    // The timer drives the ticks.
    window->timer()->start();
    QTest::qWait(200);
    window->timer()->stop();
    EXPECT_GT(model.gear.DriverAngle, 0.0f);
}

TEST_F(MainWindowTest, ImpossibleGearBlinksTheErrorItemAndSoundsEvery21Ticks) {
    model.frame.ValveRod = 0.01f; // far too short to reach the valve spindle
    std::vector<bool> shown;
    std::vector<int> errors;
    for (int i = 0; i < 42; ++i) {
        window->tick();
        shown.push_back(action("Error")->isVisible());
        errors.push_back(sound.errors);
    }
    EXPECT_TRUE(shown[0]);
    EXPECT_TRUE(shown[8]);
    EXPECT_FALSE(shown[9]); // the tenth tick hides it and sounds
    EXPECT_EQ(errors[8], 0);
    EXPECT_EQ(errors[9], 1);
    EXPECT_EQ(errors[29], 1);
    EXPECT_EQ(errors[30], 2); // again 21 ticks later
    EXPECT_TRUE(shown[21]);
}

TEST_F(MainWindowTest, ErrorBeepOffKeepsTheIndicatorQuiet) {
    action("SetBeepOnError")->trigger();
    model.frame.ValveRod = 0.01f;
    for (int i = 0; i < 25; ++i) {
        window->tick();
        ASSERT_FALSE(action("Error")->isVisible()) << i;
    }
    EXPECT_EQ(sound.errors, 0);
}

TEST_F(MainWindowTest, MousePressEndsACloseUpOnTheNextFrame) {
    model.view.SelectedDimCode = 5;
    window->tick();
    window->tick();
    ASSERT_EQ(model.view.SelectedDimCode, 5);
    EXPECT_EQ(window->centralWidget()->cursor().shape(), Qt::WaitCursor);
    QTest::mouseClick(window->centralWidget(), Qt::LeftButton, {}, QPoint(300, 200));
    window->tick();
    EXPECT_EQ(model.view.SelectedDimCode, 0);
    EXPECT_EQ(model.view.current.ViewScale, 28.0f); // the view before the close-up
    EXPECT_NE(window->centralWidget()->cursor().shape(), Qt::WaitCursor);
}

TEST_F(MainWindowTest, ExitClosesTheWindow) {
    action("Exit1")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->timer()->isActive());
}
