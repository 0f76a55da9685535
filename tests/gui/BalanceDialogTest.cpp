// The "Balance…" dialog driven as the user drives it: a search on its worker
// thread, Apply and as many "UnDo" presses as it says, Cancel, and closing
// the dialog while the search runs.

#include "GuiTestSupport.h"

#include "main/BalanceCommand.h"
#include "main/BalanceDialog.h"
#include "analysis/BalanceApply.h"
#include "model/DynVars.h"

#include <QLabel>
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
            if (dialog()->table()->item(r, 0)->text() == name) return r;
        return -1;
    }
};

} // namespace

TEST_F(BalanceDialogTest, ApplyThenAsManyUndoAsItSaysRestoresEveryDimension) {
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

    BalanceSearchOptions quick;
    quick.maxEvaluations = 120;
    dialog()->setSearchOptions(quick);
    press("BalanceStart");
    ASSERT_TRUE(waitForResult());
    const BalanceReport& r = dialog()->result();
    EXPECT_LT(r.after, r.before);
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

    for (int i = 0; i < changed; ++i)
        undoButtonClicked(model, UndoMain);
    EXPECT_EQ(dimensions(), before);
}

TEST_F(BalanceDialogTest, CancelAndClosingWhileItRunsLeaveTheGearUntouched) {
    const std::vector<Real> before = dimensions();
    open();
    // A search far too long to end by itself while the test waits.
    BalanceSearchOptions endless;
    endless.maxEvaluations = 1000000;
    endless.extraStarts = 500;
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
