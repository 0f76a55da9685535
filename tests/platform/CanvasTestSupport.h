#pragma once
// Qt needs a GUI application for fonts; the tests run on the offscreen platform.

#include <QGuiApplication>
#include <QImage>

#include <cstdlib>

namespace corvellan::testing {

inline void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "tests_platform";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

inline bool ink(const QImage& img, int x, int y) {
    return (img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
}

// Count of non-white pixels in columns x0..x1-1, rows y0..y1-1.
inline int inkIn(const QImage& img, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += ink(img, x, y);
    return n;
}

} // namespace corvellan::testing
