// The dialog tests need one QApplication for the whole run; this main wins
// over gtest_main's.

#include "platform/ProgramStyle.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests at build time must not need a display either.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(corvellan::makeProgramStyle());
    return RUN_ALL_TESTS();
}
