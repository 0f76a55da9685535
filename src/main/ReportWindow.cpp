#include "main/ReportWindow.h"

#include "main/Controls.h"
#include "main/ReportTable.h"
#include "analysis/ValveEvents.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>

#include <cstring>

namespace corvellan {

namespace {

// How often an open window looks whether the gear has changed.
constexpr int kWatchIntervalMs = 250;

// Bit for bit, so that a NaN is no change.
bool sameBits(const std::vector<Real>& a, const std::vector<Real>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(Real)) == 0;
}

} // namespace

ReportWindow::ReportWindow(Model& model, const Names& names, QWidget* parent)
    : QWidget(parent, Qt::Window), m_(model), names_(names) {
    setObjectName(names.object);
    setWindowTitle(names.title);
    setFont(sansFont(12));

    positionsChoice_ = new QRadioButton("Diagram positions", this);
    positionsChoice_->setObjectName("PositionsChoice");
    positionsChoice_->setChecked(true);
    sweepChoice_ = new QRadioButton("Sweep: mid gear to full gear, 21 settings", this);
    sweepChoice_->setObjectName("SweepChoice");
    auto* save = new QPushButton("Save CSV...", this);
    save->setObjectName("SaveCsv");
    auto* close = new QPushButton("Close", this);
    close->setObjectName("Close");
    controls_ = new QHBoxLayout;
    controls_->addWidget(positionsChoice_);
    controls_->addWidget(sweepChoice_);
    controls_->addStretch();
    controls_->addWidget(save);
    controls_->addWidget(close);

    connect(sweepChoice_, &QRadioButton::toggled, this, [this](bool on) {
        sweep_ = on;
        refresh();
    });
    connect(save, &QPushButton::clicked, this, &ReportWindow::saveCsvAs);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    watch_ = new QTimer(this);
    watch_->setObjectName("ChangeWatch");
    watch_->setInterval(kWatchIntervalMs);
    connect(watch_, &QTimer::timeout, this, &ReportWindow::recomputeIfChanged);
}

void ReportWindow::setTables(std::initializer_list<QTableWidget*> tables) {
    tables_.assign(tables.begin(), tables.end());
    for (QTableWidget* t : tables_) {
        auto* copy = new QShortcut(QKeySequence::Copy, t);
        copy->setContext(Qt::WidgetShortcut);
        connect(copy, &QShortcut::activated, this, &ReportWindow::copySelection);
    }
}

void ReportWindow::showSweep(bool sweep) {
    (sweep ? sweepChoice_ : positionsChoice_)->setChecked(true);
}

void ReportWindow::recomputeIfChanged() {
    if (!sameBits(eventsInputs(m_), inputs_)) refresh();
    watchTick();
}

void ReportWindow::refresh() {
    inputs_ = eventsInputs(m_);
    recompute();
}

QString ReportWindow::selectedText() const {
    if (tables_.empty()) return {};
    const QTableWidget* table = tables_.front();
    for (const QTableWidget* t : tables_)
        if (t->hasFocus()) table = t;
    return selectedReportText(table);
}

void ReportWindow::copySelection() const {
    const QString text = selectedText();
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void ReportWindow::saveCsvAs() {
    saveReportCsvAs(this, QString::fromUtf8(names_.saveTitle), names_.saveDialog, csvText());
}

bool ReportWindow::saveCsv(const QString& path, QString* error) const {
    return saveReportText(path, csvText(), error);
}

void ReportWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
    watch_->start();
}

void ReportWindow::hideEvent(QHideEvent* event) {
    watch_->stop();
    QWidget::hideEvent(event);
}

} // namespace corvellan
