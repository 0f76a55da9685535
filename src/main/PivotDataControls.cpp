#include "main/PivotDataControls.h"

#include "main/Controls.h"
#include "main/PanelTexts.h"
#include "main/RefPointControls.h"
#include "model/PivotPick.h"
#include "view/MechanismView.h"

#include <QPushButton>

namespace corvellan {

void drawPivotDataPanel(Model& m, Canvas& c) {
    if (!m.pivotData.mode) return;
    drawScaledTexts(m, c, pivotDataPanel(m));
    drawTextsAt(c, pivotSlotMarks(m));
}

PivotDataControls::PivotDataControls(Model& model, QWidget* clientArea, FrameState& frame,
                                     RefPointControls& refPoints, std::function<void()> openTable)
    : QObject(clientArea), m_(model), refPoints_(refPoints) {
    dataTable_ = makeButton(clientArea, "DataTableBut", "DataTable", {2, 214, 60, 15}, "");
    dataTable_->setFont(serifFont(11, true));
    dataTable_->hide();
    connect(dataTable_, &QPushButton::clicked, this, [openTable] {
        if (openTable) openTable();
    });
    // The button follows the mode, which reference points off also ends.
    connect(&refPoints_, &RefPointControls::synced, this, &PivotDataControls::follow);
    frame.panels.pivotData = drawPivotDataPanel;
    follow();
}

void PivotDataControls::toggleMode() {
    togglePivotDataMode(m_);
    refPoints_.sync();
}

void PivotDataControls::follow() {
    dataTable_->setVisible(m_.pivotData.mode);
}

} // namespace corvellan
