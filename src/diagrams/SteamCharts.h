#pragma once
// The steam pictures' figures from the settled cycles: pressures gauge in
// the conditions' pressure unit, mean effective pressures in it too, power
// and steam rate in the conditions' units, the piston's travel in percent of
// stroke from the front dead centre.

#include "diagrams/SteamPictures.h"
#include "model/Model.h"
#include "steam/Indicator.h"

#include <string>
#include <vector>

namespace corvellan {

// "Fwd at -1.50000" (or "Rev", "Neutral"), as the events name the setting.
std::string indicatorSettingLabel(const steam::SettingIndicator& s);
// "Fwd", "Rev" or "Neutral".
const char* indicatorDirectionName(const steam::SettingIndicator& s);

SteamUnits steamUnits(steam::UnitSystem u);

IndicatorSettingCurve indicatorCurve(const steam::SettingIndicator& s,
                                     const steam::SiConditions& si, steam::UnitSystem u);

// The indicator diagram of `settings`; `compared` (may be empty) is a second
// gear's, named `comparedName`, at the same conditions.
IndicatorChart makeIndicatorChart(const std::vector<steam::SettingIndicator>& settings,
                                  const steam::SiConditions& si, steam::UnitSystem u,
                                  const std::vector<steam::SettingIndicator>& compared = {},
                                  const std::string& comparedName = {});

// The whole cylinder's mean effective pressure: both ends' work over both
// swept volumes (Pa).
double cylinderMep(const steam::SettingIndicator& s);

// The performance chart: `sweep[k]` the 21 settings of the sweep and
// `positions[k]` the diagram positions, each at speeds[k]; `m` the gear, for
// which half of the sweep a setting lies in.
PerformanceChart makePerformanceChart(const Model& m, const std::vector<double>& speeds,
                                      const std::vector<std::vector<steam::SettingIndicator>>& sweep,
                                      const std::vector<std::vector<steam::SettingIndicator>>& positions,
                                      steam::UnitSystem u);

struct StudyProgress;

// Computes the chart's cycles (the performance map of the sweep and of the
// diagram positions at each speed) on `threads` threads. `c` must suit the
// gear (validateConditions); its Speed is replaced by each of `speeds`,
// which the chart holds in rising order, each once. False when `progress`
// asked to stop first, or with `error` said when the map is too large.
bool computePerformanceChart(const Model& m, const steam::Conditions& c,
                             const std::vector<double>& speeds, int threads,
                             PerformanceChart& out, StudyProgress* progress = nullptr,
                             std::string* error = nullptr);

} // namespace corvellan
