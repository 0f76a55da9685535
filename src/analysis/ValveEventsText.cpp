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

// Where the steam is admitted before dead centre the piston is still
// coming towards it: the readable forms give that admission as a negative
// percentage, before dead centre, not as a point 12 % into the stroke.
Figure signedAdmissionPct(const EndEvents& e) {
    if (!e.admissionPct) return std::nullopt;
    return e.leadAngle && *e.leadAngle > 0 ? -*e.admissionPct : *e.admissionPct;
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
                    cell.length(e.lead), cell.angle(e.admissionAngle),
                    cell.pct(cell.readable ? signedAdmissionPct(e) : e.admissionPct),
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

// A row of the readable block: a label and the front and rear figures.
void writeEndsRow(std::ostream& out, const char* label, const Figure& front, const Figure& rear,
                  int decimals) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "  %-38s%s%s\n", label, textCell(front, 12, decimals).c_str(),
                  textCell(rear, 12, decimals).c_str());
    out << buf;
}

constexpr double kMidGearShare = 0.005; // of the travel: closer than this is mid gear

} // namespace

const char* directionName(const SettingEvents& s) {
    return runningDirectionName(s.direction);
}

const char* runningDirectionName(RunningDirection d) {
    switch (d) {
    case RunningDirection::Forward:
        return "Fwd";
    case RunningDirection::Reverse:
        return "Rev";
    case RunningDirection::Neutral:
        return "Neutral";
    }
    return "";
}

const char* const kEventsUnitsNote =
    "Forward is below mid gear (a reverse-arm figure smaller than mid gear's), reverse above. "
    "Percentages are of the stroke from each end's own dead centre; lengths in the gear's unit; "
    "lead also in degrees of crank before dead centre.";

std::string settingName(const EventsReport& report, const SettingEvents& s) {
    const Ext offset = static_cast<Ext>(s.revArmPos) - report.revArmCen;
    const Ext travel = report.revArmToCentMax;
    if (!(std::fabs(offset) > kMidGearShare * travel)) return "Mid gear";
    const bool forwardSide = offset < 0;
    const char* side = forwardSide ? "Fwd" : "Rev";
    const RunningDirection drives =
        forwardSide ? RunningDirection::Forward : RunningDirection::Reverse;
    if (s.direction == drives && s.front.cutOffPct && s.rear.cutOffPct)
        return std::string(side) + ", cut-off " +
               formatFixed((*s.front.cutOffPct + *s.rear.cutOffPct) / 2, 0, 0) + " %";
    const Ext share = travel > 0 ? 100 * std::fabs(offset) / travel : 0;
    return std::string(side) + " " + formatFixed(share, 0, 0) + " % of full gear";
}

std::string settingLabel(const EventsReport& report, const SettingEvents& s) {
    return settingName(report, s) + "  (" + formatFixed(s.revArmPos, 0, kLengthDecimals) + ")";
}

std::vector<std::string> engineerTableHeader() {
    return {"Setting",
            "Reverse arm\nlength",
            "Cut-off front\n% of stroke",
            "Cut-off rear\n% of stroke",
            "Lead front\nlength",
            "Lead rear\nlength",
            "Lead front\n\u00b0 before DC",
            "Lead rear\n\u00b0 before DC",
            "Release front\n% of stroke",
            "Release rear\n% of stroke",
            "Compression front\n% of stroke",
            "Compression rear\n% of stroke",
            "Valve travel\nlength"};
}

