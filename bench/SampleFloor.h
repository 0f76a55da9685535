#pragma once
// The floor of an events computation: the one-degree samples of each
// setting's turn (a solve and the valve computation each), which any exact
// search for the events has to pay before refining.

#include "model/Model.h"
#include "model/Solver.h"
#include "model/Valve.h"

#include <benchmark/benchmark.h>

#include <vector>

inline void sampleTurns(corvellan::Model& m, const std::vector<corvellan::Real>& settings) {
    for (corvellan::Real setting : settings) {
        m.gear.RevArmPos = setting;
        for (int k = 0; k < 360; ++k) {
            m.gear.DriverAngle = static_cast<corvellan::Real>(k);
            corvellan::solve(m);
            corvellan::computeValve(m);
            benchmark::DoNotOptimize(m.valve.FrontSteamOpening);
        }
    }
}
