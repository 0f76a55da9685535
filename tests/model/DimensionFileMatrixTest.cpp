// Every kind of file a user may point the open and save commands at: files of
// every telling length, random bytes, unreadable files and folders, odd names,
// folders that refuse new files, a full disk, links. Each either works as the
// file format says or fails with a reason, and then the model and any file
// that was there are exactly as before.

#include "model/DimensionFileSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

using namespace corvellan;
using namespace corvellan::test;

namespace {

constexpr int kRecordBytes = 20;

std::vector<unsigned char> stateBytes(const Model& m) {
    return encodeDimRecords(buildDimensionRecords(m));
}

// Runs `check` in a child process without root's power over permissions
// (as the user "nobody"), so permission tests mean the same under root;
// returns what it returned. Files it must reach have to be open to others.
bool withoutPrivileges(const std::function<bool()>& check) {
    if (::geteuid() != 0) return check();
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped =
            ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A scratch folder that the unprivileged child can enter.
struct SharedDir : TempDir {
    SharedDir() { fs::permissions(path, fs::perms::all); }
};

// Records 0..15 as written (except the mid-gear values that an open
// recomputes), and records 16..68: the file's when it holds them, else the
// model's own.
void expectOpened(const Model& opened, const Model& source, const Model& before, int records) {
    auto got = buildDimensionRecords(opened);
    auto wrote = buildDimensionRecords(source);
    auto kept = buildDimensionRecords(before);
    for (auto* r : {&got, &wrote, &kept}) {
        (*r)[9].field[1] = 0;                                  // RevArmPos
        (*r)[14].field[1] = (*r)[14].field[2] = (*r)[14].field[3] = 0; // positions 1..3
    }
    auto range = [](const std::vector<DimRecord>& r, int from, int to) {
        return encodeDimRecords({r.begin() + from, r.begin() + to});
    };
    EXPECT_EQ(range(got, 0, 16), range(wrote, 0, 16)) << records;
    EXPECT_EQ(range(got, 16, 68), range(records >= 69 ? wrote : kept, 16, 68)) << records;
    EXPECT_EQ(opened.overlay.CurrentOverlayItem,
              records >= 69 ? source.overlay.CurrentOverlayItem : 1)
        << records;
}

} // namespace

TEST(DimensionFileMatrix, EveryLengthOpensAsTheFormatSaysOrChangesNothing) {
    TempDir dir;
    const Model source = distinctModel();
    Bytes whole = stateBytes(source);
    whole.resize(70 * kRecordBytes, 0); // one record more than a file holds
    struct Length {
        int records;
        int extraBytes;
        bool ownOk, dosOk;
    } lengths[] = {{0, 0, false, false},  {1, 0, false, false},   {9, 0, false, false},
                   {10, 0, false, true},  {15, 0, false, true},   {16, 0, true, true},
                   {20, 0, true, true},   {21, 0, false, true},   {68, 0, false, true},
                   {69, 0, true, true},   {70, 0, true, true},    {9, 19, false, false},
                   {16, 7, true, true},   {68, 19, false, true},  {69, 1, true, true}};
    for (const Length& l : lengths) {
        const std::string path = dir.file("gear.dco");
        writeBytes(path, Bytes(whole.begin(), whole.begin() + l.records * kRecordBytes +
                                                  l.extraBytes));
        for (bool dos : {false, true}) {
            Model m = defaultModel();
            m.overlay.Type[4] = 1; // an overlay the file must keep or replace
            m.overlay.CurrentOverlayItem = 9;
            const Model before = m;
            FileResult r = dos ? openDosDimensionFile(m, path) : openDimensionFile(m, path);
            ASSERT_EQ(r.ok, dos ? l.dosOk : l.ownOk) << l.records << " dos " << dos;
            if (!r.ok) {
                EXPECT_NE(r.message.find("too short"), std::string::npos) << r.message;
                expectSameModel(m, before);
            } else if (dos) {
                // Records 0..7 read, the graphic zoom and everything after
                // record 9 kept.
                auto got = buildDimensionRecords(m), wrote = buildDimensionRecords(source),
                     kept = buildDimensionRecords(before);
                EXPECT_EQ(encodeDimRecords({got.begin(), got.begin() + 8}),
                          encodeDimRecords({wrote.begin(), wrote.begin() + 8}));
                EXPECT_EQ(m.view.GraphicZoom, before.view.GraphicZoom);
                EXPECT_EQ(encodeDimRecords({got.begin() + 15, got.end()}),
                          encodeDimRecords({kept.begin() + 15, kept.end()}));
            } else {
                expectOpened(m, source, before, l.records);
            }
            EXPECT_EQ(m.DimSetName, r.ok ? "gear" : "Nominal");
        }
    }
}

TEST(DimensionFileMatrix, RandomBytesNeverHalfLoad) {
    TempDir dir;
    std::mt19937 random(20240609);
    const std::string path = dir.file("noise.dco");
    int opened = 0;
    for (int n = 0; n < 300; ++n) {
        // Lengths around the ones the reader tells apart, and a few fields of
        // plain numbers so that some files pass.
        Bytes bytes(random() % 1500);
        for (auto& b : bytes) b = static_cast<unsigned char>(random());
        if (n % 2)
            for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4) bytes[at + 3] = 0x3f;
        writeBytes(path, bytes);
        Model m = distinctModel();
        const Model before = m;
        FileResult r = n % 3 ? openDimensionFile(m, path) : openDosDimensionFile(m, path);
        if (r.ok) {
            ++opened;
            EXPECT_EQ(m.frame.Stroke, fieldAt(bytes, 0, 0));
            EXPECT_EQ(m.cyl.ValveStem, fieldAt(bytes, 6, 3));
        } else {
            expectSameModel(m, before);
        }
    }
    EXPECT_GT(opened, 20); // the generator does reach the reading of fields
}

