// corvellan balance, run as a program: its objective recomputed by hand from
// the events the events command prints, the written file against the
// figures printed, the chosen dimensions, bounds, settings and weights, and
// its refusals.

#include "cli/RunProgram.h"
#include "model/DimensionFile.h"
#include "model/Model.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

using namespace clitest;
using namespace corvellan;

namespace {

QJsonObject parse(const std::string& text) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
    return doc.object();
}

// The reverse-arm settings of an events object, as --positions takes them.
std::string positionsOf(const QJsonObject& events) {
    std::string list;
    for (const QJsonValue& s : events["Settings"].toArray()) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.9g", s.toObject()["RevArmPos"].toDouble());
        list += (list.empty() ? "" : ",") + std::string(buf);
    }
    return list;
}

// What `corvellan events` prints for these settings of a design.
QJsonObject eventsOf(const std::string& dims, const QJsonObject& events) {
    const Outcome r = runCorvellan("events --json " + dims + " --positions " + positionsOf(events));
    EXPECT_EQ(r.status, 0) << r.out;
    return parse(r.out);
}

double cutOff(const QJsonObject& setting, const char* end) {
    return setting[end].toObject()["CutOffPct"].toDouble();
}
double lead(const QJsonObject& setting, const char* end) {
    return setting[end].toObject()["Lead"].toDouble();
}

// The objective written out term by term, the target mean cut-offs taken
// from the design before.
double objectiveByHand(const QJsonObject& before, const QJsonObject& design, double wc, double wl,
                       double wk) {
    const QJsonArray b = before["Settings"].toArray(), d = design["Settings"].toArray();
    EXPECT_EQ(b.size(), d.size());
    double j = 0;
    for (int i = 0; i < d.size(); ++i) {
        const QJsonObject s = d[i].toObject(), s0 = b[i].toObject();
        const double target = (cutOff(s0, "Front") + cutOff(s0, "Rear")) / 2;
        const double cf = cutOff(s, "Front"), cr = cutOff(s, "Rear");
        const double dl = (lead(s, "Front") - lead(s, "Rear")) / 0.001;
        j += wc * (cf - cr) * (cf - cr) + wl * dl * dl +
             wk * ((cf + cr) / 2 - target) * ((cf + cr) / 2 - target);
    }
    return j;
}

Model opened(const std::string& path) {
    Model m;
    initialiseModel(m);
    EXPECT_TRUE(openDimensionFile(m, path).ok) << path;
    return m;
}

} // namespace

// The cut-off objective by hand: L0 the mean lead of the design before.
double cutOffObjectiveByHand(const QJsonObject& before, const QJsonObject& design) {
    double leadSum = 0;
    const QJsonArray b = before["Settings"].toArray(), d = design["Settings"].toArray();
    for (const QJsonValue& s : b)
        leadSum += std::fabs(lead(s.toObject(), "Front")) + std::fabs(lead(s.toObject(), "Rear"));
    const double l0 = leadSum / (2 * b.size());
    double j = 0;
    for (const QJsonValue& v : d) {
        const QJsonObject s = v.toObject();
        const double dc = cutOff(s, "Front") - cutOff(s, "Rear");
        const double dl = (lead(s, "Front") - lead(s, "Rear")) / l0;
        j += dc * dc + 0.1 * dl * dl;
    }
    return j;
}

