#include "model/DimensionFile.h"

#include "model/SaveFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvellan {

static_assert(sizeof(Real) == 4 && std::numeric_limits<Real>::is_iec559,
              "dimension files hold IEEE 754 single-precision reals");

namespace {

constexpr int kFields = 5;
constexpr int kOverlaySlotsEnd = 68 * kFields; // slots of records 0..67
constexpr int kCurrentItemSlot = 68 * kFields + 4;
// Fields of the DOS layout that carry nothing this program uses.
constexpr int kDosUnusedGraphicZoomSlot = 8 * kFields + 2;
constexpr int kDosUnusedRevArmPosSlot = 9 * kFields + 1;

// Hands the variables of the layout to a visitor in file order, numbering
// them by slot (record * 5 + field).
template <class Visit> class SlotSequence {
  public:
    explicit SlotSequence(Visit& visit) : visit_(visit) {}
    template <class V> void put(V& var) { visit_(slot_++, var); }
    template <class... V> void record(V&... vars) {
        static_assert(sizeof...(V) == kFields, "a record has five fields");
        (put(vars), ...);
    }

  private:
    Visit& visit_;
    int slot_ = 0;
};

// Records 0..67 of the own layout. A variable written twice ("again") is
// visited twice, so a reader stores the later field last. `M` is Model or
// const Model.
template <class M, class Visit> void forEachSlot(M& m, Visit&& visit) {
    SlotSequence<Visit> s(visit);
    auto& f = m.frame;
    auto& c = m.cyl;
    auto& p = m.pivots;
    auto& v = m.view.current;
    auto& g = m.gear;
    s.record(f.Stroke, f.EccCrankCirDia, f.DriverDia, f.EccCrankAngleDeg, f.MainRod);
    s.record(f.ValveRod, f.ValveLeverLower, f.ValveLeverUpper, f.LinkLower, f.RevArmLinkUpper);
    s.record(p.X[8], p.Y[8], p.X[9], p.Y[9], p.Y[9]);
    s.record(p.Y[3], c.CylCtrToDriverCtr, c.CylBoreDia, c.CylBoreLength, c.CylinderReserve);
    s.record(c.CylSteamPortWidth, c.PistonCtrToCrosshead, c.PistonWidth, c.ValveSurfaceToCylCL,
             c.ValveStemCLToCylCL);
    s.record(c.ExhaustPortWidth, c.BridgeWidthRear, c.SteamPortWidthRear, c.ValveChamberHeight,
             c.ValveChamberLength);
    s.record(c.ValveHeight, c.ValveLengthRearHalf, c.ValveExhCavityRearHalf, c.ValveStem,
             c.BridgeWidthFront);
    s.record(c.SteamPortWidthFront, c.ValveLengthFrontHalf, c.ValveExhCavityFrontHalf,
             c.ValveExhCavityFrontHalf, p.Y[4]);
    s.record(v.ViewScale, v.ViewOffsetX, m.view.GraphicZoom, v.ViewOffsetY, f.RevArmToCentNorm);
    s.record(f.RevArmToCentMax, g.RevArmPos, m.diagrams.LastPlottedRevArmPos,
             m.diagrams.LastPlottedRevArmPos, m.diagrams.VerticalScale);
    // Records 10..15: the 21 preset values, then diagram positions 1..9.
    for (auto& preset : m.view.presets) {
        s.put(preset.ViewScale);
        s.put(preset.ViewOffsetX);
        s.put(preset.ViewOffsetY);
    }
    for (int i = 1; i <= 9; ++i)
        s.put(g.RevArmPositions[i]);
    // Records 16..67: thirteen overlay columns of items 1..20 (entry 0 is scratch).
    auto& o = m.overlay;
    for (auto* column : {&o.X1, &o.Y1, &o.X2, &o.Y2, &o.Ref1X, &o.Ref1Y, &o.Ref2X, &o.Ref2Y,
                         &o.Type, &o.Color, &o.RefMode, &o.Ref1Pivot, &o.Ref2Pivot}) {
        for (int item = 1; item <= kOverlayItems; ++item)
            s.put((*column)[item]);
    }
}

Real slotValue(const std::vector<DimRecord>& records, int slot) {
    return records[slot / kFields].field[slot % kFields];
}

// What one open stores: slots below `slotEnd`, except the unused DOS fields,
// and what becomes of CurrentOverlayItem.
struct ReadPlan {
    enum class Item { Keep, First, FromFile };
    int slotEnd = 0;
    bool dos = false;
    Item currentItem = Item::Keep;
};

bool isStored(const ReadPlan& plan, int slot) {
    if (plan.currentItem == ReadPlan::Item::FromFile && slot == kCurrentItemSlot) return true;
    if (slot >= plan.slotEnd) return false;
    return !plan.dos || (slot != kDosUnusedGraphicZoomSlot && slot != kDosUnusedRevArmPosSlot);
}

std::string recordCount(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " record" : " records");
}

