#include "model/Model.h"
#include "model/Solver.h"
#include "model/Valve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

using namespace corvellan;

namespace {

void solveAt(Model& m, float angle) {
    m.gear.DriverAngle = angle;
    solve(m);
    computeValve(m);
}

struct RecordingSound : SoundSink {
    std::vector<std::pair<int, int>> beats;
    int errors = 0;
    void playExhaust(int l, int r) override { beats.emplace_back(l, r); }
    void playError() override { ++errors; }
    void beep() override {}
};

} // namespace

TEST(Valve, NominalLapsAndOpeningsAtFrontDeadCentre) {
    Model m = nominalModel();
    solveAt(m, 0);
    EXPECT_NEAR(m.lap.ValveCen, -0.188, 0.0005);
    EXPECT_NEAR(m.valve.FrontSteamOpening, 0.031, 0.0005); // the lead
    EXPECT_FLOAT_EQ(m.valve.PistonTravelPos, 0);
    EXPECT_EQ(formatFixed(m.lap.FrontSteamLap, 6, 3), " 0.156");
    EXPECT_NEAR(m.lap.FrontSteamLap, 0.1565, 1e-6);
    EXPECT_NEAR(m.lap.RearSteamLap, 0.1565, 1e-6);
    EXPECT_NEAR(m.lap.FrontExhClearance, 0.0005, 1e-6);
    EXPECT_NEAR(m.lap.RearExhClearance, 0.0005, 1e-6);
    EXPECT_NEAR(m.lap.FrontSteamOpenAt, -0.1565, 1e-6);
    EXPECT_NEAR(m.lap.RearSteamFullAt, 0.1875 + 0.187 - 0.687, 1e-6);
    // The openings follow the valve position by their definitions.
    EXPECT_NEAR(m.valve.RearSteamOpening, m.lap.ValveCen + m.lap.RearSteamOpenAt, 1e-6);
    EXPECT_NEAR(m.valve.FrontExhaustOpening, m.lap.ValveCen - m.lap.FrontExhaustOpenAt, 1e-6);
    EXPECT_NEAR(m.valve.RearExhaustOpening, -m.lap.ValveCen - m.lap.RearExhaustOpenAt, 1e-6);
}

TEST(Valve, PistonTravelsFromFrontToRearDeadCentre) {
    Model m = nominalModel();
    solveAt(m, 180);
    EXPECT_NEAR(m.valve.PistonTravelPos, 640, 1e-3);
    EXPECT_EQ(formatFixed(m.valve.PistonTravelPos / 6.4 + 0.00001, 6, 2), "100.00");
    solveAt(m, 90); // crank vertical: piston short of mid stroke by the rod's angularity
    double expect = 320 - (0 + 2 * std::sqrt(64 - 2.25) / 3 - 16.0 / 3) * 320;
    EXPECT_NEAR(m.valve.PistonTravelPos, expect, 1e-3);
}

TEST(ValveEvents, PhasesFollowTheOpenings) {
    Model m = nominalModel();
    m.valve.FrontSteamOpening = 0.01f;
    m.valve.FrontExhaustOpening = -0.1f;
    updatePhases(m);
    EXPECT_EQ(m.events.front.phase, Phase::Admission);
    m.valve.FrontSteamOpening = -0.01f;
    updatePhases(m);
    EXPECT_EQ(m.events.front.phase, Phase::Expansion);
    m.valve.FrontExhaustOpening = 0.05f;
    updatePhases(m);
    EXPECT_EQ(m.events.front.phase, Phase::Exhaust);
    m.valve.FrontExhaustOpening = -0.05f;
    updatePhases(m);
    EXPECT_EQ(m.events.front.phase, Phase::Compression);
    EXPECT_EQ(m.events.rear.phase, Phase::None); // the rear never opened
    EXPECT_EQ(phaseColour(Phase::Compression), 0x008000u);
}

TEST(ValveEvents, SteamLevelsRiseFallAndStayInRange) {
    Model m = nominalModel();
    m.gear.StepAngle = 10;
    m.valve.FrontSteamOpening = 0.1f;
    m.valve.FrontExhaustOpening = -0.1f;
    updatePhases(m);
    updateSteamLevels(m);
    EXPECT_NEAR(m.events.front.steamLevel, 20 + 10 * 50 * 0.2, 1e-3);
    EXPECT_FLOAT_EQ(m.events.rear.steamLevel, 25); // no phase: only raised to the floor
    for (int i = 0; i < 100; ++i) updateSteamLevels(m);
    EXPECT_FLOAT_EQ(m.events.front.steamLevel, 2000);
    m.valve.FrontExhaustOpening = 0.2f;
    updatePhases(m);
    updateSteamLevels(m);
    EXPECT_NEAR(m.events.front.steamLevel, 2000 - 10 * 60 * 0.2, 1e-3);
    m.gear.StepAngle = 0; // stopped: nothing moves
    updateSteamLevels(m);
    EXPECT_NEAR(m.events.front.steamLevel, 1880, 1e-3);
}