TEST(DimensionFileMatrix, UnreadablePlacesAndOddNames) {
    SharedDir dir;
    const Bytes good = stateBytes(distinctModel());
    const std::string locked = dir.file("locked.dco");
    writeBytes(locked, good);
    ::chmod(locked.c_str(), 0200);
    EXPECT_TRUE(withoutPrivileges([&] {
        Model m = defaultModel();
        const Bytes before = stateBytes(m);
        FileResult r = openDimensionFile(m, locked);
        return !r.ok && r.message.find("Permission denied") != std::string::npos &&
               stateBytes(m) == before;
    }));

    fs::create_directory(dir.file("folder.dco"));
    Model m = defaultModel();
    const Bytes before = stateBytes(m);
    FileResult r = openDimensionFile(m, dir.file("folder.dco"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("Is a directory"), std::string::npos) << r.message;
    EXPECT_EQ(stateBytes(m), before);

    // Names are bytes to the program: spaces and letters beyond ASCII (UTF-8)
    // open, save and name the set unchanged.
    const std::string odd = dir.file("Zugmaschine \xc3\xa4\xc3\xb6 \xe2\x84\x96 7.dco");
    writeBytes(odd, good);
    ASSERT_TRUE(openDimensionFile(m, odd).ok);
    EXPECT_EQ(m.DimSetName, "Zugmaschine \xc3\xa4\xc3\xb6 \xe2\x84\x96 7");
    const std::string copy = dir.file("copy \xc3\xa9.dco");
    ASSERT_TRUE(saveDimensionFile(m, copy).ok);
    EXPECT_EQ(readBytes(copy), stateBytes(m));
    EXPECT_EQ(m.DimSetName, "copy \xc3\xa9");
}

TEST(DimensionFileMatrix, SaveIntoAFolderThatRefusesNewFilesRewritesTheOldFile) {
    SharedDir dir;
    const std::string folder = dir.file("readonly");
    fs::create_directory(folder);
    const std::string existing = folder + "/gear.dco";
    writeBytes(existing, Bytes(7, 'x'));
    ::chmod(existing.c_str(), 0666);
    ::chmod(folder.c_str(), 0555);
    const Model m = distinctModel();
    const Bytes wanted = stateBytes(m);
    // An existing file is written in place; a new name fails and says why.
    EXPECT_TRUE(withoutPrivileges([&] {
        Model saving = m;
        FileResult r = saveDimensionFile(saving, existing);
        FileResult fresh = saveDimensionFile(saving, folder + "/new.dco");
        return r.ok && saving.DimSetName == "gear" && readBytes(existing) == wanted &&
               !fresh.ok && fresh.message.find("Permission denied") != std::string::npos;
    }));
    EXPECT_EQ(readBytes(existing), wanted);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST(DimensionFileMatrix, AFullDiskFailsTheSaveAndKeepsTheOldFile) {
    SharedDir dir;
    Model m = distinctModel();
    // A device that is always full: a private node where we may make one, so
    // a fault that replaced the target could only harm the copy.
    std::string full = "/dev/full";
    if (::geteuid() == 0 && ::mknod(dir.file("full.dco").c_str(), S_IFCHR | 0666,
                                    makedev(1, 7)) == 0)
        full = dir.file("full.dco");
    FileResult r = saveDimensionFile(m, full);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("No space left on device"), std::string::npos) << r.message;
    EXPECT_TRUE(fs::is_character_file(full));
    EXPECT_EQ(m.DimSetName, "Nominal");

    // A disk that fills up halfway through the file, shown by a limit on the
    // size of files this process may write: the replaced file and the file
    // rewritten in place both stay as they were.
    const std::string open = dir.file("gear.dco");
    const std::string folder = dir.file("readonly");
    fs::create_directory(folder);
    const std::string inPlace = folder + "/gear.dco";
    const Bytes old(700, 'o');
    for (const std::string& path : {open, inPlace}) {
        writeBytes(path, old);
        ::chmod(path.c_str(), 0666);
    }
    ::chmod(folder.c_str(), 0555);
    EXPECT_TRUE(withoutPrivileges([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return false;
        Model saving = m;
        FileResult a = saveDimensionFile(saving, open);
        FileResult b = saveDimensionFile(saving, inPlace);
        return !a.ok && a.message.find("File too large") != std::string::npos && !b.ok &&
               saving.DimSetName == "Nominal";
    }));
    EXPECT_EQ(readBytes(open), old);
    EXPECT_EQ(readBytes(inPlace), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()),
              full == "/dev/full" ? 2 : 3);
}

