#pragma once
// Reading back the picture files the program writes, without Qt: the width
// and height a PNG header gives, and the pages a PDF declares.

#include <cctype>
#include <string>

namespace corvellan::test {

struct PngSize {
    int width = -1;
    int height = -1;
};

// From the IHDR chunk; -1 when `bytes` is no PNG.
inline PngSize pngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {};
    auto u32 = [&bytes](std::size_t at) {
        int v = 0;
        for (std::size_t i = 0; i < 4; ++i)
            v = v * 256 + static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    return {u32(16), u32(20)};
}

// Page objects ("/Type /Page", not "/Pages") of a PDF; -1 when `bytes` is no
// PDF.
inline int pdfPageCount(const std::string& bytes) {
    if (bytes.compare(0, 5, "%PDF-") != 0) return -1;
    int pages = 0;
    const std::string key = "/Type /Page";
    for (std::size_t at = bytes.find(key); at != std::string::npos;
         at = bytes.find(key, at + key.size())) {
        const std::size_t next = at + key.size();
        if (next >= bytes.size() || !std::isalpha(static_cast<unsigned char>(bytes[next]))) ++pages;
    }
    return pages;
}

} // namespace corvellan::test
