#pragma once
// The valve events as text: a readable table (one block per setting), one
// JSON object, CSV, and the cells of the events table that the window shows.
// Each setting's part is written by a function of its own, so a report that
// sets several gears side by side can print their settings the same way.

#include "analysis/ValveEvents.h"
#include "model/Json.h"

#include <ostream>
#include <string>
#include <vector>

namespace corvellan {

// "Fwd", "Rev" or "Neutral": the direction the steam drives.
// "Fwd", "Rev" or "Neutral", as the reports and the JSON spell them.
const char* runningDirectionName(RunningDirection d);
const char* directionName(const SettingEvents& s);

// A figure in full, as the JSON and CSV forms write it: the shortest decimal
// of its 4-byte value, 0 below 1e-12 of `scale`, "" when it is not a
// finite number.
std::string fullNumber(double v, Ext scale = 0);

// The whole report: {"RevArmCen": x, "Settings": [...]} on one line and a
// newline.
void writeEventsJson(const EventsReport& report, std::ostream& out);
// The report's object, for documents that hold it (compare, balance).
Json eventsJson(const EventsReport& report);
// One setting's object; absent figures are null. `lengthScale` is the
// report's (EventsReport::lengthScale).
Json settingJson(const SettingEvents& s, Ext lengthScale);
// The same on one line, without a newline.
void writeSettingJson(const SettingEvents& s, std::ostream& out, Ext lengthScale = 0);
// CSV: a header row, then one row per setting and end; absent figures are
// empty fields.
void writeEventsCsv(const EventsReport& report, std::ostream& out);

// A setting as the trade names it: "Mid gear"; by its cut-off, "Fwd, cut-off
// 25 %" (the mean of the two ends, where both cut off and the steam drives
// the way of that side of mid gear); else by its travel, "Fwd 50 % of full
// gear". Forward is below mid gear.
std::string settingName(const EventsReport& report, const SettingEvents& s);
// The name and the reverse-arm figure: "Fwd, cut-off 25 %  (-0.74999)".
std::string settingLabel(const EventsReport& report, const SettingEvents& s);

// What an engineer compares, one row per setting, front and rear side by
// side: the setting's name, its reverse arm, cut-off, lead (length and
// crank degrees before dead centre), release, compression and valve travel,
// rounded for the screen. The headers are words with units, a line break
// before the unit.
std::vector<std::string> engineerTableHeader();
std::vector<std::vector<std::string>> engineerTableRows(const EventsReport& report);
// The headers' one-line explanation of the units and the sign of forward.
extern const char* const kEventsUnitsNote;

// What a report of a gear with a geometry error says first: that its
// linkage cannot be built (and why), or at which settings it cannot be
// assembled at some angles; "" for a gear that assembles everywhere.
std::string geometryErrorNote(const EventsReport& report);

// The readable table: the mid-gear setting, then one block per setting.
void writeEventsText(const EventsReport& report, std::ostream& out);
void writeSettingText(const EventsReport& report, const SettingEvents& s, std::ostream& out);

// The events table by rows of cells, one row per setting and end, as the CSV
// has them. `readable` rounds the figures for the screen; otherwise they are
// written in full. Absent figures are empty cells.
std::vector<std::string> eventsTableHeader();
std::vector<std::vector<std::string>> eventsTableRows(const EventsReport& report, bool readable);
// The crossings of one setting in running order, rounded for the screen:
// driver angle, piston percent, kind.
std::vector<std::string> eventListHeader();
std::vector<std::vector<std::string>> eventListRows(const SettingEvents& s);

} // namespace corvellan
