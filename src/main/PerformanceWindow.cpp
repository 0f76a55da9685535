#include "main/PerformanceWindow.h"

#include "analysis/Parallel.h"
#include "diagrams/SteamCharts.h"
#include "main/CanvasView.h"
#include "main/ConditionsStore.h"
#include "main/PictureCommands.h"
#include "main/ReportTable.h"
#include "main/StudyRunner.h"
#include "main/StudyWidgets.h"
#include "model/CsvFile.h"
#include "steam/Performance.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace corvellan {

TPerformance::TPerformance(Model& model, ConditionsStore& conditions, QWidget* parent)
    : QWidget(parent, Qt::Window), m_(model), conditions_(conditions),
      controls_(new StudyControls) {
    setObjectName("TPerformance");
    setWindowTitle("Performance");

    speeds_ = new QLineEdit(this);
    speeds_->setObjectName("PerformanceSpeeds");
    QStringList defaults;
    for (double s : steam::defaultPerformanceSpeeds())
        defaults << QString::number(s);
    speeds_->setText(defaults.join(", "));
    speeds_->setToolTip(QString("Driver speeds in rpm, separated by commas: up to %1, each above "
                                "0 and at most %2.")
                            .arg(steam::kMaxPerformanceSpeeds)
                            .arg(steam::kMaxSpeed));
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Speeds (rpm)", this));
    top->addWidget(speeds_, 1);

    *controls_ = makeStudyControls(this);
    view_ = new CanvasView(this);
    view_->setObjectName("PerformanceChart");
    view_->setPicture(QSize(kPerformanceChartSize.width, kPerformanceChartSize.height), {});
    auto* save = new QPushButton(QStringLiteral("Save Picture…"), this);
    save->setObjectName("SavePerformancePicture");
    auto* print = new QPushButton(QStringLiteral("Print…"), this);
    print->setObjectName("PrintPerformance");
    auto* csv = new QPushButton(QStringLiteral("Save CSV…"), this);
    csv->setObjectName("SaveCsv");
    for (QPushButton* b : {save, print, csv})
        b->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(save);
    bottom->addWidget(print);
    bottom->addWidget(csv);
    bottom->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(controls_->row);
    layout->addWidget(controls_->status);
    layout->addWidget(view_, 1, Qt::AlignHCenter | Qt::AlignTop);
    layout->addLayout(bottom);

    runner_ = new StudyRunner(controls_->progress, this);
    pictures_ = new PictureCommands(
        this, [this] { return view_->picture("Performance"); },
        [] { return QString("Performance"); });
    connect(runner_, &StudyRunner::finished, this, &TPerformance::finish);
    connect(controls_->compute, &QPushButton::clicked, this, [this] { start(); });
    connect(controls_->cancel, &QPushButton::clicked, this, &TPerformance::cancel);
    connect(save, &QPushButton::clicked, pictures_, &PictureCommands::savePicture);
    connect(print, &QPushButton::clicked, pictures_, &PictureCommands::print);
    connect(csv, &QPushButton::clicked, this, [this] {
        saveReportCsvAs(this, QStringLiteral("Save Performance"), "SavePerformanceDialog",
                        csvText());
    });
    setRunning(false);
}

TPerformance::~TPerformance() {
    runner_->stop();
}

QLabel* TPerformance::status() const {
    return controls_->status;
}

bool TPerformance::running() const {
    return runner_->running();
}

bool TPerformance::readSpeeds(std::vector<double>& out, QString* error) const {
    out.clear();
    const QStringList parts = speeds_->text().split(',', Qt::KeepEmptyParts);
    if (parts.size() > static_cast<long>(steam::kMaxPerformanceSpeeds)) {
        *error = QString("Give at most %1 speeds.").arg(steam::kMaxPerformanceSpeeds);
        return false;
    }
    for (const QString& part : parts) {
        bool ok = false;
        const Ext v = parseReal(part.trimmed().toStdString(), &ok);
        if (!ok || !std::isfinite(static_cast<double>(v)) || !(v > 0) || v > steam::kMaxSpeed) {
            *error = QString("The speed \"%1\" is not a number above 0 and at most %2 rpm.")
                         .arg(part.trimmed())
                         .arg(steam::kMaxSpeed);
            return false;
        }
        out.push_back(static_cast<double>(v));
    }
    return true;
}

