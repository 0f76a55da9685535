// The "Valve Events" window driven as the user drives it, beside a running
// animation.

#include "GuiTestSupport.h"

#include "main/ValveEventsCommand.h"
#include "main/ValveEventsWindow.h"
#include "analysis/ValveEvents.h"
#include "analysis/ValveEventsText.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTabWidget>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace corvellan;
using namespace corvellan::test;

namespace {

class ValveEventsWindowTest : public MainWindowTest {
  protected:
    TValveEvents* events() const { return window->valveEvents().window(); }

    static QStringList cellsOf(const QTableWidget* table, int r) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << table->item(r, c)->text();
        return cells;
    }
    // A row of the engineer's table: its header, then its cells.
    QStringList row(int r) const {
        return QStringList{events()->table()->verticalHeaderItem(r)->text()} +
               cellsOf(events()->table(), r);
    }

    static QStringList expectedRow(const EventsReport& report, int r) {
        const auto rows = engineerTableRows(report);
        const auto& cells = rows[static_cast<size_t>(r)];
        QStringList out{QString::fromStdString(settingLabel(report, report.settings[r]))};
        for (size_t c = 2; c < cells.size(); ++c)
            out << QString::fromStdString(cells[c]);
        return out;
    }
    static QStringList expectedDetailRow(const EventsReport& report, int r) {
        const auto rows = eventsTableRows(report, true);
        QStringList cells;
        for (const std::string& cell : rows[static_cast<size_t>(r)])
            cells << QString::fromStdString(cell);
        return cells;
    }
};

} // namespace

TEST_F(ValveEventsWindowTest, OpensBesideTheRunningAnimationWithTheDiagramPositions) {
    window->timer()->start();
    action("ValveEvents")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(events()));
    EXPECT_EQ(events()->windowTitle(), "Valve Events");
    EXPECT_FALSE(events()->isModal());
    // Mid gear, normal forward, normal reverse: a row per setting, named as
    // the trade names them; the full detail has a row per setting and end.
    const EventsReport expected = computeEvents(model, diagramPositionSettings(model));
    ASSERT_EQ(events()->table()->rowCount(), 3);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(row(r), expectedRow(expected, r)) << r;
    EXPECT_TRUE(row(0)[0].startsWith("Mid gear")) << row(0)[0].toStdString();
    EXPECT_TRUE(row(1)[0].startsWith("Fwd, cut-off 82 %")) << row(1)[0].toStdString();
    EXPECT_EQ(events()->table()->horizontalHeaderItem(0)->text(), "Cut-off front\n% of stroke");
    ASSERT_EQ(events()->detailTable()->rowCount(), 6);
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(cellsOf(events()->detailTable(), r), expectedDetailRow(expected, r)) << r;
    // The lower list says which setting it shows.
    EXPECT_EQ(events()->eventList()->rowCount(), 8);
    EXPECT_TRUE(events()->eventListCaption()->text().contains("at Mid gear"));
    events()->table()->setCurrentCell(2, 3);
    EXPECT_TRUE(events()->eventListCaption()->text().contains("at Rev, cut-off 82 %"))
        << events()->eventListCaption()->text().toStdString();

    const Real angle = model.gear.DriverAngle;
    EXPECT_TRUE(QTest::qWaitFor([&] { return model.gear.DriverAngle != angle; }, 2000));
    EXPECT_TRUE(window->timer()->isActive());
    events()->close();
    QAction* tool = window->commands().toolBar()->actions().last();
    EXPECT_EQ(tool->toolTip(), "View Valve Events");
    tool->trigger();
    EXPECT_TRUE(events()->isVisible());
}

