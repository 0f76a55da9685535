#include "main/Commands.h"

#include "main/Controls.h"

#include "main/MotionControls.h"
#include "main/PanZoomControls.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QFont>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace corvellan {

namespace {
constexpr int kToolBarHeight = 24;
constexpr QSize kToolButtonSize(30, 22);
} // namespace

CommandBar::CommandBar(Model& model, QMainWindow* window, QWidget* clientArea,
                       MotionControls& motion, PanZoomControls& panZoom, DialogOpeners open)
    : QObject(window), m_(model), window_(window), motion_(motion), panZoom_(panZoom) {
    buildMenus(window, open);
    buildToolBar(clientArea, open);
}

// Menus hold only the commands whose windows exist; the places of the others
// are kept by the order below.
void CommandBar::buildMenus(QMainWindow* window, const DialogOpeners& open) {
    QMenuBar* bar = window->menuBar();
    // The whole menu bar fits the 632-pixel window in the classic 8-point face
    // with narrow item margins; the platform's default face would push the
    // last menus behind an overflow button.
    bar->setFont(sansFont(11));
    bar->setStyleSheet("QMenuBar::item { padding: 2px 3px; }");

    QMenu* file = bar->addMenu("&File");
    file->setObjectName("File1");
    item(file, "Exit1", "E&xit", [this] { window_->close(); });

    QMenu* setUp = bar->addMenu("&SetUp");
    setUp->setObjectName("SetUp");
    item(setUp, "RevArmPos", "Set&RevArmPos", open.revArmPos);
    driverAngle_ = item(setUp, "DriverAng", "Set&DriverAng", open.driverAngle);
    item(setUp, "StepAng1", "Set&StepAng", open.stepAngle);
    setUp->addSeparator();
    largeFont_ = item(setUp, "LargeFont", "SetLarge&Font", [this] { toggleLargeFont(); });
    midGear_ = item(setUp, "FindRevArmCent", "&CalcCentRevArm", [this] { calcMidGear(); });
    steam_ = item(setUp, "SetSteam", "SetS&teamDisp On", [this] { toggleSteam(); });
    errorBeep_ = item(setUp, "SetBeepOnError", "Set&ErrorBeep Off", [this] { toggleErrorBeep(); });
    lineWidth_ = item(setUp, "SetLineWidth", "Set&LineWidth 2", [this] { toggleLineWidth(); });
    screenData_ =
        item(setUp, "SetScreenData", "SetScree&nData Off", [this] { toggleScreenData(); });
    panZoomItem_ = item(setUp, "SetPanZoom", "SetP&anZoom On", [this] { togglePanZoom(); });
    panZoomItem_->setEnabled(false);

    QMenu* edit = bar->addMenu("&EditDimen");
    edit->setObjectName("Edit1");
    item(edit, "SetGraphicZoom", "Set&GraphicZoom", open.graphicZoom);

    error_ = bar->addAction(glyph(Glyph::Error), QString());
    error_->setObjectName("Error");
    error_->setVisible(false);
}

void CommandBar::buildToolBar(QWidget* clientArea, const DialogOpeners& open) {
    // The tool bar lies inside the client area, over the top rows of the
    // picture, as the control positions assume.
    toolBar_ = new QToolBar(clientArea);
    toolBar_->setObjectName("ToolBar1");
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setGeometry(0, 0, clientArea->width(), kToolBarHeight);
    toolBar_->setAutoFillBackground(true);
    tool("ToolDriverAng", Glyph::DriverAngle, "Set Driver Angle to Desired Position",
         open.driverAngle);
    tool("ToolStepAng", Glyph::StepAngle, "Set Step Angle to Desired Amount", open.stepAngle);
    tool("ToolRevArmPos", Glyph::RevArmPos, "Set Reverse Arm to Desired Position", open.revArmPos);
    toolBar_->addSeparator();
    tool("ToolCalcCentRevArm", Glyph::MidGear, "Calculate Mid Gear Position if Necessary",
         [this] { calcMidGear(); });
    toolBar_->addSeparator();
    tool("ToolSetSteam", Glyph::Steam, "Turn On Steam Display and Sound",
         [this] { toggleSteam(); });
}

QAction* CommandBar::item(QMenu* menu, const char* name, const char* caption,
                          std::function<void()> run) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [run] {
        if (run) run();
    });
    return action;
}

void CommandBar::tool(const char* name, Glyph image, const char* hint, std::function<void()> run) {
    QAction* action = toolBar_->addAction(glyph(image), QString());
    action->setObjectName(name);
    action->setToolTip(hint);
    connect(action, &QAction::triggered, this, [run] {
        if (run) run();
    });
    if (QWidget* button = toolBar_->widgetForAction(action)) {
        button->setObjectName(name);
        button->setFixedSize(kToolButtonSize);
    }
}

void CommandBar::setErrorShown(bool shown) {
    if (error_->isVisible() != shown) error_->setVisible(shown);
}

void CommandBar::onScreenData(std::function<void(bool)> listener) {
    screenDataListeners_.push_back(std::move(listener));
}

void CommandBar::toggleLargeFont() {
    if (largeFont_->text() != "SetLarge&Font") {
        m_.display.setLargeText(false);
        largeFont_->setText("SetLarge&Font");
    } else {
        m_.display.setLargeText(true);
        largeFont_->setText("SetSmall&Font");
    }
}

void CommandBar::toggleLineWidth() {
    bool thin = m_.display.lineWidth == 1;
    m_.display.lineWidth = thin ? 2 : 1;
    lineWidth_->setText(thin ? "Set&LineWidth 1" : "Set&LineWidth 2");
}

void CommandBar::toggleErrorBeep() {
    bool on = m_.error.ErrorBeep;
    m_.error.ErrorBeep = !on;
    errorBeep_->setText(on ? "Set&ErrorBeep On" : "Set&ErrorBeep Off");
}

void CommandBar::toggleSteam() {
    bool on = m_.display.steamDisplay;
    m_.display.steamDisplay = !on;
    steam_->setText(on ? "SetS&teamDisp On" : "SetS&teamDisp Off");
}

void CommandBar::toggleScreenData() {
    setScreenData(!m_.display.screenData);
}

void CommandBar::togglePanZoom() {
    if (panZoomItem_->text() == "SetP&anZoom Off") {
        panZoomItem_->setText("SetP&anZoom On");
        panZoom_.setBarsShown(false);
    } else {
        panZoomItem_->setText("SetP&anZoom Off");
        panZoom_.setBarsShown(true);
    }
}

void CommandBar::calcMidGear() {
    midGearCalc(m_);
    motion_.centre();
}

void CommandBar::setScreenData(bool shown) {
    m_.display.screenData = shown;
    screenData_->setText(shown ? "SetScree&nData Off" : "SetScree&nData On");
    motion_.setShown(shown);
    panZoom_.setShown(shown);
    toolBar_->setVisible(shown);
    driverAngle_->setEnabled(shown);
    midGear_->setEnabled(shown);
    if (shown) {
        panZoomItem_->setEnabled(false);
        panZoomItem_->setText("Set&PanZoom On");
    } else {
        panZoomItem_->setEnabled(true);
        // The readouts of these modes belong to the screen data: they go with
        // it and stay off when it returns.
        m_.dyn.DynVarsShown = false;
        m_.dyn.UndoShown = false;
    }
    for (auto& listener : screenDataListeners_)
        listener(shown);
}

} // namespace corvellan
