#include "main/BalanceDialog.h"

#include "main/Controls.h"

#include "analysis/BalanceApply.h"
#include "analysis/DesignFigures.h"
#include "analysis/ValveEvents.h"
#include "model/DimensionEdit.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <set>
#include <sstream>

namespace corvellan {

namespace {

enum Column { NameColumn, ValueColumn, LowColumn, HighColumn };

constexpr int kPollMs = 100;

QString numberText(Ext v) {
    return QString::number(static_cast<double>(v), 'g', 7);
}

QTableWidgetItem* fixedItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

// A bound's cell remembers the text it was filled with, so a bound the user
// leaves alone is taken exactly (TBalance::exactBounds_), as the command
// line takes it, not from its seven figures.
QTableWidgetItem* boundItem(Ext v) {
    auto* item = new QTableWidgetItem(numberText(v));
    item->setData(Qt::UserRole, item->text());
    return item;
}

bool untouched(const QTableWidgetItem* item) {
    return item->text() == item->data(Qt::UserRole).toString();
}

bool parseNumber(const QString& text, Ext& out) {
    bool ok = false;
    out = parseReal(text.toStdString(), &ok);
    return ok;
}

bool parseList(const QString& text, std::vector<double>& out, QString* bad) {
    out.clear();
    for (const QString& item : text.split(QRegularExpression("[,\\s]+"), Qt::SkipEmptyParts)) {
        Ext f = 0;
        if (!parseNumber(item, f)) {
            *bad = item;
            return false;
        }
        out.push_back(static_cast<double>(f));
    }
    return true;
}

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TBalance::TBalance(Model& model, QWidget* parent) : QDialog(parent), m_(model) {
    setObjectName("Balance");
    setWindowTitle("Balance");
    setFont(sansFont(12)); // the program's own face, as every window has it
    setModal(true);
    resize(600, 680);

    table_ = new QTableWidget(static_cast<int>(allDimensions().size()), 4, this);
    table_->setObjectName("BalanceTable");
    table_->setHorizontalHeaderLabels({"Dimension", "Value", "Low", "High"});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);

    objective_ = new QComboBox(this);
    objective_->setObjectName("BalanceObjective");
    objective_->addItem("at equal mean cut-off");
    objective_->addItem("at reverse-arm positions");
    cutOffs_ = new QLineEdit(this);
    cutOffs_->setObjectName("BalanceCutOffs");
    cutOffs_->setToolTip("Mean cut-offs, percent of stroke, each compared running forward and "
                         "in reverse");
    settings_ = new QLineEdit(this);
    settings_->setObjectName("BalanceSettings");
    settings_->setToolTip("Fractions of Rev Arm to Cent Norm from mid gear: -1 is the normal "
                          "forward setting, 1 the normal reverse one");
    auto* weightsRow = new QHBoxLayout;
    const char* weightNames[3] = {"WeightCutOff", "WeightLead", "WeightMean"};
    const char* weightLabels[3] = {"cut-off", "lead", "mean cut-off"};
    for (int i = 0; i < 3; ++i) {
        weights_[i] = new QLineEdit(this);
        weights_[i]->setObjectName(weightNames[i]);
        weightsRow->addWidget(new QLabel(weightLabels[i], this));
        weightsRow->addWidget(weights_[i]);
    }
    auto* leadsRow = new QHBoxLayout;
    const char* leadNames[2] = {"LeadFloor", "LeadCeiling"};
    const char* leadLabels[2] = {"floor", "ceiling"};
    for (int i = 0; i < 2; ++i) {
        leads_[i] = new QLineEdit(this);
        leads_[i]->setObjectName(leadNames[i]);
        leads_[i]->setPlaceholderText("from the gear");
        leadsRow->addWidget(new QLabel(leadLabels[i], this));
        leadsRow->addWidget(leads_[i]);
    }
    auto* form = new QFormLayout;
    form->addRow("Compare the ends", objective_);
    form->addRow("Mean cut-offs %", cutOffs_);
    form->addRow("Settings", settings_);
    form->addRow("Weights", weightsRow);
    form->addRow("Each lead", leadsRow);
    connect(objective_, &QComboBox::currentIndexChanged, this, [this] { objectiveChanged(); });

