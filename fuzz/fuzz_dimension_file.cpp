// Fuzzes the dimension-file reader, both layouts: the input is the file.
// Beyond "no crash and nothing undefined" it checks what the reader
// promises: a refused file leaves the model exactly as it was, and a file
// that was read saves and reads back to the same state.

#include "model/DimensionFile.h"
#include "model/Model.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

using namespace corvellan;

namespace {

std::string scratchPath(const char* extension) {
    // tmpfs where there is one: the save syncs its file, which is slow on a disk.
    static const char* folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(folder) + "/corvellan-fuzz-" + std::to_string(::getpid()) + extension;
}

void writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
}

std::vector<unsigned char> stateBytes(const Model& m) {
    return encodeDimRecords(buildDimensionRecords(m));
}

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

void openOne(const std::uint8_t* data, std::size_t size, bool dos) {
    const std::string path = scratchPath(dos ? ".oca" : ".dco");
    writeFile(path, data, size);
    Model m;
    initialiseModel(m);
    const std::vector<unsigned char> before = stateBytes(m);
    const FileResult result = dos ? openDosDimensionFile(m, path) : openDimensionFile(m, path);
    if (!result.ok) {
        check(!result.message.empty(), "a refused file is explained");
        check(stateBytes(m) == before, "a refused file changes nothing");
        check(m.DimSetName == "Nominal", "a refused file keeps the set name");
    } else {
        const std::string saved = scratchPath(".saved.dco");
        check(saveDimensionFile(m, saved).ok, "a state that was read can be saved");
        Model again;
        initialiseModel(again);
        check(openDimensionFile(again, saved).ok, "a saved state reads back");
        check(stateBytes(again) == stateBytes(m), "a saved state reads back the same");
        ::unlink(saved.c_str());
    }
    ::unlink(path.c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    openOne(data, size, false);
    openOne(data, size, true);
    return 0;
}
