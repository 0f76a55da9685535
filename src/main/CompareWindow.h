#pragma once
// "Compare": the current gear A and a second gear B side by side at the
// diagram positions (each moved to B's own mid gear) or over each gear's
// 21-setting sweep. A table gives, for every setting, A's and B's figures
// and B - A; a second table lists the dimensions whose values differ. Like
// "Valve Events" the window is not modal and follows A while it changes.
// Ctrl+C copies the selected cells as tab-separated text; "Save CSV..."
// writes both tables as CSV.

#include "model/GearComparison.h"
#include "model/Model.h"

#include <QWidget>

#include <vector>

class QLabel;
class QRadioButton;
class QTableWidget;
class QTimer;

namespace corvellan {

class TCompare : public QWidget {
    Q_OBJECT
  public:
    TCompare(Model& model, QWidget* parent);

    // The gear to compare with, kept by the caller; nullptr: none.
    void setGearB(const Model* gearB);

    QTableWidget* table() const { return table_; }
    QTableWidget* dimensionTable() const { return dimensions_; }
    const GearComparison& comparison() const { return comparison_; }

    // The diagram positions (false) or each gear's sweep (true).
    void showSweep(bool sweep);
    // Compares again when gear A has changed since the last time (the
    // window checks this several times a second while shown).
    void recomputeIfChanged();
    QString selectedText() const;
    void copySelection() const;
    // Asks for a file name, then saves.
    void saveCsvAs();
    // Writes both tables as CSV; on failure returns false with the reason.
    bool saveCsv(const QString& path, QString* error) const;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void recompute();

    Model& m_;
    const Model* gearB_ = nullptr;
    QLabel* gears_;
    QRadioButton* positionsChoice_;
    QRadioButton* sweepChoice_;
    QTableWidget* table_;
    QLabel* dimensionsCaption_;
    QTableWidget* dimensions_;
    QTimer* watch_;
    GearComparison comparison_;
    std::vector<Real> inputs_; // gear A's, when last compared
    bool sweep_ = false;
};

} // namespace corvellan