std::vector<std::vector<std::string>> engineerTableRows(const EventsReport& report) {
    const CellFormat cell{true, report.lengthScale};
    const auto degrees = [](const Figure& f) { return f ? formatFixed(*f, 0, 2) : std::string(); };
    std::vector<std::vector<std::string>> rows;
    for (const SettingEvents& s : report.settings) {
        const EndEvents& f = s.front;
        const EndEvents& r = s.rear;
        rows.push_back({settingName(report, s), cell.length(s.revArmPos), cell.pct(f.cutOffPct),
                        cell.pct(r.cutOffPct), cell.length(f.lead), cell.length(r.lead),
                        degrees(f.leadAngle), degrees(r.leadAngle), cell.pct(f.releasePct),
                        cell.pct(r.releasePct), cell.pct(f.compressionPct),
                        cell.pct(r.compressionPct), cell.length(s.valveTravel)});
    }
    return rows;
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

void writeSettingText(const EventsReport& report, const SettingEvents& s, std::ostream& out) {
    out << "Setting " << settingName(report, s) << "  (reverse arm "
        << formatFixed(s.revArmPos, 0, kLengthDecimals) << "; " << directionName(s)
        << (s.direction == RunningDirection::Neutral ? ", events for driver angle "
                                                     : ", driver angle ")
        << (s.forward ? "increasing" : "decreasing") << ")\n";
    out << "  Valve travel " << formatFixed(s.valveTravel, 0, kLengthDecimals) << "\n";
    if (s.geometryError)
        out << "  The gear cannot be assembled at some angles: the figures are those of the "
               "nearest positions the solver could place.\n";

    const EndEvents& f = s.front;
    const EndEvents& r = s.rear;
    out << "\n                                               Front        Rear\n";
    writeEndsRow(out, "Cut-off, % of stroke", f.cutOffPct, r.cutOffPct, kPctDecimals);
    writeEndsRow(out, "Lead, length", f.lead, r.lead, kLengthDecimals);
    writeEndsRow(out, "Lead, degrees of crank before DC", f.leadAngle, r.leadAngle, kAngleDecimals);
    writeEndsRow(out, "Release, % of stroke", f.releasePct, r.releasePct, kPctDecimals);
    writeEndsRow(out, "Compression, % of stroke", f.compressionPct, r.compressionPct, kPctDecimals);
    writeEndsRow(out, "Admission, % of stroke (- before DC)", signedAdmissionPct(f),
                 signedAdmissionPct(r), kPctDecimals);
    writeEndsRow(out, "Admission, driver angle", f.admissionAngle, r.admissionAngle,
                 kAngleDecimals);
    writeEndsRow(out, "Cut-off, driver angle", f.cutOffAngle, r.cutOffAngle, kAngleDecimals);
    writeEndsRow(out, "Release, driver angle", f.releaseAngle, r.releaseAngle, kAngleDecimals);
    writeEndsRow(out, "Compression, driver angle", f.compressionAngle, r.compressionAngle,
                 kAngleDecimals);
    writeEndsRow(out, "Largest steam opening", f.maxSteamOpening, r.maxSteamOpening,
                 kLengthDecimals);
    writeEndsRow(out, "Largest exhaust opening", f.maxExhaustOpening, r.maxExhaustOpening,
                 kLengthDecimals);
    writeEndsRow(out, "Steam travel, % of stroke", f.steamTravelPct, r.steamTravelPct,
                 kPctDecimals);
    for (const auto& [end, name] : {std::pair{&f, "front"}, std::pair{&r, "rear"}})
        if (end->overTravel)
            out << "  Over-travel at the " << name
                << " end: the steam edge passes over the bridge into the exhaust port\n";
    out << "  Front - rear: lead " << formatFixed(s.leadDifference, 0, kLengthDecimals)
        << ", cut-off "
        << (s.cutOffDifference ? formatFixed(*s.cutOffDifference, 0, kPctDecimals) + " %" : "-")
        << "\n";

    out << "\n  Port edges in running order from driver angle 0\n"
           "  Driver angle   Piston %   Event\n";
    for (const ValveEvent& e : s.events)
        out << "  " << formatFixed(e.angle, 12, kAngleDecimals)
            << formatFixed(e.pct, 11, kPctDecimals) << "   " << eventKindName(e.kind) << "\n";
    if (s.events.empty()) out << "  (no port edge opens or closes)\n";
}

std::string geometryErrorNote(const EventsReport& report) {
    if (!report.unbuildable.empty())
        return "Geometry error: " + report.unbuildable +
               ". The figures are those of the positions the solver places, not of a gear.";
    std::string at;
    for (const SettingEvents& s : report.settings)
        if (s.geometryError) at += (at.empty() ? "" : "; ") + settingName(report, s);
    if (at.empty()) return {};
    return "Geometry error: the gear cannot be assembled at some angles at " + at +
           ". Those figures are those of the nearest positions the solver could place.";
}

void writeEventsText(const EventsReport& report, std::ostream& out) {
    if (!report.unbuildable.empty()) out << geometryErrorNote(report) << "\n";
    out << "Forward is below mid gear, reverse above. Percentages are of the stroke from each "
           "end's own\ndead centre; lengths in the gear's unit; lead also in degrees of crank "
           "before dead centre (DC).\n";
    out << "Mid gear (RevArmCen) " << formatFixed(report.revArmCen, 0, kLengthDecimals) << "\n";
    auto neutral = [](const Figure& f) {
        return f ? formatFixed(*f, 0, kLengthDecimals) : std::string("none in the travel");
    };
    out << "True neutral (steam travel changes sign): front " << neutral(report.neutralFront)
        << ", rear " << neutral(report.neutralRear) << "\n";
    for (const SettingEvents& s : report.settings) {
        out << "\n";
        writeSettingText(report, s, out);
    }
}

} // namespace corvellan
