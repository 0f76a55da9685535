#pragma once
// A fixture for tests that run whole ticks: the nominal model, a fixed frame
// state, a canvas that records and a sound sink that counts.

#include "ViewTestSupport.h"

#include <gtest/gtest.h>

namespace corvellan::testing {

struct TickFixture : ::testing::Test {
    Model m = nominalModel();
    FrameState f = fixedFrame();
    RecordingCanvas canvas;
    CountingSound sound;
    // Runs one tick onto a cleared canvas.
    void tick() {
        canvas.clear();
        runTick(m, f, canvas, sound);
    }
};

} // namespace corvellan::testing
