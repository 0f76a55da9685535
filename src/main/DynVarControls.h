#pragma once
// The main window's dynamic variables and undo: the four bars SBDynVar1..4
// with the thin panels that frame them, the "UnDo" button, the menu-bar items
// "D&ynamicVari" and "&UnDo" and their tool buttons. The panel of values and
// the undo line are drawn by the mechanism view; this part shows and hides
// the controls and follows what the view reports after each tick.

#include "model/Model.h"

#include <QObject>

#include <array>

class QAction;
class QFrame;
class QMainWindow;
class QPushButton;
class QWidget;

namespace corvellan {

class CommandBar;
class DynVarBar;
struct WindowRequests;

class DynVarControls : public QObject {
    Q_OBJECT
  public:
    // `focusAway` takes the keyboard focus when a bar's scroll action ends
    // (the reverse-arm bar).
    DynVarControls(Model& model, QMainWindow* window, QWidget* clientArea, CommandBar& commands,
                   QWidget* focusAway);

    DynVarBar* bar(int k) const { return bars_.at(k - 1); }
    QPushButton* undoButton() const { return undo_; }

    // "D&ynamicVari" and its tool button: the switch flips, the bars and
    // their panels follow it.
    void toggleDynamicVariables();
    // "&UnDo" and its tool button: the switch flips; the view shows the undo
    // line and asks for the button from the next tick on.
    void toggleUndo();
    // Both switches off and the bars and panels hidden ("&ResetAllDimensions").
    void switchOff();
    // The bars and panels follow the switch as it stands (a diagram window
    // has flipped it).
    void followSwitch();
    // The requests of the latest frame: the undo button's place and
    // visibility, which bars have a dimension.
    void applyWindowRequests(const WindowRequests& requests);

  private:
    void buildCommands(QMainWindow* window, CommandBar& commands);
    void setBarsShown(bool shown);
    void screenDataChanged(bool shown);
    void undoClicked();
    void followUndoStore();

    Model& m_;
    std::array<DynVarBar*, 4> bars_{};
    QFrame* panel7_;
    QFrame* panel8_;
    QFrame* panel9_;
    QPushButton* undo_;
    QAction* dynItem_ = nullptr;
    QAction* undoItem_ = nullptr;
};

} // namespace corvellan
