// The "Sensitivity", "Tolerances" and "Sweep" windows driven as the user
// drives them: each computes on its worker thread what its engine computes
// directly, shows it (sortable by number, dimensions captioned as the
// dimension dialogs caption them), draws its picture and saves it; bad
// choices are named and start nothing; Cancel stops a long study.

#include "GuiTestSupport.h"

#include "diagrams/DesignSpacePictures.h"
#include "main/CanvasView.h"
#include "main/PictureCommands.h"
#include "main/SensitivityWindow.h"
#include "main/StudyCommands.h"
#include "main/StudyWidgets.h"
#include "main/SweepWindow.h"
#include "main/ToleranceWindow.h"

#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <cstring>

using namespace corvellan;
using namespace corvellan::test;

namespace {

class DesignSpaceWindowsTest : public MainWindowTest {
  protected:
    StudyCommands& studies() const { return window->studies(); }
    template <typename W> bool waitFor(W* w) {
        return QTest::qWaitFor([w] { return !w->running() && w->hasResult(); }, 60000);
    }
    void press(QWidget* w, const char* name) {
        auto* b = w->findChild<QPushButton*>(name);
        ASSERT_TRUE(b && b->isEnabled()) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Counts pixels of the shown picture that are near a colour.
    static int pixelsLike(CanvasView* view, QRgb colour) {
        const QImage image = view->grab().toImage();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        return n;
    }
};

TEST_F(DesignSpaceWindowsTest, SensitivityShowsTheRatesOfItsEngineSortedByNumber) {
    action("Sensitivity")->trigger();
    TSensitivity* w = studies().sensitivity();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    ASSERT_TRUE(waitFor(w));
    // The normal forward setting, as the engine computes it on the gear.
    const Real setting = chosenSetting(w->settingChoice());
    EXPECT_EQ(setting, clampToReal(static_cast<Ext>(model.gear.RevArmCen()) - 1.5L));
    SensitivityOptions o;
    o.offsets = settingOffsets(model, {setting});
    const SettingRates direct = computeSensitivity(model, o).settings[0];
    ASSERT_EQ(w->result().dimensions.size(), 36u);
    for (size_t d = 0; d < 36; ++d)
        for (int f = 0; f < kDesignFigures; ++f)
            ASSERT_EQ(w->result().dimensions[d].figures[f].rate,
                      direct.dimensions[d].figures[f].rate);

    QTableWidget* t = w->table();
    ASSERT_EQ(t->rowCount(), 36);
    EXPECT_EQ(t->item(2, 0)->text(), "Eccentric Crank Circle Dia");
    EXPECT_EQ(t->item(2, 0)->toolTip(), "EccCrankCirDia");
    // Sorted by the front cut-off's rate: by number, not by text.
    t->sortByColumn(2, Qt::AscendingOrder);
    for (int r = 0; r + 1 < t->rowCount(); ++r)
        ASSERT_LE(t->item(r, 2)->text().toDouble(), t->item(r + 1, 2)->text().toDouble()) << r;
    // The ranked moves, strongest first.
    QTableWidget* moves = w->moves();
    ASSERT_GT(moves->rowCount(), 5);
    EXPECT_GE(std::fabs(moves->item(0, 1)->text().toDouble()),
              std::fabs(moves->item(1, 1)->text().toDouble()));

    // The colour map: red and blue cells, saved as the window shows it.
    EXPECT_GT(pixelsLike(w->map(), 0xFF0000), 100);
    EXPECT_GT(pixelsLike(w->map(), 0x0000FF), 100);
    const QString path = QString::fromStdString(::testing::TempDir()) + "sensitivity.png";
    ASSERT_EQ(w->pictures().saveTo(path), QString());
    EXPECT_EQ(QImage(path).size(), w->map()->size());
    w->close();
}

TEST_F(DesignSpaceWindowsTest, TolerancesRefuseBadChoicesComputeTheStudyAndCancel) {
    action("Tolerances")->trigger();
    TTolerance* w = studies().tolerance();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    w->field("ToleranceSamples")->setText("0");
    press(w, "StudyCompute");
    EXPECT_FALSE(w->running());
    EXPECT_TRUE(w->status()->text().startsWith("The samples must be"))
        << w->status()->text().toStdString();
    w->field("ToleranceSamples")->setText("200");
    w->field("PinClearance")->setText("-0.001");
    press(w, "StudyCompute");
    EXPECT_FALSE(w->running());
    EXPECT_EQ(w->status()->text(), "The pin clearance must not be negative.");

    w->field("PinClearance")->setText("0.001");
    w->field("LengthTolerance")->setText("0.002");
    press(w, "SetAllTolerances");
    EXPECT_EQ(w->tolerances()->item(4, 2)->text(), "0.002"); // MainRod
    EXPECT_EQ(w->tolerances()->item(12, 2)->text(), "0");    // RevArmToCentNorm
    press(w, "StudyCompute");
    ASSERT_TRUE(waitFor(w));
    ToleranceOptions o;
    o.samples = 200;
    o.seed = 1;
    o.pinClearance = 0.001;
    o.tolerances = defaultTolerances();
    for (Ext& t : o.tolerances)
        if (t == kDefaultLengthTolerance) t = 0.002L;
    o.offsets = settingOffsets(model, diagramPositionSettings(model));
    const ToleranceReport direct = computeTolerance(model, o);
    ASSERT_EQ(w->result().settings.size(), direct.settings.size());
    for (size_t s = 0; s < direct.settings.size(); ++s)
        for (int f = 0; f < kDesignFigures; ++f) {
            const double a = w->result().settings[s].figures[f]->mean;
            const double b = direct.settings[s].figures[f]->mean;
            ASSERT_EQ(std::memcmp(&a, &b, sizeof a), 0);
        }
    EXPECT_EQ(w->spread()->rowCount(), kDesignFigures);
    EXPECT_GT(pixelsLike(w->histogram(), 0x008080), 1000); // the teal bars
    w->figureChoice()->setCurrentIndex(LeadRearFigure);
    EXPECT_EQ(w->spread()->item(LeadRearFigure, 0)->text(), "Rear lead");

    // A study far too long to end while the test waits, stopped.
    w->field("ToleranceSamples")->setText("10000000");
    press(w, "StudyCompute");
    ASSERT_TRUE(w->running());
    press(w, "StudyCancel");
    ASSERT_TRUE(QTest::qWaitFor([w] { return !w->running(); }, 20000));
    EXPECT_EQ(w->status()->text(), "Stopped: no result.");
    EXPECT_EQ(w->result().samples, 200); // the last whole study is still shown
    w->close();
}

TEST_F(DesignSpaceWindowsTest, SweepDrawsALineAndAMapWithTheCurrentDesignMarked) {
    action("Sweep")->trigger();
    TSweep* w = studies().sweep();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    EXPECT_EQ(w->dimensionChoice(0)->currentText(), "Link Pivot Horz");
    EXPECT_EQ(w->low(0)->text(), "-0.1");
    w->points(0)->setText("1");
    press(w, "StudyCompute");
    EXPECT_FALSE(w->running());
    EXPECT_EQ(w->status()->text(), "LinkPivotHorz needs at least 2 points.");

    w->points(0)->setText("9");
    press(w, "StudyCompute");
    ASSERT_TRUE(waitFor(w));
    ASSERT_EQ(w->result().size(), 9u);
    EXPECT_GT(pixelsLike(w->chart(), 0x0000FF), 100); // the line
    EXPECT_GT(pixelsLike(w->chart(), 0xFF0000), 100); // the current design

    w->dimensionChoice(1)->setCurrentIndex(w->dimensionChoice(1)->findText("Link Pivot Vert"));
    w->points(1)->setText("5");
    press(w, "StudyCompute");
    ASSERT_TRUE(QTest::qWaitFor([w] { return !w->running() && w->result().size() == 45u; }, 60000));
    // The grid's middle point is the current design itself.
    SweepOptions o = w->sweptOptions();
    Model design = model;
    std::vector<SettingEvents> events;
    computeDesignEvents(design, o.offsets, events);
    EXPECT_EQ(w->result()[4 * 5 + 2][CutOffFrontFigure],
              designFigures(events[0])[CutOffFrontFigure]);
    const QImage map = w->chart()->grab().toImage();
    EXPECT_EQ(map.size(), QSize(kSweepChartSize.width, kSweepChartSize.height));
    w->close();
}

} // namespace
