#include "app/DesignSpaceJson.h"

#include "analysis/ValveEventsText.h"

#include <charconv>
#include <cmath>

namespace corvellan {

namespace {

// The figure as the events report writes it (9 significant digits), read
// back so the library prints that short form.
Json number(double v) {
    if (!std::isfinite(v)) return nullptr;
    const std::string text = fullNumber(v);
    double shortForm = v;
    std::from_chars(text.data(), text.data() + text.size(), shortForm);
    return shortForm;
}

Json number(const Figure& f) {
    return f ? number(*f) : Json(nullptr);
}

void putFigures(Json& j, const DesignFigures& f) {
    for (int i = 0; i < kDesignFigures; ++i)
        j[designFigureKey(i)] = number(f[i]);
}

} // namespace

Json sensitivityJson(const SensitivityReport& r) {
    Json settings = Json::array();
    for (const SettingRates& s : r.settings) {
        Json rates = Json::array();
        for (const DimensionRates& d : s.dimensions) {
            Json one;
            one["Name"] = dimensionInfo(d.code)->name;
            one["Step"] = number(d.step);
            for (int f = 0; f < kDesignFigures; ++f)
                one[designFigureKey(f)] = number(d.figures[f].rate);
            one["Smooth"] = d.smooth();
            rates.push_back(std::move(one));
        }
        Json setting;
        setting["RevArmPos"] = number(s.revArmPos);
        setting["Direction"] = s.direction;
        setting["Rates"] = std::move(rates);
        settings.push_back(std::move(setting));
    }
    Json j;
    j["Settings"] = std::move(settings);
    return j;
}

Json toleranceJson(const ToleranceReport& r) {
    Json settings = Json::array();
    for (const SettingSpread& s : r.settings) {
        Json figures = Json::object();
        for (int f = 0; f < kDesignFigures; ++f) {
            const auto& x = s.figures[f];
            if (!x) {
                figures[designFigureKey(f)] = nullptr;
                continue;
            }
            Json one;
            one["Mean"] = number(x->mean);
            one["Std"] = number(x->std);
            one["P5"] = number(x->p5);
            one["P95"] = number(x->p95);
            one["Min"] = number(x->min);
            one["Max"] = number(x->max);
            figures[designFigureKey(f)] = std::move(one);
        }
        Json setting;
        setting["RevArmPos"] = number(s.revArmPos);
        setting["Direction"] = s.direction;
        setting["Figures"] = std::move(figures);
        setting["ShareOverLimit"] = number(s.shareOverLimit);
        settings.push_back(std::move(setting));
    }
    Json j;
    j["Samples"] = r.samples;
    j["Seed"] = r.seed;
    j["Infeasible"] = r.infeasible;
    j["Settings"] = std::move(settings);
    return j;
}

SweepJsonWriter::SweepJsonWriter(const SweepOptions& o, std::ostream& out) : o_(o), out_(out) {
    Json vary = Json::array();
    for (const SweepAxis& a : o.axes) {
        Json one;
        one["Name"] = dimensionInfo(a.code)->name;
        one["Low"] = number(a.valueAt(0));
        one["High"] = number(a.valueAt(a.points - 1));
        one["Points"] = a.points;
        vary.push_back(std::move(one));
    }
    out_ << "{\"Vary\": " << vary.dump() << ", \"Points\": [";
}

void SweepJsonWriter::write(const std::vector<SweepPoint>& block) {
    for (const SweepPoint& p : block) {
        Json values = Json::object();
        for (size_t a = 0; a < o_.axes.size(); ++a)
            values[dimensionInfo(o_.axes[a].code)->name] = number(p.values[a]);
        Json settings = Json::array();
        for (const SweepSettingFigures& s : p.settings) {
            Json one;
            one["RevArmPos"] = number(s.revArmPos);
            one["Direction"] = s.direction;
            one["Judgeable"] = s.judgeable;
            one["GeometryError"] = s.geometryError;
            putFigures(one, s.figures);
            settings.push_back(std::move(one));
        }
        Json point;
        point["Values"] = std::move(values);
        point["Settings"] = std::move(settings);
        out_ << (first_ ? "\n" : ",\n") << point.dump();
        first_ = false;
    }
}

void SweepJsonWriter::finish() {
    out_ << "]}\n";
}

} // namespace corvellan
