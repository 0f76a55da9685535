// corvellan compare, run as a program, and render --compare: a gear set
// beside itself and beside a changed copy.

#include "cli/RunProgram.h"
#include "model/DimensionFile.h"
#include "model/Model.h"
// After the model: Qt's keywords would clash with its names.
#include "cli/ParseJson.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace clitest;
using namespace corvellan;

namespace {

const std::string kSample = std::string(CORVELLAN_TEST_DATA) + "/sample.dco";

// The sample gear with a later eccentric and a shorter reverse-arm travel.
std::string changedSampleFile() {
    Model m;
    initialiseModel(m);
    EXPECT_TRUE(openDimensionFile(m, kSample).ok);
    storeDimension(m, EccCrankAngleDegCode, 170);
    storeDimension(m, RevArmToCentMaxCode, 1.0);
    const std::string path = tempPath("changed.dco");
    EXPECT_TRUE(saveDimensionFile(m, path).ok);
    return path;
}

// The text of the "A" and "B" members of compare's JSON.
std::pair<std::string, std::string> eventsObjects(const std::string& json) {
    const size_t b = json.find(", \"B\": ");
    const size_t dims = json.find(", \"Dimensions\": ");
    EXPECT_EQ(json.rfind("{\"A\": ", 0), 0u);
    if (b == std::string::npos || dims == std::string::npos) return {};
    return {json.substr(6, b - 6), json.substr(b + 7, dims - b - 7)};
}

std::string withoutNewline(std::string s) {
    if (!s.empty() && s.back() == '\n') s.pop_back();
    return s;
}

std::vector<std::string> split(const std::string& line, char sep) {
    std::vector<std::string> out(1);
    for (char c : line) {
        if (c == sep)
            out.emplace_back();
        else
            out.back().push_back(c);
    }
    return out;
}

} // namespace

TEST(CompareCommand, AGearBesideItselfHasNoDifferingDimensionsAndZeroDifferences) {
    for (const char* settings : {"", " --sweep", " --positions -0.7,0.3,9"}) {
        SCOPED_TRACE(settings);
        const std::string files = kSample + " " + kSample + settings;
        const Outcome json = runCorvellan("compare --json " + files);
        ASSERT_EQ(json.status, 0) << json.out;
        const QJsonObject o = parseJson(json.stdOut);
        EXPECT_TRUE(o["Dimensions"].toArray().isEmpty());
        const auto [a, b] = eventsObjects(json.stdOut);
        EXPECT_EQ(a, b);
        // Exactly what the events report prints for the same settings.
        EXPECT_EQ(
            a, withoutNewline(runCorvellan("events --json --dims " + kSample + settings).stdOut));

        const Outcome csv = runCorvellan("compare --csv " + files);
        ASSERT_EQ(csv.status, 0) << csv.out;
        const std::vector<std::string> lines = split(csv.stdOut, '\n');
        ASSERT_GT(lines.size(), 20u);
        EXPECT_EQ(lines[0], "Setting,Direction,Figure,A,B,B - A");
        size_t k = 1;
        for (; k < lines.size() && !lines[k].empty(); ++k) {
            const std::vector<std::string> cells = split(lines[k], ',');
            ASSERT_EQ(cells.size(), 6u) << lines[k];
            EXPECT_EQ(cells[3], cells[4]) << lines[k];
            EXPECT_TRUE(cells[5].empty() || std::strtod(cells[5].c_str(), nullptr) == 0)
                << lines[k];
        }
        // The blank line, the dimensions' header and no dimension.
        ASSERT_EQ(lines.size(), k + 3) << csv.stdOut;
        EXPECT_EQ(lines[k + 1], "Dimension,A,B");

        const Outcome text = runCorvellan("compare " + files);
        EXPECT_NE(text.out.find("Dimensions that differ: none"), std::string::npos);
    }
}

