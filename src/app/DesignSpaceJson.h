#pragma once
// The JSON forms of the sensitivity, tolerance and sweep reports, written
// with the JSON library: numbers with enough digits to give a 4-byte real
// back, null where a figure is absent.

#include "analysis/Sensitivity.h"
#include "analysis/Sweep.h"
#include "analysis/Tolerance.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <vector>

namespace corvellan {

using Json = nlohmann::ordered_json;

// {"Settings": [{"RevArmPos", "Direction", "Rates": [{"Name", "Step",
// figures..., "Smooth"}]}]}
Json sensitivityJson(const SensitivityReport& r);
// {"Samples", "Seed", "Infeasible", "Settings": [{"RevArmPos", "Direction",
// "Figures": {key: {"Mean", "Std", "P5", "P95", "Min", "Max"}}, "ShareOverLimit"}]}
Json toleranceJson(const ToleranceReport& r);

// The sweep, written as it is computed: {"Vary": [{"Name", "Low", "High",
// "Points"}], "Points": [{"Values": {name: value}, "Settings": [{"RevArmPos",
// "Direction", "Judgeable", "GeometryError", figures...}]}]}.
class SweepJsonWriter {
  public:
    SweepJsonWriter(const SweepOptions& o, std::ostream& out);
    void write(const std::vector<SweepPoint>& block);
    void finish();

  private:
    const SweepOptions& o_;
    std::ostream& out_;
    bool first_ = true;
};

} // namespace corvellan
