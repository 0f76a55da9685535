#pragma once
// The sensitivity, tolerance and sweep reports as rows of cells (the CSV
// and the windows' tables share them) and as readable text. `readable`
// rounds the figures for the screen; otherwise they are written in full
// (enough digits to give a 4-byte real back). Absent figures are empty
// cells.

#include "analysis/Sensitivity.h"
#include "analysis/Sweep.h"
#include "analysis/Tolerance.h"

#include <ostream>
#include <string>
#include <vector>

namespace corvellan {

using TextRow = std::vector<std::string>;

// One row per setting and dimension: RevArmPos, Direction, Name, Step, the
// rate of each figure, Smooth, Stable, HalvingChangePct (the largest change
// on halving the step, in percent) and NotSmooth (the keys of the figures
// that are not, separated by blanks).
TextRow sensitivityHeader();
std::vector<TextRow> sensitivityRows(const SensitivityReport& r, bool readable);

// One row per setting and figure: RevArmPos, Direction, Figure, Nominal,
// Mean, Std, P5, P95, Min, Max, Count, Infeasible (at that setting),
// ShareOverLimit.
TextRow toleranceHeader();
std::vector<TextRow> toleranceRows(const ToleranceReport& r, bool readable);

// One row per grid point and setting: the swept dimensions' values, then
// RevArmPos, Direction, Judgeable, GeometryError and every figure.
TextRow sweepHeader(const SweepOptions& o);
void appendSweepRows(const SweepOptions& o, const std::vector<SweepPoint>& block, bool readable,
                     std::vector<TextRow>& rows);

// The ranked moves that bring the cut-offs together: Name, Rate, Move,
// WithinBounds, Smooth.
TextRow cutOffMoveHeader();
std::vector<TextRow> cutOffMoveRows(const std::vector<CutOffMove>& moves, bool readable);

// Rows in columns padded to their widest cell, names left, numbers right.
void writeColumns(const TextRow& header, const std::vector<TextRow>& rows, std::ostream& out);

// The readable reports of the commands.
void writeSensitivityText(const Model& base, const SensitivityReport& r, std::ostream& out);
void writeToleranceText(const ToleranceReport& r, std::ostream& out);

} // namespace corvellan
