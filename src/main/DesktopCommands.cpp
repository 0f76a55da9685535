#include "main/DesktopCommands.h"

#include "diagramwindows/OvalWindow.h"
#include "diagramwindows/PortWindow.h"
#include "diagramwindows/SineWindow.h"
#include "diagramwindows/SteamWindow.h"
#include "main/CommandPlacement.h"
#include "main/DataTableWindow.h"
#include "main/DiagramCommands.h"
#include "main/FileCommands.h"
#include "main/InspectionAids.h"
#include "main/MainWindow.h"
#include "main/MotionControls.h"
#include "main/PictureCommands.h"
#include "model/CsvFile.h"
#include "model/PivotDataTable.h"
#include "view/MechanismView.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>

#include <memory>

namespace corvellan {

namespace {

const QString kTitle = QStringLiteral("CORVELLAN Outside Admission");

// The main window's picture as the window shows it: the frame as far as the
// client area reaches. Its vectors come from drawing the last frame again on
// copies of the model and the frame state, so the running gear is untouched.
Picture mechanismPicture(const Model& m, TMainForm& window) {
    const QImage& frame = window.picture();
    Picture p;
    p.size = window.centralWidget()->size().boundedTo(frame.size());
    p.title = kTitle;
    p.pixels = [image = frame.copy(QRect(QPoint(0, 0), p.size))] { return image; };
    auto model = std::make_shared<Model>(m);
    auto state = std::make_shared<FrameState>(window.frame());
    p.draw = [model, state](Canvas& c) {
        SilentSound silence;
        renderFrame(*model, *state, c, silence);
    };
    return p;
}

Picture shownDiagram(DiagramWindow* w) {
    Picture p;
    p.size = w->pictureArea()->size().boundedTo(w->picture().size());
    p.title = w->windowTitle();
    p.pixels = [image = w->picture().copy(QRect(QPoint(0, 0), p.size))] { return image; };
    p.draw = [w](Canvas& c) { w->drawDiagramOn(c); };
    return p;
}

void reportFailure(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Critical, kTitle, message, QMessageBox::Ok, parent);
    box.setObjectName("FileError");
    box.exec();
}

} // namespace

DesktopCommands::DesktopCommands(Model& model, TMainForm& window)
    : QObject(&window), m_(model), window_(window) {
    setObjectName("DesktopCommands");
    addMainWindowCommands();
    addShortcuts();
    addPivotPathsToggle();
    const DiagramWindows& w = window.diagrams().windows();
    for (DiagramWindow* d :
         {static_cast<DiagramWindow*>(w.sine), static_cast<DiagramWindow*>(w.oval),
          static_cast<DiagramWindow*>(w.steam), static_cast<DiagramWindow*>(w.ports)})
        if (d) addDiagramCommands(d);
    addTableCommands();

    // Dropped dimension files open as "&OpenDimensions" opens them.
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    // Space runs and stops the gear while the picture has the focus, which a
    // click on it gives.
    picture_ = window.centralWidget();
    picture_->setFocusPolicy(Qt::ClickFocus);
    picture_->installEventFilter(this);
}

void DesktopCommands::addMainWindowCommands() {
    mainPicture_ = new PictureCommands(
        &window_, [this] { return mechanismPicture(m_, window_); },
        [this] {
            // The time of printing, whether or not the picture runs.
            FrameState now;
            buildCaptions(m_, now);
            return QString::fromStdString(now.captions.main);
        });
    QMenu* file = window_.findChild<QMenu*>("File1");
    if (!file) return;
    // After the dimension-file commands, in a group of their own before "E&xit".
    QAction* exit = findNamedAction(file->actions(), "Exit1");
    const QList<QAction*> items = file->actions();
    const int at = exit ? static_cast<int>(items.indexOf(exit)) : -1;
    QAction* before = at > 0 && items[at - 1]->isSeparator() ? items[at - 1] : exit;
    insertMenuSeparator(file, before);
    file->insertAction(before, mainPicture_->saveAction());
    file->insertAction(before, mainPicture_->printAction());
}

