// The "Balance…" dialog driven as the user drives it: a search on its worker
// thread, Apply and as many "UnDo" presses as it says, Cancel, and closing
// the dialog while the search runs.

#include "GuiTestSupport.h"

#include "analysis/BalanceApply.h"
#include "analysis/DesignFigures.h"
#include "main/BalanceCommand.h"
#include "main/BalanceDialog.h"
#include "model/DynVars.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTableWidget>
#include <QTest>

using namespace corvellan;
using namespace corvellan::test;

namespace {

class BalanceDialogTest : public MainWindowTest {
  protected:
    TBalance* dialog() const { return window->balance().dialog(); }

    void open() {
        action("Balance")->trigger();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog()));
    }
    void press(const char* name) {
        auto* b = dialog()->findChild<QPushButton*>(name);
        ASSERT_TRUE(b && b->isEnabled()) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    bool waitForResult() {
        return QTest::qWaitFor([this] { return dialog()->hasResult(); }, 120000);
    }
    // Waits until the search has judged a few designs.
    bool waitForEvaluations(int n) {
        return QTest::qWaitFor(
            [this, n] {
                return dialog()->progressText()->text().contains("Evaluations: ") &&
                       dialog()->progressText()->text().section(' ', 1, 1).toInt() >= n;
            },
            60000);
    }
    std::vector<Real> dimensions() const {
        std::vector<Real> values;
        for (const DimensionInfo& d : allDimensions())
            values.push_back(dimensionValue(model, d.code));
        values.push_back(model.pivots.Y[9]); // the link pivot's copy
        values.push_back(model.pivots.X[9]);
        values.push_back(model.pivots.Y[4]);
        return values;
    }
    int rowOf(const char* name) const {
        for (int r = 0; r < dialog()->table()->rowCount(); ++r)
            if (dialog()->table()->item(r, 0)->toolTip() == name) return r; // the code name
        return -1;
    }
};

} // namespace

TEST_F(BalanceDialogTest, ApplyThenAsManyUndoAsItSaysRestoresEveryDimensionAndMidGear) {
    // A link pivot off the driver's vertical, so its height moves mid gear;
    // a setting off mid gear and a diagram position of the user's own.
    storeDimension(model, LinkPivotHorzCode, 0.02);
    midGearCalc(model);
    model.gear.RevArmPositions[5] = 0.7f;
    model.gear.RevArmPos = -0.25f;
    const auto positionsBefore = model.gear.RevArmPositions;
    const Real settingBefore = model.gear.RevArmPos;
    const std::vector<Real> before = dimensions();
    open();
    // An inverted bound is refused with the reason, and nothing runs.
    const int lever = rowOf("ValveLeverUpper");
    ASSERT_GE(lever, 0);
    EXPECT_EQ(dialog()->table()->item(lever, 0)->checkState(), Qt::Checked);
    const QString low = dialog()->table()->item(lever, 2)->text();
    dialog()->table()->item(lever, 2)->setText("1.5");
    press("BalanceStart");
    EXPECT_FALSE(dialog()->running());
    EXPECT_TRUE(dialog()->status()->text().startsWith("The bounds of ValveLeverUpper are inverted"))
        << dialog()->status()->text().toStdString();
    dialog()->table()->item(lever, 2)->setText(low);

    // The lever's lower arm and the link pivot's X, which moves mid gear.
    for (int row = 0; row < dialog()->table()->rowCount(); ++row) {
        const QString name = dialog()->table()->item(row, 0)->toolTip();
        dialog()->table()->item(row, 0)->setCheckState(
            name == "ValveLeverLower" || name == "LinkPivotHorz" ? Qt::Checked : Qt::Unchecked);
    }
    BalanceSearchOptions quick;
    quick.evaluationsPerVariable = 20;
    dialog()->setSearchOptions(quick);
    press("BalanceStart");
    ASSERT_TRUE(dialog()->running()) << dialog()->status()->text().toStdString();
    ASSERT_TRUE(waitForResult());
    const BalanceReport& r = dialog()->result();
    EXPECT_LT(r.after, r.before);
    // The dimensions are named as the dimension dialogs name them.
    const QString shown = dialog()->findChild<QPlainTextEdit*>("BalanceResult")->toPlainText();
    ASSERT_FALSE(r.problem.vary.empty());
    const int varied = r.problem.vary[0].code;
    EXPECT_TRUE(shown.contains(dimensionCaption(varied))) << shown.toStdString();
    if (std::string(dimensionCaption(varied)) != dimensionInfo(varied)->name) {
        EXPECT_FALSE(shown.contains(dimensionInfo(varied)->name)) << shown.toStdString();
    }
    EXPECT_EQ(dialog()->table()->item(lever, 0)->text(), "Valve Lever Upper");
    const int changed = countBalanceApply(r).changed;
    ASSERT_GT(changed, 0);
    EXPECT_TRUE(dialog()->status()->text().contains(
        QString("pressing \"UnDo\" %1 times restores the design").arg(changed)))
        << dialog()->status()->text().toStdString();
    EXPECT_EQ(before, dimensions()); // nothing stored before Apply

    press("BalanceApply");
    EXPECT_FALSE(dialog()->isVisible());
    for (size_t i = 0; i < r.problem.vary.size(); ++i)
        EXPECT_EQ(dimensionValue(model, r.problem.vary[i].code), r.afterValues[i]) << i;
    EXPECT_EQ(model.gear.RevArmCen(), r.afterEvents.revArmCen); // mid gear of the new design
    EXPECT_EQ(model.dyn.UndoCount, changed);
    EXPECT_TRUE(isDynVarCode(model.dyn.slots[1].code));

    EXPECT_NE(model.gear.RevArmCen(), positionsBefore[0]);
    EXPECT_NE(model.gear.RevArmPos, settingBefore);
    auto* undo = window->findChild<QPushButton*>("UnDoDn");
    ASSERT_TRUE(undo);
    for (int i = 0; i < changed; ++i) {
        // Until the last press mid gear stays the balanced design's.
        EXPECT_EQ(model.gear.RevArmCen(), r.afterEvents.revArmCen) << i;
        window->tick(); // the button follows the undo store on the tick
        ASSERT_TRUE(undo->isEnabled()) << i;
        undo->click();
    }
    EXPECT_EQ(dimensions(), before);
    EXPECT_EQ(model.gear.RevArmPositions, positionsBefore); // mid gear and diagram positions
    EXPECT_EQ(model.gear.RevArmPos, settingBefore);
}

