#pragma once
// The pivot data table: the six pivot slots over one turn of the driver, one
// row per step of StepAngleSetting, as the text of the "Pivot Data Table"
// window (and of `corvellan table`), or as CSV. Building it solves the gear
// for every row and then restores DriverAngle and StepAngle; the pivot table
// keeps the last row's positions until the next solve.

#include "model/Model.h"

#include <string>

namespace corvellan {

// The step a sweep uses: a step below the smallest the program offers (0.01),
// not a number, zero or negative would never finish, so it becomes 0.01.
Real tableStep(Real stepSetting);
// Rows of a sweep: driver angles k x step from 0 while they do not exceed 360.
int pivotTableRowCount(Real stepSetting);

// The window's text; `date` and `time` are the user's short date and long time.
std::string buildPivotDataTable(Model& m, const std::string& date, const std::string& time);
// A header line, then per row the angle and each slot's vertical and
// horizontal coordinate, each as the shortest decimal of its 4-byte value
// (noise below 1e-12 of the gear's size as 0; empty where the solver
// gave no number).
std::string buildPivotDataCsv(Model& m);


} // namespace corvellan
