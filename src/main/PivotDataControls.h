#pragma once
// Pivot data on the main window: the mode (menu "Pi&votData" and its tool bar
// button), the "DataTable" button that opens the table window, and the panel
// of the six slots with their marks on the mechanism, drawn into every frame
// while the mode is on. Picking and arming slots belong to the mouse-down
// handler (MouseInput).

#include "model/Model.h"

#include <QObject>

#include <functional>

class QPushButton;
class QWidget;

namespace corvellan {

class Canvas;
class RefPointControls;
struct FrameState;

// The slot panel and the slot numbers beside the bound pivots.
void drawPivotDataPanel(Model& m, Canvas& c);

class PivotDataControls : public QObject {
    Q_OBJECT
  public:
    // `openTable` shows the pivot data table window.
    PivotDataControls(Model& model, QWidget* clientArea, FrameState& frame,
                      RefPointControls& refPoints, std::function<void()> openTable);

    void toggleMode();

  private:
    void follow();

    Model& m_;
    RefPointControls& refPoints_;
    QPushButton* dataTable_;
};

} // namespace corvellan
