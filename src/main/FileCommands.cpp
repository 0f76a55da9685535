#include "main/FileCommands.h"

#include "main/CommandPlacement.h"
#include "main/Commands.h"
#include "main/EditGlyphs.h"
#include "main/MotionControls.h"
#include "model/DimensionFile.h"
#include "model/OverlayDialog.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QToolBar>

namespace corvellan {

namespace {

// The name filters of the three dialogs. "All Files" matches every name, as
// the "*.*" of the earlier program did.
const QString kAllFiles = QStringLiteral("All Files (*)");

// Non-native dialogs, so every platform shows the same one and it can be
// driven like any other window.
void prepare(QFileDialog& dialog, const char* name, const QString& filter, const QString& suffix) {
    dialog.setObjectName(name);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({filter, kAllFiles});
    dialog.setDefaultSuffix(suffix);
    dialog.setSizeGripEnabled(true);
}

// The chosen file, or an empty text when the dialog was cancelled.
QString chosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace

bool isDosDimensionPath(const QString& path) {
    return path.endsWith(QStringLiteral(".oca"), Qt::CaseInsensitive);
}

FileCommands::FileCommands(Model& model, QMainWindow* window, CommandBar& commands,
                           MotionControls& motion)
    : QObject(window), m_(model), window_(window), motion_(motion) {
    buildCommands(commands);
}

void FileCommands::buildCommands(CommandBar& commands) {
    QMenu* file = window_->findChild<QMenu*>("File1");
    QAction* exit = file ? findNamedAction(file->actions(), "Exit1") : nullptr;
    if (file) {
        connect(insertMenuItem(file, "OpenDimensions", "&OpenDimensions", exit),
                &QAction::triggered, this, &FileCommands::openDimensions);
        connect(insertMenuItem(file, "OpenDosDimensions", "Open&DosDimensions", exit),
                &QAction::triggered, this, &FileCommands::openDosDimensions);
        connect(insertMenuItem(file, "SaveAsDimensions", "Save&AsDimensions", exit),
                &QAction::triggered, this, &FileCommands::saveAsDimensions);
        insertMenuSeparator(file, exit);
    }

    // The first buttons of the tool bar, then a separator.
    QToolBar* tools = commands.toolBar();
    QAction* first = tools->actions().value(0, nullptr);
    connect(insertToolButton(tools, "ToolOpenDimensions", editGlyph(EditGlyph::OpenFile),
                             "Open File: Dimensional Data", first),
            &QAction::triggered, this, &FileCommands::openDimensions);
    connect(insertToolButton(tools, "ToolSaveAsDimensions", editGlyph(EditGlyph::SaveFile),
                             "Save As: Dimensional Data", first),
            &QAction::triggered, this, &FileCommands::saveAsDimensions);
    insertToolSeparator(tools, first);
}

void FileCommands::openDimensions() {
    QFileDialog dialog(window_);
    prepare(dialog, "OpenDialogWin", QStringLiteral("Data File (*.dco)"), QStringLiteral("dco"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QString path = chosenFile(dialog);
    if (path.isEmpty()) {
        // The overlay dialog shows the table again even when nothing was read.
        refillOverlayRows();
        return;
    }
    openPath(path, false);
}

void FileCommands::openDosDimensions() {
    QFileDialog dialog(window_);
    prepare(dialog, "OpenDialogDos", QStringLiteral("Data File (*.oca)"), QStringLiteral("oca"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The earlier program let any name be typed; a missing file is reported
    // when it is read.
    dialog.setFileMode(QFileDialog::AnyFile);
    const QString path = chosenFile(dialog);
    if (!path.isEmpty()) openPath(path, true);
}

bool FileCommands::saveAsDimensions() {
    QFileDialog dialog(window_, QStringLiteral("Save As....."));
    prepare(dialog, "SaveDialog1", QStringLiteral("Data File (*.dco)"), QStringLiteral("dco"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Replacing an existing file is confirmed first (the dialog's default).
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    const QString path = chosenFile(dialog);
    if (path.isEmpty()) return false;
    const std::string file = QFile::encodeName(path).toStdString();
    const FileResult result = saveDimensionFile(m_, file);
    if (!result.ok) {
        reportFailure(result.message);
        return false;
    }
    if (saved_) saved_(file);
    return true;
}

bool FileCommands::openPath(const QString& path, bool dos) {
    const std::string file = QFile::encodeName(path).toStdString();
    const FileResult result = dos ? openDosDimensionFile(m_, file) : openDimensionFile(m_, file);
    if (!result.ok) {
        reportFailure(result.message);
        return false;
    }
    afterOpen();
    if (!dos) {
        // Rows of items the file leaves undefined end up blank.
        for (int k = 1; k <= kOverlayItems; ++k) {
            OverlayRowTexts& row = m_.overlayDialog.rows[k];
            row.type.clear();
            row.colour.clear();
            row.ref.clear();
        }
        markCurrentOverlayItem(m_);
        refillOverlayRows();
    }
    if (opened_) opened_(file);
    return true;
}

void FileCommands::afterOpen() {
    // Mid gear has been recomputed with the file's link; the reverse-arm bar
    // takes the file's range and returns to mid gear. The position is taken
    // before the range changes, which may move the bar on its own.
    const int position = roundToInt(
        (static_cast<Ext>(m_.gear.RevArmCen()) - static_cast<Ext>(m_.gear.RevArmPos)) * 1000);
    motion_.applyRevArmRange();
    motion_.setRevArmScroll(position);
}

void FileCommands::refillOverlayRows() {
    if (overlayRefill_)
        overlayRefill_();
    else
        corvellan::refillOverlayRows(m_);
}

void FileCommands::reportFailure(const std::string& message) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("CORVELLAN Outside Admission"),
                    QString::fromStdString(message), QMessageBox::Ok, window_);
    box.setObjectName("FileError");
    box.exec();
}

} // namespace corvellan