bool TPerformance::start() {
    if (running()) return false;
    QString error;
    if (!readSpeeds(workingSpeeds_, &error)) {
        controls_->status->setText(error);
        return false;
    }
    workingConditions_ = conditions_.conditions();
    const std::string problem = steam::validateConditions(workingConditions_, m_.cyl.CylBoreDia);
    if (!problem.empty()) {
        controls_->status->setText(
            QString::fromStdString("The conditions do not suit this gear: " + problem + "."));
        return false;
    }
    copy_ = m_;
    controls_->status->setText(
        QString("Computing the settled cycles at %1 speed(s)...").arg(workingSpeeds_.size()));
    failure_.clear();
    runner_->start([this](StudyProgress& progress) {
        workerWhole_ = computePerformanceChart(copy_, workingConditions_, workingSpeeds_,
                                               defaultThreadCount(), working_, &progress,
                                               &failure_);
    });
    setRunning(true);
    return true;
}

void TPerformance::cancel() {
    runner_->cancel();
}

void TPerformance::finish() {
    setRunning(false);
    if (!runner_->failure().empty()) {
        controls_->status->setText(
            QString::fromStdString("Could not compute: " + runner_->failure() + "."));
        return;
    }
    if (!failure_.empty()) {
        controls_->status->setText(QString::fromStdString("Could not compute: " + failure_ + "."));
        return;
    }
    if (runner_->stopped() || !workerWhole_) {
        controls_->status->setText("Stopped: no chart.");
        return;
    }
    chart_ = std::move(working_);
    haveResult_ = true;
    controls_->status->setText(QString("%1 cycles of %2.")
                                   .arg(chart_.speeds.size() *
                                        (chart_.sweep.empty() ? 0 : chart_.sweep[0].size()) +
                                        chart_.speeds.size() * chart_.positions.size())
                                   .arg(QString::fromStdString(copy_.DimSetName)));
    const PerformanceChart shown = chart_;
    view_->setPicture(QSize(kPerformanceChartSize.width, kPerformanceChartSize.height),
                      [shown](Canvas& c) { drawPerformanceChart(shown, c); });
}

std::string TPerformance::csvText() const {
    std::vector<CsvRow> rows;
    const std::string p = chart_.units.pressure;
    rows.push_back({"Speed (rpm)", "Half", "CutOffFront (%)", "CutOffRear (%)",
                    "MEP front (" + p + ")", "MEP rear (" + p + ")", "MEP mean (" + p + ")"});
    auto field = [](const ChartFigure& v) { return v ? shortestText(*v) : std::string(); };
    for (size_t k = 0; k < chart_.sweep.size() && k < chart_.speeds.size(); ++k)
        for (const PerformancePoint& pt : chart_.sweep[k])
            rows.push_back({shortestText(chart_.speeds[k]), pt.forward ? "Fwd" : "Rev",
                            field(pt.cutOffFront), field(pt.cutOffRear), field(pt.mepFront),
                            field(pt.mepRear), field(pt.mepMean)});
    rows.push_back({});
    rows.push_back({"Position", "Speed (rpm)", "Indicated power (" + chart_.units.power + ")",
                    "Steam rate (" + chart_.units.steamRate + ")"});
    for (const PerformanceChart::Position& pos : chart_.positions)
        for (size_t k = 0; k < chart_.speeds.size(); ++k)
            rows.push_back({pos.label, shortestText(chart_.speeds[k]),
                            k < pos.power.size() ? field(pos.power[k]) : std::string(),
                            k < pos.steamRate.size() ? field(pos.steamRate[k]) : std::string()});
    return corvellan::csvText(rows);
}

void TPerformance::setRunning(bool running) {
    controls_->compute->setEnabled(!running);
    controls_->cancel->setEnabled(running);
    speeds_->setEnabled(!running);
}

void TPerformance::closeEvent(QCloseEvent* event) {
    runner_->stop();
    setRunning(false);
    QWidget::closeEvent(event);
}

} // namespace corvellan
