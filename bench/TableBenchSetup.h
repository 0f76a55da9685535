#pragma once
// The setup the pivot data table benchmarks share: the nominal model at the
// smallest step, 0.01 degree, with six pivots in the table, and a fixed date
// and time for its heading.

#include "model/Model.h"

#include <string>

namespace corvellan::bench {

inline const char* const kTableDate = "01/02/2003";
inline const char* const kTableTime = "12:34:56";

inline Model tableModel() {
    Model m;
    initialiseModel(m);
    m.gear.StepAngleSetting = 0.01f;
    m.pivotData.slotPivot = {0, 2, 3, 4, 5, 7, 18};
    return m;
}

inline void fixedClock(std::string& date, std::string& time) {
    date = kTableDate;
    time = kTableTime;
}

} // namespace corvellan::bench
