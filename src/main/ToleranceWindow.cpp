#include "main/ToleranceWindow.h"

#include "main/Controls.h"

#include "diagrams/DesignSpacePictures.h"
#include "main/CanvasView.h"
#include "main/PictureCommands.h"
#include "main/StudyRunner.h"
#include "main/StudyWidgets.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <charconv>
#include <cmath>

namespace corvellan {

namespace {

enum { NameColumn, ValueColumn, ToleranceColumn };

QLineEdit* lineEdit(const char* name, const QString& text, QWidget* parent) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    return e;
}

bool readNumber(const QLineEdit* e, Ext& out) {
    bool ok = false;
    out = parseReal(e->text().toStdString(), &ok);
    return ok && std::isfinite(out);
}

template <typename Int> bool readWhole(const QLineEdit* e, Int& out) {
    const std::string text = e->text().trimmed().toStdString();
    if (text.empty() || text[0] == '+') return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

QString number(Ext v) {
    return QString::fromStdString(formatGeneral(v, 6));
}

} // namespace

TTolerance::TTolerance(Model& model, QWidget* parent)
    : QWidget(parent, Qt::Window), m_(model), controls_(new StudyControls) {
    setObjectName("TTolerance");
    setWindowTitle("Tolerances");
    setFont(sansFont(12)); // the program's own face, as every window has it
    resize(1120, 720);

    samples_ = lineEdit("ToleranceSamples", QString::number(kDefaultSamples), this);
    seed_ = lineEdit("ToleranceSeed", "1", this);
    lengthTolerance_ = lineEdit("LengthTolerance", number(kDefaultLengthTolerance), this);
    angleTolerance_ = lineEdit("AngleTolerance", number(kDefaultAngleTolerance), this);
    clearance_ = lineEdit("PinClearance", "0", this);
    clearance_->setToolTip("Radial clearance of every pin joint: the two members' joint centres "
                           "may stand apart by up to this much, in any direction");
    limit_ = lineEdit("CutOffLimit", number(kDefaultCutOffLimit), this);
    auto* setAll = new QPushButton("Set all", this);
    setAll->setObjectName("SetAllTolerances");
    setAll->setAutoDefault(false);
    setAll->setToolTip("Every length (but the reverse-arm setting distances) and the angle "
                       "take the tolerances above");
    auto* form = new QFormLayout;
    form->addRow("Samples", samples_);
    form->addRow("Seed", seed_);
    form->addRow("Length tolerance +-", lengthTolerance_);
    form->addRow("Angle tolerance +- (degrees)", angleTolerance_);
    form->addRow("", setAll);
    form->addRow("Pin clearance", clearance_);
    form->addRow("Cut-off limit %", limit_);

    tolerances_ = makeStudyTable("ToleranceTable", {"Dimension", "Value", "Tolerance +-"}, this);
    tolerances_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    tolerances_->setSelectionBehavior(QAbstractItemView::SelectItems);
    tolerances_->horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(tolerances_, 1);

    *controls_ = makeStudyControls(this);
    setting_ = new QComboBox(this);
    setting_->setObjectName("ToleranceSetting");
    figure_ = makeFigureChoice("ToleranceFigure", this, CutOffFrontFigure);
    auto* choice = new QHBoxLayout;
    choice->addWidget(new QLabel("Setting", this));
    choice->addWidget(setting_, 1);
    choice->addWidget(new QLabel("Figure", this));
    choice->addWidget(figure_, 1);
    summary_ = new QLabel(this);
    summary_->setObjectName("ToleranceSummary");
    summary_->setWordWrap(true);
    spread_ = makeStudyTable(
        "SpreadTable",
        {"Figure", "Nominal", "Mean", "Std", "P5", "P95", "Min", "Max", "Linear worst case +-"},
        this);
    spread_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    histogram_ = new CanvasView(this);
    histogram_->setObjectName("ToleranceHistogram");
    auto* save = new QPushButton(QStringLiteral("Save Picture…"), this);
    save->setObjectName("SaveTolerancePicture");
    save->setAutoDefault(false);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(histogram_);
    auto* histogramPage = new QWidget(this);
    auto* histogramLayout = new QVBoxLayout(histogramPage);
    histogramLayout->addWidget(scroll, 1);
    histogramLayout->addWidget(save, 0, Qt::AlignLeft);
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName("TolerancePages");
    tabs->addTab(spread_, "Figures");
    tabs->addTab(histogramPage, "Histogram");
    auto* right = new QVBoxLayout;
    right->addLayout(controls_->row);
    right->addWidget(controls_->status);
    right->addLayout(choice);
    right->addWidget(summary_);
    right->addWidget(tabs, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 2);
    layout->addLayout(right, 3);

    runner_ = new StudyRunner(controls_->progress, this);
    pictures_ = new PictureCommands(
        this, [this] { return histogram_->picture("Tolerances"); },
        [] { return QString("Tolerances"); });
    connect(runner_, &StudyRunner::finished, this, &TTolerance::finish);
    connect(controls_->compute, &QPushButton::clicked, this, [this] { start(); });
    connect(controls_->cancel, &QPushButton::clicked, this, &TTolerance::cancel);
    connect(setAll, &QPushButton::clicked, this, &TTolerance::setAllTolerances);
    connect(save, &QPushButton::clicked, pictures_, &PictureCommands::savePicture);
    auto reshow = [this] {
        if (haveResult_) showSpread(setting_->currentIndex(), chosenFigure(figure_));
    };
    connect(setting_, &QComboBox::currentIndexChanged, this, reshow);
    connect(figure_, &QComboBox::currentIndexChanged, this, reshow);
    refill();
}

TTolerance::~TTolerance() {
    runner_->stop();
}

QLabel* TTolerance::status() const {
    return controls_->status;
}

bool TTolerance::running() const {
    return runner_->running();
}

QLineEdit* TTolerance::field(const char* name) const {
    return findChild<QLineEdit*>(name);
}

void TTolerance::refill() {
    if (running()) return;
    const std::vector<Ext> defaults = defaultTolerances();
    const auto& dims = allDimensions();
    tolerances_->setRowCount(static_cast<int>(dims.size()));
    for (size_t i = 0; i < dims.size(); ++i) {
        const int row = static_cast<int>(i);
        tolerances_->setItem(row, NameColumn, dimensionItem(dims[i].code));
        tolerances_->setItem(row, ValueColumn, textItem(number(dimensionValue(m_, dims[i].code))));
        tolerances_->setItem(row, ToleranceColumn, new QTableWidgetItem(number(defaults[i])));
    }
}

void TTolerance::setAllTolerances() {
    Ext length = 0, angle = 0;
    if (!readNumber(lengthTolerance_, length) || !readNumber(angleTolerance_, angle)) {
        controls_->status->setText("The length and angle tolerances must be numbers.");
        return;
    }
    const std::vector<Ext> defaults = defaultTolerances();
    const auto& dims = allDimensions();
    for (size_t i = 0; i < dims.size(); ++i) {
        if (defaults[i] == 0) continue; // the reverse-arm setting distances
        tolerances_->item(static_cast<int>(i), ToleranceColumn)
            ->setText(number(isAngleDimension(dims[i].code) ? angle : length));
    }
}

bool TTolerance::readOptions(ToleranceOptions& o, QString* error) const {
    o = ToleranceOptions{};
    if (!readWhole(samples_, o.samples) || o.samples < 1 || o.samples > kMaxSamples) {
        *error = "The samples must be a whole number from 1 to 10000000.";
        return false;
    }
    if (!readWhole(seed_, o.seed)) {
        *error = "The seed must be a whole number from 0 to 18446744073709551615.";
        return false;
    }
    Ext clearance = 0, limit = 0;
    if (!readNumber(clearance_, clearance) || !readNumber(limit_, limit)) {
        *error = "The pin clearance and the cut-off limit must be numbers.";
        return false;
    }
    o.pinClearance = static_cast<double>(clearance);
    o.cutOffLimit = static_cast<double>(limit);
    for (int row = 0; row < tolerances_->rowCount(); ++row) {
        const QTableWidgetItem* item = tolerances_->item(row, ToleranceColumn);
        bool ok = false;
        const Ext t = parseReal(item->text().toStdString(), &ok);
        if (!ok) {
            *error = "The tolerance of " + tolerances_->item(row, NameColumn)->text() +
                     " must be a number.";
            return false;
        }
        o.tolerances.push_back(t);
    }
    o.offsets = settingOffsets(m_, diagramPositionSettings(m_));
    const std::string problem = toleranceError(m_, o);
    if (!problem.empty()) {
        *error = QString::fromStdString(problem);
        error->front() = error->front().toUpper();
        *error += ".";
    }
    return problem.empty();
}

bool TTolerance::start() {
    if (running()) return false;
    QString error;
    if (!readOptions(options_, &error)) {
        controls_->status->setText(error);
        return false;
    }
    options_.threads = defaultThreadCount();
    options_.linearBounds = true;
    copy_ = m_;
    controls_->status->setText(QString("Building and judging %1 gears at %2 settings...")
                                   .arg(options_.samples)
                                   .arg(options_.offsets.size()));
    runner_->start([this](StudyProgress& progress) {
        report_ = computeTolerance(copy_, options_, &progress);
    });
    setRunning(true);
    return true;
}

void TTolerance::cancel() {
    runner_->cancel();
}

void TTolerance::finish() {
    setRunning(false);
    if (!runner_->failure().empty()) {
        controls_->status->setText(
            QString::fromStdString("Could not compute: " + runner_->failure() + "."));
        return;
    }
    if (runner_->stopped() || report_.stopped) {
        controls_->status->setText("Stopped: no result.");
        return;
    }
    result_ = std::move(report_);
    haveResult_ = true;
    controls_->status->setText(QString("%1 samples, seed %2: %3 left out at one setting or more.")
                                   .arg(result_.samples)
                                   .arg(result_.seed)
                                   .arg(result_.infeasible));
    {
        // The settings of the study, as its gear had them.
        const QSignalBlocker quiet(setting_);
        setting_->clear();
        for (const SettingSpread& s : result_.settings)
            setting_->addItem(QString::fromStdString(formatFixed(s.revArmPos, 0, 5)) + " " +
                              s.direction);
        // The normal forward setting where the study has it.
        setting_->setCurrentIndex(result_.settings.size() > 1 ? 1 : 0);
    }
    showSpread(setting_->currentIndex(), chosenFigure(figure_));
}

void TTolerance::showSpread(int setting, int figure) {
    if (setting < 0 || setting >= static_cast<int>(result_.settings.size())) return;
    const SettingSpread& s = result_.settings[setting];
    summary_->setText(QString("Left out at this setting: %1. |Front - rear cut-off| over %2 %: "
                              "%3 % of the samples judged.")
                          .arg(s.infeasible)
                          .arg(number(result_.cutOffLimit))
                          .arg(QString::fromStdString(formatFixed(100 * s.shareOverLimit, 0, 2))));
    spread_->setRowCount(kDesignFigures);
    for (int f = 0; f < kDesignFigures; ++f) {
        const int dp = isPercentFigure(f) ? 3 : 5;
        spread_->setItem(f, 0, textItem(designFigureCaption(f)));
        spread_->setItem(f, 1, new NumberItem(s.nominal[f], dp));
        const auto& x = s.figures[f];
        const double stats[6] = {x ? x->mean : NAN, x ? x->std : NAN, x ? x->p5 : NAN,
                                 x ? x->p95 : NAN,  x ? x->min : NAN, x ? x->max : NAN};
        for (int k = 0; k < 6; ++k)
            spread_->setItem(f, 2 + k, new NumberItem(stats[k], dp));
        spread_->setItem(f, 8, new NumberItem(s.linearBound[f], dp));
    }
    histogram_->setPicture(QSize(kHistogramSize.width, kHistogramSize.height),
                           [this, setting, figure](Canvas& c) {
                               drawToleranceHistogram(result_, setting, figure, c);
                           });
}

void TTolerance::setRunning(bool running) {
    controls_->compute->setEnabled(!running);
    controls_->cancel->setEnabled(running);
    tolerances_->setEnabled(!running);
    for (QLineEdit* e : {samples_, seed_, lengthTolerance_, angleTolerance_, clearance_, limit_})
        e->setEnabled(!running);
}

void TTolerance::closeEvent(QCloseEvent* event) {
    runner_->stop();
    setRunning(false);
    QWidget::closeEvent(event);
}

} // namespace corvellan
