#include "main/CompareWindow.h"

#include "main/ReportTable.h"
#include "analysis/GearComparisonText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <sstream>

namespace corvellan {

TCompare::TCompare(Model& model, QWidget* parent)
    : ReportWindow(model, {"TCompare", "Compare", "Save Comparison", "SaveCompareDialog"}, parent) {
    resize(640, 620);
    gears_ = new QLabel(this);
    gears_->setObjectName("Gears");
    table_ = makeReportTable("ComparisonTable", comparisonTableHeader(), this);
    dimensionsCaption_ = new QLabel(this);
    dimensionsCaption_->setObjectName("DimensionsCaption");
    dimensions_ = makeReportTable("DimensionTable", dimensionTableHeader(), this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gears_);
    layout->addLayout(controls());
    layout->addWidget(table_, 4);
    layout->addWidget(dimensionsCaption_);
    layout->addWidget(dimensions_, 1);
    setTables({table_, dimensions_});
}

void TCompare::setGearB(const Model* gearB) {
    gearB_ = gearB;
    if (!gearB_)
        close();
    else if (isVisible())
        refresh();
}

void TCompare::recompute() {
    const Model& a = model();
    if (!gearB_)
        comparison_ = GearComparison{};
    else if (sweep())
        comparison_ = compareSweeps(a, *gearB_);
    else
        comparison_ = compareGears(a, *gearB_, diagramPositionSettings(a));
    gears_->setText(QStringLiteral("A: %1     B: %2")
                        .arg(QString::fromStdString(comparison_.nameA),
                             QString::fromStdString(comparison_.nameB)));
    fillReportRows(table_, comparisonTableRows(comparison_, true));
    fillReportRows(dimensions_, dimensionTableRows(comparison_, true));
    const size_t differing = comparison_.dimensions.size();
    dimensionsCaption_->setText(differing == 0
                                    ? QStringLiteral("Dimensions whose values differ: none")
                                    : QStringLiteral("Dimensions whose values differ (%1)")
                                          .arg(static_cast<qulonglong>(differing)));
}

std::string TCompare::csvText() const {
    std::ostringstream csv;
    writeComparisonCsv(comparison_, csv);
    return csv.str();
}

} // namespace corvellan
