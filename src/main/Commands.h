#pragma once
// The main window's command surface: the menu bar and the tool bar, the
// display-setting toggles (each menu caption names what its next click
// does), mid gear, exit, and what switching the screen data off hides.

#include "main/ToolGlyphs.h"
#include "model/Model.h"

#include <QObject>

#include <functional>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QWidget;

namespace corvellan {

class MotionControls;
class PanZoomControls;

// The windows that commands open; each is shown modally.
struct DialogOpeners {
    std::function<void()> revArmPos;
    std::function<void()> driverAngle;
    std::function<void()> stepAngle;
    std::function<void()> graphicZoom;
};

class CommandBar : public QObject {
    Q_OBJECT
  public:
    CommandBar(Model& model, QMainWindow* window, QWidget* clientArea, MotionControls& motion,
               PanZoomControls& panZoom, DialogOpeners open);

    QToolBar* toolBar() const { return toolBar_; }
    // The "Error" item of the menu bar (a picture without a caption).
    void setErrorShown(bool shown);

    // Called with the new state whenever the screen data are switched on or
    // off, for the controls of other modes to follow.
    void onScreenData(std::function<void(bool shown)> listener);

    void toggleLargeFont();
    void toggleLineWidth();
    void toggleErrorBeep();
    void toggleSteam();
    void toggleScreenData();
    void togglePanZoom();
    void calcMidGear();

  private:
    QAction* item(QMenu* menu, const char* name, const char* caption, std::function<void()> run);
    void tool(const char* name, Glyph image, const char* hint, std::function<void()> run);
    void buildMenus(QMainWindow* window, const DialogOpeners& open);
    void buildToolBar(QWidget* clientArea, const DialogOpeners& open);
    void setScreenData(bool shown);

    Model& m_;
    QMainWindow* window_;
    MotionControls& motion_;
    PanZoomControls& panZoom_;
    QToolBar* toolBar_ = nullptr;
    QAction* error_ = nullptr;
    QAction* largeFont_ = nullptr;
    QAction* lineWidth_ = nullptr;
    QAction* errorBeep_ = nullptr;
    QAction* steam_ = nullptr;
    QAction* screenData_ = nullptr;
    QAction* panZoomItem_ = nullptr;
    QAction* driverAngle_ = nullptr;
    QAction* midGear_ = nullptr;
    std::vector<std::function<void(bool)>> screenDataListeners_;
};

} // namespace corvellan