    start_ = button("BalanceStart", "Balance", this);
    cancel_ = button("BalanceCancel", "Cancel", this);
    apply_ = button("BalanceApply", "Apply", this);
    discard_ = button("BalanceDiscard", "Discard", this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {start_, cancel_, apply_, discard_})
        buttons->addWidget(b);

    progress_ = new QProgressBar(this);
    progress_->setObjectName("BalanceProgressBar");
    progressText_ = new QLabel(this);
    progressText_->setObjectName("BalanceProgress");
    status_ = new QLabel(this);
    status_->setObjectName("BalanceStatus");
    status_->setWordWrap(true);
    // Room for the two lines of the undo note, so the layout never squeezes it.
    status_->setMinimumHeight(2 * status_->fontMetrics().lineSpacing() + 4);
    resultText_ = new QPlainTextEdit(this);
    resultText_->setObjectName("BalanceResult");
    resultText_->setReadOnly(true);
    resultText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The before/after table lines up in columns: the system's fixed face.
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPixelSize(11);
    resultText_->setFont(mono);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 3);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(progress_);
    layout->addWidget(progressText_);
    layout->addWidget(status_);
    layout->addWidget(resultText_, 4);

    poll_ = new QTimer(this);
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &TBalance::poll);
    connect(start_, &QPushButton::clicked, this, [this] { start(); });
    connect(cancel_, &QPushButton::clicked, this, &TBalance::cancel);
    connect(apply_, &QPushButton::clicked, this, &TBalance::apply);
    connect(discard_, &QPushButton::clicked, this, &TBalance::discard);
    refill();
}

TBalance::~TBalance() {
    stopWorker();
}

void TBalance::refill() {
    if (running()) return;
    const BalanceProblem defaults = defaultBalanceProblem(m_);
    std::set<int> chosen;
    for (const BalanceVariable& v : defaults.vary)
        chosen.insert(v.code);
    exactBounds_.clear();
    int row = 0;
    for (const DimensionInfo& d : allDimensions()) {
        const BalanceVariable bounds = balanceBounds(m_, d.code);
        // Named as the dimension dialogs name it; the code name the command
        // line and the files use is its tool tip.
        auto* name = fixedItem(dimensionCaption(d.code));
        name->setFlags(name->flags() | Qt::ItemIsUserCheckable);
        name->setCheckState(chosen.count(d.code) ? Qt::Checked : Qt::Unchecked);
        name->setData(Qt::UserRole, d.code);
        name->setToolTip(QString::fromLatin1(d.name));
        table_->setItem(row, NameColumn, name);
        table_->setItem(row, ValueColumn, fixedItem(numberText(dimensionValue(m_, d.code))));
        exactBounds_.push_back(bounds);
        table_->setItem(row, LowColumn, boundItem(bounds.low));
        table_->setItem(row, HighColumn, boundItem(bounds.high));
        ++row;
    }
    QStringList fractions, cutOffs;
    for (double f : defaults.settings)
        fractions << QString::number(f);
    for (double c : defaults.cutOffs)
        cutOffs << QString::number(c);
    settings_->setText(fractions.join(", "));
    cutOffs_->setText(cutOffs.join(", "));
    objective_->setCurrentIndex(0);
    objectiveChanged();
    for (QLineEdit* l : leads_)
        l->clear();
    haveResult_ = false;
    resultText_->clear();
    status_->clear();
    progressText_->clear();
    progress_->setRange(0, 1);
    progress_->setValue(0);
    setRunning(false);
}

void TBalance::objectiveChanged() {
    const bool positions = objective_->currentIndex() == 1;
    const BalanceWeights w = defaultBalanceWeights(positions ? BalanceObjectiveKind::Positions
                                                             : BalanceObjectiveKind::MeanCutOff);
    const double values[3] = {w.cutOff, w.lead, w.mean};
    for (int i = 0; i < 3; ++i)
        weights_[i]->setText(QString::number(values[i]));
    setRunning(running());
}

