#pragma once
// TMainForm, the main window: the animated mechanism picture with the control
// strip on top, the menu bar and the tool bar. It owns the timer whose every
// tick solves, draws and shows one frame. The window keeps no model values of
// its own: the controls write the model, the tick reads it.

#include "model/Model.h"
#include "model/SoundSink.h"

#include <QMainWindow>

#include <memory>

class QScreen;
class QTimer;

namespace corvellan {

class ClientArea;
class CommandBar;
class MotionControls;
class PanZoomControls;
class QPainterCanvas;
class TDrivAng;
class TGraphZoom;
class InspectionAids;
class DimensionCommands;
class DiagramCommands;
class ValveEventsCommand;
class CompareCommands;
class BalanceCommand;
class SteamCommands;
class StudyCommands;
class DynVarControls;
class FileCommands;
class TRevPos;
class TStpAng;
struct FrameState;

// Client area of the window at start-up, and of the off-screen picture.
constexpr int kClientWidth = 632;
constexpr int kClientHeight = 380;
constexpr int kPictureWidth = 1280;
constexpr int kPictureHeight = 1024;

// Milliseconds between ticks: one frame per refresh of the screen (60 Hz
// where the screen does not say). Drawing faster than the screen shows would
// only spin the wheel into a blur and the exhaust beats into a buzz.
int refreshIntervalMs(const QScreen* screen);

class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    // Initialises the model, builds the window and its dialogs, and starts
    // the timer.
    TMainForm(Model& model, SoundSink& sound, QWidget* parent = nullptr);
    ~TMainForm() override;

    // One tick of the animation (the timer's handler).
    void tick();

    QTimer* timer() const { return timer_; }
    // The latest frame, 1280 x 1024.
    const QImage& picture() const;
    MotionControls& motion() const { return *motion_; }
    PanZoomControls& panZoom() const { return *panZoom_; }
    CommandBar& commands() const { return *commands_; }
    FrameState& frame() const { return *frame_; }
    TDrivAng* driverAngleDialog() const { return drivAng_; }
    TRevPos* revArmDialog() const { return revPos_; }
    TStpAng* stepAngleDialog() const { return stpAng_; }
    TGraphZoom* graphicZoomDialog() const { return graphZoom_; }
    // Reference points, pivot data, the data table and the draw-lines dialog.
    InspectionAids& inspection() const { return *inspection_; }
    // Dimension files; dynamic variables and undo; the dimension dialogs,
    // the reset of all dimensions and the help windows.
    FileCommands& files() const { return *files_; }
    DynVarControls& dynVars() const { return *dynVars_; }
    // "Draw&Graphs": the diagram windows.
    DiagramCommands& diagrams() const { return *diagrams_; }
    DimensionCommands& dimensions() const { return *dimensions_; }
    // "Valve Events": the events window, which leaves the animation running.
    ValveEventsCommand& valveEvents() const { return *valveEvents_; }
    // "Compare With…": a second gear beside this one.
    CompareCommands& compare() const { return *compare_; }
    // "Balance…": the balance dialog.
    BalanceCommand& balance() const { return *balance_; }
    // "Sensitivity…", "Tolerances…", "Sweep…": the design-space windows.
    StudyCommands& studies() const { return *studies_; }
    // The operating conditions and the windows of the steam in the cylinder.
    SteamCommands& steam() const { return *steam_; }

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    bool confirmLeaving();
    void applyWindowRequests();
    void placeOnScreen();

    Model& m_;
    SoundSink& sound_;
    std::unique_ptr<QPainterCanvas> canvas_;
    std::unique_ptr<FrameState> frame_;
    ClientArea* client_ = nullptr;
    MotionControls* motion_ = nullptr;
    PanZoomControls* panZoom_ = nullptr;
    CommandBar* commands_ = nullptr;
    TDrivAng* drivAng_ = nullptr;
    TRevPos* revPos_ = nullptr;
    TStpAng* stpAng_ = nullptr;
    TGraphZoom* graphZoom_ = nullptr;
    InspectionAids* inspection_ = nullptr;
    FileCommands* files_ = nullptr;
    DynVarControls* dynVars_ = nullptr;
    DiagramCommands* diagrams_ = nullptr;
    DimensionCommands* dimensions_ = nullptr;
    ValveEventsCommand* valveEvents_ = nullptr;
    CompareCommands* compare_ = nullptr;
    BalanceCommand* balance_ = nullptr;
    StudyCommands* studies_ = nullptr;
    SteamCommands* steam_ = nullptr;
    QTimer* timer_ = nullptr;
};

} // namespace corvellan
