#pragma once
// "Valve Events": the exact valve events of the diagram positions, or of the
// 21-setting sweep, laid out for an engineer. The upper table has a row per
// setting, named as the trade names it beside its reverse-arm figure (the
// row headers, which stay in view), and the figures compared side by side:
// cut-off, lead (length and crank degrees before dead centre), release and
// compression of the front and rear ends, and the valve travel. Below it,
// one click apart: the port-edge crossings of the chosen setting in running
// order, the full detail (a row per setting and end with every figure), and
// the chart of cut-off against the reverse-arm setting, with gear B dashed
// over it while comparing. The window is not modal and the animation runs on
// while it is open; it computes the events when it opens and again whenever
// a dimension, mid gear or a diagram position changes. Ctrl+C copies the
// selected cells as tab-separated text; "Save CSV..." writes the full
// detail as CSV.

#include "analysis/ValveEvents.h"
#include "main/ReportWindow.h"
#include "model/Model.h"

#include <functional>

class QLabel;
class QTabWidget;
class QTableWidget;

namespace corvellan {

class CutOffChartView;

class TValveEvents : public ReportWindow {
    Q_OBJECT
  public:
    TValveEvents(Model& model, QWidget* parent);

    // The engineer's table: a row per setting.
    QTableWidget* table() const { return table_; }
    // A row per setting and end, every figure.
    QTableWidget* detailTable() const { return detail_; }
    QTableWidget* eventList() const { return eventList_; }
    QLabel* eventListCaption() const { return listCaption_; }
    // The red line above the table naming a geometry error; hidden without one.
    QLabel* geometryNote() const { return geometryNote_; }
    QTabWidget* tabs() const { return tabs_; }
    const EventsReport& report() const { return report_; }
    // Gear B while comparing (nullptr: none), asked for whenever the chart
    // is drawn.
    void setComparedGear(std::function<const Model*()> gearB);
    // The chart as last drawn (empty before the chart tab was shown).
    QImage chartImage() const;

  protected:
    void recompute() override;
    void watchTick() override;
    std::string csvText() const override;

  private:
    void fillTables();
    void showEventsOf(int setting);
    void updateChart(bool force);

    QTableWidget* table_;
    QTableWidget* detail_;
    QTableWidget* eventList_;
    QLabel* listCaption_;
    QLabel* geometryNote_;
    QTabWidget* tabs_;
    CutOffChartView* chart_;
    EventsReport report_;
    std::function<const Model*()> gearB_;
    // What the chart was drawn from: A's inputs, B and B's inputs.
    std::vector<Real> chartA_, chartB_;
    const Model* chartGearB_ = nullptr;
    bool chartDrawn_ = false;
};

} // namespace corvellan
