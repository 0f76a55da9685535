#pragma once
// "Compare": the current gear A and a second gear B side by side at the
// diagram positions (each moved to B's own mid gear) or over each gear's
// 21-setting sweep. A table gives, for every setting, A's and B's figures
// and B - A; a second table lists the dimensions whose values differ. Like
// "Valve Events" the window is not modal and follows A while it changes.
// Ctrl+C copies the selected cells as tab-separated text; "Save CSV..."
// writes both tables as CSV.

#include "main/ReportWindow.h"
#include "analysis/GearComparison.h"
#include "model/Model.h"

class QLabel;
class QTableWidget;

namespace corvellan {

class TCompare : public ReportWindow {
    Q_OBJECT
  public:
    TCompare(Model& model, QWidget* parent);

    // The gear to compare with, kept by the caller; nullptr: none (the
    // window closes).
    void setGearB(const Model* gearB);

    QTableWidget* table() const { return table_; }
    QTableWidget* dimensionTable() const { return dimensions_; }
    const GearComparison& comparison() const { return comparison_; }

  protected:
    void recompute() override;
    std::string csvText() const override;

  private:
    const Model* gearB_ = nullptr;
    QLabel* gears_;
    QTableWidget* table_;
    QLabel* dimensionsCaption_;
    QTableWidget* dimensions_;
    GearComparison comparison_;
};

} // namespace corvellan
