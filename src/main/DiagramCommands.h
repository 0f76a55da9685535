#pragma once
// The main window's "Draw&Graphs" menu and its four tool buttons: they open
// the sine, oval, steam and port events diagram windows, modally. The windows
// and their positions dialog are created here once and reused; while one is
// shown the main window's animation stands still.

#include "diagramwindows/DiagramWindows.h"
#include "model/Model.h"

#include <QObject>

#include <functional>

class QMainWindow;

namespace corvellan {

class CommandBar;

class DiagramCommands : public QObject {
    Q_OBJECT
  public:
    // `animation` stops (false) and restarts (true) the main window's timer;
    // `dynVarsSwitched` makes the main window's dynamic-variable bars follow
    // the switch after a diagram window flipped it; `clock` gives the
    // captions' date and time.
    DiagramCommands(Model& model, QMainWindow* window, CommandBar& commands,
                    std::function<void(bool run)> animation, std::function<void()> dynVarsSwitched,
                    std::function<void(std::string& date, std::string& time)> clock);

    const DiagramWindows& windows() const { return windows_; }
    // The second gear that every diagram draws over its own, or nullptr.
    void setComparedGear(std::function<const Model*()> gear) { comparedGear_ = std::move(gear); }

    void openSine();
    void openOval();
    void openSteam();
    // "&PortOpenClose": the forward graph, then the window.
    void openPorts();

  private:
    void buildCommands(QMainWindow* window, CommandBar& commands);

    Model& m_;
    DiagramWindows windows_;
    std::function<const Model*()> comparedGear_;
};

} // namespace corvellan