TEST(BalanceCommand, DefaultBalanceOfTheNominalGearLowersTheObjectiveTheWrittenFileAgrees) {
    const std::string out = tempPath("balanced.dco");
    const Outcome r = runCorvellan("balance --json -o " + out);
    ASSERT_EQ(r.status, 0) << r.out;
    const QJsonObject j = parse(r.out);
    const QJsonObject before = j["Before"].toObject(), after = j["After"].toObject();
    // The events objects are those the events command prints, for each design.
    EXPECT_EQ(before, eventsOf("", before));
    EXPECT_EQ(after, eventsOf("--dims " + out, after));
    // 25, 50 and 75 % mean cut-off forward, then in reverse, on each design.
    for (const QJsonObject* design : {&before, &after}) {
        const QJsonArray settings = (*design)["Settings"].toArray();
        ASSERT_EQ(settings.size(), 6);
        for (int i = 0; i < 6; ++i) {
            const QJsonObject s = settings[i].toObject();
            EXPECT_NEAR((cutOff(s, "Front") + cutOff(s, "Rear")) / 2, 25 * (i % 3 + 1), 0.01);
            EXPECT_EQ(s["Direction"].toString(), i < 3 ? "Fwd" : "Rev");
        }
    }

    const double jBefore = j["Objective"].toObject()["Before"].toDouble();
    const double jAfter = j["Objective"].toObject()["After"].toDouble();
    EXPECT_NEAR(cutOffObjectiveByHand(before, before), jBefore, 1e-6 * jBefore);
    EXPECT_NEAR(cutOffObjectiveByHand(before, after), jAfter, 1e-6 * jBefore);
    EXPECT_LT(jAfter, 0.2 * jBefore);
    // At half gear forward the ends of the nominal gear differ by about a
    // quarter of the stroke.
    EXPECT_NEAR(before["Settings"][1]["CutOffDifference"].toDouble(), 23.3, 0.1);
    // Every lead within the limits the command reports.
    const double floor = j["Limits"]["LeadFloor"].toDouble();
    const double ceiling = j["Limits"]["LeadCeiling"].toDouble();
    EXPECT_GT(floor, 0);
    for (const QJsonValue& s : after["Settings"].toArray())
        for (const char* end : {"Front", "Rear"}) {
            EXPECT_GE(lead(s.toObject(), end), floor);
            EXPECT_LE(lead(s.toObject(), end), ceiling);
            EXPECT_FALSE(s[end]["OverTravel"].toBool());
        }
    EXPECT_TRUE(j["Verdict"].toString().startsWith("Worst front - rear cut-off "));

    const Model written = opened(out);
    const QJsonArray dims = j["Dimensions"].toArray();
    ASSERT_EQ(dims.size(), 6);
    EXPECT_EQ(dims[0]["Name"].toString(), "ValveStem");
    for (const QJsonValue& d : dims) {
        const std::string name = d["Name"].toString().toStdString();
        int code = 0;
        for (const DimensionInfo& info : allDimensions())
            if (name == info.name) code = info.code;
        ASSERT_NE(code, 0) << name;
        EXPECT_EQ(dimensionValue(written, code), static_cast<Real>(d["After"].toDouble())) << name;
        // A value on its bound is marked, and only such a value.
        const double after = d["After"].toDouble();
        const double low = d["Low"].toDouble(), high = d["High"].toDouble();
        const bool near = std::fabs(after - low) < 1e-6 * (high - low) ||
                          std::fabs(after - high) < 1e-6 * (high - low);
        EXPECT_EQ(d["AtBound"].toBool(), near) << name;
    }
    EXPECT_GT(j["Evaluations"].toInt(), 0);
}