TEST_F(ValveEventsWindowTest, FollowsDimensionsAndPositionsWhileOpenAndSwitchesToTheSweep) {
    action("ValveEvents")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(events()));
    const QStringList before = row(0);
    // A longer front half of the valve: more lap, an earlier front cut-off.
    storeDimension(model, 119, 0.70);
    EXPECT_TRUE(QTest::qWaitFor([&] { return row(0) != before; }, 2000));
    EXPECT_EQ(row(0), expectedRow(computeEvents(model, diagramPositionSettings(model)), 0));

    model.gear.RevArmPositions[4] = -1.0f;
    EXPECT_TRUE(QTest::qWaitFor([&] { return events()->table()->rowCount() == 4; }, 2000));

    QTest::mouseClick(events()->findChild<QRadioButton*>("SweepChoice"), Qt::LeftButton);
    EXPECT_EQ(events()->table()->rowCount(), 21);
    EXPECT_EQ(events()->detailTable()->rowCount(), 42);
    EXPECT_EQ(events()->detailTable()->item(41, 1)->text(), "Rev");
    events()->table()->setCurrentCell(20, 0);
    EXPECT_EQ(events()->eventList()->rowCount(),
              static_cast<int>(events()->report().settings[20].events.size()));
}

TEST_F(ValveEventsWindowTest, AGearThatCannotBeBuiltSaysSoAboveTheTable) {
    action("ValveEvents")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(events()));
    QLabel* note = events()->geometryNote();
    ASSERT_NE(note, nullptr);
    EXPECT_FALSE(note->isVisible());
    storeDimension(model, MainRodCode, -8);
    EXPECT_TRUE(QTest::qWaitFor([&] { return note->isVisible(); }, 2000));
    EXPECT_TRUE(note->text().contains("Main Rod is -8")) << note->text().toStdString();
    storeDimension(model, MainRodCode, 8);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !note->isVisible(); }, 2000));
}

TEST_F(ValveEventsWindowTest, CtrlCCopiesTheSelectionAsTabsAndSaveWritesCsv) {
    action("ValveEvents")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(events()));
    QTableWidget* table = events()->detailTable();
    events()->tabs()->setCurrentWidget(table);
    table->clearSelection();
    table->setRangeSelected(QTableWidgetSelectionRange(2, 1, 3, 2), true);
    table->setFocus();
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "Fwd\tFront\nFwd\tRear\n");

    const QString path = QString::fromStdString(::testing::TempDir()) + "events.csv";
    QString error;
    ASSERT_TRUE(events()->saveCsv(path, &error)) << error.toStdString();
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = saved.readAll().split('\n');
    ASSERT_EQ(lines.size(), 8); // header, six rows, the empty text after the last newline
    EXPECT_TRUE(lines[0].startsWith("RevArmPos,Direction,End,"));
    EXPECT_EQ(lines[2].split(',').value(2), "Rear");

    EXPECT_FALSE(events()->saveCsv("/no/such/folder/events.csv", &error));
    EXPECT_TRUE(error.contains("/no/such/folder/events.csv")) << error.toStdString();
}

TEST_F(ValveEventsWindowTest, TheCutOffChartFollowsTheGearAndDrawsGearBOverIt) {
    action("ValveEvents")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(events()));
    Model b = model;
    storeDimension(b, EccCrankAngleDegCode, 176);
    const Model* compared = nullptr;
    events()->setComparedGear([&compared] { return compared; });
    EXPECT_TRUE(events()->chartImage().isNull()); // drawn only once its tab is shown
    events()->tabs()->setCurrentIndex(2);
    const QImage alone = events()->chartImage();
    ASSERT_FALSE(alone.isNull());
    // B: its dashes come in, in the colours of the two ends.
    compared = &b;
    EXPECT_TRUE(QTest::qWaitFor([&] { return events()->chartImage() != alone; }, 2000));
    const QImage withB = events()->chartImage();
    // A changes: the chart follows.
    storeDimension(model, 119, 0.70);
    EXPECT_TRUE(QTest::qWaitFor([&] { return events()->chartImage() != withB; }, 2000));
    events()->setComparedGear(nullptr);
}
