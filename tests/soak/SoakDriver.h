#pragma once
// Drives the running program as a restless user would: the main window's
// timer runs flat out, and between its ticks a seeded random hand triggers
// menu and tool-bar commands, clicks buttons, scroll bars and the picture,
// and works every modal window that comes up (types wild text into its boxes,
// clicks its buttons and bars, picks a file in a file dialog) before closing
// it. Nested windows (a diagram's positions dialog, a message box) are
// handled the same way.

#include "main/MainWindow.h"
#include "model/Model.h"
#include "model/SoundSink.h"

#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

class QAction;

namespace corvellan::test {

class SoakDriver {
  public:
    // `scratchFile`: the dimension file that save and open dialogs pick.
    SoakDriver(unsigned seed, const QString& scratchFile);
    ~SoakDriver();

    TMainForm& window() { return *window_; }
    Model& model() { return model_; }
    long long ticks() const { return ticks_; }

    // Runs the event loop until `ticks` more ticks have passed; with
    // `randomActions` off, only the ticks and the closing of windows run.
    void runTicks(long long ticks, bool randomActions);
    // Triggers one command and waits until every window it opened is closed
    // again; each window gets a few random actions first when `work` is set.
    // With `acceptFiles`, every file dialog takes the scratch file.
    void runCommand(const std::function<void()>& command, bool work, bool acceptFiles = false);
    // Class names of every window besides the main one that came up so far.
    const std::set<std::string>& windowsSeen() const { return seen_; }
    // The same since the last `forgetRecentWindows()`.
    const std::set<std::string>& recentWindows() const { return recent_; }
    void forgetRecentWindows() { recent_.clear(); }
    // Closes any modal window still up and stops the timers.
    void finish();

  private:
    int pick(int n);
    void mainAction();
    void modalPoll();
    void workModal(QPointer<QWidget> modal);
    void typeWildText(QWidget* modal);
    void clickSomething(QWidget* root, bool avoidClosing);
    static bool closeModal(QWidget* modal);
    void saw(const QWidget* window);
    // Visible windows beside the main one that are not modal.
    std::vector<QWidget*> otherWindows() const;

    Model model_;
    SilentSound sound_;
    std::unique_ptr<TMainForm> window_;
    std::mt19937 random_;
    QString scratchFile_;
    long long ticks_ = 0;
    bool randomActions_ = false;
    bool workModals_ = true;
    bool acceptFiles_ = false;
    bool busy_ = false; // a main-window action is running (maybe inside a modal)
    QTimer actor_;
    QTimer modalPoll_;
    std::set<std::string> seen_;
    std::set<std::string> recent_;
};

// The enabled commands of the menus, the menu bar and the tool bar, except
// leaving the program.
std::vector<QAction*> commandActions(TMainForm& window);

// Resident memory of this process in kB (VmRSS).
long residentKb();
// Heap blocks in use in kB, mapped ones included (mallinfo2: uordblks + hblkhd).
long heapInUseKb();

} // namespace corvellan::test
