#include "model/JogBar.h"

#include <gtest/gtest.h>

using namespace corvellan;

namespace {

// What the owning widget does for one user change: forward P, then set the
// bar back to 0, which reports a second change that must yield nothing.
Ext userChange(JogBar& bar, int position) {
    Ext increment = bar.changed(position);
    EXPECT_EQ(bar.changed(0), 0) << "re-entry after position " << position;
    return increment;
}

constexpr double kTol = 1e-12;

} // namespace

TEST(JogBar, ArrowAndTroughClicksGiveTheirSteps) {
    JogBar bar = makePanZoomJogBar();
    EXPECT_NEAR(userChange(bar, 1), 0.1, kTol);
    EXPECT_NEAR(userChange(bar, -1), -0.1, kTol);
    EXPECT_NEAR(userChange(bar, -1), -0.1, kTol);
    EXPECT_NEAR(userChange(bar, 10), 1.0, kTol);
    EXPECT_NEAR(userChange(bar, -10), -1.0, kTol);
    EXPECT_NEAR(userChange(bar, 10), 1.0, kTol);
}

TEST(JogBar, ReEntryLeavesUserPositionAsLastButOne) {
    JogBar bar(1000, 1, 10);
    bar.changed(7);
    EXPECT_EQ(bar.last(), 7);
    bar.changed(0);
    EXPECT_EQ(bar.last(), 0);
    EXPECT_EQ(bar.prev(), 7);
}

TEST(JogBar, DragMovesByPositionInTheDirectionItMoved) {
    JogBar bar = makePanZoomJogBar();
    EXPECT_NEAR(userChange(bar, 5), 0.5, kTol);   // up from 0
    EXPECT_NEAR(userChange(bar, 3), -0.3, kTol);  // positive, but below 5
    EXPECT_NEAR(userChange(bar, -4), -0.4, kTol); // down from 3
    EXPECT_NEAR(userChange(bar, -2), 0.2, kTol);  // negative, but above -4
    EXPECT_NEAR(userChange(bar, 7), 0.7, kTol);
    // A move of exactly one step counts as an arrow click whatever the drag
    // rule says: 1 lies below 7, yet the increment is +S1/D.
    EXPECT_NEAR(userChange(bar, 1), 0.1, kTol);
}

TEST(JogBar, ExternalMemoryIsSharedBetweenBars) {
    // Two windows' bars driving one memory: the second sees the first's click.
    int last = 0, prev = 0;
    EXPECT_NEAR(jogIncrement(30, last, prev, 1000, 1, 10), 0.030, kTol);
    EXPECT_EQ(jogIncrement(0, last, prev, 1000, 1, 10), 0);
    EXPECT_NEAR(jogIncrement(20, last, prev, 1000, 1, 10), -0.020, kTol); // 20 < 30
    EXPECT_EQ(prev, 0);
    EXPECT_EQ(last, 20);
}
