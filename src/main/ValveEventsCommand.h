#pragma once
// "Valve Events" in the "Draw&Graphs" menu and its tool button after the
// diagram buttons: they show the valve-events window, which is created here
// once and reused. Unlike the diagrams it is not modal and the animation
// keeps running.

#include "model/Model.h"

#include <QObject>

class QMainWindow;

namespace corvellan {

class CommandBar;
class TValveEvents;

class ValveEventsCommand : public QObject {
    Q_OBJECT
  public:
    ValveEventsCommand(Model& model, QMainWindow* window, CommandBar& commands);

    TValveEvents* window() const { return window_; }
    void open();

  private:
    TValveEvents* window_;
};

} // namespace corvellan
