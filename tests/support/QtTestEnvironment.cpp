// One QApplication for the whole run of a window test program, made by a
// global test environment. Compiled into each program whose tests open the
// main window (see tests/CMakeLists.txt), which names the program.

#include "platform/ProgramStyle.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <memory>

namespace corvellan::test {

namespace {

class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = CORVELLAN_TEST_PROGRAM;
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
        QApplication::setStyle(makeProgramStyle());
        // The main window reads its instruction texts from the working
        // folder at start-up; the program's build folder holds them.
        QDir::setCurrent(QFileInfo(QString::fromUtf8(CORVELLAN_BINARY)).absolutePath());
    }
    void TearDown() override { app_.reset(); }

  private:
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace

} // namespace corvellan::test
