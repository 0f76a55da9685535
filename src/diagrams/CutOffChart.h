#pragma once
// The chart of cut-off against the reverse-arm setting: the front end's
// cut-off in blue and the rear end's in red over the whole travel, full
// reverse on the left, mid gear in the middle and full forward on the right
// (as on the main window's reverse-arm bar), the travel in percent of full
// gear so that two gears of different travels line up. A second gear (B)
// is drawn over it dashed, in the same colours.

#include "analysis/CutOffCurve.h"
#include "diagrams/DesignSpacePictures.h"
#include "view/Canvas.h"

#include <string>

namespace corvellan {

struct CutOffChartGear {
    std::string name;
    CutOffCurve curve;
};

constexpr PictureSize kCutOffChartSize{640, 430};

// `b` may be null: no comparison.
void drawCutOffChart(const CutOffChartGear& a, const CutOffChartGear* b, Canvas& c);

} // namespace corvellan
