#include "main/BalanceDialog.h"

#include "main/Controls.h"

#include "analysis/BalanceApply.h"
#include "model/DimensionEdit.h"
#include "analysis/DesignFigures.h"
#include "analysis/ValveEvents.h"

#include <QCloseEvent>
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

#include <chrono>
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

bool parseNumber(const QString& text, Ext& out) {
    bool ok = false;
    out = parseReal(text.toStdString(), &ok);
    return ok;
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

    settings_ = new QLineEdit(this);
    settings_->setObjectName("BalanceSettings");
    settings_->setToolTip("Fractions of Rev Arm to Cent Norm from mid gear: -1 is the normal "
                          "forward setting, 1 the normal reverse one");
    auto* weightsRow = new QHBoxLayout;
    const char* weightNames[3] = {"WeightCutOff", "WeightLead", "WeightMean"};
    const char* weightLabels[3] = {"cut-off", "lead", "mean cut-off"};
    for (int i = 0; i < 3; ++i) {
        weights_[i] = new QLineEdit("1", this);
        weights_[i]->setObjectName(weightNames[i]);
        weightsRow->addWidget(new QLabel(weightLabels[i], this));
        weightsRow->addWidget(weights_[i]);
    }
    auto* form = new QFormLayout;
    form->addRow("Settings", settings_);
    form->addRow("Weights", weightsRow);

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
    int row = 0;
    for (const DimensionInfo& d : allDimensions()) {
        const BalanceVariable bounds = defaultBalanceBounds(m_, d.code);
        // Named as the dimension dialogs name it; the code name the command
        // line and the files use is its tool tip.
        auto* name = fixedItem(dimensionCaption(d.code));
        name->setFlags(name->flags() | Qt::ItemIsUserCheckable);
        name->setCheckState(chosen.count(d.code) ? Qt::Checked : Qt::Unchecked);
        name->setData(Qt::UserRole, d.code);
        name->setToolTip(QString::fromLatin1(d.name));
        table_->setItem(row, NameColumn, name);
        table_->setItem(row, ValueColumn, fixedItem(numberText(dimensionValue(m_, d.code))));
        table_->setItem(row, LowColumn, new QTableWidgetItem(numberText(bounds.low)));
        table_->setItem(row, HighColumn, new QTableWidgetItem(numberText(bounds.high)));
        ++row;
    }
    QStringList fractions;
    for (double f : defaults.settings)
        fractions << QString::number(f);
    settings_->setText(fractions.join(", "));
    for (QLineEdit* w : weights_)
        w->setText("1");
    haveResult_ = false;
    resultText_->clear();
    status_->clear();
    progressText_->clear();
    progress_->setRange(0, options_.maxEvaluations);
    progress_->setValue(0);
    setRunning(false);
}

bool TBalance::readProblem(BalanceProblem& p, QString* error) const {
    p = BalanceProblem{};
    for (int row = 0; row < table_->rowCount(); ++row) {
        const QTableWidgetItem* name = table_->item(row, NameColumn);
        if (name->checkState() != Qt::Checked) continue;
        BalanceVariable v;
        v.code = name->data(Qt::UserRole).toInt();
        if (!parseNumber(table_->item(row, LowColumn)->text(), v.low) ||
            !parseNumber(table_->item(row, HighColumn)->text(), v.high)) {
            *error = "The bounds of " + name->text() + " must be numbers.";
            return false;
        }
        p.vary.push_back(v);
    }
    const QStringList items =
        settings_->text().split(QRegularExpression("[,\\s]+"), Qt::SkipEmptyParts);
    for (const QString& item : items) {
        Ext f = 0;
        if (!parseNumber(item, f)) {
            *error = "The settings must be numbers, not \"" + item + "\".";
            return false;
        }
        p.settings.push_back(static_cast<double>(f));
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
    startCopy_ = m_;
    objective_ = std::make_unique<BalanceObjective>(startCopy_, problem);
    if (!objective_->startFeasible()) {
        status_->setText(QString::fromStdString(
            "The gear cannot be balanced as it is: " +
            balanceInfeasibility(problem.settings, objective_->candidateEvents()) + "."));
        objective_.reset();
        return false;
    }
    haveResult_ = false;
    resultText_->clear();
    status_->setText("Balancing...");
    shared_.evaluations = 0;
    shared_.best = objective_->startValue();
    shared_.stop = false;
    workerDone_ = false;
    progress_->setRange(0, options_.maxEvaluations);
    // The worker owns the copy, the objective and the report until it says
    // it is done; the window only reads the shared progress meanwhile.
    worker_ = std::thread([this] {
        const auto began = std::chrono::steady_clock::now();
        const BalanceOutcome outcome = searchBalance(*objective_, options_, &shared_);
        report_ = makeBalanceReport(startCopy_, *objective_, outcome);
        report_.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
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
    setRunning(false);
    progress_->setValue(std::min(report_.evaluations, progress_->maximum()));
    progressText_->setText(QString("Evaluations: %1   Objective before %2, after %3")
                               .arg(report_.evaluations)
                               .arg(QString::fromStdString(formatFixed(report_.before, 0, 4)))
                               .arg(QString::fromStdString(formatFixed(report_.after, 0, 4))));
    std::ostringstream text;
    writeBalanceText(report_, text, true);
    resultText_->setPlainText(QString::fromStdString(text.str()));
    const QString note = QString::fromStdString(balanceUndoNote(report_));
    status_->setText(report_.stopped ? "Stopped: the best design found so far. " + note : note);
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
    settings_->setEnabled(!running);
    for (QLineEdit* w : weights_)
        w->setEnabled(!running);
}

} // namespace corvellan