TEST(BalanceCommand, ChosenDimensionsBoundsSettingsAndWeightsAreHonouredAndTheRestIsKept) {
    // An input whose other contents differ from the nominal set.
    Model input;
    initialiseModel(input);
    storeDimension(input, 114, 0.17); // SteamPortWidthFront
    input.gear.RevArmPositions[5] = 0.9f;
    input.view.current.ViewScale = 31;
    const std::string in = tempPath("balance_in.dco"), out = tempPath("balance_out.dco");
    ASSERT_TRUE(saveDimensionFile(input, in).ok);

    const Outcome r =
        runCorvellan("balance --json --dims " + in +
                     " --vary ValveLeverLower,LinkPivotHorz"
                     " --bounds LinkPivotHorz=-0.03:0.0123456,ValveLeverLower=1.95:2.0400001"
                     " --objective positions --settings -0.5 --weights 1:0:0.5 -o " +
                     out);
    ASSERT_EQ(r.status, 0) << r.out;
    const QJsonObject j = parse(r.out);
    const QJsonArray dims = j["Dimensions"].toArray();
    ASSERT_EQ(dims.size(), 2);
    EXPECT_EQ(dims[0]["Name"].toString(), "ValveLeverLower");
    EXPECT_EQ(dims[1]["Name"].toString(), "LinkPivotHorz");
    const Model written = opened(out);
    EXPECT_GE(written.frame.ValveLeverLower, 1.95L);
    EXPECT_LE(written.frame.ValveLeverLower, 2.0400001L);
    EXPECT_GE(written.LinkPivotHorz(), -0.03L);
    EXPECT_LE(written.LinkPivotHorz(), 0.0123456L);

    const QJsonObject before = j["Before"].toObject(), after = j["After"].toObject();
    ASSERT_EQ(after["Settings"].toArray().size(), 1);
    EXPECT_EQ(after["Settings"][0]["Direction"].toString(), "Fwd");
    EXPECT_NEAR(objectiveByHand(before, after, 1, 0, 0.5),
                j["Objective"].toObject()["After"].toDouble(), 1e-3);
    EXPECT_EQ(after, eventsOf("--dims " + out, after));

    // Everything else in the file is the input's.
    Model expected = input;
    storeDimension(expected, 8, written.frame.ValveLeverLower);
    storeDimension(expected, 12, written.LinkPivotHorz());
    midGearCalc(expected);
    const auto a = buildDimensionRecords(expected), b = buildDimensionRecords(written);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(a[i].field, b[i].field) << "record " << i;
}

TEST(BalanceCommand, BadChoicesAndAGearThatCannotBeBalancedExitTwoWithOneLine) {
    Model blind;
    initialiseModel(blind);
    storeDimension(blind, 3, 0.2); // an eccentric too small to open the ports
    const std::string blindFile = tempPath("blind.dco");
    ASSERT_TRUE(saveDimensionFile(blind, blindFile).ok);
    const std::string out = tempPath("never.dco");
    std::remove(out.c_str());

    std::string twentyFive = "0.5";
    for (int i = 1; i < 25; ++i)
        twentyFive += ",0.5";
    const std::pair<std::string, std::string> cases[] = {
        {"--vary LinkPivotHorz,Spokes", "unknown dimension \"Spokes\""},
        {"--bounds Spokes=1:2", "unknown dimension \"Spokes\""},
        {"--bounds ValveLeverUpper=1.3:1.1", "the bounds of ValveLeverUpper are inverted"},
        {"--bounds ValveLeverUpper=", "the bounds of ValveLeverUpper are empty"},
        {"--bounds ValveLeverUpper=1.2:1.2", "the bounds of ValveLeverUpper are empty"},
        {"--bounds ValveLeverUpper=1.3:1.5", "leave out its value"},
        {"--bounds MainRod=7:9", "MainRod has bounds but is not varied"},
        {"--weights 1", "--weights needs WC:WL or WC:WL:WK"},
        {"--weights 1:1:1", "the third weight (mean cut-off) belongs to --objective positions"},
        {"--settings 0.5", "--settings belongs to --objective positions"},
        {"--objective positions --settings " + twentyFive, "--settings takes at most 24 numbers"},
        {"--cutoffs 25,0", "the cut-offs must be percentages between 0 and 100"},
        {"--objective positions --weights 1:-1:1", "the weights must not be negative"},
        {"--objective positions --settings 0.5,x", "--settings needs numbers"},
        {"--dims " + blindFile, "the gear cannot be balanced as it is: at Fwd 25 % "},
    };
    for (const auto& [args, message] : cases) {
        const Outcome r = runCorvellan("balance " + args + " -o " + out);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(lineCount(r.out), 1) << args << ": " << r.out;
        EXPECT_NE(r.out.find(message), std::string::npos) << args << ": " << r.out;
    }
    EXPECT_EQ(runCorvellan("balance").status, 2); // no -o
    EXPECT_TRUE(slurp(out).empty());              // nothing written by any of them
}
