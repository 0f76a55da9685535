#include "main/CompareWindow.h"

#include "main/ReportTable.h"
#include "model/GearComparisonText.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <sstream>

namespace corvellan {

namespace {

// How often an open window looks whether gear A has changed.
constexpr int kWatchIntervalMs = 250;

} // namespace

TCompare::TCompare(Model& model, QWidget* parent) : QWidget(parent, Qt::Window), m_(model) {
    setObjectName("TCompare");
    setWindowTitle("Compare");
    resize(640, 620);

    gears_ = new QLabel(this);
    gears_->setObjectName("Gears");
    positionsChoice_ = new QRadioButton("Diagram positions", this);
    positionsChoice_->setObjectName("PositionsChoice");
    positionsChoice_->setChecked(true);
    sweepChoice_ = new QRadioButton("Sweep: mid gear to full gear, 21 settings", this);
    sweepChoice_->setObjectName("SweepChoice");
    auto* save = new QPushButton("Save CSV...", this);
    save->setObjectName("SaveCsv");
    auto* close = new QPushButton("Close", this);
    close->setObjectName("Close");
    table_ = makeReportTable("ComparisonTable", comparisonTableHeader(), this);
    dimensionsCaption_ = new QLabel(this);
    dimensionsCaption_->setObjectName("DimensionsCaption");
    dimensions_ = makeReportTable("DimensionTable", dimensionTableHeader(), this);

    auto* controls = new QHBoxLayout;
    controls->addWidget(positionsChoice_);
    controls->addWidget(sweepChoice_);
    controls->addStretch();
    controls->addWidget(save);
    controls->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gears_);
    layout->addLayout(controls);
    layout->addWidget(table_, 4);
    layout->addWidget(dimensionsCaption_);
    layout->addWidget(dimensions_, 1);

    connect(sweepChoice_, &QRadioButton::toggled, this, [this](bool on) {
        sweep_ = on;
        recompute();
    });
    connect(save, &QPushButton::clicked, this, &TCompare::saveCsvAs);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    for (QTableWidget* t : {table_, dimensions_}) {
        auto* copy = new QShortcut(QKeySequence::Copy, t);
        copy->setContext(Qt::WidgetShortcut);
        connect(copy, &QShortcut::activated, this, &TCompare::copySelection);
    }

    watch_ = new QTimer(this);
    watch_->setObjectName("ChangeWatch");
    watch_->setInterval(kWatchIntervalMs);
    connect(watch_, &QTimer::timeout, this, &TCompare::recomputeIfChanged);
}

void TCompare::setGearB(const Model* gearB) {
    gearB_ = gearB;
    if (!gearB_)
        close();
    else if (isVisible())
        recompute();
}

void TCompare::showSweep(bool sweep) {
    (sweep ? sweepChoice_ : positionsChoice_)->setChecked(true);
}

void TCompare::recomputeIfChanged() {
    if (!sameBits(eventsInputs(m_), inputs_)) recompute();
}

void TCompare::recompute() {
    inputs_ = eventsInputs(m_);
    if (!gearB_) {
        comparison_ = GearComparison{};
    } else {
        comparison_ = sweep_ ? compareSweeps(m_, *gearB_)
                             : compareGears(m_, *gearB_, diagramPositionSettings(m_));
    }
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

QString TCompare::selectedText() const {
    return selectedReportText(dimensions_->hasFocus() ? dimensions_ : table_);
}

void TCompare::copySelection() const {
    const QString text = selectedText();
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void TCompare::saveCsvAs() {
    std::ostringstream csv;
    writeComparisonCsv(comparison_, csv);
    saveReportCsvAs(this, QStringLiteral("Save Comparison"), "SaveCompareDialog", csv.str());
}

bool TCompare::saveCsv(const QString& path, QString* error) const {
    std::ostringstream csv;
    writeComparisonCsv(comparison_, csv);
    return saveReportText(path, csv.str(), error);
}

void TCompare::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    recompute();
    watch_->start();
}

void TCompare::hideEvent(QHideEvent* event) {
    watch_->stop();
    QWidget::hideEvent(event);
}

} // namespace corvellan
