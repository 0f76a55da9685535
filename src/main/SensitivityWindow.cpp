#include "main/SensitivityWindow.h"

#include "main/Controls.h"

#include "diagrams/DesignSpacePictures.h"
#include "main/CanvasView.h"
#include "main/PictureCommands.h"
#include "main/StudyRunner.h"
#include "main/StudyWidgets.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvellan {

namespace {

enum { NameColumn, StepColumn, FirstFigureColumn };
constexpr int kSmoothColumn = FirstFigureColumn + kDesignFigures;

// A table that keeps its rows in their own order (dimensions, or strongest
// first) until the user picks a column to sort by, and keeps that column
// through later fills.
void keepOwnOrder(QTableWidget* t) {
    t->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
}

QStringList rateHeader() {
    QStringList h{"Dimension", "Step"};
    for (int f = 0; f < kDesignFigures; ++f)
        h << designFigureCaption(f);
    h << "Smooth"
      << "Stable"
      << "Halving %";
    return h;
}

} // namespace

TSensitivity::TSensitivity(Model& model, QWidget* parent)
    : QWidget(parent, Qt::Window), m_(model), controls_(new StudyControls) {
    setObjectName("TSensitivity");
    setWindowTitle("Sensitivity");
    setFont(sansFont(12)); // the program's own face, as every window has it
    resize(980, 700);

    setting_ = new QComboBox(this);
    setting_->setObjectName("SensitivitySetting");
    *controls_ = makeStudyControls(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Setting", this));
    top->addWidget(setting_, 1);
    top->addLayout(controls_->row, 1);

    table_ = makeStudyTable("SensitivityTable", rateHeader(), this);
    table_->horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::ResizeToContents);
    difference_ = new QLabel(this);
    difference_->setObjectName("CutOffDifference");
    difference_->setWordWrap(true);
    moves_ = makeStudyTable(
        "CutOffMoves",
        {"Dimension", "Rate of cut-off F - R %", "Move alone", "In balance bounds", "Smooth"},
        this);
    moves_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    keepOwnOrder(table_);
    keepOwnOrder(moves_);
    auto* ratesPage = new QWidget(this);
    auto* ratesLayout = new QVBoxLayout(ratesPage);
    ratesLayout->addWidget(table_, 3);
    ratesLayout->addWidget(difference_);
    ratesLayout->addWidget(moves_, 2);

    map_ = new CanvasView(this);
    map_->setObjectName("SensitivityMap");
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(map_);
    auto* save = new QPushButton(QStringLiteral("Save Picture…"), this);
    save->setObjectName("SaveSensitivityPicture");
    save->setAutoDefault(false);
    auto* mapPage = new QWidget(this);
    auto* mapLayout = new QVBoxLayout(mapPage);
    mapLayout->addWidget(scroll, 1);
    mapLayout->addWidget(save, 0, Qt::AlignLeft);

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName("SensitivityPages");
    tabs->addTab(ratesPage, "Rates");
    tabs->addTab(mapPage, "Colour map");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(controls_->status);
    layout->addWidget(tabs, 1);

    runner_ = new StudyRunner(controls_->progress, this);
    pictures_ = new PictureCommands(
        this, [this] { return map_->picture("Sensitivity"); },
        [] { return QString("Sensitivity"); });
    connect(runner_, &StudyRunner::finished, this, &TSensitivity::finish);
    connect(controls_->compute, &QPushButton::clicked, this, [this] { start(); });
    connect(controls_->cancel, &QPushButton::clicked, this, &TSensitivity::cancel);
    connect(save, &QPushButton::clicked, pictures_, &PictureCommands::savePicture);
    refill();
}

TSensitivity::~TSensitivity() {
    runner_->stop();
}

QLabel* TSensitivity::status() const {
    return controls_->status;
}

bool TSensitivity::running() const {
    return runner_->running();
}

void TSensitivity::refill() {
    if (running()) return;
    fillSettingChoice(setting_, m_);
}