TEST(CompareCommand, AChangedGearListsItsDimensionsAndIsTurnedAtMatchingSettings) {
    const std::string changed = changedSampleFile();
    const Outcome r =
        runCorvellan("compare --json --positions -1.5,-0.5,0.4,0.8,1.6 " + kSample + " " + changed);
    ASSERT_EQ(r.status, 0) << r.out;
    const QJsonObject o = parseJson(r.stdOut);
    const QJsonArray dims = o["Dimensions"].toArray();
    ASSERT_EQ(dims.size(), 2);
    EXPECT_EQ(dims[0].toObject(),
              QJsonObject({{"Name", "EccCrankAngleDeg"}, {"A", 175}, {"B", 170}}));
    EXPECT_EQ(dims[1].toObject(),
              QJsonObject({{"Name", "RevArmToCentMax"}, {"A", 1.625}, {"B", 1}}));

    // Each B setting lies as far from B's mid gear as A's from A's, within
    // B's shorter travel; and B's object is the events report's at them.
    const QJsonObject a = o["A"].toObject(), b = o["B"].toObject();
    const QJsonArray sa = a["Settings"].toArray(), sb = b["Settings"].toArray();
    ASSERT_EQ(sa.size(), sb.size());
    std::string positions;
    bool clamped = false;
    for (int k = 0; k < sa.size(); ++k) {
        const double offsetA = sa[k]["RevArmPos"].toDouble() - a["RevArmCen"].toDouble();
        const double offsetB = sb[k]["RevArmPos"].toDouble() - b["RevArmCen"].toDouble();
        EXPECT_NEAR(offsetB, std::max(-1.0, std::min(1.0, offsetA)), 1e-6) << k;
        clamped = clamped || std::fabs(offsetA) > 1;
        EXPECT_EQ(sb[k]["Direction"], sa[k]["Direction"]) << k;
        char exact[32];
        std::snprintf(exact, sizeof exact, "%s%.9g", k ? "," : "", sb[k]["RevArmPos"].toDouble());
        positions += exact;
    }
    EXPECT_TRUE(clamped);
    const std::string bText = eventsObjects(r.stdOut).second;
    const Outcome events =
        runCorvellan("events --json --dims " + changed + " --positions " + positions);
    EXPECT_EQ(parseJson(bText), parseJson(events.out));
}

TEST(CompareCommand, BadUsageAndFilesExitTwoWithOneLine) {
    for (const std::string& args :
         {std::string("compare ") + kSample, "compare " + kSample + " " + kSample + " " + kSample,
          "compare " + kSample + " " + tempPath("no_such_gear.dco"),
          "compare --bogus " + kSample + " " + kSample,
          "compare --sweep --positions 0 " + kSample + " " + kSample,
          "render sine --compare " + tempPath("no_such_gear.dco") + " -o " + tempPath("x.png")}) {
        const Outcome r = runCorvellan(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(lineCount(r.out), 1) << args << ": " << r.out;
    }
}

namespace {

QImage renderDiagram(const std::string& which, const std::string& extra, const std::string& out) {
    const Outcome r = runCorvellan("render " + which + " --dims " + kSample + " " + extra + " -o " +
                                   tempPath(out));
    EXPECT_EQ(r.status, 0) << r.out;
    return QImage(QString::fromStdString(tempPath(out))).convertToFormat(QImage::Format_RGB32);
}

bool isB(QRgb p) {
    return (p & 0xFFFFFF) == 0xFF00FF;
}

// The largest distance (in pixels, up to `limit`) from a B pixel above the
// legend to the nearest pixel that A drew.
int farthestFromA(const QImage& withB, const QImage& a, int limit) {
    int farthest = 0;
    for (int y = 0; y < 375; ++y)
        for (int x = 0; x < withB.width(); ++x) {
            if (!isB(withB.pixel(x, y))) continue;
            int d = 0;
            auto inkWithin = [&](int r) {
                for (int v = std::max(0, y - r); v <= std::min(a.height() - 1, y + r); ++v)
                    for (int u = std::max(0, x - r); u <= std::min(a.width() - 1, x + r); ++u)
                        if ((a.pixel(u, v) & 0xFFFFFF) != 0xFFFFFF) return true;
                return false;
            };
            while (d < limit && !inkWithin(d))
                ++d;
            farthest = std::max(farthest, d);
        }
    return farthest;
}

} // namespace

TEST(CompareCommand, RenderDrawsGearBOverTheDiagramInItsOwnColourOnly) {
    const std::string changed = changedSampleFile();
    for (const char* which : {"sine", "oval", "steam", "ports --mode B"}) {
        SCOPED_TRACE(which);
        const QImage a = renderDiagram(which, "", "a.png");
        const QImage same = renderDiagram(which, "--compare " + kSample, "same.png");
        const QImage other = renderDiagram(which, "--compare " + changed, "other.png");
        ASSERT_EQ(same.size(), a.size());
        // Only B's pixels differ from A's picture, and B beside itself lies
        // on A's curves, to within the rounding of a dash (and of A's
        // labels, whose white boxes cut A's curves but not B's).
        int bPixels = 0, otherChanges = 0, legend = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const bool b = isB(same.pixel(x, y));
                bPixels += b;
                legend += b && y >= 380;
                otherChanges += !b && same.pixel(x, y) != a.pixel(x, y);
            }
        EXPECT_EQ(otherChanges, 0);
        EXPECT_GT(bPixels - legend, 300);
        EXPECT_GT(legend, 20); // the dashed sample and "B: sample"
        EXPECT_LE(farthestFromA(same, a, 5), 2);
        // The changed gear leaves A's curves.
        EXPECT_GE(farthestFromA(other, a, 5), 5);
    }
}
