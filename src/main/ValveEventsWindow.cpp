#include "main/ValveEventsWindow.h"

#include "main/ReportTable.h"
#include "model/ValveEventsText.h"

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

#include <algorithm>
#include <sstream>

namespace corvellan {

namespace {

// How often an open window looks whether the gear has changed.
constexpr int kWatchIntervalMs = 250;

} // namespace

TValveEvents::TValveEvents(Model& model, QWidget* parent) : QWidget(parent, Qt::Window), m_(model) {
    setObjectName("TValveEvents");
    setWindowTitle("Valve Events");
    resize(900, 520);

    positionsChoice_ = new QRadioButton("Diagram positions", this);
    positionsChoice_->setObjectName("PositionsChoice");
    positionsChoice_->setChecked(true);
    sweepChoice_ = new QRadioButton("Sweep: mid gear to full gear, 21 settings", this);
    sweepChoice_->setObjectName("SweepChoice");
    auto* save = new QPushButton("Save CSV...", this);
    save->setObjectName("SaveCsv");
    auto* close = new QPushButton("Close", this);
    close->setObjectName("Close");

    table_ = makeReportTable("EventsTable", eventsTableHeader(), this);
    eventList_ = makeReportTable("EventList", eventListHeader(), this);
    auto* listCaption = new QLabel("Port edges opening and closing at the chosen setting, in "
                                   "running order from driver angle 0",
                                   this);

    auto* controls = new QHBoxLayout;
    controls->addWidget(positionsChoice_);
    controls->addWidget(sweepChoice_);
    controls->addStretch();
    controls->addWidget(save);
    controls->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(table_, 3);
    layout->addWidget(listCaption);
    layout->addWidget(eventList_, 2);

    connect(sweepChoice_, &QRadioButton::toggled, this, [this](bool on) {
        sweep_ = on;
        recompute();
    });
    connect(save, &QPushButton::clicked, this, &TValveEvents::saveCsvAs);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(table_, &QTableWidget::currentCellChanged, this,
            [this](int row) { showEventsOf(row); });
    for (QTableWidget* t : {table_, eventList_}) {
        auto* copy = new QShortcut(QKeySequence::Copy, t);
        copy->setContext(Qt::WidgetShortcut);
        connect(copy, &QShortcut::activated, this, &TValveEvents::copySelection);
    }

    watch_ = new QTimer(this);
    watch_->setObjectName("ChangeWatch");
    watch_->setInterval(kWatchIntervalMs);
    connect(watch_, &QTimer::timeout, this, &TValveEvents::recomputeIfChanged);
}

void TValveEvents::showSweep(bool sweep) {
    (sweep ? sweepChoice_ : positionsChoice_)->setChecked(true);
}

void TValveEvents::recomputeIfChanged() {
    if (!sameBits(eventsInputs(m_), inputs_)) recompute();
}

void TValveEvents::recompute() {
    inputs_ = eventsInputs(m_);
    report_ = computeEvents(m_, sweep_ ? sweepSettings(m_) : diagramPositionSettings(m_));
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

QString TValveEvents::selectedText() const {
    return selectedReportText(eventList_->hasFocus() ? eventList_ : table_);
}

void TValveEvents::copySelection() const {
    const QString text = selectedText();
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void TValveEvents::saveCsvAs() {
    std::ostringstream csv;
    writeEventsCsv(report_, csv);
    saveReportCsvAs(this, QStringLiteral("Save Valve Events"), "SaveEventsDialog", csv.str());
}

bool TValveEvents::saveCsv(const QString& path, QString* error) const {
    std::ostringstream csv;
    writeEventsCsv(report_, csv);
    return saveReportText(path, csv.str(), error);
}

void TValveEvents::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    recompute();
    watch_->start();
}

void TValveEvents::hideEvent(QHideEvent* event) {
    watch_->stop();
    QWidget::hideEvent(event);
}

} // namespace corvellan