TEST(DimensionFileMatrix, SavingOverALinkWritesItsTargetAndKeepsTheLink) {
    TempDir dir;
    fs::create_directory(dir.file("real"));
    const std::string target = dir.file("real/gear.dco");
    writeBytes(target, Bytes(7, 'x'));
    fs::create_symlink("real/gear.dco", dir.file("relative.dco"));
    fs::create_symlink(dir.file("relative.dco"), dir.file("chain.dco")); // a link to a link
    fs::create_symlink(dir.file("real/new.dco"), dir.file("dangling.dco"));
    Model m = distinctModel();
    for (const char* link : {"relative.dco", "chain.dco"}) {
        m.frame.Stroke += 1;
        ASSERT_TRUE(saveDimensionFile(m, dir.file(link)).ok) << link;
        EXPECT_TRUE(fs::is_symlink(dir.file(link))) << link;
        EXPECT_EQ(readBytes(target), stateBytes(m)) << link;
    }
    EXPECT_EQ(m.DimSetName, "chain"); // the name the user chose, not the target's
    ASSERT_TRUE(saveDimensionFile(m, dir.file("dangling.dco")).ok);
    EXPECT_TRUE(fs::is_symlink(dir.file("dangling.dco")));
    EXPECT_EQ(readBytes(dir.file("real/new.dco")), stateBytes(m));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("real")), fs::directory_iterator()),
              2);
}
