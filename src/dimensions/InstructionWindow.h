#pragma once
// The two instruction windows of the "&Help" menu: a read-only text box that
// shows a plain text file shipped with the program. The file is read once,
// when the window is created; showing the window later never reloads it.

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

namespace corvellan {

// Where the instruction texts are looked up, in order: the working folder,
// the folder of the executable, the installed data folder beside it.
QStringList instructionFolders();

struct InstructionText {
    bool ok = false;
    QString text;  // the file's lines, joined by line feeds
    QString error; // "Error Loading <name>: <reason>" when not ok
};

// Reads `name` from the first of `folders` that holds it. Only a file found
// nowhere, or one found but not readable, is an error.
InstructionText readInstructionText(const QString& name, const QStringList& folders);

class InstructionWindow : public QDialog {
    Q_OBJECT
  public:
    // Creates the window and reads `fileName` from `folders`; when that fails
    // an error box says so (modally) and the text box keeps "Memo1".
    InstructionWindow(const char* name, const QString& title, const QString& fileName,
                      const QStringList& folders, QWidget* parent);

    QPlainTextEdit* memo() const { return memo_; }
    QString fileName() const { return fileName_; }
    bool loaded() const { return loaded_; }

  private:
    QPlainTextEdit* memo_;
    QString fileName_;
    bool loaded_ = false;
};

// "Instructions": instruct.doc.
class TInst : public InstructionWindow {
    Q_OBJECT
  public:
    explicit TInst(QWidget* parent = nullptr, const QStringList& folders = instructionFolders());
};

// "Corvellan Special Instructions": CvOSpIns.doc.
class TCvOSpInst : public InstructionWindow {
    Q_OBJECT
  public:
    explicit TCvOSpInst(QWidget* parent = nullptr,
                        const QStringList& folders = instructionFolders());
};

} // namespace corvellan