std::string tooShort(std::size_t n, const char* kind, int wanted) {
    if (n == 0) return "the file is too short to hold a single record";
    return "the file is too short (" + recordCount(n) + "; " + kind + " has " +
           std::to_string(wanted) + ")";
}

// The own layout holds 16 records without the overlay section, or all 69. A
// file of 21..68 records is cut off inside the overlay section.
std::string planOwnRead(std::size_t n, ReadPlan& plan) {
    if (n >= static_cast<std::size_t>(DimensionFile::kRecords)) {
        plan = {kOverlaySlotsEnd, false, ReadPlan::Item::FromFile};
        return {};
    }
    if (n >= static_cast<std::size_t>(DimensionFile::kRecordsWithoutOverlay) && n <= 20) {
        plan = {DimensionFile::kRecordsWithoutOverlay * kFields, false, ReadPlan::Item::First};
        return {};
    }
    return tooShort(n, "a dimension file", DimensionFile::kRecords);
}

std::string planDosRead(std::size_t n, ReadPlan& plan) {
    if (n >= static_cast<std::size_t>(DosDimensionFile::kRecords)) {
        plan = {DosDimensionFile::kRecords * kFields, true, ReadPlan::Item::Keep};
        return {};
    }
    return tooShort(n, "a DOS dimension file", DosDimensionFile::kRecords);
}

// The first stored field that is not a number, or "" when all are.
std::string firstNonFinite(const std::vector<DimRecord>& records, const ReadPlan& plan) {
    for (int slot = 0; slot <= kCurrentItemSlot; ++slot) {
        if (isStored(plan, slot) && !std::isfinite(slotValue(records, slot)))
            return "record " + std::to_string(slot / kFields) + ", field " +
                   std::to_string(slot % kFields) + " is not a finite number";
    }
    return {};
}

void storeRecords(Model& m, const std::vector<DimRecord>& records, const ReadPlan& plan) {
    forEachSlot(m, [&](int slot, Real& var) {
        if (isStored(plan, slot)) var = slotValue(records, slot);
    });
    if (plan.currentItem == ReadPlan::Item::FromFile) {
        // Clamped so that the draw-lines dialog's 20 rows are never indexed out of range.
        int item = roundToInt(slotValue(records, kCurrentItemSlot));
        m.overlay.CurrentOverlayItem = std::clamp(item, 1, kOverlayItems);
    } else if (plan.currentItem == ReadPlan::Item::First) {
        m.overlay.CurrentOverlayItem = 1;
    }
    midGearCalc(m);
    updateRevArmScrollRange(m);
}

