#pragma once
// What the diagram window tests share: one QApplication for the program, a
// main window whose timer the tests drive, and a way to act inside modal
// windows once they are up.

#include "diagramwindows/DiagramWindows.h"
#include "main/MainWindow.h"
#include "model/Model.h"
#include "model/SoundSink.h"

#include <QImage>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class QAction;

namespace corvellan::test {

// Runs `act` once `window` is the modal window on top (and `ready`, when
// given, holds). A window left open by a test is closed after a few seconds
// with a failure, so no test hangs.
void whenModal(QWidget* window, std::function<void()> act, std::function<bool()> ready = {});

// Number of pixels in `rect` of `image` that are not white.
int inkIn(const QImage& image, const QRect& rect);

class DiagramWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    const DiagramWindows& windows() const;
    QAction* mainAction(const char* name) const;
    // Binds "Driver Dia" to dynamic variable 1, as leaving its box would.
    void bindDriverDia();

    Model model;
    SilentSound sound;
    std::unique_ptr<TMainForm> window;
};

} // namespace corvellan::test
