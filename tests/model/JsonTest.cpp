// JSON as the program writes it: figures as the CSV files spell them, also
// when another program dumps the document itself.
#include "model/Json.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <limits>

using namespace corvellan;

TEST(Json, FiguresKeepTheirShortestSpellingAndANonNumberIsNull) {
    Json j;
    j["Lap"] = jsonFigure(0.1565f);
    j["Mid"] = jsonFigure(1e-5f);
    j["Piston"] = jsonFigure(640.0f);
    j["Noise"] = jsonFigure(-6.12323426e-17L, 1.5);
    j["Gone"] = jsonFigure(std::numeric_limits<Ext>::quiet_NaN());
    j["List"] = {jsonFigure(-std::numeric_limits<Ext>::infinity()), "say \"hi\""};
    const std::string line = jsonLine(j);
    EXPECT_EQ(line, "{\"Lap\": 0.1565, \"Mid\": 1e-05, \"Piston\": 640, \"Noise\": 0, "
                    "\"Gone\": null, \"List\": [null, \"say \\\"hi\\\"\"]}");
    // nlohmann's own dump writes the same numbers, and they read back as the
    // same 4-byte values.
    EXPECT_EQ(j.dump(), "{\"Lap\":0.1565,\"Mid\":1e-05,\"Piston\":640,\"Noise\":0,\"Gone\":null,"
                        "\"List\":[null,\"say \\\"hi\\\"\"]}");
    const Json back = Json::parse(line);
    EXPECT_EQ(static_cast<float>(back["Lap"].get<double>()), 0.1565f);
    EXPECT_EQ(static_cast<float>(back["Mid"].get<double>()), 1e-5f);
}