// Reads at most `limit` bytes from the start of the file; the rest of a
// larger file is never needed. Returns the reason of a failure, or "".
// Only a regular file is read: a named pipe would wait for a writer for
// ever and a device need never end, so the file is opened without waiting
// and looked at before anything is read from it.
std::string readFileStart(const std::string& path, std::size_t limit,
                          std::vector<unsigned char>& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::strerror(errno);
    struct stat st {};
    std::string why;
    if (::fstat(fd, &st) != 0)
        why = std::strerror(errno);
    else if (S_ISDIR(st.st_mode))
        why = std::strerror(EISDIR);
    else if (S_ISFIFO(st.st_mode))
        why = "it is a named pipe, not a regular file";
    else if (!S_ISREG(st.st_mode))
        why = "it is not a regular file";
    bytes.assign(limit, 0);
    std::size_t got = 0;
    while (why.empty() && got < limit) {
        const ssize_t n = ::read(fd, bytes.data() + got, limit - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) why = std::strerror(errno);
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (!why.empty()) return why;
    bytes.resize(got);
    return {};
}

FileResult openFailure(const std::string& path, const std::string& why) {
    return {false, "Cannot open \"" + path + "\": " + why + "."};
}

using PlanFor = std::string (*)(std::size_t, ReadPlan&);

// Reads and checks the whole file before storing anything, so a failure
// leaves the model untouched.
FileResult openWith(Model& m, const std::string& path, std::size_t limit, PlanFor planFor) {
    std::vector<unsigned char> bytes;
    std::string why = readFileStart(path, limit, bytes);
    if (!why.empty()) return openFailure(path, why);
    std::vector<DimRecord> records = decodeDimRecords(bytes);
    ReadPlan plan;
    why = planFor(records.size(), plan);
    if (why.empty()) why = firstNonFinite(records, plan);
    if (!why.empty()) return openFailure(path, why);
    storeRecords(m, records, plan);
    m.DimSetName = dimSetNameFromPath(path);
    markDimensionsSaved(m);
    return {true, {}};
}

void putReal(Real value, unsigned char* out) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<unsigned char>((bits >> (8 * i)) & 0xFFu);
}

Real getReal(const unsigned char* in) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    Real value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

std::vector<DimRecord> buildDimensionRecords(const Model& m) {
    std::vector<DimRecord> records(DimensionFile::kRecords);
    forEachSlot(m, [&records](int slot, const Real& var) {
        records[slot / kFields].field[slot % kFields] = var;
    });
    records[68].field[4] = static_cast<Real>(m.overlay.CurrentOverlayItem);
    return records;
}

std::vector<unsigned char> encodeDimRecords(const std::vector<DimRecord>& records) {
    std::vector<unsigned char> bytes(records.size() * kDimRecordBytes);
    unsigned char* out = bytes.data();
    for (const DimRecord& r : records) {
        for (Real value : r.field) {
            putReal(value, out);
            out += 4;
        }
    }
    return bytes;
}

std::vector<DimRecord> decodeDimRecords(const std::vector<unsigned char>& bytes) {
    std::vector<DimRecord> records(bytes.size() / kDimRecordBytes);
    const unsigned char* in = bytes.data();
    for (DimRecord& r : records) {
        for (Real& value : r.field) {
            value = getReal(in);
            in += 4;
        }
    }
    return records;
}

FileResult openDimensionFile(Model& m, const std::string& path) {
    return openWith(m, path, DimensionFile::kBytes, planOwnRead);
}

FileResult openDosDimensionFile(Model& m, const std::string& path) {
    return openWith(m, path, DosDimensionFile::kBytes, planDosRead);
}

FileResult saveDimensionFile(Model& m, const std::string& path) {
    std::string why = writeFileReplacing(path, encodeDimRecords(buildDimensionRecords(m)));
    if (!why.empty()) return {false, "Cannot save \"" + path + "\": " + why + "."};
    m.DimSetName = dimSetNameFromPath(path);
    markDimensionsSaved(m);
    return {true, {}};
}

std::string dimSetNameFromPath(const std::string& path) {
    std::size_t cut = path.find_last_of("/\\");
    std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    return name.size() <= 4 ? std::string() : name.substr(0, name.size() - 4);
}

} // namespace corvellan