bool TBalance::readProblem(BalanceProblem& p, QString* error) const {
    p = BalanceProblem{};
    p.objective = objective_->currentIndex() == 1 ? BalanceObjectiveKind::Positions
                                                  : BalanceObjectiveKind::MeanCutOff;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const QTableWidgetItem* name = table_->item(row, NameColumn);
        if (name->checkState() != Qt::Checked) continue;
        BalanceVariable v;
        v.code = name->data(Qt::UserRole).toInt();
        const QTableWidgetItem* low = table_->item(row, LowColumn);
        const QTableWidgetItem* high = table_->item(row, HighColumn);
        const bool exact = static_cast<size_t>(row) < exactBounds_.size();
        if (exact && untouched(low))
            v.low = exactBounds_[static_cast<size_t>(row)].low;
        else if (!parseNumber(low->text(), v.low))
            v.low = NAN;
        if (exact && untouched(high))
            v.high = exactBounds_[static_cast<size_t>(row)].high;
        else if (!parseNumber(high->text(), v.high))
            v.high = NAN;
        if (std::isnan(v.low) || std::isnan(v.high)) {
            *error = "The bounds of " + name->text() + " must be numbers.";
            return false;
        }
        p.vary.push_back(v);
    }
    // The default remedies first, in the order the command line lists them,
    // so the same choice is the same problem there and here.
    const std::vector<int>& first = defaultBalanceCodes();
    auto rank = [&first](const BalanceVariable& v) {
        const auto at = std::find(first.begin(), first.end(), v.code);
        return at == first.end() ? first.size() : static_cast<size_t>(at - first.begin());
    };
    std::stable_sort(
        p.vary.begin(), p.vary.end(),
        [&rank](const BalanceVariable& a, const BalanceVariable& b) { return rank(a) < rank(b); });
    QString bad;
    if (!parseList(settings_->text(), p.settings, &bad)) {
        *error = "The settings must be numbers, not \"" + bad + "\".";
        return false;
    }
    if (!parseList(cutOffs_->text(), p.cutOffs, &bad)) {
        *error = "The cut-offs must be numbers, not \"" + bad + "\".";
        return false;
    }
    double* weights[3] = {&p.weights.cutOff, &p.weights.lead, &p.weights.mean};
    for (int i = 0; i < 3; ++i) {
        Ext w = 0;
        if (!parseNumber(weights_[i]->text(), w)) {
            *error = "The weights must be numbers.";
            return false;
        }
        *weights[i] = static_cast<double>(w);
    }
    double* leads[2] = {&p.constraints.leadFloor, &p.constraints.leadCeiling};
    for (int i = 0; i < 2; ++i) {
        if (leads_[i]->text().trimmed().isEmpty()) continue; // from the gear
        Ext l = 0;
        if (!parseNumber(leads_[i]->text(), l)) {
            *error = "The lead floor and ceiling must be numbers, or empty to take them from "
                     "the gear.";
            return false;
        }
        *leads[i] = static_cast<double>(l);
    }
    const std::string problem = balanceProblemError(m_, p);
    if (!problem.empty()) {
        *error = QString::fromStdString(problem);
        error->front() = error->front().toUpper();
        *error += ".";
    }
    return problem.empty();
}

bool TBalance::start() {
    if (running()) return false;
    BalanceProblem problem;
    QString error;
    if (!readProblem(problem, &error)) {
        status_->setText(error);
        return false;
    }
    const std::string note = rescaleBalanceWeights(problem);
    startCopy_ = m_;
    search_ = std::make_unique<BalanceObjective>(startCopy_, problem);
    if (!search_->startFeasible()) {
        status_->setText(QString::fromStdString(
            "The gear cannot be balanced as it is: " + search_->startInfeasibility() + "."));
        search_.reset();
        return false;
    }
    haveResult_ = false;
    resultText_->clear();
    note_ = note;
    status_->setText(note.empty() ? QString("Balancing...")
                                  : QString::fromStdString("Balancing: " + note + "."));
    const int budget = balanceBudget(problem, options_);
    shared_.evaluations = 0;
    shared_.budget = budget;
    shared_.best = search_->startValue();
    shared_.stop = false;
    workerDone_ = false;
    progress_->setRange(0, std::max(1, budget));
    progress_->setValue(0);
    // The worker owns the copy, the objective and the report until it says
    // it is done; the window only reads the shared progress meanwhile. The
    // command line runs the same runBalance on the same problem.
    worker_ = std::thread([this] {
        report_ = runBalance(*search_, options_, &shared_);
        workerDone_.store(true, std::memory_order_release);
    });
    setRunning(true);
    poll_->start();
    return true;
}

