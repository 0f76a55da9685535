#pragma once
// What the dimension-file tests share: a scratch folder, byte files, fields
// read and written as another program would, and models whose every stored
// variable has a value of its own.

#include "model/DimensionFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <unistd.h>

namespace fs = std::filesystem;

namespace corvellan::test {

using Bytes = std::vector<unsigned char>;

struct TempDir {
    fs::path path;
    TempDir() {
        std::string tmpl = (fs::temp_directory_path() / "dimfile-XXXXXX").string();
        path = ::mkdtemp(tmpl.data());
    }
    ~TempDir() {
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(path);
    }
    std::string file(const std::string& name) const { return (path / name).string(); }
};

inline Bytes readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Reads a field the way another program would: four bytes, least significant first.
inline float fieldAt(const Bytes& b, int record, int field) {
    std::size_t at = std::size_t(record) * 20 + std::size_t(field) * 4;
    std::uint32_t bits = b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

inline void setField(Bytes& b, int record, int field, float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, 4);
    for (int i = 0; i < 4; ++i)
        b[std::size_t(record) * 20 + std::size_t(field) * 4 + i] = bits >> 8 * i;
}

inline Model defaultModel() {
    Model m;
    initialiseModel(m);
    return m;
}

// Every variable of the file set to its own value; the values, in the order set.
inline Model distinctModel(std::vector<float>* assigned = nullptr) {
    Model m = defaultModel();
    float k = 1000;
    auto set = [&](float& v) {
        v = (k += 0.5f);
        if (assigned) assigned->push_back(v);
    };
    for (const auto& d : allDimensions()) {
        storeDimension(m, d.code, k += 0.5f);
        if (assigned) assigned->push_back(k);
    }
    // Pivots 8 and 9, and 3 and 4, may differ in a file: give each its own value.
    auto& p = m.pivots;
    auto& v = m.view.current;
    auto& dia = m.diagrams;
    for (float* x : {&p.X[9], &p.Y[9], &p.Y[4], &m.cyl.CylinderReserve, &v.ViewScale,
                     &v.ViewOffsetX, &v.ViewOffsetY, &m.view.GraphicZoom, &m.gear.RevArmPos,
                     &dia.LastPlottedRevArmPos, &dia.VerticalScale})
        set(*x);
    for (auto& preset : m.view.presets)
        set(preset.ViewScale), set(preset.ViewOffsetX), set(preset.ViewOffsetY);
    for (int i = 1; i <= 9; ++i)
        set(m.gear.RevArmPositions[i]);
    auto& o = m.overlay;
    for (int i = 1; i <= kOverlayItems; ++i)
        for (auto* col : {&o.X1, &o.Y1, &o.X2, &o.Y2, &o.Ref1X, &o.Ref1Y, &o.Ref2X, &o.Ref2Y,
                          &o.Type, &o.Color, &o.RefMode, &o.Ref1Pivot, &o.Ref2Pivot})
            set((*col)[i]);
    o.CurrentOverlayItem = 7;
    if (assigned) assigned->push_back(7);
    return m;
}

// Everything a dimension file touches, bit for bit.
inline void expectSameModel(const Model& a, const Model& b) {
    EXPECT_EQ(encodeDimRecords(buildDimensionRecords(a)),
              encodeDimRecords(buildDimensionRecords(b)));
    EXPECT_EQ(a.DimSetName, b.DimSetName);
    EXPECT_EQ(a.gear.RevArmPositions, b.gear.RevArmPositions);
    EXPECT_EQ(a.gear.RevArmScrollMin, b.gear.RevArmScrollMin);
    EXPECT_EQ(a.gear.RevArmScrollMax, b.gear.RevArmScrollMax);
}

inline Model afterMidGear(Model m, const std::string& name) {
    midGearCalc(m);
    updateRevArmScrollRange(m);
    m.DimSetName = name;
    return m;
}

} // namespace corvellan::test
