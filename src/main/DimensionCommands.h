#pragma once
// The commands that edit the gear as a whole or open its windows: the frame
// and cylinder dimension dialogs ("&EditDimen" menu and tool bar),
// "&ResetAllDimensions", and the "&Help" menu's instruction windows and about
// box. It creates those windows once, at start-up, and keeps the dimension
// dialogs in step with the main window: their reverse-arm requests, and the
// dimension close-up, for which the main view closes a dialog and later asks
// for it again.

#include "model/Model.h"

#include <QObject>

class QMainWindow;

namespace corvellan {

class CommandBar;
class DimensionDialog;
class DynVarControls;
class MotionControls;
class PanZoomControls;
class TAboutBox;
class TCvOSpInst;
class TCylDimen;
class TFrameDi;
class TInst;
struct WindowRequests;

struct MainControls {
    CommandBar& commands;
    MotionControls& motion;
    PanZoomControls& panZoom;
    DynVarControls& dynVars;
};

class DimensionCommands : public QObject {
    Q_OBJECT
  public:
    // Creates the about box, the two instruction windows and the two
    // dimension dialogs, in the order the program has always created them.
    DimensionCommands(Model& model, QMainWindow* window, MainControls controls);

    TFrameDi* frameDialog() const { return frameDi_; }
    TCylDimen* cylinderDialog() const { return cylDimen_; }
    TInst* instructions() const { return inst_; }
    TCvOSpInst* specialInstructions() const { return spInst_; }
    TAboutBox* aboutBox() const { return about_; }

    // "&ResetAllDimensions".
    void resetAllDimensions();
    // The close-up requests of the latest frame: close the dialog that owns
    // the dimension shown, and show it again when the close-up is over.
    void applyWindowRequests(const WindowRequests& requests);

  private:
    void connectDialog(DimensionDialog* dialog);
    void buildEditMenu(QMainWindow* window);
    void buildHelpMenu(QMainWindow* window);
    void buildToolButtons();

    Model& m_;
    MainControls c_;
    TAboutBox* about_;
    TInst* inst_;
    TCvOSpInst* spInst_;
    TFrameDi* frameDi_;
    TCylDimen* cylDimen_;
};

} // namespace corvellan
