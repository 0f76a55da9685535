#include "main/ValveEventsWindow.h"

#include "analysis/CutOffCurve.h"
#include "analysis/ValveEventsText.h"
#include "diagrams/CutOffChart.h"
#include "main/Controls.h"
#include "main/ReportTable.h"
#include "platform/QPainterCanvas.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>
#include <sstream>

namespace corvellan {

// The chart's picture, drawn by the same code as `render cutoffs`.
class CutOffChartView : public QWidget {
  public:
    explicit CutOffChartView(QWidget* parent) : QWidget(parent) {
        setObjectName("CutOffChart");
        setFixedSize(kCutOffChartSize.width, kCutOffChartSize.height);
    }
    void draw(const CutOffChartGear& a, const CutOffChartGear* b) {
        QPainterCanvas canvas(kCutOffChartSize.width, kCutOffChartSize.height);
        drawCutOffChart(a, b, canvas);
        image_ = canvas.image().copy();
        update();
    }
    const QImage& image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.drawImage(0, 0, image_);
    }

  private:
    QImage image_;
};

namespace {

constexpr int kChartTab = 2;

bool sameBits(const std::vector<Real>& a, const std::vector<Real>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(Real)) == 0;
}

// The code names the figures have in the CSV and JSON, for the headers' tool
// tips.
const char* const kEngineerKeys[] = {
    "CutOffPct (Front)",      "CutOffPct (Rear)",      "Lead (Front)",       "Lead (Rear)",
    "lead angle (Front)",     "lead angle (Rear)",     "ReleasePct (Front)", "ReleasePct (Rear)",
    "CompressionPct (Front)", "CompressionPct (Rear)", "ValveTravel"};

} // namespace

TValveEvents::TValveEvents(Model& model, QWidget* parent)
    : ReportWindow(model, {"TValveEvents", "Valve Events", "Save Valve Events", "SaveEventsDialog"},
                   parent) {
    resize(1180, 720);
    const std::vector<std::string> header = engineerTableHeader();
    // The setting and its reverse-arm figure are the row headers, which stay
    // in view however far the figures scroll.
    table_ = makeReportTable("EventsTable", {header.begin() + 2, header.end()}, this);
    table_->verticalHeader()->setVisible(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    for (int c = 0; c < table_->columnCount(); ++c)
        table_->horizontalHeaderItem(c)->setToolTip(kEngineerKeys[c]);
    auto* note = new QLabel(kEventsUnitsNote, this);
    note->setObjectName("UnitsNote");
    note->setWordWrap(true);
    // Shown only for a gear with a geometry error, which the figures alone
    // would not tell.
    geometryNote_ = new QLabel(this);
    geometryNote_->setObjectName("GeometryNote");
    geometryNote_->setWordWrap(true);
    geometryNote_->setStyleSheet(QStringLiteral("color: #c00000"));
    geometryNote_->hide();

    listCaption_ = new QLabel(this);
    listCaption_->setObjectName("EventListCaption");
    eventList_ = makeReportTable("EventList", eventListHeader(), this);
    auto* edges = new QWidget(this);
    auto* edgesLayout = new QVBoxLayout(edges);
    edgesLayout->setContentsMargins(0, 0, 0, 0);
    edgesLayout->addWidget(listCaption_);
    edgesLayout->addWidget(eventList_);
    detail_ = makeReportTable("DetailTable", eventsTableHeader(), this);
    chart_ = new CutOffChartView(this);
    // The chart keeps its size; the tab scrolls it rather than taking the
    // table's room.
    auto* chartArea = new QScrollArea(this);
    chartArea->setObjectName("CutOffChartArea");
    chartArea->setWidget(chart_);
    chartArea->setBackgroundRole(QPalette::Base);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("DetailTabs");
    tabs_->addTab(edges, "Port edges of the chosen setting");
    tabs_->addTab(detail_, "Full detail: angles, admission, largest openings");
    tabs_->addTab(chartArea, "Cut-off chart");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls());
    layout->addWidget(note);
    layout->addWidget(geometryNote_);
    // The user may drag the border; the chart tab takes the room its
    // picture needs when it is chosen.
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName("EventsSplit");
    split->addWidget(table_);
    split->addWidget(tabs_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split);

    connect(table_, &QTableWidget::currentCellChanged, this,
            [this](int row) { showEventsOf(row); });
    connect(detail_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0) table_->setCurrentCell(row / 2, std::max(0, table_->currentColumn()));
    });
    connect(tabs_, &QTabWidget::currentChanged, this, [this, split](int tab) {
        if (tab == kChartTab) {
            const int chart = kCutOffChartSize.height + tabs_->tabBar()->height() + 8;
            const int total = split->height();
            if (split->sizes().value(1) < chart && total > chart)
                split->setSizes({total - chart, chart});
        }
        updateChart(false);
    });
    setTables({table_, detail_, eventList_});
}

