#pragma once
// "Valve Events": the exact valve events of the diagram positions, or of the
// 21-setting sweep, as a table with one row per setting and end, and below it
// every port-edge crossing of the chosen setting in running order. The
// window is not modal and the animation runs on while it is open; it computes
// the events when it opens and again whenever a dimension, mid gear or a
// diagram position changes. Ctrl+C copies the selected cells as
// tab-separated text; "Save CSV..." writes the table as CSV.

#include "model/Model.h"
#include "model/ValveEvents.h"

#include <QWidget>

#include <vector>

class QRadioButton;
class QTableWidget;
class QTimer;

namespace corvellan {

class TValveEvents : public QWidget {
    Q_OBJECT
  public:
    TValveEvents(Model& model, QWidget* parent);

    QTableWidget* table() const { return table_; }
    QTableWidget* eventList() const { return eventList_; }
    const EventsReport& report() const { return report_; }

    // The diagram positions (false) or the 21-setting sweep (true).
    void showSweep(bool sweep);
    // Computes the events when what they depend on has changed since the
    // last time (the window checks this several times a second while shown).
    void recomputeIfChanged();
    // The selected cells as tab-separated rows, as Ctrl+C puts them on the
    // clipboard.
    QString selectedText() const;
    void copySelection() const;
    // Asks for a file name, then saves.
    void saveCsvAs();
    // Writes the table as CSV; on failure returns false with the reason.
    bool saveCsv(const QString& path, QString* error) const;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void recompute();
    void fillTable();
    void showEventsOf(int tableRow);

    Model& m_;
    QRadioButton* positionsChoice_;
    QRadioButton* sweepChoice_;
    QTableWidget* table_;
    QTableWidget* eventList_;
    QTimer* watch_;
    EventsReport report_;
    std::vector<Real> inputs_; // what the report was computed from
    bool sweep_ = false;
};

} // namespace corvellan
