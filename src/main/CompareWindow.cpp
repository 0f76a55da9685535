#include "main/CompareWindow.h"

#include "main/ReportTable.h"
#include "analysis/GearComparisonText.h"
#include "analysis/ValveEventsText.h"

#include <QHeaderView>

#include <QHBoxLayout>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <sstream>

namespace corvellan {

TCompare::TCompare(Model& model, QWidget* parent)
    : ReportWindow(model, {"TCompare", "Compare", "Save Comparison", "SaveCompareDialog"}, parent) {
    resize(900, 640);
    gears_ = new QLabel(this);
    gears_->setObjectName("Gears");
    const std::vector<std::string> header = engineerComparisonHeader();
    // The setting is the row header, in view however far the figures scroll.
    table_ = makeReportTable("ComparisonTable", {header.begin() + 1, header.end()}, this);
    table_->verticalHeader()->setVisible(true);
    auto* note = new QLabel(QString::fromUtf8(kEventsUnitsNote), this);
    note->setObjectName("UnitsNote");
    note->setWordWrap(true);
    dimensionsCaption_ = new QLabel(this);
    dimensionsCaption_->setObjectName("DimensionsCaption");
    dimensions_ = makeReportTable("DimensionTable", dimensionTableHeader(), this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gears_);
    layout->addLayout(controls());
    layout->addWidget(note);
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
    const auto rows = engineerComparisonRows(comparison_);
    std::vector<std::vector<std::string>> figures;
    QStringList settings;
    for (const auto& row : rows) {
        settings << QString::fromStdString(row[0]);
        figures.emplace_back(row.begin() + 1, row.end());
    }
    fillReportRows(table_, figures);
    table_->setVerticalHeaderLabels(settings);
    // Named as the dimension dialogs name them; the code name is the tool tip.
    const auto dims = readableDimensionRows(comparison_);
    std::vector<std::vector<std::string>> shown;
    for (const auto& d : dims)
        shown.push_back({d[0], d[1], d[2]});
    fillReportRows(dimensions_, shown);
    for (int r = 0; r < dimensions_->rowCount(); ++r)
        dimensions_->item(r, 0)->setToolTip(
            QString::fromStdString(dims[static_cast<size_t>(r)][3]));
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
