#pragma once
// The indicator figures as the user reads them: converted from SI to the
// conditions' units (pressures gauge except the mean effective pressures),
// as JSON, as CSV of the loops, and as a readable table.

#include "model/Json.h"
#include "model/Model.h"
#include "steam/Conditions.h"
#include "steam/Indicator.h"

#include <ostream>
#include <string>
#include <vector>

namespace corvellan::steam {

// The figures of one setting in the user's units.
struct IndicatorFigures {
    struct End {
        double mep = 0;                  // pressure unit
        std::optional<double> idealMep;  // absent where the ideal cycle has no events
        double work = 0;                 // work unit per revolution
        double steamPerRev = 0;          // mass unit
        double peakPressure = 0;         // gauge
        std::optional<double> cutOffPressure; // gauge
    };
    End front, rear;
    double indicatedPower = 0;               // power unit
    double steamPerHour = 0;                 // mass unit per hour
    std::optional<double> steamRate;         // mass unit per power unit hour
    std::optional<double> workDifferencePct; // front minus rear, % of the mean
};
IndicatorFigures indicatorFigures(const SettingIndicator& s, const Conditions& c);

// A pressure in Pa absolute as the user's gauge figure, and a volume in m^3
// in the user's length unit cubed.
double gaugePressure(double pa, const Conditions& c);
double userVolume(double m3, const Conditions& c);

// "Fwd", "Rev", "Neutral".
const char* indicatorDirectionName(const SettingIndicator& s);

// The conditions as the outputs list them: the port breadth and rod given
// for this gear's bore.
Json conditionsJson(const Conditions& c, double bore);
// {"Units": {...}, "Conditions": {...}, "Settings": [...]}
Json indicatorJson(const Conditions& c, double bore, const std::vector<SettingIndicator>& settings);
// The loops: one row per point and setting: setting, direction, driver
// angle, and for each end the piston position (percent of stroke from the
// front dead centre), volume and gauge pressure.
void writeIndicatorCsv(const Conditions& c, const std::vector<SettingIndicator>& settings,
                       std::ostream& out);
void writeIndicatorText(const Conditions& c, const std::vector<SettingIndicator>& settings,
                        std::ostream& out);

struct PerformanceMap;

// The performance map: per setting its direction and cut-offs (percent of
// stroke, from the events), and per speed the figures of indicatorJson
// with the mean of the two ends' MEP.
Json performanceJson(const Conditions& c, double bore, const PerformanceMap& map);
// One row per setting and speed.
void writePerformanceCsv(const Conditions& c, const PerformanceMap& map, std::ostream& out);
void writePerformanceText(const Conditions& c, const PerformanceMap& map, std::ostream& out);

} // namespace corvellan::steam
