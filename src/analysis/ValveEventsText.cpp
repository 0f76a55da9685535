#include "analysis/ValveEventsText.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>

namespace corvellan {

std::string fullNumber(double v, Ext scale) {
    return shortestText(v, scale);
}

namespace {

// Decimals of the readable forms: angles, piston percentages, lengths.
constexpr int kAngleDecimals = 4;
constexpr int kPctDecimals = 3;
constexpr int kLengthDecimals = 5;

Json figure(const Figure& f, Ext scale) {
    return f ? jsonFigure(*f, scale) : Json(nullptr);
}

Json endJson(const EndEvents& e, Ext length) {
    const Ext angle = kAngleScale, pct = kPercentScale;
    Json j;
    j["Lead"] = jsonFigure(e.lead, length);
    j["AdmissionAngle"] = figure(e.admissionAngle, angle);
    j["AdmissionPct"] = figure(e.admissionPct, pct);
    j["CutOffAngle"] = figure(e.cutOffAngle, angle);
    j["CutOffPct"] = figure(e.cutOffPct, pct);
    j["ReleaseAngle"] = figure(e.releaseAngle, angle);
    j["ReleasePct"] = figure(e.releasePct, pct);
    j["CompressionAngle"] = figure(e.compressionAngle, angle);
    j["CompressionPct"] = figure(e.compressionPct, pct);
    j["MaxSteamOpening"] = jsonFigure(e.maxSteamOpening, length);
    j["MaxExhaustOpening"] = jsonFigure(e.maxExhaustOpening, length);
    j["SteamTravelPct"] = jsonFigure(e.steamTravelPct, pct);
    j["OverTravel"] = e.overTravel;
    return j;
}

// A cell: in full, or rounded for reading; empty where the figure is absent.
struct CellFormat {
    bool readable;
    Ext lengthScale;
    std::string operator()(const Figure& f, int decimals, Ext scale) const {
        if (!f) return {};
        return readable ? formatFixed(*f, 0, decimals) : fullNumber(*f, scale);
    }
    std::string length(const Figure& f) const { return (*this)(f, kLengthDecimals, lengthScale); }
    std::string angle(const Figure& f) const { return (*this)(f, kAngleDecimals, kAngleScale); }
    std::string pct(const Figure& f) const { return (*this)(f, kPctDecimals, kPercentScale); }
};

void appendEndRow(std::vector<std::vector<std::string>>& rows, const SettingEvents& s,
                  const char* endName, const EndEvents& e, const CellFormat& cell) {
    rows.push_back({cell.length(s.revArmPos), directionName(s), endName, cell.length(s.valveTravel),
                    cell.length(e.lead), cell.angle(e.admissionAngle), cell.pct(e.admissionPct),
                    cell.angle(e.cutOffAngle), cell.pct(e.cutOffPct), cell.angle(e.releaseAngle),
                    cell.pct(e.releasePct), cell.angle(e.compressionAngle),
                    cell.pct(e.compressionPct), cell.length(e.maxSteamOpening),
                    cell.length(e.maxExhaustOpening), cell.length(s.leadDifference),
                    cell.pct(s.cutOffDifference), s.geometryError ? "true" : "false"});
}

std::string textCell(const Figure& f, int width, int decimals) {
    if (!f) return std::string(static_cast<size_t>(width - 1), ' ') + "-";
    return formatFixed(*f, width, decimals);
}

void writeFigureRow(std::ostream& out, const char* label, const Figure& frontAngle,
                    const Figure& frontPct, const Figure& rearAngle, const Figure& rearPct) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "  %-20s%s%s  %s%s\n", label,
                  textCell(frontAngle, 10, kAngleDecimals).c_str(),
                  textCell(frontPct, 12, kPctDecimals).c_str(),
                  textCell(rearAngle, 10, kAngleDecimals).c_str(),
                  textCell(rearPct, 12, kPctDecimals).c_str());
    out << buf;
}

void writeLengthRow(std::ostream& out, const char* label, double front, double rear) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "  %-20s%s  %s\n", label,
                  formatFixed(front, 22, kLengthDecimals).c_str(),
                  formatFixed(rear, 22, kLengthDecimals).c_str());
    out << buf;
}

} // namespace

const char* directionName(const SettingEvents& s) {
    switch (s.direction) {
    case RunningDirection::Forward:
        return "Fwd";
    case RunningDirection::Reverse:
        return "Rev";
    case RunningDirection::Neutral:
        return "Neutral";
    }
    return "";
}

Json settingJson(const SettingEvents& s, Ext lengthScale) {
    Json j;
    j["RevArmPos"] = jsonFigure(s.revArmPos, lengthScale);
    j["Direction"] = directionName(s);
    j["ValveTravel"] = jsonFigure(s.valveTravel, lengthScale);
    Json events = Json::array();
    for (const ValveEvent& e : s.events)
        events.push_back({{"Kind", eventKindName(e.kind)},
                          {"Angle", jsonFigure(e.angle, kAngleScale)},
                          {"Pct", jsonFigure(e.pct, kPercentScale)}});
    j["Events"] = std::move(events);
    j["Front"] = endJson(s.front, lengthScale);
    j["Rear"] = endJson(s.rear, lengthScale);
    j["LeadDifference"] = jsonFigure(s.leadDifference, lengthScale);
    j["CutOffDifference"] = figure(s.cutOffDifference, kPercentScale);
    j["GeometryError"] = s.geometryError;
    return j;
}

