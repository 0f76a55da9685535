#include "dimensions/InstructionWindow.h"

#include "platform/DataFolders.h"
#include "platform/QPainterCanvas.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextStream>

namespace corvellan {

namespace {

constexpr int kClientWidth = 427;
constexpr int kClientHeight = 273;

InstructionText failure(const QString& name, const QString& reason) {
    InstructionText result;
    result.error = QStringLiteral("Error Loading ") + name + QStringLiteral(": ") + reason;
    return result;
}

} // namespace

QStringList instructionFolders() {
    QStringList folders{QDir::currentPath()};
    if (QCoreApplication::instance()) folders << QCoreApplication::applicationDirPath();
    const QString installed = installedDataFolder();
    if (!installed.isEmpty()) folders << installed;
    return folders;
}

InstructionText readInstructionText(const QString& name, const QStringList& folders) {
    QString path;
    for (const QString& folder : folders) {
        const QFileInfo info(QDir(folder), name);
        if (info.exists() && !info.isDir()) {
            path = info.filePath();
            break;
        }
    }
    if (path.isEmpty()) {
        // Let the platform describe the failure, as it would for any open.
        QFile missing(QDir(folders.value(0, QDir::currentPath())).filePath(name));
        missing.open(QIODevice::ReadOnly);
        const QString reason = missing.errorString();
        return failure(name, reason.isEmpty() ? QStringLiteral("file not found") : reason);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return failure(name, file.errorString());
    QTextStream in(&file);
    QStringList lines;
    while (!in.atEnd())
        lines << in.readLine();
    if (in.status() != QTextStream::Ok || file.error() != QFileDevice::NoError)
        return failure(name, file.errorString());
    InstructionText result;
    result.ok = true;
    result.text = lines.join(QLatin1Char('\n'));
    return result;
}

InstructionWindow::InstructionWindow(const char* name, const QString& title,
                                     const QString& fileName, const QStringList& folders,
                                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      fileName_(fileName) {
    setObjectName(name);
    setWindowTitle(title);
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);
    TextStyle style;
    style.pixelSize = 11;
    setFont(PainterCanvas::fontFor(style));

    memo_ = new QPlainTextEdit(QStringLiteral("Memo1"), this);
    memo_->setObjectName("Memo1");
    memo_->setReadOnly(true);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The file's name travels with the text box, but is never shown as a hint.
    memo_->setProperty("fileName", fileName);
    memo_->setGeometry(0, 0, kClientWidth, kClientHeight);

    const InstructionText text = readInstructionText(fileName, folders);
    loaded_ = text.ok;
    if (loaded_) {
        memo_->setPlainText(text.text);
    } else {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("CORVELLAN Outside Admission"),
                        text.error, QMessageBox::Ok, parent);
        box.setObjectName("InstructionError");
        box.exec();
    }
}

TInst::TInst(QWidget* parent, const QStringList& folders)
    : InstructionWindow("TInst", QStringLiteral("Instructions"), QStringLiteral("instruct.doc"),
                        folders, parent) {}

// The text box is kept inside the window so its scroll bar stays whole.
TCvOSpInst::TCvOSpInst(QWidget* parent, const QStringList& folders)
    : InstructionWindow("TCvOSpInst", QStringLiteral("Corvellan Special Instructions"),
                        QStringLiteral("CvOSpIns.doc"), folders, parent) {}

} // namespace corvellan