void TValveEvents::setComparedGear(std::function<const Model*()> gearB) {
    gearB_ = std::move(gearB);
}

QImage TValveEvents::chartImage() const {
    return chart_->image();
}

void TValveEvents::recompute() {
    const Model& m = model();
    report_ = computeEvents(m, sweep() ? sweepSettings(m) : diagramPositionSettings(m));
    fillTables();
    updateChart(false);
}

void TValveEvents::watchTick() {
    updateChart(false);
}

void TValveEvents::fillTables() {
    const int current = std::max(0, table_->currentRow());
    const auto rows = engineerTableRows(report_);
    std::vector<std::vector<std::string>> figures;
    QStringList labels;
    for (size_t i = 0; i < rows.size(); ++i) {
        figures.emplace_back(rows[i].begin() + 2, rows[i].end());
        labels << QString::fromStdString(settingLabel(report_, report_.settings[i]));
    }
    fillReportRows(table_, figures);
    table_->setVerticalHeaderLabels(labels);
    fillReportRows(detail_, eventsTableRows(report_, true));
    const std::string geometry = geometryErrorNote(report_);
    geometryNote_->setText(QString::fromStdString(geometry));
    geometryNote_->setVisible(!geometry.empty());
    if (table_->rowCount() > 0)
        table_->setCurrentCell(std::min(current, table_->rowCount() - 1), 0);
    showEventsOf(table_->currentRow());
}

void TValveEvents::showEventsOf(int setting) {
    if (setting < 0 || static_cast<size_t>(setting) >= report_.settings.size()) {
        eventList_->setRowCount(0);
        listCaption_->clear();
        return;
    }
    const SettingEvents& s = report_.settings[static_cast<size_t>(setting)];
    listCaption_->setText(QStringLiteral("Port edges opening and closing at %1, in running order "
                                         "from driver angle 0 (driver angle %2)")
                              .arg(QString::fromStdString(settingLabel(report_, s)),
                                   s.forward ? "increasing" : "decreasing"));
    fillReportRows(eventList_, eventListRows(s));
}

// The chart costs 42 settings' events: it is drawn only while its tab is
// shown, and again only when A or B has changed.
void TValveEvents::updateChart(bool force) {
    if (!isVisible() || tabs_->currentIndex() != kChartTab) return;
    const Model& a = model();
    const Model* b = gearB_ ? gearB_() : nullptr;
    std::vector<Real> inputsA = eventsInputs(a), inputsB;
    if (b) inputsB = eventsInputs(*b);
    if (!force && chartDrawn_ && b == chartGearB_ && sameBits(inputsA, chartA_) &&
        sameBits(inputsB, chartB_))
        return;
    const CutOffChartGear gearA{a.DimSetName, computeCutOffCurve(a)};
    if (b) {
        const CutOffChartGear gearB{b->DimSetName, computeCutOffCurve(*b)};
        chart_->draw(gearA, &gearB);
    } else {
        chart_->draw(gearA, nullptr);
    }
    chartA_ = std::move(inputsA);
    chartB_ = std::move(inputsB);
    chartGearB_ = b;
    chartDrawn_ = true;
}

std::string TValveEvents::csvText() const {
    std::ostringstream csv;
    writeEventsCsv(report_, csv);
    return csv.str();
}

} // namespace corvellan