Json eventsJson(const EventsReport& report) {
    Json j;
    j["RevArmCen"] = jsonFigure(report.revArmCen, report.lengthScale);
    j["NeutralFront"] = figure(report.neutralFront, report.lengthScale);
    j["NeutralRear"] = figure(report.neutralRear, report.lengthScale);
    Json settings = Json::array();
    for (const SettingEvents& s : report.settings)
        settings.push_back(settingJson(s, report.lengthScale));
    j["Settings"] = std::move(settings);
    return j;
}

void writeSettingJson(const SettingEvents& s, std::ostream& out, Ext lengthScale) {
    out << jsonLine(settingJson(s, lengthScale));
}

void writeEventsJson(const EventsReport& report, std::ostream& out) {
    out << jsonLine(eventsJson(report)) << "\n";
}

std::vector<std::string> eventsTableHeader() {
    return {"RevArmPos",
            "Direction",
            "End",
            "ValveTravel",
            "Lead",
            "AdmissionAngle",
            "AdmissionPct",
            "CutOffAngle",
            "CutOffPct",
            "ReleaseAngle",
            "ReleasePct",
            "CompressionAngle",
            "CompressionPct",
            "MaxSteamOpening",
            "MaxExhaustOpening",
            "LeadDifference",
            "CutOffDifference",
            "GeometryError"};
}

std::vector<std::vector<std::string>> eventsTableRows(const EventsReport& report, bool readable) {
    std::vector<std::vector<std::string>> rows;
    for (const SettingEvents& s : report.settings) {
        const CellFormat cell{readable, report.lengthScale};
        appendEndRow(rows, s, "Front", s.front, cell);
        appendEndRow(rows, s, "Rear", s.rear, cell);
    }
    return rows;
}

std::vector<std::string> eventListHeader() {
    return {"Driver angle", "Piston %", "Event"};
}

std::vector<std::vector<std::string>> eventListRows(const SettingEvents& s) {
    std::vector<std::vector<std::string>> rows;
    for (const ValveEvent& e : s.events)
        rows.push_back({formatFixed(e.angle, 0, kAngleDecimals),
                        formatFixed(e.pct, 0, kPctDecimals), eventKindName(e.kind)});
    return rows;
}

void writeEventsCsv(const EventsReport& report, std::ostream& out) {
    auto writeRow = [&out](const std::vector<std::string>& cells) {
        for (size_t i = 0; i < cells.size(); ++i)
            out << (i ? "," : "") << cells[i];
        out << "\n";
    };
    writeRow(eventsTableHeader());
    for (const auto& row : eventsTableRows(report, false))
        writeRow(row);
}

void writeSettingText(const SettingEvents& s, std::ostream& out) {
    out << "Reverse arm " << formatFixed(s.revArmPos, 0, kLengthDecimals) << "  "
        << directionName(s)
        << (s.direction == RunningDirection::Neutral ? " (events for driver angle "
                                                     : " (driver angle ")
        << (s.forward ? "increasing" : "decreasing") << ")\n";
    out << "  Valve travel " << formatFixed(s.valveTravel, 0, kLengthDecimals) << "\n";
    if (s.geometryError)
        out << "  The gear cannot be assembled at some angles: the figures are those of the "
               "nearest positions the solver could place.\n";
    out << "\n  Driver angle   Piston %   Event\n";
    for (const ValveEvent& e : s.events)
        out << "  " << formatFixed(e.angle, 12, kAngleDecimals)
            << formatFixed(e.pct, 11, kPctDecimals) << "   " << eventKindName(e.kind) << "\n";
    if (s.events.empty()) out << "  (no port edge opens or closes)\n";

    out << "\n                      ------- Front -------   ------- Rear --------\n"
           "                           Angle    Piston %       Angle    Piston %\n";
    const EndEvents& f = s.front;
    const EndEvents& r = s.rear;
    writeFigureRow(out, "Admission", f.admissionAngle, f.admissionPct, r.admissionAngle,
                   r.admissionPct);
    writeFigureRow(out, "Cut-off", f.cutOffAngle, f.cutOffPct, r.cutOffAngle, r.cutOffPct);
    writeFigureRow(out, "Release", f.releaseAngle, f.releasePct, r.releaseAngle, r.releasePct);
    writeFigureRow(out, "Compression", f.compressionAngle, f.compressionPct, r.compressionAngle,
                   r.compressionPct);
    writeLengthRow(out, "Lead", f.lead, r.lead);
    writeLengthRow(out, "Max steam opening", f.maxSteamOpening, r.maxSteamOpening);
    writeLengthRow(out, "Max exhaust opening", f.maxExhaustOpening, r.maxExhaustOpening);
    writeLengthRow(out, "Steam travel %", f.steamTravelPct, r.steamTravelPct);
    for (const auto& [end, name] : {std::pair{&f, "front"}, std::pair{&r, "rear"}})
        if (end->overTravel)
            out << "  Over-travel at the " << name
                << " end: the steam edge passes over the bridge into the exhaust port\n";
    out << "  Front - rear: lead " << formatFixed(s.leadDifference, 0, kLengthDecimals)
        << ", cut-off "
        << (s.cutOffDifference ? formatFixed(*s.cutOffDifference, 0, kPctDecimals) + " %" : "-")
        << "\n";
}

void writeEventsText(const EventsReport& report, std::ostream& out) {
    out << "Mid gear (RevArmCen) " << formatFixed(report.revArmCen, 0, kLengthDecimals) << "\n";
    auto neutral = [](const Figure& f) {
        return f ? formatFixed(*f, 0, kLengthDecimals) : std::string("none in the travel");
    };
    out << "True neutral (steam travel changes sign): front " << neutral(report.neutralFront)
        << ", rear " << neutral(report.neutralRear) << "\n";
    for (const SettingEvents& s : report.settings) {
        out << "\n";
        writeSettingText(s, out);
    }
}

} // namespace corvellan
