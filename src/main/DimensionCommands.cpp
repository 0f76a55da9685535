#include "main/DimensionCommands.h"

#include "dimensions/AboutBox.h"
#include "dimensions/CylDimDialog.h"
#include "dimensions/FrameDimDialog.h"
#include "dimensions/InstructionWindow.h"
#include "main/CommandPlacement.h"
#include "main/Commands.h"
#include "main/DynVarControls.h"
#include "main/EditGlyphs.h"
#include "main/MotionControls.h"
#include "main/PanZoomControls.h"
#include "model/DimensionEdit.h"
#include "model/DynVars.h"
#include "view/MechanismView.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QToolBar>

namespace corvellan {

namespace {

// Shows a window modally; the command does nothing else.
template <typename Window> void connectOpener(QAction* action, Window* window) {
    QObject::connect(action, &QAction::triggered, window, [window] { window->exec(); });
}

} // namespace

DimensionCommands::DimensionCommands(Model& model, QMainWindow* window, MainControls controls)
    : QObject(window), m_(model), c_(controls) {
    about_ = new TAboutBox(window);
    inst_ = new TInst(window);
    spInst_ = new TCvOSpInst(window);
    frameDi_ = new TFrameDi(m_, window);
    cylDimen_ = new TCylDimen(m_, window);
    connectDialog(frameDi_);
    connectDialog(cylDimen_);
    buildEditMenu(window);
    buildHelpMenu(window);
    buildToolButtons();
}

void DimensionCommands::connectDialog(DimensionDialog* dialog) {
    MotionControls& motion = c_.motion;
    connect(dialog, &DimensionDialog::revArmRangeChanged, this,
            [&motion] { motion.applyRevArmRange(); });
    connect(dialog, &DimensionDialog::revArmScrollToZero, this,
            [&motion] { motion.setRevArmScroll(0); });
}

void DimensionCommands::buildEditMenu(QMainWindow* window) {
    QMenu* edit = window->findChild<QMenu*>("Edit1");
    if (!edit) return;
    // The two dialogs and a separator head the menu; the reset ends it.
    QAction* first = edit->actions().value(0, nullptr);
    connectOpener(insertMenuItem(edit, "FrameDim", "&FrameDimensions", first), frameDi_);
    connectOpener(insertMenuItem(edit, "CylDim", "&CylinderDimensions", first), cylDimen_);
    insertMenuSeparator(edit, first);
    insertMenuSeparator(edit, nullptr);
    connect(insertMenuItem(edit, "ResetAll", "&ResetAllDimensions", nullptr), &QAction::triggered,
            this, &DimensionCommands::resetAllDimensions);
}

void DimensionCommands::buildHelpMenu(QMainWindow* window) {
    QMenu* help = insertMenuBarMenu(window->menuBar(), "Help1", "&Help", {"Error"});
    connectOpener(insertMenuItem(help, "Instructions", "&Instructions", nullptr), inst_);
    connectOpener(insertMenuItem(help, "SpecInstr", "Instructions&Special", nullptr), spInst_);
    insertMenuSeparator(help, nullptr);
    connectOpener(insertMenuItem(help, "About1", "&About", nullptr), about_);
}

void DimensionCommands::buildToolButtons() {
    // After the file buttons, before the entry dialogs' buttons.
    QToolBar* tools = c_.commands.toolBar();
    QAction* before =
        firstPresent(tools->actions(), {"ToolDriverAng", "ToolStepAng", "ToolRevArmPos"});
    connectOpener(insertToolButton(tools, "ToolFrameDim", editGlyph(EditGlyph::FrameDimensions),
                                   "Change Frame Dimensions", before),
                  frameDi_);
    connectOpener(insertToolButton(tools, "ToolCylDim", editGlyph(EditGlyph::CylinderDimensions),
                                   "Change Cylinder Dimensions", before),
                  cylDimen_);
    insertToolSeparator(tools, before);
}

void DimensionCommands::resetAllDimensions() {
    // The frame dialog's reset: nominal frame, the reverse-arm range, no
    // dynamic variables.
    resetFrameDimensions(m_);
    c_.motion.applyRevArmRange();
    // The cylinder dialog's reset.
    resetCylinderDimensions(m_);
    midGearCalc(m_);
    c_.motion.centre();
    c_.panZoom.norm();
    m_.DimSetName = "Nominal";
    m_.diagrams.VerticalScale = 1.5f;
    c_.dynVars.switchOff();
    ClearUndo(m_);
}

void DimensionCommands::applyWindowRequests(const WindowRequests& requests) {
    if (requests.closeDialogForCode > 0) {
        DimensionDialog* owner = requests.closeDialogForCode > 99
                                     ? static_cast<DimensionDialog*>(cylDimen_)
                                     : static_cast<DimensionDialog*>(frameDi_);
        // Closed without its close sequence: the user has not finished.
        if (owner->isVisible()) owner->done(QDialog::Rejected);
    }
    if (requests.reopenDialog != DimDialog::None) {
        QPointer<DimensionDialog> again = requests.reopenDialog == DimDialog::Cylinder
                                              ? static_cast<DimensionDialog*>(cylDimen_)
                                              : static_cast<DimensionDialog*>(frameDi_);
        // Shown from the event loop, not from inside the tick that asked.
        QTimer::singleShot(0, this, [again] {
            if (again && !again->isVisible()) again->exec();
        });
    }
}

} // namespace corvellan