void DesktopCommands::addShortcuts() {
    // The keys themselves, not the platform's standard keys: some desktops
    // define no "save as" or "quit" key, and the user guide names these.
    const struct {
        const char* action;
        const char* key;
    } kKeys[] = {{"OpenDimensions", "Ctrl+O"},
                 {"SaveAsDimensions", "Ctrl+Shift+S"},
                 {"Exit1", "Ctrl+Q"},
                 {"Instructions", "F1"}};
    for (const auto& k : kKeys)
        if (auto* action = window_.findChild<QAction*>(k.action))
            action->setShortcut(QKeySequence(QString::fromLatin1(k.key)));
    auto* undo = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Z")), &window_);
    undo->setObjectName("UndoShortcut");
    connect(undo, &QShortcut::activated, this,
            [this] { this->undo(window_.findChild<QPushButton*>("UnDoDn")); });
}

void DesktopCommands::addPivotPathsToggle() {
    QMenu* setUp = window_.findChild<QMenu*>("SetUp");
    if (!setUp) return;
    QAction* paths = insertMenuItem(setUp, "PivotPaths", QStringLiteral("Pivot Paths"), nullptr);
    paths->setCheckable(true);
    paths->setChecked(m_.pivotData.pathsShown);
    connect(paths, &QAction::toggled, this, [this](bool on) { m_.pivotData.pathsShown = on; });
}

void DesktopCommands::addDiagramCommands(DiagramWindow* w) {
    auto* commands = new PictureCommands(
        w, [w] { return shownDiagram(w); }, [w] { return w->captionNow(); });
    commands->saveAction()->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    w->menu()->addAction(commands->saveAction());
    w->menu()->addAction(commands->printAction());
    diagramPictures_.emplace_back(w, commands);
    auto* undo = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Z")), w);
    undo->setObjectName("UndoShortcut");
    connect(undo, &QShortcut::activated, this, [this, w] { this->undo(w->undoButton()); });
}

PictureCommands* DesktopCommands::diagramPicture(const DiagramWindow* window) const {
    for (const auto& [w, commands] : diagramPictures_)
        if (w == window) return commands;
    return nullptr;
}

void DesktopCommands::undo(QWidget* undoButton) {
    // As a click on the window's "UnDo" button, which is enabled exactly
    // while there is a change to take back.
    auto* button = qobject_cast<QPushButton*>(undoButton);
    if (button && button->isEnabled())
        button->click();
    else
        QApplication::beep();
}

void DesktopCommands::addTableCommands() {
    TDataTable* table = window_.inspection().dataTable();
    QMenuBar* bar = table ? table->findChild<QMenuBar*>() : nullptr;
    if (!bar) return;
    QAction* csv = bar->addAction(QStringLiteral("Save CS&V…"));
    csv->setObjectName("SaveCsv");
    csv->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    connect(csv, &QAction::triggered, this, &DesktopCommands::chooseTableCsv);
}

QString DesktopCommands::saveTableCsv(const QString& path) {
    const FileResult r = saveCsvText(QFile::encodeName(path).toStdString(), buildPivotDataCsv(m_));
    return r.ok ? QString() : QString::fromStdString(r.message);
}

void DesktopCommands::chooseTableCsv() {
    QWidget* table = window_.inspection().dataTable();
    QFileDialog dialog(table, QStringLiteral("Save CSV"));
    dialog.setObjectName("SaveCsvDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("CSV File (*.csv)"), QStringLiteral("All Files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString why = saveTableCsv(dialog.selectedFiles().first());
    if (!why.isEmpty()) reportFailure(table, why);
}

QString DesktopCommands::droppedDimensionFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().first();
    if (!url.isLocalFile()) return {};
    const QString path = url.toLocalFile();
    if (!path.endsWith(QStringLiteral(".dco"), Qt::CaseInsensitive) &&
        !path.endsWith(QStringLiteral(".oca"), Qt::CaseInsensitive))
        return {};
    return path;
}

bool DesktopCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (droppedDimensionFile(drag->mimeData()).isEmpty()) return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString path = droppedDimensionFile(drop->mimeData());
            if (path.isEmpty()) return false;
            drop->acceptProposedAction();
            window_.files().openPath(path, isDosDimensionPath(path));
            return true;
        }
        default:
            return false;
        }
    }
    if (watched == picture_ && event->type() == QEvent::KeyPress && picture_->hasFocus()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier &&
            !key->isAutoRepeat()) {
            window_.motion().runClicked();
            return true;
        }
    }
    return false;
}

} // namespace corvellan
