#pragma once
// Runs the real corvellan program and collects what it prints.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace clitest {

struct Outcome {
    std::string out; // stdout and stderr together
    int status = -1;
};

inline Outcome runCorvellan(const std::string& args) {
    Outcome r;
    const std::string cmd = std::string(CORVELLAN_BINARY) + " " + args + " 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
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
