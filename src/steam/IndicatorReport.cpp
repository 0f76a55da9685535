#include "steam/IndicatorReport.h"

#include "analysis/ValveEventsText.h"
#include "model/CsvFile.h"
#include "model/Numeric.h"
#include "steam/Performance.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <string>

namespace corvellan::steam {

namespace {

// The outputs' figures carry seven significant digits: more than the
// integration's own accuracy, and what a 4-byte real reads back.
Json figure(double v) {
    return jsonFigure(v);
}

Json optionalFigure(const std::optional<double>& v) {
    return v ? figure(*v) : Json(nullptr);
}

Json endJson(const IndicatorFigures::End& e) {
    Json j;
    j["MEP"] = figure(e.mep);
    j["IdealMEP"] = optionalFigure(e.idealMep);
    j["Work"] = figure(e.work);
    j["SteamPerRev"] = figure(e.steamPerRev);
    j["PeakPressure"] = figure(e.peakPressure);
    j["CutOffPressure"] = optionalFigure(e.cutOffPressure);
    return j;
}

std::string text(const std::optional<double>& v, int width, int decimals) {
    return v ? formatFixed(*v, width, decimals) : std::string(width, ' ');
}

} // namespace

double gaugePressure(double pa, const Conditions& c) {
    const UnitScales& u = unitScales(c.Units);
    return pa / u.pressure - c.Atmosphere;
}

double userVolume(double m3, const Conditions& c) {
    const double l = unitScales(c.Units).length;
    return m3 / (l * l * l);
}

const char* indicatorDirectionName(const SettingIndicator& s) {
    return runningDirectionName(s.direction);
}

IndicatorFigures indicatorFigures(const SettingIndicator& s, const Conditions& c) {
    const UnitScales& u = unitScales(c.Units);
    IndicatorFigures f;
    auto end = [&](const EndIndicator& e, IndicatorFigures::End& out) {
        out.mep = e.mep / u.pressure;
        if (e.ideal.valid) out.idealMep = e.ideal.mep / u.pressure;
        out.work = e.work / u.work;
        out.steamPerRev = e.steamAdmitted / u.mass;
        out.peakPressure = gaugePressure(e.peakPressure, c);
        if (e.cutOffPressure) out.cutOffPressure = gaugePressure(*e.cutOffPressure, c);
    };
    end(s.front, f.front);
    end(s.rear, f.rear);
    f.indicatedPower = s.indicatedPower / u.power;
    f.steamPerHour = s.steamPerHour / u.mass;
    // kg per J to mass unit per (power unit x hour).
    if (s.steamRate) f.steamRate = *s.steamRate / u.mass * u.power * 3600;
    f.workDifferencePct = s.workDifferencePct;
    return f;
}

Json conditionsJson(const Conditions& c, double bore) {
    // Lengths derived from the 4-byte bore, as the shortest decimals of
    // their 4-byte values (not 1.7000000000000002).
    auto length = [](double v) { return std::stod(shortestText(v)); };
    Conditions given = c;
    if (!c.PortBreadth) given.PortBreadth = length(portBreadthFor(c, bore));
    if (!c.PistonRodDia) given.PistonRodDia = length(pistonRodDiaFor(c, bore));
    return Json::parse(writeConditionsJson(given));
}

namespace {

Json unitsJson(const Conditions& c) {
    const UnitScales& u = unitScales(c.Units);
    Json units;
    units["Pressure"] = u.pressureName;
    units["Temperature"] = u.temperatureName;
    units["Length"] = u.lengthName;
    units["Mass"] = u.massName;
    units["Work"] = u.workName;
    units["Power"] = u.powerName;
    units["SteamPerHour"] = std::string(u.massName) + "/h";
    units["SteamRate"] = u.steamRateName;
    units["Speed"] = "rpm";
    return units;
}

// The figures of a setting at one speed, after `j`'s own leading keys.
void speedFiguresJson(const SettingIndicator& s, const Conditions& c, Json& j) {
    const IndicatorFigures f = indicatorFigures(s, c);
    j["Speed"] = figure(s.speed);
    j["Revolutions"] = s.revolutions;
    j["Settled"] = s.settled;
    j["GeometryError"] = s.geometryError;
    j["Front"] = endJson(f.front);
    j["Rear"] = endJson(f.rear);
    j["IndicatedPower"] = figure(f.indicatedPower);
    j["SteamPerHour"] = figure(f.steamPerHour);
    j["SteamRate"] = optionalFigure(f.steamRate);
    j["WorkDifferencePct"] = optionalFigure(f.workDifferencePct);
}

} // namespace

Json indicatorJson(const Conditions& c, double bore,
                   const std::vector<SettingIndicator>& settings) {
    Json doc;
    doc["Units"] = unitsJson(c);
    doc["Conditions"] = conditionsJson(c, bore);
    Json list = Json::array();
    for (const SettingIndicator& s : settings) {
        Json j;
        j["RevArmPos"] = jsonFigure(s.revArmPos);
        j["Direction"] = indicatorDirectionName(s);
        speedFiguresJson(s, c, j);
        list.push_back(j);
    }
    doc["Settings"] = list;
    return doc;
}

Json performanceJson(const Conditions& c, double bore, const PerformanceMap& map) {
    Json doc;
    doc["Units"] = unitsJson(c);
    Conditions shown = c;
    doc["Conditions"] = conditionsJson(shown, bore);
    doc["Conditions"].erase("Speed"); // each row has its own
    Json speeds = Json::array();
    for (double v : map.speeds)
        speeds.push_back(figure(v));
    doc["Speeds"] = speeds;
    Json list = Json::array();
    for (std::size_t i = 0; i < map.settings.size(); ++i) {
        Json j;
        j["RevArmPos"] = jsonFigure(map.settings[i]);
        Json rows = Json::array();
        for (std::size_t k = 0; k < map.speeds.size(); ++k) {
            const SettingIndicator& s = map.at(i, k);
            if (k == 0) {
                j["Direction"] = indicatorDirectionName(s);
                j["FrontCutOffPct"] = optionalFigure(s.events.front.cutOffPct);
                j["RearCutOffPct"] = optionalFigure(s.events.rear.cutOffPct);
            }
            Json r;
            speedFiguresJson(s, c, r);
            r["MeanMEP"] =
                figure(indicatorFigures(s, c).front.mep / 2 + indicatorFigures(s, c).rear.mep / 2);
            rows.push_back(r);
        }
        j["Speeds"] = rows;
        list.push_back(j);
    }
    doc["Settings"] = list;
    return doc;
}

void writePerformanceCsv(const Conditions& c, const PerformanceMap& map, std::ostream& out) {
    const UnitScales& u = unitScales(c.Units);
    const std::string p = std::string(" (") + u.pressureName + ")";
    out << "RevArmPos,Direction,FrontCutOffPct,RearCutOffPct,Speed (rpm),FrontMEP" << p
        << ",RearMEP" << p << ",MeanMEP" << p << ",FrontIdealMEP" << p << ",RearIdealMEP" << p
        << ",IndicatedPower (" << u.powerName << "),SteamPerHour (" << u.massName
        << "/h),SteamRate (" << u.steamRateName << "),WorkDifferencePct,Settled,GeometryError\n";
    for (std::size_t i = 0; i < map.settings.size(); ++i)
        for (std::size_t k = 0; k < map.speeds.size(); ++k) {
            const SettingIndicator& s = map.at(i, k);
            const IndicatorFigures f = indicatorFigures(s, c);
            std::string line = shortestText(s.revArmPos);
            line += ',';
            line += indicatorDirectionName(s);
            auto field = [&line](const std::optional<double>& v) {
                line += ',';
                if (v) appendShortest(line, *v);
            };
            field(s.events.front.cutOffPct);
            field(s.events.rear.cutOffPct);
            field(s.speed);
            field(f.front.mep);
            field(f.rear.mep);
            field((f.front.mep + f.rear.mep) / 2);
            field(f.front.idealMep);
            field(f.rear.idealMep);
            field(f.indicatedPower);
            field(f.steamPerHour);
            field(f.steamRate);
            field(f.workDifferencePct);
            line += s.settled ? ",true" : ",false";
            line += s.geometryError ? ",true" : ",false";
            out << line << "\n";
        }
}

void writePerformanceText(const Conditions& c, const PerformanceMap& map, std::ostream& out) {
    const UnitScales& u = unitScales(c.Units);
    out << "MEP in " << u.pressureName << ", power in " << u.powerName << ", steam rate in "
        << u.steamRateName << "; cut-off in percent of stroke\n\n";
    out << " RevArmPos  Dir      CutOff F/R     rpm  MEP front   rear   mean     power  steam "
           "rate\n";
    for (std::size_t i = 0; i < map.settings.size(); ++i)
        for (std::size_t k = 0; k < map.speeds.size(); ++k) {
            const SettingIndicator& s = map.at(i, k);
            const IndicatorFigures f = indicatorFigures(s, c);
            out << formatFixed(s.revArmPos, 10, 4) << "  " << indicatorDirectionName(s)
                << std::string(8 - std::string(indicatorDirectionName(s)).size(), ' ')
                << text(s.events.front.cutOffPct, 6, 1) << text(s.events.rear.cutOffPct, 7, 1)
                << formatFixed(s.speed, 8, 0) << formatFixed(f.front.mep, 11, 2)
                << formatFixed(f.rear.mep, 7, 2)
                << formatFixed((f.front.mep + f.rear.mep) / 2, 7, 2)
                << formatFixed(f.indicatedPower, 10, 4) << text(f.steamRate, 12, 2)
                << (s.settled ? "" : "  not settled") << (s.geometryError ? "  geometry error" : "")
                << "\n";
        }
}

void writeIndicatorCsv(const Conditions& c, const std::vector<SettingIndicator>& settings,
                       std::ostream& out) {
    const UnitScales& u = unitScales(c.Units);
    const std::string p = std::string(" (") + u.pressureName + " gauge)";
    const std::string v = std::string(" (") + u.lengthName + "^3)";
    out << "RevArmPos,Direction,DriverAngle (deg),FrontPistonPct,FrontVolume" << v
        << ",FrontPressure" << p << ",RearPistonPct,RearVolume" << v << ",RearPressure" << p
        << "\n";
    for (const SettingIndicator& s : settings) {
        const size_t n = std::min(s.front.loop.size(), s.rear.loop.size());
        for (size_t i = 0; i < n; ++i) {
            const LoopPoint& f = s.front.loop[i];
            const LoopPoint& r = s.rear.loop[i];
            std::string line = shortestText(s.revArmPos);
            line += ',';
            line += indicatorDirectionName(s);
            for (double x :
                 {f.angle, 100 * f.fraction, userVolume(f.volume, c), gaugePressure(f.pressure, c),
                  100 * r.fraction, userVolume(r.volume, c), gaugePressure(r.pressure, c)}) {
                line += ',';
                appendShortest(line, x);
            }
            out << line << "\n";
        }
    }
}

void writeIndicatorText(const Conditions& c, const std::vector<SettingIndicator>& settings,
                        std::ostream& out) {
    const UnitScales& u = unitScales(c.Units);
    out << "Pressures in " << u.pressureName << " (peak and cut-off gauge), work in " << u.workName
        << " per revolution, steam in " << u.massName << ", power in " << u.powerName
        << ", steam rate in " << u.steamRateName << "\n";
    for (const SettingIndicator& s : settings) {
        const IndicatorFigures f = indicatorFigures(s, c);
        char buf[256];
        std::snprintf(buf, sizeof buf, "\nRevArmPos %s  %s  %s rpm  %d revolutions%s%s\n",
                      shortestText(s.revArmPos).c_str(), indicatorDirectionName(s),
                      shortestText(s.speed).c_str(), s.revolutions,
                      s.settled ? "" : "  NOT SETTLED", s.geometryError ? "  GEOMETRY ERROR" : "");
        out << buf;
        out << "        MEP  IdealMEP        Work  SteamPerRev  PeakPressure  CutOffPressure\n";
        for (const auto* e : {&f.front, &f.rear}) {
            out << (e == &f.front ? "Front" : "Rear ") << formatFixed(e->mep, 6, 2)
                << text(e->idealMep, 10, 2) << formatFixed(e->work, 12, 3)
                << formatFixed(e->steamPerRev, 13, 6) << formatFixed(e->peakPressure, 14, 2)
                << text(e->cutOffPressure, 16, 2) << "\n";
        }
        out << "Indicated power " << formatFixed(f.indicatedPower, 0, 4) << "  steam per hour "
            << formatFixed(f.steamPerHour, 0, 3) << "  steam rate "
            << (f.steamRate ? formatFixed(*f.steamRate, 0, 2) : std::string("-"))
            << "  work difference "
            << (f.workDifferencePct ? formatFixed(*f.workDifferencePct, 0, 2) + " %"
                                    : std::string("-"))
            << "\n";
    }
}

} // namespace corvellan::steam
