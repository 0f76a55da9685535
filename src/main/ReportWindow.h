#pragma once
// The frame of the report windows ("Valve Events", "Compare"): not modal, so
// the animation runs on while one is open; along the top a choice of the
// diagram positions or the 21-setting sweep, "Save CSV..." and "Close"; the
// report is computed when the window opens and again whenever the gear
// changes (the window looks several times a second while shown). Ctrl+C in
// one of its tables copies the selected cells as tab-separated text.

#include "model/Model.h"

#include <QWidget>

#include <initializer_list>
#include <string>
#include <vector>

class QHBoxLayout;
class QRadioButton;
class QTableWidget;
class QTimer;

namespace corvellan {

class ReportWindow : public QWidget {
    Q_OBJECT
  public:
    // The diagram positions (false) or the sweep (true).
    void showSweep(bool sweep);
    // Computes the report again when the gear has changed since the last
    // time.
    void recomputeIfChanged();
    // The selected cells of the table that has the focus (else the first
    // table), row by row, tab-separated, as Ctrl+C puts them on the clipboard.
    QString selectedText() const;
    void copySelection() const;
    // Asks for a file name, then saves.
    void saveCsvAs();
    // Writes the report as CSV; on failure returns false with the reason.
    bool saveCsv(const QString& path, QString* error) const;

  protected:
    struct Names {
        const char* object;     // "TValveEvents"
        const char* title;      // "Valve Events"
        const char* saveTitle;  // "Save Valve Events"
        const char* saveDialog; // "SaveEventsDialog"
    };
    ReportWindow(Model& model, const Names& names, QWidget* parent);

    // The row of the settings choice, "Save CSV..." and "Close", for the
    // window's own layout to take.
    QHBoxLayout* controls() const { return controls_; }
    // The tables that Ctrl+C copies from, the main one first.
    void setTables(std::initializer_list<QTableWidget*> tables);
    bool sweep() const { return sweep_; }
    Model& model() const { return m_; }

    // Computes the report and shows it.
    virtual void recompute() = 0;
    virtual std::string csvText() const = 0;
    // Called each time the window looks for changes, after the report has
    // been brought up to date: for what a window shows beyond the report.
    virtual void watchTick() {}
    // Computes again now.
    void refresh();

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    Model& m_;
    Names names_;
    QRadioButton* positionsChoice_;
    QRadioButton* sweepChoice_;
    QHBoxLayout* controls_;
    QTimer* watch_;
    std::vector<QTableWidget*> tables_;
    std::vector<Real> inputs_; // what the report was computed from
    bool sweep_ = false;
};

} // namespace corvellan
