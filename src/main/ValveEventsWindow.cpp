#include "main/ValveEventsWindow.h"

#include "main/ReportTable.h"
#include "analysis/ValveEventsText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <sstream>

namespace corvellan {

TValveEvents::TValveEvents(Model& model, QWidget* parent)
    : ReportWindow(model, {"TValveEvents", "Valve Events", "Save Valve Events", "SaveEventsDialog"},
                   parent) {
    resize(900, 520);
    table_ = makeReportTable("EventsTable", eventsTableHeader(), this);
    eventList_ = makeReportTable("EventList", eventListHeader(), this);
    auto* listCaption = new QLabel("Port edges opening and closing at the chosen setting, in "
                                   "running order from driver angle 0",
                                   this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls());
    layout->addWidget(table_, 3);
    layout->addWidget(listCaption);
    layout->addWidget(eventList_, 2);

    connect(table_, &QTableWidget::currentCellChanged, this,
            [this](int row) { showEventsOf(row); });
    setTables({table_, eventList_});
}

void TValveEvents::recompute() {
    const Model& m = model();
    report_ = computeEvents(m, sweep() ? sweepSettings(m) : diagramPositionSettings(m));
    fillTable();
}

void TValveEvents::fillTable() {
    const int current = std::max(0, table_->currentRow());
    fillReportRows(table_, eventsTableRows(report_, true));
    if (table_->rowCount() > 0)
        table_->setCurrentCell(std::min(current, table_->rowCount() - 1), 0);
    showEventsOf(table_->currentRow());
}

void TValveEvents::showEventsOf(int tableRow) {
    const size_t setting = static_cast<size_t>(tableRow / 2); // a row per end
    if (tableRow < 0 || setting >= report_.settings.size()) {
        eventList_->setRowCount(0);
        return;
    }
    fillReportRows(eventList_, eventListRows(report_.settings[setting]));
}

std::string TValveEvents::csvText() const {
    std::ostringstream csv;
    writeEventsCsv(report_, csv);
    return csv.str();
}

} // namespace corvellan
