#include "main/MainWindow.h"

#include "main/ValveEventsWindow.h"

#include "main/ClientArea.h"
#include "main/Commands.h"
#include "main/Controls.h"
#include "main/DesktopCommands.h"
#include "main/DrivAngDialog.h"
#include "main/GraphZoomDialog.h"
#include "main/InspectionAids.h"
#include "main/DimensionCommands.h"
#include "main/DiagramCommands.h"
#include "main/DynVarControls.h"
#include "main/FileCommands.h"
#include "main/MotionControls.h"
#include "main/PanZoomControls.h"
#include "main/RevPosDialog.h"
#include "main/StepAngleDialog.h"
#include "main/ValveEventsCommand.h"
#include "main/CompareCommands.h"
#include "main/BalanceCommand.h"
#include "main/SteamCommands.h"
#include "main/StudyCommands.h"
#include "model/LocalTime.h"
#include "platform/QPainterCanvas.h"
#include "view/MechanismView.h"
#include "view/Tick.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>

#include <cmath>

namespace corvellan {

int refreshIntervalMs(const QScreen* screen) {
    qreal rate = screen ? screen->refreshRate() : 0;
    if (!(rate >= 1 && rate <= 1000)) rate = 60;
    return std::max(1, static_cast<int>(std::lround(1000.0 / rate)));
}

TMainForm::TMainForm(Model& model, SoundSink& sound, QWidget* parent)
    : QMainWindow(parent), m_(model), sound_(sound) {
    setObjectName("TMainForm");
    initialiseModel(m_);

    canvas_ = std::make_unique<QPainterCanvas>(kPictureWidth, kPictureHeight);
    canvas_->erase(colours::White);
    frame_ = std::make_unique<FrameState>();
    frame_->clock = localDateTime;

    client_ = new ClientArea([this]() -> const QImage& { return picture(); }, this);
    client_->setFont(serifFont(13, true, true));
    client_->resize(kClientWidth, kClientHeight);
    setCentralWidget(client_);

    panZoom_ = new PanZoomControls(m_, client_);
    motion_ = new MotionControls(m_, client_);
    DialogOpeners open;
    open.revArmPos = [this] { revPos_->exec(); };
    open.driverAngle = [this] { drivAng_->exec(); };
    open.stepAngle = [this] { stpAng_->exec(); };
    open.graphicZoom = [this] { graphZoom_->exec(); };
    commands_ = new CommandBar(m_, this, client_, *motion_, *panZoom_, open);
    connect(client_, &ClientArea::resized, this,
            [this](QSize size) { commands_->toolBar()->resize(size.width(), 24); });
    files_ = new FileCommands(m_, this, *commands_, *motion_);
    dynVars_ = new DynVarControls(m_, this, client_, *commands_,
                                  client_->findChild<QScrollBar*>("SBRevArm"));

    // The dialogs exist from start-up on and are reused, created in the order
    // the program has always created its windows.
    drivAng_ = new TDrivAng(m_, *motion_, this);
    revPos_ = new TRevPos(m_, *motion_, this);
    stpAng_ = new TStpAng(m_, *motion_, this);
    dimensions_ = new DimensionCommands(m_, this, {*commands_, *motion_, *panZoom_, *dynVars_});
    graphZoom_ = new TGraphZoom(m_, this);
    // Also the main window's mouse-down handler, which ends a close-up.
    inspection_ = new InspectionAids(m_, sound_, *frame_, this, client_, *commands_);
    files_->setOverlayRefill([this] { inspection_->refillOverlayRows(); });
    // The diagram windows stop the animation while they are shown.
    diagrams_ = new DiagramCommands(
        m_, this, *commands_, [this](bool run) { run ? timer_->start() : timer_->stop(); },
        [this] { dynVars_->followSwitch(); }, frame_->clock);
    valveEvents_ = new ValveEventsCommand(m_, this, *commands_);
    compare_ = new CompareCommands(m_, this, *diagrams_);
    valveEvents_->window()->setComparedGear([this] { return compare_->gearB(); });
    balance_ = new BalanceCommand(m_, this, *motion_);
    studies_ = new StudyCommands(m_, this);
    steam_ = new SteamCommands(m_, this, *commands_, *files_,
                               [this] { return compare_->gearB(); });

    // Picture export and printing, shortcuts, dropped files: added last,
    // over the finished windows.
    new DesktopCommands(m_, *this);

    setWindowTitle("CORVELLAN Outside Admission");
    placeOnScreen();

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(refreshIntervalMs(screen()));
    connect(timer_, &QTimer::timeout, this, &TMainForm::tick);
    timer_->start();
}

TMainForm::~TMainForm() = default;

const QImage& TMainForm::picture() const {
    return canvas_->image();
}

void TMainForm::placeOnScreen() {
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    if (const QScreen* s = screen()) {
        QRect free = s->availableGeometry();
        move(free.center() - QPoint(width() / 2, height() / 2));
    }
}

void TMainForm::tick() {
    runTick(m_, *frame_, *canvas_, sound_);
    applyWindowRequests();
    inspection_->afterTick(*frame_);
    client_->update();
}

void TMainForm::applyWindowRequests() {
    const WindowRequests& r = frame_->window;
    commands_->setErrorShown(r.errorItemVisible);
    dynVars_->applyWindowRequests(r);
    dimensions_->applyWindowRequests(r);
    const QString caption = QString::fromStdString(frame_->captions.main);
    if (!caption.isEmpty() && caption != windowTitle()) setWindowTitle(caption);
    if (r.waitCursor != (client_->cursor().shape() == Qt::WaitCursor))
        client_->setCursor(r.waitCursor ? Qt::WaitCursor : Qt::ArrowCursor);
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) motion_->windowActivated();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (dimensionsModified(m_) && !confirmLeaving()) {
        event->ignore();
        return;
    }
    timer_->stop();
    QMainWindow::closeEvent(event);
}

// Dimensions changed since they were opened or saved are the user's work:
// leaving asks first. True when the window may close.
bool TMainForm::confirmLeaving() {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("CORVELLAN Outside Admission"),
                    QStringLiteral("The dimensions of \"%1\" have changed since they were "
                                   "opened or saved. Save them before leaving?")
                        .arg(QString::fromStdString(m_.DimSetName)),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName("LeaveUnsaved");
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save: return files_->saveAsDimensions();
    case QMessageBox::Discard: return true;
    default: return false;
    }
}

} // namespace corvellan
