// What the command line writes when the disk refuses it: every picture format,
// the dimension file and the printed reports fail with exit 2 and the system's
// reason in one line, and a file that was there is left byte for byte.
#include <gtest/gtest.h>

#include "cli/RunProgram.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace clitest;
namespace fs = std::filesystem;

namespace {

struct Limits {
    long fileBytes = -1;       // largest file the run may write; -1: no limit
    bool unprivileged = false; // as "nobody" when the tests run as root
    std::string stdoutPath;    // where its standard output goes; "": nowhere
};

// Runs the program straight (no shell) under `limits`; the limit on the size
// of files stands for a disk that fills up.
Outcome runLimited(const std::vector<std::string>& args, const Limits& limits) {
    Outcome r;
    const std::string errPath = tempPath("fulldisk_stderr_" + std::to_string(::getpid()));
    const pid_t child = ::fork();
    if (child == 0) {
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        const int out = limits.stdoutPath.empty()
                            ? ::open("/dev/null", O_WRONLY)
                            : ::open(limits.stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (err < 0 || out < 0 || ::dup2(err, 2) < 0 || ::dup2(out, 1) < 0) ::_exit(120);
        if (limits.unprivileged && ::geteuid() == 0 &&
            !(::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0))
            ::_exit(121);
        if (limits.fileBytes >= 0) {
            const rlimit limit{static_cast<rlim_t>(limits.fileBytes),
                               static_cast<rlim_t>(limits.fileBytes)};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(122);
        }
        std::vector<char*> argv{const_cast<char*>(CORVELLAN_BINARY)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(CORVELLAN_BINARY, argv.data());
        ::_exit(123);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.stdErr = slurp(errPath);
    std::remove(errPath.c_str());
    return r;
}

// A scratch folder that "nobody" may enter and create files in.
struct SharedFolder {
    SharedFolder() {
        fs::remove_all(path);
        fs::create_directories(path);
        fs::permissions(path, fs::perms::all);
    }
    ~SharedFolder() { fs::remove_all(path); }
    std::string file(const std::string& name) const { return path + "/" + name; }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(path), fs::directory_iterator()));
    }
    std::string path = tempPath("fulldisk_" + std::to_string(::getpid()));
};

void writeOld(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

const std::string kOld = std::string(3000, 'o') + "old file";

} // namespace

TEST(FullDisk, EveryFormatFailsInOneLineAndKeepsTheOldFile) {
    SharedFolder folder;
    // The same file name through each writer; a 1,500-byte limit lies below
    // every picture and the dimension file (1,380 bytes) gets through, so the
    // balance run's failure is tested with a smaller one.
    const struct {
        const char* name;
        std::vector<std::string> args;
        long limit;
    } cases[] = {
        {"sine.png", {"render", "sine"}, 1500},
        {"sine.svg", {"render", "sine"}, 1500},
        {"sine.pdf", {"render", "sine"}, 1500},
        {"frame.png", {"render", "mechanism", "--paths"}, 1500},
        {"gear.dco",
         {"balance", "--vary", "ValveLeverLower", "--objective", "positions", "--settings", "0.5"},
         1000},
    };
    for (const auto& c : cases) {
        const std::string target = folder.file(c.name);
        writeOld(target, kOld);
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-o", target});
        const Outcome r = runLimited(args, {c.limit, false, ""});
        EXPECT_EQ(r.status, 2) << c.name << ": " << r.stdErr;
        EXPECT_EQ(lineCount(r.stdErr), 1) << c.name << ": " << r.stdErr;
        EXPECT_NE(r.stdErr.find("File too large"), std::string::npos) << c.name << ": " << r.stdErr;
        EXPECT_EQ(slurp(target), kOld) << c.name;
        EXPECT_EQ(folder.entries(), 1u) << c.name << ": a temporary file was left";
        fs::remove(target);

        // Without the limit the same run writes the file.
        const Outcome whole = runLimited(args, {});
        EXPECT_EQ(whole.status, 0) << c.name << ": " << whole.stdErr;
        EXPECT_GT(fs::file_size(target), 1000u) << c.name;
        fs::remove(target);
    }
}

TEST(FullDisk, ReportsCutShortOnStandardOutputFail) {
    SharedFolder folder;
    const std::string out = folder.file("report");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"events", "--csv"},
          {"events", "--json"},
          {"table"},
          {"compare", CORVELLAN_TEST_DATA "/sample.dco", CORVELLAN_TEST_DATA "/sample.dco"}}) {
        const Outcome r = runLimited(args, {200, false, out});
        EXPECT_EQ(r.status, 2) << args[0] << ": " << r.stdErr;
        EXPECT_EQ(lineCount(r.stdErr), 1) << r.stdErr;
        EXPECT_NE(r.stdErr.find("cannot write the output: File too large"), std::string::npos)
            << r.stdErr;
        EXPECT_EQ(runLimited(args, {-1, false, out}).status, 0) << args[0];
    }
}

TEST(FullDisk, AFileTheUserMayNotWriteSaysPermissionDenied) {
    SharedFolder folder;
    for (const char* name : {"locked.png", "locked.svg", "locked.pdf"}) {
        const std::string target = folder.file(name);
        writeOld(target, kOld);
        ::chmod(target.c_str(), 0444);
        const Outcome r = runLimited({"render", "sine", "-o", target}, {-1, true, ""});
        EXPECT_EQ(r.status, 2) << name << ": " << r.stdErr;
        EXPECT_EQ(lineCount(r.stdErr), 1) << r.stdErr;
        EXPECT_NE(r.stdErr.find("Permission denied"), std::string::npos) << r.stdErr;
        EXPECT_EQ(slurp(target), kOld) << name;
    }
}
