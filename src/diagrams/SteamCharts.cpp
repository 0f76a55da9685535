#include "diagrams/SteamCharts.h"

#include "analysis/Parallel.h"
#include "analysis/ValveEventsText.h"
#include "model/Numeric.h"
#include "steam/Performance.h"

#include <algorithm>
#include <memory>

#include <cmath>

namespace corvellan {

namespace {

constexpr double kSecondsPerHour = 3600;

ChartFigure finite(double v) {
    return std::isfinite(v) ? ChartFigure(v) : std::nullopt;
}

PressureLoop loopOf(const std::vector<steam::LoopPoint>& points, double atmosphere,
                    double perUnit) {
    PressureLoop l;
    for (const steam::LoopPoint& p : points) {
        l.travelPct.push_back(p.fraction * 100);
        l.pressure.push_back((p.pressure - atmosphere) / perUnit);
    }
    return l;
}

IndicatorEndCurve endCurve(const steam::EndIndicator& e, double atmosphere, double perUnit) {
    IndicatorEndCurve c;
    c.computed = loopOf(e.loop, atmosphere, perUnit);
    c.mep = finite(e.mep / perUnit);
    if (e.ideal.valid) {
        c.ideal = loopOf(e.ideal.loop, atmosphere, perUnit);
        c.idealMep = finite(e.ideal.mep / perUnit);
    }
    return c;
}

// kg/J as the unit system's mass per power unit and hour.
ChartFigure steamRateIn(const std::optional<double>& kgPerJoule, const steam::UnitScales& u) {
    if (!kgPerJoule) return std::nullopt;
    return finite(*kgPerJoule * u.power * kSecondsPerHour / u.mass);
}

} // namespace

const char* indicatorDirectionName(const steam::SettingIndicator& s) {
    return runningDirectionName(s.direction);
}

std::string indicatorSettingLabel(const steam::SettingIndicator& s) {
    return std::string(runningDirectionName(s.direction)) + " at " + formatFixed(s.revArmPos, 0, 5);
}

SteamUnits steamUnits(steam::UnitSystem u) {
    const steam::UnitScales& s = steam::unitScales(u);
    SteamUnits units;
    units.pressure = s.pressureName;
    units.power = s.powerName;
    units.steamRate = u == steam::UnitSystem::Metric ? "kg/kWh" : "lb/(hp\u00b7h)";
    return units;
}

IndicatorSettingCurve indicatorCurve(const steam::SettingIndicator& s,
                                     const steam::SiConditions& si, steam::UnitSystem u) {
    const steam::UnitScales& scales = steam::unitScales(u);
    IndicatorSettingCurve c;
    c.label = indicatorSettingLabel(s);
    c.front = endCurve(s.front, si.atmosphere, scales.pressure);
    c.rear = endCurve(s.rear, si.atmosphere, scales.pressure);
    c.power = finite(s.indicatedPower / scales.power);
    c.steamRate = steamRateIn(s.steamRate, scales);
    if (s.workDifferencePct) c.workDifferencePct = finite(*s.workDifferencePct);
    c.settled = s.settled;
    c.geometryError = s.geometryError;
    return c;
}

IndicatorChart makeIndicatorChart(const std::vector<steam::SettingIndicator>& settings,
                                  const steam::SiConditions& si, steam::UnitSystem u,
                                  const std::vector<steam::SettingIndicator>& compared,
                                  const std::string& comparedName) {
    const steam::UnitScales& scales = steam::unitScales(u);
    IndicatorChart ch;
    ch.units = steamUnits(u);
    ch.title = "Indicator diagram at " + formatGeneral(si.speed, 6) + " rpm, " +
               (si.fluid == steam::FluidKind::Steam ? "steam" : "perfect gas");
    ch.chestPressure = (si.chestPressure - si.atmosphere) / scales.pressure;
    ch.backPressure = (si.backPressure - si.atmosphere) / scales.pressure;
    for (const steam::SettingIndicator& s : settings)
        ch.settings.push_back(indicatorCurve(s, si, u));
    for (const steam::SettingIndicator& s : compared)
        ch.compared.push_back(indicatorCurve(s, si, u));
    ch.comparedName = comparedName;
    return ch;
}

double cylinderMep(const steam::SettingIndicator& s) {
    const double swept = s.front.sweptVolume + s.rear.sweptVolume;
    return swept > 0 ? (s.front.work + s.rear.work) / swept : NAN;
}

PerformanceChart
makePerformanceChart(const Model& m, const std::vector<double>& speeds,
                     const std::vector<std::vector<steam::SettingIndicator>>& sweep,
                     const std::vector<std::vector<steam::SettingIndicator>>& positions,
                     steam::UnitSystem u) {
    const steam::UnitScales& scales = steam::unitScales(u);
    PerformanceChart ch;
    ch.units = steamUnits(u);
    ch.title = "Performance";
    ch.speeds = speeds;
    for (const std::vector<steam::SettingIndicator>& atSpeed : sweep) {
        std::vector<PerformancePoint> points;
        for (const steam::SettingIndicator& s : atSpeed) {
            PerformancePoint p;
            p.forward = runsForward(m, s.revArmPos);
            p.cutOffFront = s.events.front.cutOffPct;
            p.cutOffRear = s.events.rear.cutOffPct;
            p.mepFront = finite(s.front.mep / scales.pressure);
            p.mepRear = finite(s.rear.mep / scales.pressure);
            p.mepMean = finite(cylinderMep(s) / scales.pressure);
            points.push_back(p);
        }
        ch.sweep.push_back(points);
    }
    // One curve per position, across the speeds.
    for (size_t k = 0; k < speeds.size() && k < positions.size(); ++k)
        for (size_t i = 0; i < positions[k].size(); ++i) {
            const steam::SettingIndicator& s = positions[k][i];
            if (ch.positions.size() <= i) {
                ch.positions.push_back({indicatorSettingLabel(s), {}, {}});
                ch.positions[i].power.assign(speeds.size(), std::nullopt);
                ch.positions[i].steamRate.assign(speeds.size(), std::nullopt);
            }
            ch.positions[i].power[k] = finite(s.indicatedPower / scales.power);
            ch.positions[i].steamRate[k] = steamRateIn(s.steamRate, scales);
        }
    return ch;
}

bool computePerformanceChart(const Model& m, const steam::Conditions& c,
                             const std::vector<double>& givenSpeeds, int threads,
                             PerformanceChart& out, StudyProgress* progress, std::string* error) {
    // In rising order, each once, so the curves against speed run one way.
    std::vector<double> speeds = givenSpeeds;
    std::sort(speeds.begin(), speeds.end());
    speeds.erase(std::unique(speeds.begin(), speeds.end()), speeds.end());
    // One map of the sweep and the positions together, so the cores share
    // all of it.
    std::vector<Real> settings = sweepSettings(m);
    const size_t sweepCount = settings.size();
    for (Real p : diagramPositionSettings(m))
        settings.push_back(p);
    steam::PerformanceMap map;
    if (!steam::computePerformance(m, settings, speeds, steam::toSi(c, m), threads, map, progress,
                                   error))
        return false;
    std::vector<std::vector<steam::SettingIndicator>> sweepOut(speeds.size()),
        positionsOut(speeds.size());
    for (size_t k = 0; k < speeds.size(); ++k)
        for (size_t i = 0; i < settings.size(); ++i)
            (i < sweepCount ? sweepOut : positionsOut)[k].push_back(map.at(i, k));
    out = makePerformanceChart(m, speeds, sweepOut, positionsOut, c.Units);
    out.title = std::string("Performance, ") +
                (c.Fluid == steam::FluidKind::Steam ? "steam" : "perfect gas") + " from " +
                formatGeneral(c.ChestPressure, 6) + " " + out.units.pressure +
                " gauge in the chest";
    return true;
}

} // namespace corvellan
