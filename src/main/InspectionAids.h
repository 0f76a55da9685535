#pragma once
// The main window's measuring tools, wired together: reference points, pivot
// selection and data with the pivot data table, the user's lines and circles
// with their dialog, and the mouse-down handler that serves them. Puts their
// commands into the menu bar, the "&SetUp" menu and the tool bar.

#include "model/Model.h"
#include "model/SoundSink.h"

#include <QObject>

#include <string>

class QMainWindow;
class QWidget;

namespace corvellan {

class CommandBar;
class MouseInput;
class PivotDataControls;
class RefPointControls;
class TDataTable;
class TDrawLines;
class TRefPnts;
struct FrameState;

class InspectionAids : public QObject {
    Q_OBJECT
  public:
    InspectionAids(Model& model, SoundSink& sound, FrameState& frame, QMainWindow* window,
                   QWidget* clientArea, CommandBar& commands);

    RefPointControls& refPoints() const { return *refPoints_; }
    PivotDataControls& pivotData() const { return *pivotData_; }
    TRefPnts* refPointsDialog() const { return refPnts_; }
    TDrawLines* drawLinesDialog() const { return drawLines_; }
    TDataTable* dataTable() const { return dataTable_; }
    MouseInput& mouse() const { return *mouse_; }

    // "LinesDataClick": the draw-lines dialog's rows from the overlay table,
    // the last step of every file open, also of a cancelled one. (Marking
    // the current item and emptying the row labels: drawLinesDialog().)
    void refillOverlayRows();
    // What a frame leaves for these windows: the data table's caption.
    void afterTick(const FrameState& frame);

  private:
    void installCommands(QMainWindow* window, CommandBar& commands);

    Model& m_;
    RefPointControls* refPoints_ = nullptr;
    PivotDataControls* pivotData_ = nullptr;
    TRefPnts* refPnts_ = nullptr;
    TDrawLines* drawLines_ = nullptr;
    TDataTable* dataTable_ = nullptr;
    MouseInput* mouse_ = nullptr;
};

} // namespace corvellan
