// The indicator diagram and performance windows on the real computation:
// the indicator window computes again when the conditions, the setting or
// the compared gear change but not when the driver only turns, and saves its
// loops; the
// performance window refuses bad speeds and computes the map off the GUI
// thread.

#include "GuiTestSupport.h"

#include "main/CanvasView.h"
#include "main/CompareCommands.h"
#include "main/ConditionsStore.h"
#include "main/IndicatorWindow.h"
#include "main/PerformanceWindow.h"
#include "main/SteamCommands.h"

#include "model/DimensionFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>

using namespace corvellan;
using namespace corvellan::test;

namespace {

class SteamWindowsTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // The perfect gas keeps the runs short; the windows treat both alike.
        steam::Conditions c = steam::defaultConditions();
        c.Fluid = steam::FluidKind::PerfectGas;
        store().set(c);
    }
    ConditionsStore& store() const { return window->steam().conditions(); }

    static void waitUntil(const std::function<bool()>& done) {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < 60000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
};

TEST_F(SteamWindowsTest, IndicatorFollowsConditionsSettingAndComparedGearButNotTheTurningDriver) {
    TIndicator* w = window->steam().indicator();
    action("IndicatorDiagram")->trigger();
    ASSERT_TRUE(w->isVisible());
    w->waitForResult();
    ASSERT_TRUE(w->hasResult());
    ASSERT_EQ(w->result().size(), 1u);
    EXPECT_EQ(w->result()[0].speed, 300);
    EXPECT_TRUE(w->chart()->hasPicture());
    const double mep = w->result()[0].front.mep;

    // The driver turns: nothing to compute again.
    for (int i = 0; i < 5; ++i)
        window->tick();
    w->recomputeIfChanged();
    EXPECT_FALSE(w->running());

    steam::Conditions c = store().conditions();
    c.Speed = 150;
    store().set(c);
    w->waitForResult();
    ASSERT_EQ(w->result().size(), 1u);
    EXPECT_EQ(w->result()[0].speed, 150);

    // The diagram positions: one curve each.
    w->showPositions(true);
    w->waitForResult();
    EXPECT_EQ(w->result().size(), diagramPositionSettings(model).size());
    EXPECT_NE(w->result()[0].front.mep, mep);

    QTemporaryDir dir;
    const QString csv = dir.filePath("loops.csv");
    QString error;
    ASSERT_TRUE(w->saveCsv(csv, &error)) << error.toStdString();
    std::ifstream in(csv.toStdString());
    std::string header, first;
    std::getline(in, header);
    std::getline(in, first);
    EXPECT_EQ(header.rfind("Gear,RevArmPos,Direction,Angle (deg),Piston (% of stroke),", 0), 0u)
        << header;
    EXPECT_EQ(first.rfind("Nominal,", 0), 0u) << first;

    // A compared gear is computed at the same settings and drawn with A, and
    // goes when the comparison ends.
    Model b;
    initialiseModel(b);
    const QString pathB = dir.filePath("gearB.dco");
    ASSERT_TRUE(saveDimensionFile(b, pathB.toStdString()).ok);
    ASSERT_TRUE(window->compare().compareWithPath(pathB));
    w->recomputeIfChanged();
    w->waitForResult();
    EXPECT_EQ(w->comparedResult().size(), w->result().size());
    EXPECT_NE(w->csvText().find("\nB: gearB,"), std::string::npos);
    action("StopComparing")->trigger();
    w->recomputeIfChanged();
    w->waitForResult();
    EXPECT_TRUE(w->comparedResult().empty());
    w->close();
}

TEST_F(SteamWindowsTest, PerformanceRefusesBadSpeedsAndComputesTheMapAtTheGoodOnes) {
    TPerformance* w = window->steam().performance();
    action("Performance")->trigger();
    for (const char* bad : {"100, 0", "100,,200", "fast"}) {
        w->speeds()->setText(bad);
        EXPECT_FALSE(w->start()) << bad;
        EXPECT_TRUE(w->status()->text().startsWith("The speed")) << bad;
    }
    // One speed: the map is the windows' slowest computation.
    w->speeds()->setText("800");
    ASSERT_TRUE(w->start());
    waitUntil([w] { return !w->running(); });
    ASSERT_TRUE(w->hasResult()) << w->status()->text().toStdString();
    ASSERT_EQ(w->result().sweep.size(), 1u);
    EXPECT_EQ(w->result().sweep[0].size(), 21u);
    EXPECT_EQ(w->result().positions.size(), diagramPositionSettings(model).size());
    EXPECT_TRUE(w->chart()->hasPicture());
    w->close();
}

} // namespace
