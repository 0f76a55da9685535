#include "model/DimensionFileSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include <sys/stat.h>

using namespace corvellan;
using namespace corvellan::test;

TEST(DimensionFile, EveryVariableHasItsOwnField) {
    std::vector<float> assigned;
    auto records = buildDimensionRecords(distinctModel(&assigned));
    ASSERT_EQ(records.size(), 69u);
    EXPECT_EQ(records[2].field[4], records[2].field[3]); // Y9 again
    EXPECT_EQ(records[7].field[3], records[7].field[2]); // ValveExhCavityFrontHalf again
    EXPECT_EQ(records[9].field[3], records[9].field[2]); // LastPlottedRevArmPos again
    std::vector<float> written;
    for (int slot = 0; slot < 345; ++slot) {
        if (slot == 14 || slot == 38 || slot == 48 || (slot >= 340 && slot < 344)) continue;
        written.push_back(records[slot / 5].field[slot % 5]);
    }
    for (int f = 0; f < 4; ++f)
        EXPECT_EQ(records[68].field[f], 0.0f);
    std::sort(written.begin(), written.end());
    std::sort(assigned.begin(), assigned.end());
    EXPECT_EQ(written, assigned); // each variable once, none missing
}

TEST(DimensionFile, SavedBytesFollowTheLayout) {
    TempDir dir;
    Model m = distinctModel();
    const auto& o = m.overlay;
    ASSERT_TRUE(saveDimensionFile(m, dir.file("gear.dco")).ok);
    Bytes b = readBytes(dir.file("gear.dco"));
    ASSERT_EQ(b.size(), 1380u);
    struct Cell {
        int record, field;
        float expected;
    } cells[] = {
        {0, 0, m.frame.Stroke},
        {0, 2, m.frame.DriverDia},
        {1, 1, m.frame.ValveLeverLower},
        {2, 0, m.pivots.X[8]},
        {2, 2, m.pivots.X[9]},
        {2, 3, m.pivots.Y[9]},
        {2, 4, m.pivots.Y[9]},
        {3, 0, m.pivots.Y[3]},
        {3, 4, m.cyl.CylinderReserve},
        {6, 4, m.cyl.BridgeWidthFront},
        {7, 3, m.cyl.ValveExhCavityFrontHalf},
        {7, 4, m.pivots.Y[4]},
        {8, 2, m.view.GraphicZoom},
        {8, 3, m.view.current.ViewOffsetY},
        {9, 1, m.gear.RevArmPos},
        {9, 3, m.diagrams.LastPlottedRevArmPos},
        {10, 0, m.view.presets[0].ViewScale},
        {13, 4, m.view.presets[6].ViewOffsetX},
        {14, 0, m.view.presets[6].ViewOffsetY},
        {14, 1, m.gear.RevArmPositions[1]},
        {15, 4, m.gear.RevArmPositions[9]},
        {16, 0, o.X1[1]},
        {19, 4, o.X1[20]},
        {20, 0, o.Y1[1]},
        {48, 0, o.Type[1]},
        {52, 2, o.Color[3]},
        {67, 4, o.Ref2Pivot[20]},
        {68, 0, 0.0f},
        {68, 3, 0.0f},
        {68, 4, 7.0f},
    };
    for (const Cell& c : cells)
        EXPECT_EQ(fieldAt(b, c.record, c.field), c.expected)
            << "record " << c.record << ", field " << c.field;
    EXPECT_EQ(m.DimSetName, "gear");
}

TEST(DimensionFile, SaveThenOpenRestoresEveryField) {
    TempDir dir;
    for (bool distinct : {true, false}) {
        const Model source = distinct ? distinctModel() : defaultModel();
        Model saved = source;
        ASSERT_TRUE(saveDimensionFile(saved, dir.file("gear.dco")).ok);
        Model loaded = distinct ? defaultModel() : distinctModel();
        FileResult r = openDimensionFile(loaded, dir.file("gear.dco"));
        ASSERT_TRUE(r.ok) << r.message;
        // RevArmPos and diagram positions 1..3 come back from the mid-gear calculation.
        expectSameModel(loaded, afterMidGear(source, "gear"));
        EXPECT_EQ(loaded.gear.RevArmPos, loaded.gear.RevArmCen());
    }
}