TEST(ValveEvents, ExhaustBeatSoundsAtTheOtherEndsLoudness) {
    Model m = nominalModel();
    RecordingSound sound;
    m.events.rear.capturedLevel = 150;
    m.events.front.steamLevel = 900;
    m.valve.FrontExhaustOpening = -0.1f;
    m.valve.RearExhaustOpening = 0.1f; // rear open but never armed: no beat
    updateExhaustBeats(m, sound);
    EXPECT_TRUE(sound.beats.empty());
    m.valve.FrontExhaustOpening = 0.1f;
    updateExhaustBeats(m, sound);
    ASSERT_EQ(sound.beats.size(), 1u);
    EXPECT_EQ(sound.beats[0], std::make_pair(0x1400, 0x1400));
    EXPECT_FLOAT_EQ(m.events.front.capturedLevel, 900);
    updateExhaustBeats(m, sound); // disarmed until the port shuts again
    EXPECT_EQ(sound.beats.size(), 1u);
    // The rear beat now takes the front's 900.
    m.valve.RearExhaustOpening = -0.1f;
    updateExhaustBeats(m, sound);
    m.valve.RearExhaustOpening = 0.1f;
    updateExhaustBeats(m, sound);
    ASSERT_EQ(sound.beats.size(), 2u);
    EXPECT_EQ(sound.beats[1].first, 0x6000);
}

TEST(ValveEvents, NoBeatIsArmedDuringACloseUp) {
    Model m = nominalModel();
    RecordingSound sound;
    m.view.SelectedDimCode = 5;
    m.valve.FrontExhaustOpening = -0.1f;
    updateExhaustBeats(m, sound);
    m.valve.FrontExhaustOpening = 0.1f;
    updateExhaustBeats(m, sound);
    EXPECT_TRUE(sound.beats.empty());
}

TEST(ValveEvents, VolumeSteps) {
    const std::pair<double, int> cases[] = {{23, -1},     {24, 0x0700},   {100.4, 0x0700},
                                            {101, 0x1400}, {400, 0x2800},  {600, 0x4000},
                                            {800, 0x5000}, {1000, 0x6000}, {1200, 0x7000},
                                            {2001, 0x8000}, {2002, -1},    {0, -1}};
    for (auto [level, volume] : cases) EXPECT_EQ(exhaustVolumeFor(level), volume) << level;
    // "Other" levels leave the volume as it was.
    Model m = nominalModel();
    RecordingSound sound;
    m.events.waveVolume = 0x2800;
    m.events.rear.capturedLevel = 0;
    m.valve.FrontExhaustOpening = -1;
    updateExhaustBeats(m, sound);
    m.valve.FrontExhaustOpening = 1;
    updateExhaustBeats(m, sound);
    ASSERT_EQ(sound.beats.size(), 1u);
    EXPECT_EQ(sound.beats[0].first, 0x2800);
}

TEST(ValveEvents, CutOffIsInterpolatedBetweenFrames) {
    Model m = nominalModel();
    m.gear.StepAngle = 10;
    m.events.prevFrontSteamOpening = 0.02f;
    m.events.prevPistonTravelPos = 400;
    m.valve.FrontSteamOpening = -0.02f;
    m.valve.PistonTravelPos = 440;
    m.valve.RearSteamOpening = -1;
    detectCutOff(m);
    EXPECT_EQ(m.events.front.cutOffText, "65.6"); // 420 / 6.4 = 65.625
    EXPECT_EQ(m.events.front.holdCount, 40);      // round(400 / 10.1)
    EXPECT_FLOAT_EQ(m.events.prevPistonTravelPos, 440);
    EXPECT_FLOAT_EQ(m.events.prevFrontSteamOpening, -0.02f);
    // Rear cut-off is measured from the rear dead centre.
    m.events.prevRearSteamOpening = 0.01f;
    m.valve.RearSteamOpening = -0.03f;
    m.valve.PistonTravelPos = 200;
    detectCutOff(m); // x = 440 - 0.01 * (200 - 440) / (-0.04) = 380
    EXPECT_EQ(m.events.rear.cutOffText, "40.6");
}

TEST(ValveEvents, PortClosingExactlyOnAFrameRecordsNothing) {
    Model m = nominalModel();
    m.events.prevFrontSteamOpening = 0.02f;
    m.valve.FrontSteamOpening = 0;
    detectCutOff(m);
    EXPECT_EQ(m.events.front.holdCount, 0);
    EXPECT_TRUE(m.events.front.cutOffText.empty());
}

TEST(ValveEvents, FullTurnAtFullGearGivesPlausibleCutOffs) {
    Model m = nominalModel();
    m.gear.RevArmPos = m.gear.RevArmPositions[2]; // normal forward
    m.gear.StepAngle = 1;
    for (int a = 0; a <= 360; ++a) {
        solveAt(m, float(a));
        detectCutOff(m);
    }
    ASSERT_FALSE(m.events.front.cutOffText.empty());
    ASSERT_FALSE(m.events.rear.cutOffText.empty());
    double front = std::stod(m.events.front.cutOffText);
    double rear = std::stod(m.events.rear.cutOffText);
    EXPECT_GT(front, 20);
    EXPECT_LT(front, 95);
    EXPECT_GT(rear, 20);
    EXPECT_LT(rear, 95);
    EXPECT_FALSE(m.error.GeometryError);
}
