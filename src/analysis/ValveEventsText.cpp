#include "analysis/ValveEventsText.h"

#include <cmath>
#include <cstdio>

namespace corvellan {

// Enough digits to give a 4-byte real back exactly, and the refined angles
// to well below a millionth of a degree.
std::string fullNumber(double v) {
    return formatGeneral(v, 9);
}

namespace {

// Decimals of the readable forms: angles, piston percentages, lengths.
constexpr int kAngleDecimals = 4;
constexpr int kPctDecimals = 3;
constexpr int kLengthDecimals = 5;

std::string jsonNumber(double v) {
    return std::isfinite(v) ? fullNumber(v) : "null";
}
std::string jsonNumber(const Figure& f) {
    return f ? jsonNumber(*f) : "null";
}

void writeEndJson(const EndEvents& e, std::ostream& out) {
    out << "{\"Lead\": " << jsonNumber(e.lead)
        << ", \"AdmissionAngle\": " << jsonNumber(e.admissionAngle)
        << ", \"AdmissionPct\": " << jsonNumber(e.admissionPct)
        << ", \"CutOffAngle\": " << jsonNumber(e.cutOffAngle)
        << ", \"CutOffPct\": " << jsonNumber(e.cutOffPct)
        << ", \"ReleaseAngle\": " << jsonNumber(e.releaseAngle)
        << ", \"ReleasePct\": " << jsonNumber(e.releasePct)
        << ", \"CompressionAngle\": " << jsonNumber(e.compressionAngle)
        << ", \"CompressionPct\": " << jsonNumber(e.compressionPct)
        << ", \"MaxSteamOpening\": " << jsonNumber(e.maxSteamOpening)
        << ", \"MaxExhaustOpening\": " << jsonNumber(e.maxExhaustOpening) << "}";
}

// A cell: in full, or rounded for reading; empty where the figure is absent.
struct CellFormat {
    bool readable;
    std::string operator()(const Figure& f, int decimals) const {
        if (!f) return {};
        return readable ? formatFixed(*f, 0, decimals) : fullNumber(*f);
    }
};

void appendEndRow(std::vector<std::vector<std::string>>& rows, const SettingEvents& s,
                  const char* endName, const EndEvents& e, CellFormat cell) {
    rows.push_back({cell(s.revArmPos, kLengthDecimals), directionName(s), endName,
                    cell(s.valveTravel, kLengthDecimals), cell(e.lead, kLengthDecimals),
                    cell(e.admissionAngle, kAngleDecimals), cell(e.admissionPct, kPctDecimals),
                    cell(e.cutOffAngle, kAngleDecimals), cell(e.cutOffPct, kPctDecimals),
                    cell(e.releaseAngle, kAngleDecimals), cell(e.releasePct, kPctDecimals),
                    cell(e.compressionAngle, kAngleDecimals), cell(e.compressionPct, kPctDecimals),
                    cell(e.maxSteamOpening, kLengthDecimals),
                    cell(e.maxExhaustOpening, kLengthDecimals),
                    cell(s.leadDifference, kLengthDecimals), cell(s.cutOffDifference, kPctDecimals),
                    s.geometryError ? "true" : "false"});
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
    return s.forward ? "Fwd" : "Rev";
}

void writeSettingJson(const SettingEvents& s, std::ostream& out) {
    out << "{\"RevArmPos\": " << jsonNumber(s.revArmPos) << ", \"Direction\": \""
        << directionName(s) << "\", \"ValveTravel\": " << jsonNumber(s.valveTravel)
        << ", \"Events\": [";
    for (size_t i = 0; i < s.events.size(); ++i) {
        const ValveEvent& e = s.events[i];
        out << (i ? ", " : "") << "{\"Kind\": \"" << eventKindName(e.kind)
            << "\", \"Angle\": " << jsonNumber(e.angle) << ", \"Pct\": " << jsonNumber(e.pct)
            << "}";
    }
    out << "], \"Front\": ";
    writeEndJson(s.front, out);
    out << ", \"Rear\": ";
    writeEndJson(s.rear, out);
    out << ", \"LeadDifference\": " << jsonNumber(s.leadDifference)
        << ", \"CutOffDifference\": " << jsonNumber(s.cutOffDifference)
        << ", \"GeometryError\": " << (s.geometryError ? "true" : "false") << "}";
}

void writeEventsObject(const EventsReport& report, std::ostream& out) {
    out << "{\"RevArmCen\": " << jsonNumber(report.revArmCen) << ", \"Settings\": [";
    for (size_t i = 0; i < report.settings.size(); ++i) {
        if (i) out << ", ";
        writeSettingJson(report.settings[i], out);
    }
    out << "]}";
}

void writeEventsJson(const EventsReport& report, std::ostream& out) {
    writeEventsObject(report, out);
    out << "\n";
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
        appendEndRow(rows, s, "Front", s.front, CellFormat{readable});
        appendEndRow(rows, s, "Rear", s.rear, CellFormat{readable});
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
        << directionName(s) << " (driver angle " << (s.forward ? "increasing" : "decreasing")
        << ")\n";
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
    out << "  Front - rear: lead " << formatFixed(s.leadDifference, 0, kLengthDecimals)
        << ", cut-off "
        << (s.cutOffDifference ? formatFixed(*s.cutOffDifference, 0, kPctDecimals) + " %" : "-")
        << "\n";
}

void writeEventsText(const EventsReport& report, std::ostream& out) {
    out << "Mid gear (RevArmCen) " << formatFixed(report.revArmCen, 0, kLengthDecimals) << "\n";
    for (const SettingEvents& s : report.settings) {
        out << "\n";
        writeSettingText(s, out);
    }
}

} // namespace corvellan
