#include "analysis/GearComparison.h"

#include <cmath>
#include <cstring>

namespace corvellan {

namespace {

bool sameValue(Real a, Real b) {
    return a == b || std::memcmp(&a, &b, sizeof a) == 0;
}

GearComparison namedComparison(const Model& a, const Model& b) {
    GearComparison c;
    c.nameA = a.DimSetName;
    c.nameB = b.DimSetName;
    c.dimensions = differingDimensions(a, b);
    return c;
}

} // namespace

std::vector<DimensionDifference> differingDimensions(const Model& a, const Model& b) {
    std::vector<DimensionDifference> out;
    for (const DimensionInfo& d : allDimensions()) {
        const Real va = dimensionValue(a, d.code);
        const Real vb = dimensionValue(b, d.code);
        if (!sameValue(va, vb)) out.push_back({d.name, va, vb});
    }
    return out;
}

std::vector<Real> matchingSettings(const Model& a, const Model& b,
                                   const std::vector<Real>& settingsOfA) {
    const Ext cenA = a.gear.RevArmCen();
    const Ext cenB = b.gear.RevArmCen();
    std::vector<Real> out;
    out.reserve(settingsOfA.size());
    for (Real s : settingsOfA) {
        const Ext offset = static_cast<Ext>(s) - cenA;
        // A setting within A's travel stays within B's; one that A itself
        // takes beyond its travel (a diagram position left outside by a
        // file or a changed mid gear) is taken as it is on B too.
        const bool withinA = std::fabs(offset) <= static_cast<Ext>(a.frame.RevArmToCentMax);
        out.push_back(withinA ? clampSetting(b, cenB + offset) : clampToReal(cenB + offset));
    }
    return out;
}

GearComparison compareGears(const Model& a, const Model& b, const std::vector<Real>& settingsOfA) {
    GearComparison c = namedComparison(a, b);
    c.a = computeEvents(a, settingsOfA);
    c.b = computeEvents(b, matchingSettings(a, b, settingsOfA));
    return c;
}

GearComparison compareSweeps(const Model& a, const Model& b) {
    GearComparison c = namedComparison(a, b);
    c.a = computeEvents(a, sweepSettings(a));
    c.b = computeEvents(b, sweepSettings(b));
    return c;
}

std::vector<ComparedFigure> comparedFigures(const SettingEvents& a, const SettingEvents& b) {
    constexpr int kLength = 5, kPct = 3;
    std::vector<ComparedFigure> f{
        {"Reverse arm", kLength, a.revArmPos, b.revArmPos},
        {"Valve travel", kLength, a.valveTravel, b.valveTravel},
    };
    struct EndNames {
        const char *lead, *admission, *cutOff, *release, *compression;
    };
    const EndNames front{"Front lead", "Front admission %", "Front cut-off %", "Front release %",
                         "Front compression %"};
    const EndNames rear{"Rear lead", "Rear admission %", "Rear cut-off %", "Rear release %",
                        "Rear compression %"};
    auto addEnd = [&f](const EndNames& n, const EndEvents& ea, const EndEvents& eb) {
        f.push_back({n.lead, kLength, ea.lead, eb.lead});
        f.push_back({n.admission, kPct, ea.admissionPct, eb.admissionPct});
        f.push_back({n.cutOff, kPct, ea.cutOffPct, eb.cutOffPct});
        f.push_back({n.release, kPct, ea.releasePct, eb.releasePct});
        f.push_back({n.compression, kPct, ea.compressionPct, eb.compressionPct});
    };
    addEnd(front, a.front, b.front);
    addEnd(rear, a.rear, b.rear);
    f.push_back({"Lead front - rear", kLength, a.leadDifference, b.leadDifference});
    f.push_back({"Cut-off front - rear %", kPct, a.cutOffDifference, b.cutOffDifference});
    return f;
}

} // namespace corvellan
