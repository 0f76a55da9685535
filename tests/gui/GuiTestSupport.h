#pragma once
// What the window tests share: one QApplication for the whole program (made
// by a global test environment), a sound sink that counts, and a fixture with
// a main window whose timer is stopped so each test drives the ticks itself.

#include "main/Commands.h"
#include "main/MainWindow.h"
#include "model/Model.h"
#include "model/SoundSink.h"

#include <QAction>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace corvellan::test {

class CountingSound : public SoundSink {
  public:
    void playExhaust(int, int) override { ++exhausts; }
    void playError() override { ++errors; }
    void beep() override { ++beeps; }
    int exhausts = 0;
    int errors = 0;
    int beeps = 0;
};

// The centre of one part of a scroll bar (an arrow, the trough on either side
// of the thumb, the thumb), and a click on it as the user makes it.
QPoint scrollBarPart(QScrollBar* bar, QStyle::SubControl part);
void clickScrollBarPart(QScrollBar* bar, QStyle::SubControl part);

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    QPushButton* button(const char* name) const;
    QScrollBar* bar(const char* name) const;
    QAction* action(const char* name) const;
    // Clicks a button as the user does (it must be visible and enabled).
    void click(const char* name) const;
    // Runs `drive` once the modal dialog opened by `open` is showing.
    void whileModal(const std::function<void()>& open, const std::function<void()>& drive);

    Model model;
    CountingSound sound;
    std::unique_ptr<TMainForm> window;
};

} // namespace corvellan::test
