#pragma once
// Runs the real corvellan program and collects what it prints.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace clitest {

// The run's output: what it printed on stdout and on stderr.
struct Outcome {
    std::string out;    // stdout, then stderr
    std::string stdOut; // each alone
    std::string stdErr;
    int status = -1;
};

inline std::string slurp(const std::string& path);

// `seconds` > 0 ends a run that takes longer (status 124).
inline Outcome runCorvellan(const std::string& args, int seconds = 0) {
    Outcome r;
    // Test programs run side by side: a file of this process's own.
    const std::string errPath =
        ::testing::TempDir() + "corvellan_stderr_" + std::to_string(getpid()) + ".txt";
    const std::string limit = seconds > 0 ? "timeout " + std::to_string(seconds) + " " : "";
    const std::string cmd = limit + CORVELLAN_BINARY + " " + args + " 2>" + errPath;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0)
        r.stdOut.append(buf.data(), n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    r.stdErr = slurp(errPath);
    r.out = r.stdOut + r.stdErr;
    return r;
}

inline std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::string tempPath(const std::string& name) { return ::testing::TempDir() + name; }

inline int lineCount(const std::string& s) {
    int n = 0;
    for (char c : s) n += c == '\n';
    return n;
}

} // namespace clitest
