// Comparing the gear with a second one through the "&File" menu, and the
// "Compare" window, driven as the user drives them.

#include "GuiTestSupport.h"
#include "ModalScript.h"

#include "main/CompareCommands.h"
#include "main/CompareWindow.h"
#include "main/ValveEventsCommand.h"
#include "main/ValveEventsWindow.h"
#include "model/DimensionFile.h"
#include "analysis/GearComparisonText.h"

#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QTabWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTableWidget>
#include <QTest>

#include <fstream>

using namespace corvellan;
using namespace corvellan::test;

namespace {

class CompareWindowTest : public MainWindowTest {
  protected:
    TCompare* compareWindow() const { return window->compare().window(); }

    // The nominal gear with a later eccentric, saved as `name`.
    std::string gearFile(const char* name) const {
        Model b;
        initialiseModel(b);
        storeDimension(b, EccCrankAngleDegCode, 176);
        const std::string path = ::testing::TempDir() + name;
        EXPECT_TRUE(saveDimensionFile(b, path).ok);
        return path;
    }

    // "Compare With…", `path` typed into its file dialog, then `after` on
    // the next window that comes up.
    void compareWith(const std::string& path, ModalScript::Step after = {}) {
        ModalScript script;
        script.then([path](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr) << modal->objectName().toStdString();
            EXPECT_EQ(dialog->objectName(), "CompareDialog");
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(path));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        if (after) script.then(after);
        script.run([this] { action("CompareWith")->trigger(); });
    }

    std::vector<unsigned char> gearA() const {
        return encodeDimRecords(buildDimensionRecords(model));
    }

    QStringList tableRow(QTableWidget* table, int r) const {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << table->item(r, c)->text();
        return cells;
    }
};

} // namespace

TEST_F(CompareWindowTest, CompareWithLoadsGearBBesideTheUnchangedGearAndStopEndsIt) {
    EXPECT_FALSE(action("StopComparing")->isEnabled());
    EXPECT_FALSE(action("CompareWindow")->isEnabled());
    const auto before = gearA();

    compareWith(gearFile("later_eccentric.dco"));
    const Model* b = window->compare().gearB();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->DimSetName, "later_eccentric");
    EXPECT_EQ(gearA(), before);
    EXPECT_TRUE(action("StopComparing")->isEnabled());

    ASSERT_TRUE(QTest::qWaitForWindowExposed(compareWindow()));
    EXPECT_EQ(compareWindow()->windowTitle(), "Compare");
    const GearComparison expected = compareGears(model, *b, diagramPositionSettings(model));
    // Front and rear beside each other, the setting named in the row header
    // of its first row.
    const auto rows = engineerComparisonRows(expected);
    QTableWidget* table = compareWindow()->table();
    ASSERT_EQ(table->rowCount(), static_cast<int>(rows.size()));
    for (int r : {0, 4, static_cast<int>(rows.size()) - 2}) {
        QStringList want;
        for (size_t c = 1; c < rows[static_cast<size_t>(r)].size(); ++c)
            want << QString::fromStdString(rows[static_cast<size_t>(r)][c]);
        EXPECT_EQ(tableRow(table, r), want) << r;
    }
    EXPECT_EQ(table->verticalHeaderItem(0)->text(), "1: Mid gear");
    EXPECT_EQ(table->item(0, 0)->text(), "Cut-off, % of stroke");
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), "Front A");
    // Dimensions named as the dialogs name them, the code name a tool tip.
    ASSERT_EQ(compareWindow()->dimensionTable()->rowCount(), 1);
    EXPECT_EQ(tableRow(compareWindow()->dimensionTable(), 0),
              QStringList({"Eccentric Crank Angle Deg", "180", "176"}));
    EXPECT_EQ(compareWindow()->dimensionTable()->item(0, 0)->toolTip(), "EccCrankAngleDeg");

    const QString csv = QString::fromStdString(::testing::TempDir()) + "compare.csv";
    QString error;
    ASSERT_TRUE(compareWindow()->saveCsv(csv, &error)) << error.toStdString();
    QFile saved(csv);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray text = saved.readAll();
    EXPECT_TRUE(text.startsWith("Setting,Direction,Figure,A,B,B - A\n"));
    EXPECT_TRUE(text.endsWith("\nDimension,A,B\nEccCrankAngleDeg,180,176\n"));

    // A file that cannot be read is reported and changes nothing.
    QString message;
    const std::string shortFile = ::testing::TempDir() + "short.dco";
    std::ofstream(shortFile, std::ios::binary) << "not a gear";
    compareWith(shortFile, [&message](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr) << modal->objectName().toStdString();
        message = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_TRUE(message.contains("short.dco")) << message.toStdString();
    EXPECT_EQ(window->compare().gearB(), b);
    EXPECT_EQ(gearA(), before);

    // The cut-off chart of "Valve Events" draws B while it is compared.
    TValveEvents* events = window->valveEvents().window();
    action("ValveEvents")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(events));
    events->tabs()->setCurrentIndex(2);
    const QImage withB = events->chartImage();
    ASSERT_FALSE(withB.isNull());

    action("StopComparing")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return events->chartImage() != withB; }, 2000));
    events->close();
    EXPECT_EQ(window->compare().gearB(), nullptr);
    EXPECT_FALSE(compareWindow()->isVisible());
    EXPECT_FALSE(action("StopComparing")->isEnabled());
    EXPECT_FALSE(action("CompareWindow")->isEnabled());
}

TEST_F(CompareWindowTest, GearCompareWithItselfHasNoDifferencesAndFollowsChangesOfA) {
    Model same;
    initialiseModel(same);
    const std::string path = ::testing::TempDir() + "nominal.dco";
    ASSERT_TRUE(saveDimensionFile(same, path).ok);
    ASSERT_TRUE(window->compare().compareWithPath(QString::fromStdString(path)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(compareWindow()));
    QTableWidget* table = compareWindow()->table();
    for (int r = 0; r < table->rowCount(); ++r) {
        for (int c : {3, 6}) { // B - A of each end
            const QString d = table->item(r, c)->text();
            EXPECT_TRUE(d.isEmpty() || d.toDouble() == 0) << r << ": " << d.toStdString();
        }
    }
    EXPECT_EQ(compareWindow()->findChild<QLabel*>("DimensionsCaption")->text(),
              "Dimensions whose values differ: none");

    // A changes while the window is open: the window follows it, B stays.
    storeDimension(model, 119, 0.70);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return compareWindow()->dimensionTable()->rowCount() == 1; }, 2000));
    EXPECT_EQ(compareWindow()->dimensionTable()->item(0, 0)->toolTip(), "ValveLengthFrontHalf");
}