TEST_F(BalanceDialogTest, TheDialogGivesTheCommandsDesignBitForBitAndEndsItsBarFull) {
    open();
    BalanceSearchOptions quick;
    quick.evaluationsPerVariable = 20;
    dialog()->setSearchOptions(quick);
    press("BalanceStart");
    ASSERT_TRUE(waitForResult());
    const BalanceReport& shown = dialog()->result();
    // The command line's problem and code path on the same gear.
    const BalanceProblem defaults = defaultBalanceProblem(model);
    ASSERT_EQ(shown.problem.vary.size(), defaults.vary.size());
    for (size_t i = 0; i < defaults.vary.size(); ++i) {
        EXPECT_EQ(shown.problem.vary[i].code, defaults.vary[i].code);
        EXPECT_EQ(shown.problem.vary[i].low, defaults.vary[i].low);
        EXPECT_EQ(shown.problem.vary[i].high, defaults.vary[i].high);
    }
    BalanceObjective objective(model, defaults);
    const BalanceReport command = runBalance(objective, quick);
    EXPECT_EQ(shown.afterValues, command.afterValues);
    EXPECT_EQ(shown.after, command.after);
    EXPECT_EQ(shown.evaluations, command.evaluations);
    auto* bar = dialog()->findChild<QProgressBar*>("BalanceProgressBar");
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(dialog()->status()->text().startsWith("Worst front - rear cut-off"))
        << dialog()->status()->text().toStdString();
}

TEST_F(BalanceDialogTest, CancelAndClosingWhileItRunsLeaveTheGearUntouched) {
    const std::vector<Real> before = dimensions();
    open();
    // A search far too long to end by itself while the test waits.
    BalanceSearchOptions endless;
    endless.evaluationsPerVariable = 1000000;
    endless.extraStarts = 50;
    dialog()->setSearchOptions(endless);
    press("BalanceStart");
    ASSERT_TRUE(dialog()->running());
    ASSERT_TRUE(waitForEvaluations(3));
    press("BalanceCancel");
    ASSERT_TRUE(waitForResult());
    EXPECT_FALSE(dialog()->running());
    EXPECT_TRUE(dialog()->result().stopped);
    EXPECT_TRUE(dialog()->status()->text().startsWith("Stopped"));
    EXPECT_EQ(dimensions(), before);
    press("BalanceDiscard");
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(dimensions(), before);

    open();
    press("BalanceStart");
    ASSERT_TRUE(waitForEvaluations(3));
    dialog()->close();
    // Closed means stopped and joined: no worker is left behind.
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_FALSE(dialog()->running());
    EXPECT_TRUE(dialog()->result().stopped);
    EXPECT_EQ(dimensions(), before);
    EXPECT_EQ(model.dyn.UndoCount, 0);
    // The program goes on.
    const Real angle = model.gear.DriverAngle;
    window->tick();
    EXPECT_NE(model.gear.DriverAngle, angle);
}
