#include "main/ValveEventsWindow.h"

#include "model/ValveEventsText.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <sstream>

namespace corvellan {

namespace {

// How often an open window looks whether the gear has changed.
constexpr int kWatchIntervalMs = 250;

QTableWidget* makeTable(const char* name, const std::vector<std::string>& header, QWidget* parent) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setColumnCount(static_cast<int>(header.size()));
    QStringList labels;
    for (const std::string& h : header)
        labels << QString::fromStdString(h);
    table->setHorizontalHeaderLabels(labels);
    return table;
}

void fillRows(QTableWidget* table, const std::vector<std::vector<std::string>>& rows) {
    table->clearContents();
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < table->rowCount(); ++r) {
        const auto& cells = rows[static_cast<size_t>(r)];
        for (int c = 0; c < table->columnCount() && c < static_cast<int>(cells.size()); ++c) {
            auto* item =
                new QTableWidgetItem(QString::fromStdString(cells[static_cast<size_t>(c)]));
            // Figures right-aligned, words (direction, end, event) left.
            const bool word =
                !cells[static_cast<size_t>(c)].empty() &&
                std::isalpha(static_cast<unsigned char>(cells[static_cast<size_t>(c)][0]));
            item->setTextAlignment((word ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    }
    table->resizeColumnsToContents();
}

bool sameBits(const std::vector<Real>& a, const std::vector<Real>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(Real)) == 0;
}

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

    table_ = makeTable("EventsTable", eventsTableHeader(), this);
    eventList_ = makeTable("EventList", eventListHeader(), this);
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
    fillRows(table_, eventsTableRows(report_, true));
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
    fillRows(eventList_, eventListRows(report_.settings[setting]));
}

QString TValveEvents::selectedText() const {
    const QTableWidget* table = eventList_->hasFocus() ? eventList_ : table_;
    // Row by row, cells left to right, whatever order they were picked in.
    std::map<int, std::map<int, QString>> cells;
    for (const QModelIndex& index : table->selectionModel()->selectedIndexes())
        cells[index.row()][index.column()] = index.data().toString();
    QString text;
    for (const auto& [row, columns] : cells) {
        QStringList line;
        for (const auto& [column, value] : columns)
            line << value;
        text += line.join('\t') + '\n';
    }
    return text;
}

void TValveEvents::copySelection() const {
    const QString text = selectedText();
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void TValveEvents::saveCsvAs() {
    QFileDialog dialog(this, QStringLiteral("Save Valve Events"));
    dialog.setObjectName("SaveEventsDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({QStringLiteral("CSV File (*.csv)"), QStringLiteral("All Files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    QString error;
    if (!saveCsv(dialog.selectedFiles().first(), &error)) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("CORVELLAN Outside Admission"), error,
                        QMessageBox::Ok, this);
        box.setObjectName("SaveError");
        box.exec();
    }
}

bool TValveEvents::saveCsv(const QString& path, QString* error) const {
    std::ostringstream csv;
    writeEventsCsv(report_, csv);
    const std::string text = csv.str();
    // Written beside the target and renamed over it: a failed save leaves an
    // existing file as it was.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) &&
        file.write(text.data(), static_cast<qint64>(text.size())) ==
            static_cast<qint64>(text.size()) &&
        file.commit())
        return true;
    if (error) *error = QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString());
    return false;
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
