// CSV tables and the replacing save beneath them.
#include "model/CsvFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>

using namespace corvellan;

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(CsvFile, QuotesOnlyFieldsThatNeedIt) {
    EXPECT_EQ(csvText({{"Fwd", "a,b", "say \"hi\"", "two\nlines"}, {}, {"1.5"}}),
              "Fwd,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\"\n\n1.5\n");
    // The shortest decimal that gives the 4-byte real back; none for no number.
    EXPECT_EQ(csvNumber(0.1f), "0.1");
    EXPECT_EQ(csvNumber(std::numeric_limits<float>::quiet_NaN()), "");
}

TEST(CsvFile, SaveReplacesWholeOrLeavesTheOldFile) {
    const std::string path = ::testing::TempDir() + "table.csv";
    std::remove(path.c_str());
    ASSERT_TRUE(saveCsvFile(path, {{"a", "b"}, {"1", "2"}}).ok);
    EXPECT_EQ(slurp(path), "a,b\n1,2\n");
    ASSERT_TRUE(saveCsvText(path, "x\n").ok);
    EXPECT_EQ(slurp(path), "x\n");

    const FileResult r = saveCsvFile("/nonexistent-folder/table.csv", {{"a"}});
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("/nonexistent-folder/table.csv"), std::string::npos) << r.message;
}