TEST(DimensionFile, OpensTheOwnSample) {
    Model m = defaultModel();
    FileResult r = openDimensionFile(m, CORVELLAN_TEST_DATA "/sample.dco");
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(m.DimSetName, "sample");
    EXPECT_EQ(m.frame.EccCrankAngleDeg, 175.0f);
    EXPECT_EQ(m.pivots.Y[4], 2.25f);
    EXPECT_EQ(m.view.GraphicZoom, 6.5f);
    EXPECT_EQ(m.view.presets[1].ViewOffsetY, 230.0f);
    EXPECT_EQ(m.view.presets[6].ViewOffsetY, 840.0f);
    EXPECT_EQ(m.gear.RevArmPositions[4], -0.75f);
    EXPECT_EQ(m.gear.RevArmPositions[9], 0.5f);
    EXPECT_EQ(m.gear.RevArmPos, m.gear.RevArmCen()); // not the file's 0.375
    EXPECT_EQ(m.overlay.Color[1], 255.0f);
    EXPECT_EQ(m.overlay.X2[2], 0.75f);
    EXPECT_EQ(m.overlay.Ref1Pivot[2], 5.0f);
    EXPECT_EQ(m.overlay.Ref1Y[2], -0.5f);
    EXPECT_EQ(m.overlay.Type[3], -1.0f);
    EXPECT_EQ(m.overlay.CurrentOverlayItem, 2);
    EXPECT_EQ(m.gear.RevArmScrollMax, 1625);
}

TEST(DimensionFile, ImportsDosSampleKeepingOwnOnlyState) {
    Model m = distinctModel();
    const Model before = m;
    FileResult r = openDosDimensionFile(m, CORVELLAN_TEST_DATA "/sample.oca");
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(m.DimSetName, "sample");
    EXPECT_EQ(m.frame.Stroke, 3.25f);
    EXPECT_EQ(m.cyl.ValveStem, 5.25f);
    EXPECT_EQ(m.pivots.X[9], 0.25f);
    EXPECT_EQ(m.view.current.ViewScale, 30.0f);
    EXPECT_EQ(m.view.current.ViewOffsetX, 150.0f);
    EXPECT_EQ(m.view.current.ViewOffsetY, 280.0f);
    EXPECT_EQ(m.diagrams.VerticalScale, 2.0f);
    EXPECT_EQ(m.view.GraphicZoom, before.view.GraphicZoom); // the file's field holds 99
    long double d = std::sqrt(0.25L * 0.25L + 3.25L * 3.25L);
    EXPECT_NEAR(m.gear.RevArmPos, 0.25L + 0.25L * 2.125L / d + 0.00001L, 1e-6);
    EXPECT_EQ(m.gear.RevArmPositions[2], m.gear.RevArmPos - 1.4375f);
    auto tail = [](const Model& x) {
        auto recs = buildDimensionRecords(x);
        return encodeDimRecords({recs.begin() + 10, recs.end()});
    };
    Model expectedTail = m;
    for (int i = 1; i <= 3; ++i)
        expectedTail.gear.RevArmPositions[i] = before.gear.RevArmPositions[i];
    EXPECT_EQ(tail(expectedTail), tail(before)); // presets, positions 4..9, overlay, item
}

TEST(DimensionFile, ShortOwnFileKeepsOverlayAndSelectsFirstItem) {
    TempDir dir;
    Model source = distinctModel();
    Bytes full = encodeDimRecords(buildDimensionRecords(source));
    for (int n : {16, 20}) {
        writeBytes(dir.file("short.dco"), Bytes(full.begin(), full.begin() + n * 20));
        Model m = defaultModel();
        m.overlay.Type[5] = 1;
        m.overlay.CurrentOverlayItem = 9;
        const Model before = m;
        ASSERT_TRUE(openDimensionFile(m, dir.file("short.dco")).ok) << n;
        EXPECT_EQ(m.frame.Stroke, source.frame.Stroke);
        EXPECT_EQ(m.gear.RevArmPositions[9], source.gear.RevArmPositions[9]);
        EXPECT_EQ(m.overlay.CurrentOverlayItem, 1);
        auto records = buildDimensionRecords(m), old = buildDimensionRecords(before);
        EXPECT_EQ(encodeDimRecords({records.begin() + 16, records.end() - 1}),
                  encodeDimRecords({old.begin() + 16, old.end() - 1}));
    }
}

TEST(DimensionFile, CurrentItemIsRoundedIntoTheDialogRange) {
    TempDir dir;
    Bytes bytes = encodeDimRecords(buildDimensionRecords(defaultModel()));
    const std::pair<float, int> cases[] = {{0.0f, 1}, {-3.0f, 1}, {1e9f, 20},
                                           {2.5f, 2}, {2.6f, 3},  {20.4f, 20}};
    for (auto [stored, expected] : cases) {
        setField(bytes, 68, 4, stored);
        writeBytes(dir.file("item.dco"), bytes);
        Model m = defaultModel();
        ASSERT_TRUE(openDimensionFile(m, dir.file("item.dco")).ok);
        EXPECT_EQ(m.overlay.CurrentOverlayItem, expected) << stored;
    }
}

