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

// The readable table: the mid-gear setting, then one block per setting.
void writeEventsText(const EventsReport& report, std::ostream& out);
void writeSettingText(const SettingEvents& s, std::ostream& out);

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
