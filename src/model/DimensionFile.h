#pragma once
// Dimension files: one complete working state as a flat sequence of 20-byte
// records of five little-endian 4-byte reals, no header. The program reads and
// writes its own 69-record layout and reads the 10-record files of the earlier
// DOS version.

#include "model/Model.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace corvellan {

struct DimRecord {
    std::array<Real, 5> field{};
};

constexpr int kDimRecordBytes = 20;

// The program's own layout ("dco").
struct DimensionFile {
    static constexpr int kRecords = 69;
    static constexpr int kBytes = kRecords * kDimRecordBytes; // 1380
    // Records 16..20 may be missing: such a file keeps the overlay table.
    static constexpr int kRecordsWithoutOverlay = 16;
};

// The earlier DOS version's layout ("oca"): records 0..9 of the own layout,
// except that record 8 field 2 and record 9 field 1 are not used.
struct DosDimensionFile {
    static constexpr int kRecords = 10;
    static constexpr int kBytes = kRecords * kDimRecordBytes; // 200
};

struct FileResult {
    bool ok = false;
    std::string message; // empty on success; names the file and the fault otherwise
};

// The 69 records of the own layout, each field the exact value of its variable.
std::vector<DimRecord> buildDimensionRecords(const Model& m);

// Byte image of records: each field little-endian through its bit pattern, so
// the file is the same on every host.
std::vector<unsigned char> encodeDimRecords(const std::vector<DimRecord>& records);
// The whole records in `bytes`; a trailing partial record is ignored.
std::vector<DimRecord> decodeDimRecords(const std::vector<unsigned char>& bytes);

// Open and Open DOS. The file is read and checked in full before anything is
// stored, so a failure leaves the model exactly as it was. On success the mid
// gear and the reverse-arm scroll range are recomputed and DimSetName follows
// the path.
FileResult openDimensionFile(Model& m, const std::string& path);
FileResult openDosDimensionFile(Model& m, const std::string& path);

// Save as: writes a temporary file beside the target and renames it over the
// target, so a failed save never destroys an existing file. Where the folder
// lets no file be created, an existing file is rewritten in place instead (and
// put back as it was should that fail). A symbolic link keeps being a link:
// the file it points to takes the new content. DimSetName changes only on
// success.
FileResult saveDimensionFile(Model& m, const std::string& path);

// The set name of a path: what follows the last "/" or "\", without its last
// four characters (the dot and the extension); four characters or fewer give "".
std::string dimSetNameFromPath(const std::string& path);

} // namespace corvellan