TEST(DimensionFile, RefusedOpenLeavesModelUntouched) {
    TempDir dir;
    Bytes good = encodeDimRecords(buildDimensionRecords(defaultModel()));
    auto withField = [&good](int r, int f, float v) {
        Bytes b = good;
        setField(b, r, f, v);
        return b;
    };
    auto firstBytes = [&good](std::size_t n) { return Bytes(good.begin(), good.begin() + n); };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        Bytes bytes;
        bool dos;
        std::string says;
    } cases[] = {
        {{}, false, "too short"},
        {firstBytes(12 * 20), false, "too short (12 records; a dimension file has 69)"},
        {firstBytes(15 * 20 + 19), false, "(15 records;"},
        {firstBytes(30 * 20), false, "(30 records;"},
        {firstBytes(68 * 20 + 19), false, "(68 records;"},
        {withField(0, 0, nan), false, "record 0, field 0 is not a finite number"},
        {withField(9, 3, nan), false, "record 9, field 3 is not a finite number"},
        {withField(40, 2, inf), false, "record 40, field 2 is not a finite number"},
        {withField(68, 4, -inf), false, "record 68, field 4 is not a finite number"},
        {firstBytes(9 * 20 + 19), true, "(9 records; a DOS dimension file has 10)"},
        {withField(3, 1, nan), true, "record 3, field 1 is not a finite number"},
    };
    const std::string path = dir.file("bad.dco");
    for (const Case& c : cases) {
        writeBytes(path, c.bytes);
        Model m = distinctModel();
        m.DimSetName = "before";
        const Model before = m;
        FileResult r = c.dos ? openDosDimensionFile(m, path) : openDimensionFile(m, path);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find("Cannot open \"" + path + "\""), std::string::npos) << r.message;
        EXPECT_NE(r.message.find(c.says), std::string::npos) << r.message;
        expectSameModel(m, before);
    }
    Model m = distinctModel();
    const Model before = m;
    EXPECT_NE(openDimensionFile(m, dir.file("missing.dco")).message.find("No such file"),
              std::string::npos);
    EXPECT_FALSE(openDosDimensionFile(m, dir.path.string()).ok); // a folder cannot be read
    expectSameModel(m, before);
}

TEST(DimensionFile, AcceptsWhatTheReaderDoesNotNeedAndOddValues) {
    TempDir dir;
    Bytes own = encodeDimRecords(buildDimensionRecords(defaultModel()));
    setField(own, 0, 0, -2.0f); // negative and zero dimensions load as they are
    setField(own, 0, 4, 0.0f);
    setField(own, 68, 0, std::numeric_limits<float>::quiet_NaN()); // never read
    own.resize(1385);                                              // 69 whole records
    Bytes dos(own.begin(), own.begin() + 200);
    setField(dos, 8, 2, std::numeric_limits<float>::quiet_NaN()); // unused DOS fields
    setField(dos, 9, 1, std::numeric_limits<float>::infinity());
    writeBytes(dir.file("odd.dco"), own);
    writeBytes(dir.file("odd.oca"), dos);
    Model m = defaultModel();
    FileResult r = openDimensionFile(m, dir.file("odd.dco"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(m.frame.Stroke, -2.0f);
    EXPECT_EQ(m.frame.MainRod, 0.0f);
    r = openDosDimensionFile(m, dir.file("odd.oca"));
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_EQ(m.view.GraphicZoom, 7.5f);
}

TEST(DimensionFile, FailedSaveKeepsNameAndOldFile) {
    TempDir dir;
    Model m = distinctModel();
    FileResult r = saveDimensionFile(m, dir.file("no/such/folder/gear.dco"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("Cannot save \"" + dir.file("no/such/folder/gear.dco") + "\""),
              std::string::npos);
    EXPECT_NE(r.message.find("No such file"), std::string::npos) << r.message;
    EXPECT_EQ(m.DimSetName, "Nominal");

    // A folder in the target's place makes the final rename fail: nothing is left behind.
    fs::create_directory(dir.file("taken.dco"));
    EXPECT_FALSE(saveDimensionFile(m, dir.file("taken.dco")).ok);
    EXPECT_TRUE(fs::is_directory(dir.file("taken.dco")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
    EXPECT_EQ(m.DimSetName, "Nominal");
}

TEST(DimensionFile, SaveReplacesExistingFileKeepingItsPermissions) {
    TempDir dir;
    const std::string path = dir.file("gear.dco");
    writeBytes(path, Bytes(7, 'x'));
    ::chmod(path.c_str(), 0640);
    Model m = distinctModel();
    ASSERT_TRUE(saveDimensionFile(m, path).ok);
    EXPECT_EQ(readBytes(path), encodeDimRecords(buildDimensionRecords(m)));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(DimensionFile, SetNameFromPath) {
    EXPECT_EQ(dimSetNameFromPath("C:\\a\\gear.dco"), "gear");
    EXPECT_EQ(dimSetNameFromPath("/x/y/gear.dco"), "gear");
    EXPECT_EQ(dimSetNameFromPath("x.d/gear.oca"), "gear");
    EXPECT_EQ(dimSetNameFromPath("gear.d"), "ge"); // the last four, whatever they are
    EXPECT_EQ(dimSetNameFromPath("abc"), "");
    EXPECT_EQ(dimSetNameFromPath("/x/.dco"), "");
}
