#include "DialogDriver.h"

#include "dimensions/AboutBox.h"
#include "dimensions/InstructionWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

using namespace corvellan;
using namespace corvellan::test;

namespace {

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

// Closes the error box that window creation shows, and returns its text.
void closeErrorBoxLater(QString* text, bool* shown) {
    QTimer::singleShot(0, [text, shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *shown = true;
            *text = box->text();
            box->accept();
        }
    });
}

} // namespace

TEST(InstructionWindow, ShowsTheFirstCopyFoundInFolderOrder) {
    QTemporaryDir work, beside;
    writeFile(beside.filePath("instruct.doc"), "beside\n");
    writeFile(beside.filePath("CvOSpIns.doc"), "Special\r\nsecond line\n");
    TInst general(nullptr, {work.path(), beside.path()});
    EXPECT_TRUE(general.loaded());
    EXPECT_EQ(general.memo()->toPlainText(), "beside");

    writeFile(work.filePath("instruct.doc"), "working folder\nline 2\n");
    TInst again(nullptr, {work.path(), beside.path()});
    EXPECT_EQ(again.memo()->toPlainText(), "working folder\nline 2");
    EXPECT_TRUE(again.memo()->isReadOnly());
    EXPECT_TRUE(again.memo()->toolTip().isEmpty());
    EXPECT_EQ(again.windowTitle(), "Instructions");

    TCvOSpInst special(nullptr, {work.path(), beside.path()});
    EXPECT_EQ(special.memo()->toPlainText(), "Special\nsecond line");
    EXPECT_EQ(special.windowTitle(), "Corvellan Special Instructions");
}

TEST(InstructionWindow, FileFoundNowhereShowsOneErrorBoxAndKeepsMemo1) {
    QTemporaryDir empty;
    QString text;
    bool shown = false;
    closeErrorBoxLater(&text, &shown);
    TInst general(nullptr, {empty.path()});
    EXPECT_TRUE(shown);
    EXPECT_TRUE(text.startsWith("Error Loading instruct.doc: ")) << text.toStdString();
    EXPECT_GT(text.size(), QString("Error Loading instruct.doc: ").size());
    EXPECT_FALSE(general.loaded());
    EXPECT_EQ(general.memo()->toPlainText(), "Memo1");
}

TEST(InstructionWindow, AFolderOfThatNameIsNotTheFile) {
    QTemporaryDir work;
    QDir(work.path()).mkdir("CvOSpIns.doc");
    const InstructionText text = readInstructionText("CvOSpIns.doc", {work.path()});
    EXPECT_FALSE(text.ok);
    EXPECT_TRUE(text.error.startsWith("Error Loading CvOSpIns.doc: "));
}

TEST(InstructionWindow, BothTextsShipBesideTheProgram) {
    const QString folder = QFileInfo(QStringLiteral(CORVELLAN_BINARY)).absolutePath();
    for (const char* name : {"instruct.doc", "CvOSpIns.doc"}) {
        const InstructionText text = readInstructionText(name, {folder});
        ASSERT_TRUE(text.ok) << text.error.toStdString();
        EXPECT_GT(text.text.count('\n'), 100) << name;
    }
    if (qEnvironmentVariableIsSet("CORVELLAN_DIALOG_PNG")) {
        const QDir dir(qEnvironmentVariable("CORVELLAN_DIALOG_PNG"));
        TInst general(nullptr, {folder});
        general.grab().save(dir.filePath("instructions.png"));
        TAboutBox about;
        about.grab().save(dir.filePath("about.png"));
    }
}

TEST(AboutBox, NamesTheProgramAndItsVersion) {
    TAboutBox about;
    EXPECT_EQ(about.windowTitle(), "About These Programs");
    QStringList lines;
    for (QLabel* label : about.findChildren<QLabel*>())
        lines << label->text();
    EXPECT_TRUE(lines.contains("CORVELLAN Outside Admission"));
    EXPECT_TRUE(lines.contains("Version 2.6"));
}
