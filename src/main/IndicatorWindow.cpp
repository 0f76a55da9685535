#include "main/IndicatorWindow.h"

#include "analysis/Parallel.h"
#include "analysis/ValveEvents.h"
#include "diagrams/SteamCharts.h"
#include "main/CanvasView.h"
#include "main/ConditionsStore.h"
#include "main/PictureCommands.h"
#include "main/ReportTable.h"
#include "main/StudyRunner.h"
#include "model/CsvFile.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cstring>
#include <thread>

namespace corvellan {

namespace {

// How often an open window looks whether what it shows has changed.
constexpr int kWatchIntervalMs = 250;

// B's settings: A's, each at the same distance from B's own mid gear.
std::vector<Real> settingsForB(const Model& a, const Model& b, const std::vector<Real>& settings) {
    std::vector<Real> out;
    for (Real s : settings)
        out.push_back(clampSetting(
            b, static_cast<Ext>(b.gear.RevArmCen()) + (static_cast<Ext>(s) - a.gear.RevArmCen())));
    return out;
}

// The settled cycles of `settings`, on both cores, each worker on its own
// copy of the gear; false when asked to stop first.
bool computeAll(const Model& m, const std::vector<Real>& settings, const steam::SiConditions& si,
                std::vector<steam::SettingIndicator>& out, StudyProgress& progress) {
    const std::unique_ptr<steam::Fluid> fluid = steam::makeFluid(si);
    const int threads = std::max(1, std::min<int>(defaultThreadCount(), settings.size()));
    std::vector<Model> scratch(static_cast<size_t>(threads), m);
    out.assign(settings.size(), {});
    return runParallel(
        static_cast<long long>(settings.size()), threads,
        [&](long long i, int worker) {
            out[static_cast<size_t>(i)] = steam::computeIndicator(
                scratch[static_cast<size_t>(worker)], settings[static_cast<size_t>(i)], si, *fluid);
        },
        &progress);
}

void appendBits(std::vector<double>& v, const Model& m) {
    for (Real x : eventsInputs(m))
        v.push_back(static_cast<double>(x));
    v.push_back(static_cast<double>(m.gear.RevArmPos));
}

} // namespace

struct TIndicator::Job {
    Model a, b;
    bool compare = false;
    std::vector<Real> settingsA, settingsB;
    steam::SiConditions siA, siB;
    std::vector<steam::SettingIndicator> outA, outB;
    bool whole = false;
};

TIndicator::TIndicator(Model& model, ConditionsStore& conditions,
                       std::function<const Model*()> comparedGear, QWidget* parent)
    : QWidget(parent, Qt::Window), m_(model), conditions_(conditions),
      comparedGear_(std::move(comparedGear)) {
    setObjectName("TIndicator");
    setWindowTitle("Indicator Diagram");

    currentChoice_ = new QRadioButton("Current setting", this);
    currentChoice_->setObjectName("CurrentSettingChoice");
    currentChoice_->setChecked(true);
    positionsChoice_ = new QRadioButton("Diagram positions", this);
    positionsChoice_->setObjectName("PositionsChoice");
    auto* save = new QPushButton(QStringLiteral("Save Picture…"), this);
    save->setObjectName("SaveIndicatorPicture");
    auto* print = new QPushButton(QStringLiteral("Print…"), this);
    print->setObjectName("PrintIndicator");
    auto* csv = new QPushButton(QStringLiteral("Save CSV…"), this);
    csv->setObjectName("SaveCsv");
    auto* close = new QPushButton("Close", this);
    close->setObjectName("Close");
    for (QPushButton* b : {save, print, csv, close})
        b->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addWidget(currentChoice_);
    row->addWidget(positionsChoice_);
    row->addStretch();
    row->addWidget(save);
    row->addWidget(print);
    row->addWidget(csv);
    row->addWidget(close);

    status_ = new QLabel(this);
    status_->setObjectName("IndicatorStatus");
    progress_ = new QProgressBar(this);
    progress_->setObjectName("IndicatorProgress");
    progress_->setTextVisible(false);
    progress_->setMaximumHeight(8);
    chart_ = new CanvasView(this);
    chart_->setObjectName("IndicatorChart");
    chart_->setPicture(QSize(720, 420), {});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(status_);
    layout->addWidget(progress_);
    layout->addWidget(chart_, 1, Qt::AlignHCenter | Qt::AlignTop);

    runner_ = new StudyRunner(progress_, this);
    pictures_ = new PictureCommands(
        this, [this] { return chart_->picture("Indicator Diagram"); },
        [] { return QString("Indicator Diagram"); });
    watch_ = new QTimer(this);
    watch_->setObjectName("ChangeWatch");
    watch_->setInterval(kWatchIntervalMs);

    connect(runner_, &StudyRunner::finished, this, &TIndicator::finish);
    connect(watch_, &QTimer::timeout, this, &TIndicator::recomputeIfChanged);
    connect(positionsChoice_, &QRadioButton::toggled, this, [this] { recomputeIfChanged(); });
    connect(&conditions_, &ConditionsStore::changed, this, [this] {
        if (isVisible()) recomputeIfChanged();
    });
    connect(save, &QPushButton::clicked, pictures_, &PictureCommands::savePicture);
    connect(print, &QPushButton::clicked, pictures_, &PictureCommands::print);
    connect(csv, &QPushButton::clicked, this, &TIndicator::saveCsvAs);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

TIndicator::~TIndicator() {
    runner_->stop();
}

void TIndicator::showPositions(bool positions) {
    (positions ? positionsChoice_ : currentChoice_)->setChecked(true);
}

bool TIndicator::running() const {
    return runner_->running();
}

void TIndicator::waitForResult() {
    while (running())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

std::vector<double> TIndicator::inputs() const {
    std::vector<double> v;
    appendBits(v, m_);
    v.push_back(positionsChoice_->isChecked());
    const std::string json = steam::writeConditionsJson(conditions_.conditions());
    for (char ch : json)
        v.push_back(ch);
    const Model* b = comparedGear_ ? comparedGear_() : nullptr;
    v.push_back(b != nullptr);
    if (b) appendBits(v, *b);
    return v;
}

void TIndicator::recomputeIfChanged() {
    if (running()) return;
    const std::vector<double> now = inputs();
    // Bit for bit, so that a NaN is no change.
    if (haveResult_ && now.size() == computedInputs_.size() &&
        std::memcmp(now.data(), computedInputs_.data(), now.size() * sizeof(double)) == 0)
        return;
    computedInputs_ = now;
    start();
}

void TIndicator::start() {
    const steam::Conditions& c = conditions_.conditions();
    const std::string problem = steam::validateConditions(c, m_.cyl.CylBoreDia);
    if (!problem.empty()) {
        status_->setText(QString::fromStdString("The conditions do not suit this gear: " + problem +
                                                "."));
        haveResult_ = true; // shown: nothing to draw until something changes
        chart_->setPicture(chart_->sizeHint(), {});
        return;
    }
    job_ = std::make_unique<Job>();
    Job& j = *job_;
    j.a = m_;
    j.siA = steam::toSi(c, j.a);
    j.settingsA = positionsChoice_->isChecked() ? diagramPositionSettings(j.a)
                                                : std::vector<Real>{j.a.gear.RevArmPos};
    if (const Model* b = comparedGear_ ? comparedGear_() : nullptr) {
        if (steam::validateConditions(c, b->cyl.CylBoreDia).empty()) {
            j.compare = true;
            j.b = *b;
            j.siB = steam::toSi(c, j.b);
            j.settingsB = settingsForB(j.a, j.b, j.settingsA);
        }
    }
    units_ = c.Units;
    status_->setText(QString("Computing the settled cycle of %1 setting(s) at %2 rpm...")
                         .arg(j.settingsA.size())
                         .arg(c.Speed));
    runner_->start([&j](StudyProgress& progress) {
        progress.total = static_cast<long long>(j.settingsA.size() + j.settingsB.size());
        j.whole = computeAll(j.a, j.settingsA, j.siA, j.outA, progress) &&
                  (!j.compare || computeAll(j.b, j.settingsB, j.siB, j.outB, progress));
    });
}

void TIndicator::finish() {
    std::unique_ptr<Job> j = std::move(job_);
    if (!runner_->failure().empty()) {
        status_->setText(QString::fromStdString("Could not compute: " + runner_->failure() + "."));
        return;
    }
    if (!j || runner_->stopped() || !j->whole) {
        status_->setText("Stopped.");
        computedInputs_.clear();
        haveResult_ = false;
        return;
    }
    result_ = std::move(j->outA);
    compared_ = std::move(j->outB);
    si_ = j->siA;
    comparedName_ = j->compare ? j->b.DimSetName : std::string();
    haveResult_ = true;
    int unsettled = 0, broken = 0;
    for (const steam::SettingIndicator& s : result_) {
        unsettled += !s.settled;
        broken += s.geometryError;
    }
    QString text = QString("%1 setting(s) of %2.").arg(result_.size()).arg(
        QString::fromStdString(m_.DimSetName));
    if (unsettled) text += QString(" %1 did not settle in 30 revolutions.").arg(unsettled);
    if (broken) text += QString(" %1 cannot be assembled somewhere on the turn.").arg(broken);
    status_->setText(text);
    draw();
    // What changed while it ran is computed now.
    recomputeIfChanged();
}

void TIndicator::draw() {
    const IndicatorChart chart = makeIndicatorChart(result_, si_, units_, compared_, comparedName_);
    const PictureExtent size = indicatorChartSize(chart);
    chart_->setPicture(QSize(size.width, size.height),
                       [chart](Canvas& c) { drawIndicatorChart(chart, c); });
    chart_->updateGeometry();
}

std::string TIndicator::csvText() const {
    const steam::UnitScales& u = steam::unitScales(units_);
    const std::string vol = std::string(u.lengthName) + "^3";
    const std::string p = std::string(u.pressureName) + " gauge";
    std::vector<CsvRow> rows;
    rows.push_back({"Gear", "RevArmPos", "Direction", "Angle (deg)", "Piston (% of stroke)",
                    "Front volume (" + vol + ")", "Front pressure (" + p + ")",
                    "Rear volume (" + vol + ")", "Rear pressure (" + p + ")"});
    const double perVolume = u.length * u.length * u.length;
    auto add = [&](const std::vector<steam::SettingIndicator>& settings, const std::string& gear) {
        for (const steam::SettingIndicator& s : settings) {
            const size_t n = std::min(s.front.loop.size(), s.rear.loop.size());
            for (size_t i = 0; i < n; ++i) {
                const steam::LoopPoint& f = s.front.loop[i];
                const steam::LoopPoint& r = s.rear.loop[i];
                rows.push_back({gear, shortestText(s.revArmPos),
                                indicatorDirectionName(s),
                                shortestText(f.angle, kAngleScale),
                                shortestText(f.fraction * 100, kPercentScale),
                                shortestText(f.volume / perVolume),
                                shortestText((f.pressure - si_.atmosphere) / u.pressure),
                                shortestText(r.volume / perVolume),
                                shortestText((r.pressure - si_.atmosphere) / u.pressure)});
            }
        }
    };
    add(result_, m_.DimSetName);
    if (!compared_.empty()) add(compared_, "B: " + comparedName_);
    return corvellan::csvText(rows);
}

bool TIndicator::saveCsv(const QString& path, QString* error) const {
    return saveReportText(path, csvText(), error);
}

void TIndicator::saveCsvAs() {
    saveReportCsvAs(this, QStringLiteral("Save Indicator Loops"), "SaveIndicatorDialog", csvText());
}

void TIndicator::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    recomputeIfChanged();
    watch_->start();
}

void TIndicator::hideEvent(QHideEvent* event) {
    watch_->stop();
    QWidget::hideEvent(event);
}

void TIndicator::closeEvent(QCloseEvent* event) {
    runner_->stop();
    job_.reset();
    computedInputs_.clear();
    QWidget::closeEvent(event);
}

} // namespace corvellan
