#include "main/SweepWindow.h"

#include "main/Controls.h"

#include "analysis/Balance.h"
#include "diagrams/DesignSpacePictures.h"
#include "main/CanvasView.h"
#include "main/PictureCommands.h"
#include "main/StudyRunner.h"
#include "main/StudyWidgets.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <charconv>
#include <cmath>

namespace corvellan {

namespace {

constexpr int kNone = 0; // the second dimension's "(none)"

QLineEdit* lineEdit(const QString& name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

QString number(Ext v) {
    return QString::fromStdString(formatGeneral(v, 6));
}

QComboBox* makeDimensionChoice(const QString& name, bool withNone, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    if (withNone) box->addItem("(none)", kNone);
    for (const DimensionInfo& d : allDimensions()) {
        box->addItem(dimensionCaption(d.code), d.code);
        box->setItemData(box->count() - 1, QString::fromLatin1(d.name), Qt::ToolTipRole);
    }
    return box;
}

} // namespace

TSweep::TSweep(Model& model, QWidget* parent)
    : QWidget(parent, Qt::Window), m_(model), controls_(new StudyControls) {
    setObjectName("TSweep");
    setWindowTitle("Sweep");
    setFont(sansFont(12)); // the program's own face, as every window has it

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Dimension", this), 0, 1);
    grid->addWidget(new QLabel("From", this), 0, 2);
    grid->addWidget(new QLabel("To", this), 0, 3);
    grid->addWidget(new QLabel("Points", this), 0, 4);
    for (int a = 0; a < 2; ++a) {
        const QString n = QString::number(a + 1);
        Axis& axis = axes_[a];
        axis.dimension = makeDimensionChoice("SweepDimension" + n, a == 1, this);
        axis.low = lineEdit("SweepLow" + n, this);
        axis.high = lineEdit("SweepHigh" + n, this);
        axis.points = lineEdit("SweepPoints" + n, this);
        axis.points->setText(a == 0 ? "41" : "21");
        grid->addWidget(new QLabel(a == 0 ? "Across" : "Up (a map)", this), a + 1, 0);
        grid->addWidget(axis.dimension, a + 1, 1);
        grid->addWidget(axis.low, a + 1, 2);
        grid->addWidget(axis.high, a + 1, 3);
        grid->addWidget(axis.points, a + 1, 4);
        connect(axis.dimension, &QComboBox::currentIndexChanged, this,
                [this, a] { fillBounds(a); });
    }
    setting_ = new QComboBox(this);
    setting_->setObjectName("SweepSetting");
    figure_ = makeFigureChoice("SweepFigure", this, CutOffFrontFigure);
    auto* choice = new QHBoxLayout;
    choice->addWidget(new QLabel("Setting", this));
    choice->addWidget(setting_, 1);
    choice->addWidget(new QLabel("Figure", this));
    choice->addWidget(figure_, 1);

    *controls_ = makeStudyControls(this);
    chart_ = new CanvasView(this);
    chart_->setObjectName("SweepChart");
    chart_->setPicture(QSize(kSweepChartSize.width, kSweepChartSize.height), {});
    auto* save = new QPushButton(QStringLiteral("Save Picture…"), this);
    save->setObjectName("SaveSweepPicture");
    save->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(choice);
    layout->addLayout(controls_->row);
    layout->addWidget(controls_->status);
    layout->addWidget(chart_, 0, Qt::AlignHCenter);
    layout->addWidget(save, 0, Qt::AlignLeft);

    runner_ = new StudyRunner(controls_->progress, this);
    pictures_ = new PictureCommands(
        this, [this] { return chart_->picture("Sweep"); }, [] { return QString("Sweep"); });
    connect(runner_, &StudyRunner::finished, this, &TSweep::finish);
    connect(controls_->compute, &QPushButton::clicked, this, [this] { start(); });
    connect(controls_->cancel, &QPushButton::clicked, this, &TSweep::cancel);
    connect(figure_, &QComboBox::currentIndexChanged, this, [this] { draw(); });
    connect(save, &QPushButton::clicked, pictures_, &PictureCommands::savePicture);
    axes_[0].dimension->setCurrentIndex(
        axes_[0].dimension->findData(static_cast<int>(LinkPivotHorzCode)));
    refill();
}

TSweep::~TSweep() {
    runner_->stop();
}

QLabel* TSweep::status() const {
    return controls_->status;
}

bool TSweep::running() const {
    return runner_->running();
}

void TSweep::refill() {
    if (running()) return;
    fillSettingChoice(setting_, m_);
    fillBounds(0);
    fillBounds(1);
}

void TSweep::fillBounds(int a) {
    const int code = axes_[a].dimension->currentData().toInt();
    if (code == kNone) {
        axes_[a].low->clear();
        axes_[a].high->clear();
        return;
    }
    const BalanceVariable b = defaultBalanceBounds(m_, code);
    axes_[a].low->setText(number(b.low));
    axes_[a].high->setText(number(b.high));
}

bool TSweep::readOptions(SweepOptions& o, QString* error) const {
    o = SweepOptions{};
    for (int a = 0; a < 2; ++a) {
        const Axis& axis = axes_[a];
        const int code = axis.dimension->currentData().toInt();
        if (code == kNone) continue;
        SweepAxis s;
        s.code = code;
        bool okLow = false, okHigh = false;
        s.low = parseReal(axis.low->text().toStdString(), &okLow);
        s.high = parseReal(axis.high->text().toStdString(), &okHigh);
        const std::string points = axis.points->text().trimmed().toStdString();
        long long n = 0;
        const auto [end, ec] = std::from_chars(points.data(), points.data() + points.size(), n);
        if (!okLow || !okHigh || !std::isfinite(s.low) || !std::isfinite(s.high)) {
            *error = QString("The range of %1 must be two numbers.").arg(dimensionCaption(code));
            return false;
        }
        if (points.empty() || ec != std::errc() || end != points.data() + points.size()) {
            *error =
                QString("The points of %1 must be a whole number.").arg(dimensionCaption(code));
            return false;
        }
        s.points = static_cast<int>(std::clamp<long long>(n, -1, kMaxAxisPoints + 1));
        o.axes.push_back(s);
    }
    o.offsets = settingOffsets(m_, {chosenSetting(setting_)});
    const std::string problem = sweepError(o);
    if (!problem.empty()) {
        *error = QString::fromStdString(problem);
        error->front() = error->front().toUpper();
        *error += ".";
    }
    return problem.empty();
}

bool TSweep::start() {
    if (running()) return false;
    QString error;
    if (!readOptions(options_, &error)) {
        controls_->status->setText(error);
        return false;
    }
    options_.threads = defaultThreadCount();
    copy_ = m_;
    working_.clear();
    controls_->status->setText(
        QString("Computing the events of %1 designs...").arg(gridPoints(options_)));
    runner_->start([this](StudyProgress& progress) {
        workerWhole_ = runSweep(
            copy_, options_,
            [this](const std::vector<SweepPoint>& block) {
                for (const SweepPoint& p : block)
                    working_.push_back(p.settings[0].figures);
            },
            &progress);
    });
    setRunning(true);
    return true;
}

void TSweep::cancel() {
    runner_->cancel();
}

void TSweep::finish() {
    setRunning(false);
    if (!runner_->failure().empty()) {
        controls_->status->setText(
            QString::fromStdString("Could not compute: " + runner_->failure() + "."));
        return;
    }
    if (runner_->stopped() || !workerWhole_) {
        controls_->status->setText("Stopped: no chart.");
        return;
    }
    swept_ = options_;
    figures_ = std::move(working_);
    Model design = copy_;
    std::vector<SettingEvents> events;
    computeDesignEvents(design, swept_.offsets, events);
    current_ = designFigures(events[0]);
    direction_ = directionName(events[0]);
    haveResult_ = true;
    controls_->status->setText(QString("%1 designs.").arg(figures_.size()));
    draw();
}

void TSweep::draw() {
    if (!haveResult_) return;
    const int figure = chosenFigure(figure_);
    const SweepChart chart =
        makeSweepChart(copy_, swept_, figures_, direction_.c_str(), 0, figure, current_[figure]);
    chart_->setPicture(QSize(kSweepChartSize.width, kSweepChartSize.height),
                       [chart](Canvas& c) { drawSweepChart(chart, c); });
}

void TSweep::setRunning(bool running) {
    controls_->compute->setEnabled(!running);
    controls_->cancel->setEnabled(running);
    setting_->setEnabled(!running);
    for (const Axis& a : axes_)
        for (QWidget* w : std::initializer_list<QWidget*>{a.dimension, a.low, a.high, a.points})
            w->setEnabled(!running);
}

void TSweep::closeEvent(QCloseEvent* event) {
    runner_->stop();
    setRunning(false);
    QWidget::closeEvent(event);
}

} // namespace corvellan
