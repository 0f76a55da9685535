// The sensitivity, tolerance and sweep engines against the events report
// itself: rates against differences of events computed here by hand, a study
// without tolerances against the nominal gear, the spread a worn pin adds
// against the linear estimate, and the same results on one thread and two.

#include "analysis/Sensitivity.h"
#include "analysis/Sweep.h"
#include "analysis/Tolerance.h"
#include "model/Model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace corvellan;

namespace {

// The events of the nominal gear with one dimension changed, at its own mid
// gear plus `offset`, computed the plain way.
SettingEvents eventsWith(int code, Real value, Ext offset) {
    Model m = nominalModel();
    storeDimension(m, code, value);
    midGearCalc(m);
    const Real setting = clampToReal(static_cast<Ext>(m.gear.RevArmCen()) + offset);
    return computeEvents(m, {setting}).settings[0];
}

const DimensionRates& ratesOf(const SettingRates& s, int code) {
    for (const DimensionRates& d : s.dimensions)
        if (d.code == code) return d;
    throw std::runtime_error("no rates for code " + std::to_string(code));
}

constexpr Ext kHalfForward = -0.75L; // half the normal distance, forward

TEST(Sensitivity, AgreesWithDifferencesOfTwoEventsReports) {
    const Model m = nominalModel();
    SensitivityOptions o;
    o.codes = {LinkPivotHorzCode, EccCrankAngleDegCode, 118 /* ValveLengthRearHalf */};
    o.offsets = {kHalfForward};
    const SettingRates s = computeSensitivity(m, o).settings[0];
    for (int code : o.codes) {
        // By hand, with a step of its own: a quarter of the first step.
        const Ext h = code == EccCrankAngleDegCode ? 0.01L : 0.001L;
        const Real x0 = dimensionValue(m, code);
        const Real up = clampToReal(x0 + h), down = clampToReal(x0 - h);
        const DesignFigures a = designFigures(eventsWith(code, up, kHalfForward));
        const DesignFigures b = designFigures(eventsWith(code, down, kHalfForward));
        const DimensionRates& d = ratesOf(s, code);
        EXPECT_TRUE(d.stable) << code;
        EXPECT_LT(d.halvingChange, kStableShare) << code;
        for (int f : {CutOffFrontFigure, CutOffRearFigure, LeadFrontFigure, ReleaseRearFigure,
                      ValveTravelFigure, CutOffDifferenceFigure}) {
            SCOPED_TRACE(std::string(dimensionInfo(code)->name) + " " + designFigureKey(f));
            const double byHand =
                (*a[f] - *b[f]) / static_cast<double>(static_cast<Ext>(up) - down);
            ASSERT_TRUE(d.figures[f].rate);
            // Both are derivatives of the same figure; they differ by the
            // curvature over the two steps and the events' resolution.
            EXPECT_NEAR(*d.figures[f].rate, byHand, 0.01 * std::fabs(byHand) + 0.05);
            EXPECT_TRUE(d.figures[f].smooth);
        }
    }
    // The nominal figures are the plain events of the setting.
    const DesignFigures plain = designFigures(eventsWith(LinkPivotHorzCode, 0, kHalfForward));
    for (int f = 0; f < kDesignFigures; ++f)
        EXPECT_EQ(s.nominal[f], plain[f]) << designFigureKey(f);
}

TEST(Sensitivity, FlagsACornerAndLeavesNoRateWhereAFigureIsAbsent) {
    const Model m = nominalModel();
    SensitivityOptions o;
    o.codes = {RevArmToCentMaxCode, 119 /* ValveLengthFrontHalf */};
    // Full forward gear: a shorter travel pulls the setting in, a longer one
    // leaves it, so the figures have a corner at the drawn value.
    o.offsets = {-static_cast<Ext>(m.frame.RevArmToCentMax)};
    const SettingRates full = computeSensitivity(m, o).settings[0];
    const DimensionRates& travel = full.dimensions[0];
    EXPECT_FALSE(travel.figures[CutOffFrontFigure].smooth);
    EXPECT_FALSE(travel.smooth());
    EXPECT_TRUE(full.dimensions[1].smooth());

    // A front valve half so long that the front port hardly opens at mid
    // gear: on one side of it the front cut-off exists, on the other not.
    Model blind = nominalModel();
    storeDimension(blind, 119, 0.687f + 0.0315f);
    o.codes = {119};
    o.offsets = {0};
    const SettingRates mid = computeSensitivity(blind, o).settings[0];
    ASSERT_TRUE(mid.nominal[LeadRearFigure]);
    EXPECT_FALSE(mid.dimensions[0].figures[CutOffFrontFigure].rate);
    EXPECT_FALSE(mid.dimensions[0].figures[CutOffDifferenceFigure].rate);
    EXPECT_TRUE(mid.dimensions[0].figures[LeadFrontFigure].rate);
}

ToleranceOptions smallStudy(long long samples) {
    ToleranceOptions o;
    o.samples = samples;
    o.seed = 7;
    o.tolerances = defaultTolerances();
    o.offsets = {0, kHalfForward};
    return o;
}

TEST(Tolerance, WithoutTolerancesEverySampleIsTheNominalGear) {
    const Model m = nominalModel();
    ToleranceOptions o = smallStudy(300);
    o.tolerances.assign(o.tolerances.size(), 0);
    const ToleranceReport r = computeTolerance(m, o);
    EXPECT_EQ(r.infeasible, 0);
    for (const SettingSpread& s : r.settings) {
        for (int f = 0; f < kDesignFigures; ++f) {
            SCOPED_TRACE(designFigureKey(f));
            ASSERT_TRUE(s.nominal[f]);
            ASSERT_TRUE(s.figures[f]);
            const FigureSpread& x = *s.figures[f];
            EXPECT_EQ(x.count, 300);
            EXPECT_EQ(x.min, *s.nominal[f]);
            EXPECT_EQ(x.max, *s.nominal[f]);
            EXPECT_EQ(x.mean, *s.nominal[f]);
            EXPECT_EQ(x.std, 0);
            EXPECT_EQ(x.p5, static_cast<double>(static_cast<float>(*s.nominal[f])));
        }
    }
}

TEST(Tolerance, AWornPinWidensTheLeadWithinTheLinearEstimate) {
    const Model m = nominalModel();
    ToleranceOptions o = smallStudy(400);
    o.offsets = {kHalfForward};
    o.linearBounds = true;
    const ToleranceReport asBuilt = computeTolerance(m, o);
    o.pinClearance = 0.003;
    const ToleranceReport worn = computeTolerance(m, o);
    o.pinClearance = 0.001;
    o.tolerances.assign(o.tolerances.size(), 0);
    const ToleranceReport wornOnly = computeTolerance(m, o);

    for (int f : {LeadFrontFigure, LeadRearFigure}) {
        SCOPED_TRACE(designFigureKey(f));
        // Without tolerances the lead has no spread at all (see above); a
        // clearance of 0.001 gives it one, and more clearance widens the
        // spread of a gear built within its tolerances.
        EXPECT_GT(wornOnly.settings[0].figures[f]->std, 5e-4);
        EXPECT_GT(worn.settings[0].figures[f]->std, asBuilt.settings[0].figures[f]->std * 1.02);
        for (const ToleranceReport* r : {&asBuilt, &worn, &wornOnly}) {
            const SettingSpread& s = r->settings[0];
            const FigureSpread& x = *s.figures[f];
            const double nominal = *s.nominal[f];
            const double worst = std::max(x.max - nominal, nominal - x.min);
            ASSERT_TRUE(s.linearBound[f]);
            EXPECT_LE(worst, *s.linearBound[f] * 1.1 + 1e-5);
            // The bound is an estimate, not a wild overstatement.
            EXPECT_GT(worst, *s.linearBound[f] * 0.3);
        }
    }
}

void expectSameBits(double a, double b, const char* what) {
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << what << ": " << a << " vs " << b;
}

TEST(DesignSpace, OneThreadAndTwoGiveTheSameResultsBitForBit) {
    const Model m = nominalModel();
    ToleranceOptions o = smallStudy(600);
    o.pinClearance = 0.002;
    o.threads = 1;
    const ToleranceReport one = computeTolerance(m, o);
    o.threads = 2;
    const ToleranceReport two = computeTolerance(m, o);
    ASSERT_EQ(one.settings.size(), two.settings.size());
    for (size_t s = 0; s < one.settings.size(); ++s) {
        expectSameBits(one.settings[s].shareOverLimit, two.settings[s].shareOverLimit, "share");
        for (int f = 0; f < kDesignFigures; ++f) {
            const FigureSpread &a = *one.settings[s].figures[f], &b = *two.settings[s].figures[f];
            for (auto [x, y, what] : {std::tuple{a.mean, b.mean, "mean"},
                                      {a.std, b.std, "std"},
                                      {a.p5, b.p5, "p5"},
                                      {a.p95, b.p95, "p95"},
                                      {a.min, b.min, "min"},
                                      {a.max, b.max, "max"}})
                expectSameBits(x, y, what);
            EXPECT_EQ(a.histogram, b.histogram);
        }
    }

    SensitivityOptions so;
    so.offsets = {kHalfForward, 0.75L};
    so.threads = 1;
    const SensitivityReport r1 = computeSensitivity(m, so);
    so.threads = 2;
    const SensitivityReport r2 = computeSensitivity(m, so);
    for (size_t s = 0; s < r1.settings.size(); ++s)
        for (size_t d = 0; d < r1.settings[s].dimensions.size(); ++d)
            for (int f = 0; f < kDesignFigures; ++f) {
                const Figure &a = r1.settings[s].dimensions[d].figures[f].rate,
                             &b = r2.settings[s].dimensions[d].figures[f].rate;
                ASSERT_EQ(a.has_value(), b.has_value());
                if (a) expectSameBits(*a, *b, "rate");
            }

    SweepOptions w;
    w.axes = {{LinkPivotHorzCode, -0.05L, 0.05L, 9}, {EccCrankAngleDegCode, 178, 182, 5}};
    w.offsets = {kHalfForward};
    w.threads = 1;
    std::vector<SweepPoint> p1, p2;
    ASSERT_TRUE(computeSweep(m, w, p1));
    w.threads = 2;
    ASSERT_TRUE(computeSweep(m, w, p2));
    ASSERT_EQ(p1.size(), 45u);
    ASSERT_EQ(p2.size(), 45u);
    for (size_t i = 0; i < p1.size(); ++i)
        for (int f = 0; f < kDesignFigures; ++f)
            EXPECT_EQ(p1[i].settings[0].figures[f], p2[i].settings[0].figures[f]);
    // The last axis runs fastest; the first and last points are the ends.
    EXPECT_EQ(p1[1].values[0], -0.05f);
    EXPECT_EQ(p1[1].values[1], 179.0f);
    EXPECT_EQ(p1[44].values[0], 0.05f);
    EXPECT_EQ(p1[44].values[1], 182.0f);
}

} // namespace
