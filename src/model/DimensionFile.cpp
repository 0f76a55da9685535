#include "model/DimensionFile.h"

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
std::string readFileStart(const std::string& path, std::size_t limit,
                          std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return std::strerror(errno);
    bytes.assign(limit, 0);
    std::size_t got = std::fread(bytes.data(), 1, limit, file);
    int readError = std::ferror(file) ? errno : 0;
    std::fclose(file);
    if (readError != 0) return std::strerror(readError);
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
    return {true, {}};
}

std::string folderOf(const std::string& path) {
    std::size_t cut = path.rfind('/');
    if (cut == std::string::npos) return ".";
    return cut == 0 ? "/" : path.substr(0, cut);
}

// Creates a new, empty file beside `target`; returns its descriptor or -1
// with errno set.
int createTempBeside(const std::string& target, std::string& tempPath) {
    const std::string stem = folderOf(target) + "/.corvellan-save-" + std::to_string(::getpid());
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = stem + "-" + std::to_string(attempt) + ".tmp";
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// A replaced file keeps its permissions; a new one gets the usual ones (umask).
void keepPermissionsOf(const std::string& target, int fd) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    if (::fchmod(fd, st.st_mode & 07777) != 0) return; // cosmetic: the data is what matters
}

// Writes `bytes` from the start of the file.
std::string writeAll(int fd, const std::vector<unsigned char>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? std::strerror(errno) : "nothing could be written";
        done += static_cast<std::size_t>(n);
    }
    return {};
}

// Devices and pipes cannot be synced; for them the write itself is the test.
std::string syncFile(int fd) {
    if (::fsync(fd) == 0 || errno == EINVAL || errno == EROFS) return {};
    return std::strerror(errno);
}

// The file a save writes to: symbolic links followed to their end, so a link
// stays a link and its target takes the new content. A link that points
// nowhere names the file to create.
std::string followLinks(const std::string& path) {
    std::string at = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
        std::vector<char> buffer(static_cast<std::size_t>(st.st_size) + 256);
        ssize_t n = ::readlink(at.c_str(), buffer.data(), buffer.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) return at;
        std::string next(buffer.data(), static_cast<std::size_t>(n));
        at = next.front() == '/' ? next : folderOf(at) + "/" + next;
    }
    return at; // a loop of links: the open reports it
}

// Writes `bytes` to a temporary file and renames it over `target`; on any
// failure the temporary file is removed and `target` is as it was. `fd` is
// the temporary file, already created.
std::string writeReplacing(const std::string& target, int fd, const std::string& tempPath,
                           const std::vector<unsigned char>& bytes) {
    keepPermissionsOf(target, fd);
    std::string why = writeAll(fd, bytes);
    if (why.empty()) why = syncFile(fd);
    if (::close(fd) != 0 && why.empty()) why = std::strerror(errno);
    if (why.empty() && std::rename(tempPath.c_str(), target.c_str()) != 0)
        why = std::strerror(errno);
    if (!why.empty()) ::unlink(tempPath.c_str());
    return why;
}

// Rewrites an existing file where it lies: for a folder the user may not
// create files in, and for devices and pipes. The new content is written over
// the old from the start and the file cut to its length, so a file that
// already held a dimension file needs no new space; should a write fail all
// the same, the old content is put back as far as it can be.
std::string rewriteInPlace(const std::string& target, const std::vector<unsigned char>& bytes) {
    // Without blocking on a pipe that nobody reads.
    int fd = ::open(target.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    const bool readable = fd >= 0;
    if (!readable) fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::strerror(errno);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    std::vector<unsigned char> old;
    if (regular && readable) {
        old.resize(static_cast<std::size_t>(st.st_size));
        if (!old.empty() && ::pread(fd, old.data(), old.size(), 0) != st.st_size) old.clear();
    }
    std::string why = writeAll(fd, bytes);
    if (why.empty() && regular && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0)
        why = std::strerror(errno);
    if (why.empty()) why = syncFile(fd);
    if (!why.empty() && regular && old.size() == static_cast<std::size_t>(st.st_size)) {
        if (writeAll(fd, old).empty() && ::ftruncate(fd, st.st_size) == 0) syncFile(fd);
    }
    if (::close(fd) != 0 && why.empty()) why = std::strerror(errno);
    return why;
}

// The save's way of writing: a temporary file renamed over the target where
// the folder allows it, so a failed save never destroys the old file;
// otherwise (no right to create files there, or a target that is no regular
// file) the old file is rewritten in place.
std::string writeDimensionBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    const std::string target = followLinks(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return std::strerror(EISDIR);
    if (exists && !S_ISREG(st.st_mode)) return rewriteInPlace(target, bytes);
    std::string tempPath;
    int fd = createTempBeside(target, tempPath);
    if (fd >= 0) return writeReplacing(target, fd, tempPath, bytes);
    const int createError = errno;
    if (exists && (createError == EACCES || createError == EPERM)) return rewriteInPlace(target, bytes);
    return std::strerror(createError);
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
    std::string why = writeDimensionBytes(path, encodeDimRecords(buildDimensionRecords(m)));
    if (!why.empty()) return {false, "Cannot save \"" + path + "\": " + why + "."};
    m.DimSetName = dimSetNameFromPath(path);
    return {true, {}};
}

std::string dimSetNameFromPath(const std::string& path) {
    std::size_t cut = path.find_last_of("/\\");
    std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    return name.size() <= 4 ? std::string() : name.substr(0, name.size() - 4);
}

} // namespace corvellan
