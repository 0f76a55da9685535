#include "InspectionTestSupport.h"

#include "main/DataTableWindow.h"
#include "main/InspectionAids.h"
#include "view/MechanismView.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTest>

using namespace corvellan;
using namespace corvellan::test;

namespace {

class DataTableTest : public InspectionTest {
  protected:
    void SetUp() override {
        InspectionTest::SetUp();
        window->frame().clock = [](std::string& date, std::string& time) {
            date = "01/02/2003";
            time = "12:34:56";
        };
        action("SetPivotData")->trigger();
    }

    // Opens the table with its button and returns the memo's lines.
    QStringList openTable(const std::function<void()>& alsoWhileOpen = {}) {
        TDataTable* table = window->inspection().dataTable();
        QStringList lines;
        whileModal([&] { click("DataTableBut"); },
                   [&] {
                       lines = table->memo()->toPlainText().split('\n');
                       if (alsoWhileOpen) alsoWhileOpen();
                       table->close();
                   });
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        return lines;
    }
};

} // namespace

TEST_F(DataTableTest, RowsRunFromZeroTo360AtTheChosenStep) {
    model.pivotData.slotPivot[1] = 2;
    model.gear.DriverAngle = 123;
    QStringList lines = openTable();
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[0], "Pivot Data   Nominal     01/02/2003   12:34:56");
    EXPECT_TRUE(lines[1].startsWith("       Reverse Arm ")) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith("      Step Angle  10.000")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("  Driver         No.1"));
    EXPECT_TRUE(lines[3].startsWith("  Angle     Vert   Horz"));
    EXPECT_EQ(lines.size() - 4, 37);
    EXPECT_TRUE(lines[4].startsWith("   0.00   ")) << lines[4].toStdString();
    EXPECT_TRUE(lines.last().startsWith(" 360.00"));
    // The gear is back where it was.
    EXPECT_EQ(model.gear.DriverAngle, 123.0f);
    EXPECT_EQ(model.gear.StepAngle, 0.0f);

    model.gear.StepAngleSetting = 45;
    EXPECT_EQ(openTable().size() - 4, 9);
    model.gear.StepAngleSetting = 7;
    lines = openTable();
    EXPECT_EQ(lines.size() - 4, 52);
    EXPECT_TRUE(lines.last().startsWith(" 357.00"));
}

TEST_F(DataTableTest, TheSmallestStepAppearsWholeAndGoesWithTheWindow) {
    model.gear.StepAngleSetting = 0.01f;
    const QStringList lines = openTable();
    EXPECT_EQ(lines.size() - 4, 36001);
    EXPECT_TRUE(lines.last().startsWith(" 360.00"));
    // The closed window does not keep the megabytes of text.
    EXPECT_TRUE(window->inspection().dataTable()->memo()->document()->isEmpty());
}

TEST_F(DataTableTest, EditMenuFollowsTheSelectionAndCopiesToTheClipboard) {
    TDataTable* table = window->inspection().dataTable();
    auto item = [&](const char* name) { return table->findChild<QAction*>(name); };
    QString copied;
    openTable([&] {
        EXPECT_FALSE(item("Cut1")->isEnabled());
        EXPECT_FALSE(item("Copy1")->isEnabled());
        EXPECT_TRUE(item("SelectAll1")->isEnabled());
        // A selection made in the memo enables them when the menu opens.
        QTextCursor cursor = table->memo()->textCursor();
        cursor.movePosition(QTextCursor::Start);
        cursor.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
        table->memo()->setTextCursor(cursor);
        Q_EMIT table->findChild<QMenu*>("Edit1")->aboutToShow();
        EXPECT_TRUE(item("Copy1")->isEnabled());
        item("Copy1")->trigger();
        copied = QApplication::clipboard()->text();

        item("SelectAll1")->trigger();
        EXPECT_FALSE(item("SelectAll1")->isEnabled());
        EXPECT_EQ(table->memo()->textCursor().selectedText().size(),
                  table->memo()->toPlainText().size());
    });
    EXPECT_EQ(copied, "Pivot Data   Nominal     01/02/2003   12:34:56");
    // Every opening builds afresh, with the menu back at its start.
    openTable([&] {
        EXPECT_FALSE(item("Copy1")->isEnabled());
        EXPECT_TRUE(item("SelectAll1")->isEnabled());
    });
}

TEST_F(DataTableTest, CaptionFollowsEveryFrame) {
    TDataTable* table = window->inspection().dataTable();
    window->tick();
    EXPECT_EQ(table->windowTitle(), "CORVELLAN Outside Admission  Data Table Nominal     "
                                    "01/02/2003   12:34:56   Version 2.6");
}
