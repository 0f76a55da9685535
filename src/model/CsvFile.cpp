#include "model/CsvFile.h"

#include "model/SaveFile.h"

namespace corvellan {

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string csvNumber(Real value) {
    return shortestText(value);
}

std::string csvText(const std::vector<CsvRow>& rows) {
    std::string out;
    for (const CsvRow& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) out += ',';
            out += csvField(row[i]);
        }
        out += '\n';
    }
    return out;
}

FileResult saveCsvText(const std::string& path, const std::string& text) {
    const std::string why = writeFileReplacing(path, text);
    if (!why.empty()) return {false, "Cannot save \"" + path + "\": " + why + "."};
    return {true, {}};
}

FileResult saveCsvFile(const std::string& path, const std::vector<CsvRow>& rows) {
    return saveCsvText(path, csvText(rows));
}

} // namespace corvellan
