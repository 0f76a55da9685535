#pragma once
// "Valve Events": the exact valve events of the diagram positions, or of the
// 21-setting sweep, as a table with one row per setting and end, and below it
// every port-edge crossing of the chosen setting in running order. The
// window is not modal and the animation runs on while it is open; it computes
// the events when it opens and again whenever a dimension, mid gear or a
// diagram position changes. Ctrl+C copies the selected cells as
// tab-separated text; "Save CSV..." writes the table as CSV.

#include "main/ReportWindow.h"
#include "model/Model.h"
#include "analysis/ValveEvents.h"

class QTableWidget;

namespace corvellan {

class TValveEvents : public ReportWindow {
    Q_OBJECT
  public:
    TValveEvents(Model& model, QWidget* parent);

    QTableWidget* table() const { return table_; }
    QTableWidget* eventList() const { return eventList_; }
    const EventsReport& report() const { return report_; }

  protected:
    void recompute() override;
    std::string csvText() const override;

  private:
    void fillTable();
    void showEventsOf(int tableRow);

    QTableWidget* table_;
    QTableWidget* eventList_;
    EventsReport report_;
};

} // namespace corvellan