bool TSensitivity::start() {
    if (running()) return false;
    copy_ = m_;
    options_ = SensitivityOptions{};
    options_.offsets = settingOffsets(copy_, {chosenSetting(setting_)});
    options_.threads = defaultThreadCount();
    controls_->status->setText("Computing the rates of the 36 dimensions...");
    runner_->start([this](StudyProgress& progress) {
        report_ = computeSensitivity(copy_, options_, &progress);
    });
    setRunning(true);
    return true;
}

void TSensitivity::cancel() {
    runner_->cancel();
}

void TSensitivity::finish() {
    setRunning(false);
    if (!runner_->failure().empty()) {
        controls_->status->setText(
            QString::fromStdString("Could not compute: " + runner_->failure() + "."));
        return;
    }
    if (runner_->stopped() || report_.stopped || report_.settings.empty()) {
        controls_->status->setText("Stopped: no rates.");
        return;
    }
    rates_ = report_.settings[0];
    haveResult_ = true;
    fill();
    controls_->status->setText(
        QString("Rates per unit of each dimension (per degree for the angle) at reverse arm %1 "
                "(%2), by central differences; %3 settings' events computed.")
            .arg(QString::fromStdString(formatFixed(rates_.revArmPos, 0, 5)), rates_.direction)
            .arg(report_.eventsComputed()));
}

void TSensitivity::fill() {
    table_->setSortingEnabled(false);
    table_->setRowCount(static_cast<int>(rates_.dimensions.size()));
    int row = 0;
    for (const DimensionRates& d : rates_.dimensions) {
        table_->setItem(row, NameColumn, dimensionItem(d.code));
        table_->setItem(row, StepColumn, new NumberItem(d.step, 6));
        for (int f = 0; f < kDesignFigures; ++f) {
            auto* item = new NumberItem(d.figures[f].rate, 4);
            if (d.figures[f].rate && !d.figures[f].smooth) {
                item->setBackground(QColor(255, 230, 160));
                item->setToolTip("Not smooth: the forward and backward differences disagree");
            }
            table_->setItem(row, FirstFigureColumn + f, item);
        }
        table_->setItem(row, kSmoothColumn, textItem(d.smooth() ? "yes" : "no"));
        table_->setItem(row, kSmoothColumn + 1, textItem(d.stable ? "yes" : "no"));
        table_->setItem(row, kSmoothColumn + 2, new NumberItem(100 * d.halvingChange, 3));
        ++row;
    }
    table_->setSortingEnabled(true);

    const Figure& diff = rates_.nominal[CutOffDifferenceFigure];
    difference_->setText(
        diff ? QString("Front minus rear cut-off: %1 %. Each dimension below would bring them "
                       "together alone by the linear estimate, strongest first:")
                   .arg(QString::fromStdString(formatFixed(*diff, 0, 3)))
             : QString("An end has no cut-off at this setting: nothing to bring together."));
    const std::vector<CutOffMove> moves = rankCutOffMoves(copy_, rates_);
    moves_->setSortingEnabled(false);
    moves_->setRowCount(static_cast<int>(moves.size()));
    row = 0;
    for (const CutOffMove& mv : moves) {
        moves_->setItem(row, 0, dimensionItem(mv.code));
        moves_->setItem(row, 1, new NumberItem(mv.rate, 4));
        moves_->setItem(row, 2, new NumberItem(mv.move, 5));
        moves_->setItem(row, 3, textItem(mv.withinBounds ? "yes" : "no"));
        moves_->setItem(row, 4, textItem(mv.smooth ? "yes" : "no"));
        ++row;
    }
    moves_->setSortingEnabled(true);

    const PictureSize size = sensitivityMapSize(rates_);
    map_->setPicture(QSize(size.width, size.height),
                     [this](Canvas& c) { drawSensitivityMap(rates_, c); });
}

void TSensitivity::setRunning(bool running) {
    controls_->compute->setEnabled(!running);
    controls_->cancel->setEnabled(running);
    setting_->setEnabled(!running);
}

void TSensitivity::closeEvent(QCloseEvent* event) {
    runner_->stop();
    setRunning(false);
    QWidget::closeEvent(event);
}

} // namespace corvellan