void TBalance::poll() {
    const int evaluations = shared_.evaluations.load(std::memory_order_relaxed);
    const double best = shared_.best.load(std::memory_order_relaxed);
    progress_->setValue(std::min(evaluations, progress_->maximum()));
    progressText_->setText(QString("Evaluations: %1   Best objective so far: %2")
                               .arg(evaluations)
                               .arg(QString::fromStdString(formatFixed(best, 0, 4))));
    if (workerDone_.load(std::memory_order_acquire)) finish();
}

void TBalance::finish() {
    poll_->stop();
    if (worker_.joinable()) worker_.join();
    haveResult_ = true;
    report_.note = note_;
    setRunning(false);
    // The search ends before its budget where it has converged: the bar
    // still ends full.
    progress_->setValue(progress_->maximum());
    progressText_->setText(QString("Evaluations: %1   Objective before %2, after %3")
                               .arg(report_.evaluations)
                               .arg(QString::fromStdString(formatFixed(report_.before, 0, 4)))
                               .arg(QString::fromStdString(formatFixed(report_.after, 0, 4))));
    std::ostringstream text;
    writeBalanceText(report_, text, true);
    resultText_->setPlainText(QString::fromStdString(text.str()));
    const QString note = QString::fromStdString(balanceUndoNote(report_));
    const QString verdict = QString::fromStdString(balanceVerdict(report_));
    status_->setText((report_.stopped ? "Stopped: the best design found so far. " : "") + verdict +
                     " " + note);
}

void TBalance::cancel() {
    if (running()) shared_.stop = true;
}

void TBalance::apply() {
    if (!haveResult_ || running()) return;
    // The search judged the gear as it was when it started.
    if (eventsInputs(m_) != eventsInputs(startCopy_)) {
        status_->setText("The gear has changed since the balance started: balance it again.");
        haveResult_ = false;
        setRunning(false);
        return;
    }
    if (countBalanceApply(report_).changed > 0) Q_EMIT aboutToApply();
    if (applyBalance(m_, report_).revArmRangeChanged) Q_EMIT revArmRangeChanged();
    closeDimensionDialog(m_, [this] { Q_EMIT revArmScrollToZero(); });
    haveResult_ = false;
    accept();
}

void TBalance::discard() {
    stopWorker();
    haveResult_ = false;
    reject();
}

void TBalance::stopWorker() {
    if (!worker_.joinable()) return;
    shared_.stop = true;
    worker_.join();
    poll_->stop();
    setRunning(false);
}

void TBalance::done(int result) {
    stopWorker();
    QDialog::done(result);
}

void TBalance::closeEvent(QCloseEvent* event) {
    stopWorker();
    QDialog::closeEvent(event);
}

void TBalance::setRunning(bool running) {
    start_->setEnabled(!running);
    cancel_->setEnabled(running);
    apply_->setEnabled(!running && haveResult_);
    discard_->setEnabled(!running);
    table_->setEnabled(!running);
    const bool positions = objective_->currentIndex() == 1;
    objective_->setEnabled(!running);
    settings_->setEnabled(!running && positions);
    cutOffs_->setEnabled(!running && !positions);
    for (QLineEdit* l : leads_)
        l->setEnabled(!running);
    for (QLineEdit* w : weights_)
        w->setEnabled(!running);
    weights_[2]->setEnabled(!running && positions);
}

} // namespace corvellan
