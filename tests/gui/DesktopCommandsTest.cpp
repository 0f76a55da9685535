// The desktop conventions of the main window: its picture saved as PNG, SVG
// and PDF and printed, the pivot data table saved as CSV, dropped dimension
// files, the keyboard, and entry boxes under a decimal-comma locale.
#include "EditingTestSupport.h"

#include "diagrams/SineDiagram.h"
#include "main/DesktopCommands.h"
#include "main/DrivAngDialog.h"
#include "main/PictureCommands.h"
#include "main/PicturePrint.h"
#include "main/ReportTable.h"
#include "model/DiagramPositions.h"
#include "model/DimensionFile.h"
#include "model/DynVars.h"
#include "model/LocalTime.h"
#include "model/PivotDataTable.h"
#include "support/PictureFiles.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <QXmlStreamReader>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <sstream>

#include <sys/resource.h>

using namespace corvellan;
using namespace corvellan::test;

namespace {

std::string bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

// The texts of an SVG file's <text> elements; empty when it does not parse.
QStringList svgTexts(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QXmlStreamReader xml(&f);
    QStringList texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"text")
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    return xml.hasError() ? QStringList() : texts;
}

// The text a PDF reader takes from the file (poppler's pdftotext).
std::string pdfText(const QString& path) {
    std::string text;
    if (FILE* p = ::popen(("pdftotext '" + path.toStdString() + "' - 2>&1").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, p)) > 0;)
            text.append(buffer, n);
        ::pclose(p);
    }
    return text;
}

// While it lives, files this process writes may hold `bytes` at most: a disk
// that fills up. Writes past it fail with "File too large".
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved);
        previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
    }
    rlimit saved{};
    void (*previous)(int) = nullptr;
};

class DesktopTest : public EditingTest {
  protected:
    QString path(const char* name) const { return QDir(dir.path()).filePath(name); }
    DesktopCommands& desktop() const {
        return *window->findChild<DesktopCommands*>("DesktopCommands");
    }

    // A step that types `file` into a file dialog's name box and accepts.
    static ModalScript::Step choose(const QString& file) {
        return [file](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr) << modal->objectName().toStdString();
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(file);
            QMetaObject::invokeMethod(dialog, "accept");
        };
    }
    static ModalScript::Step readBox(QString& text) {
        return [&text](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr) << modal->objectName().toStdString();
            text = box->text();
            box->button(QMessageBox::Ok)->click();
        };
    }

    // Drags `file` over the window and drops it there; returns whether the
    // window took the drag.
    bool drop(const QString& file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        const QPoint at(300, 250);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &dropped);
        return dropped.isAccepted();
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(DesktopTest, PictureSavesAsPngSvgAndPdfThatReadBack) {
    for (int i = 0; i < 3; ++i)
        window->tick();
    const QSize shown = window->centralWidget()->size();
    ModalScript script;
    QString refused;
    script.then(choose(path("frame.svg"))).then(choose(path("frame.bmp"))).then(readBox(refused));
    EXPECT_EQ(script.run([this] {
        action("SavePicture")->trigger();
        action("SavePicture")->trigger();
    }),
              3);
    EXPECT_TRUE(refused.contains(".png, .svg or .pdf")) << refused.toStdString();
    EXPECT_FALSE(QFile::exists(path("frame.bmp")));
    EXPECT_EQ(desktop().mainPicture().saveTo(path("frame.png")), "");
    EXPECT_EQ(desktop().mainPicture().saveTo(path("frame.pdf")), "");

    // The PNG is what the window shows, pixel for pixel.
    QImage png(path("frame.png"));
    ASSERT_EQ(png.size(), shown);
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32),
              window->picture().copy(QRect(QPoint(0, 0), shown)));
    // The SVG keeps the frame's figures as text.
    const QStringList texts = svgTexts(path("frame.svg"));
    // The frame the window shows: the angle it reached.
    const QString angle = QString::fromStdString(formatFixed(model.gear.DriverAngle, 1, 2));
    EXPECT_FALSE(
        texts.filter(QRegularExpression("^Driv Ang +" + QRegularExpression::escape(angle) + "$"))
            .isEmpty())
        << texts.join("|").toStdString();
    EXPECT_FALSE(texts.filter(QRegularExpression("^Piston %")).isEmpty());
    const std::string pdf = bytesOf(path("frame.pdf"));
    EXPECT_EQ(pdfPageCount(pdf), 1);
}

TEST_F(DesktopTest, SavesOnAFullDiskSayWhyAndKeepTheOldFile) {
    window->tick();
    model.gear.StepAngleSetting = 1; // a table of 361 rows
    const std::string old(3000, 'o');
    auto writeOld = [&](const char* name) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old.data(), static_cast<qint64>(old.size()));
    };
    // Through the window, as a user saves: the name (replacing the file,
    // without the dialog's own question), then the program's message.
    writeOld("frame.png");
    QString said;
    ModalScript script;
    script
        .then([this](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->setOption(QFileDialog::DontConfirmOverwrite);
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path("frame.png"));
            QMetaObject::invokeMethod(dialog, "accept");
        })
        .then(readBox(said));
    {
        const FileSizeLimit full(1000);
        EXPECT_EQ(script.run([this] { action("SavePicture")->trigger(); }), 2);
    }
    EXPECT_TRUE(said.contains("File too large")) << said.toStdString();
    EXPECT_EQ(bytesOf(path("frame.png")), old);

    // The other formats and the CSV writers of the windows.
    for (const char* name : {"frame.svg", "frame.pdf", "pivots.csv", "report.csv"}) {
        writeOld(name);
        QString why;
        {
            const FileSizeLimit full(1000);
            const std::string file = name;
            if (file == "pivots.csv")
                why = desktop().saveTableCsv(path(name));
            else if (file == "report.csv")
                saveReportText(path(name), std::string(5000, 'r'), &why);
            else
                why = desktop().mainPicture().saveTo(path(name));
        }
        EXPECT_TRUE(why.contains("File too large")) << name << ": " << why.toStdString();
        EXPECT_EQ(bytesOf(path(name)), old) << name;
    }
    // No temporary file left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 5);
}

TEST_F(DesktopTest, PdfTextsReadAsWholeWordsSavedAndPrinted) {
    Picture sine;
    sine.size = QSize(632, 426);
    model.gear.RevArmPositions[2] = -1.5f; // "Fwd 2"
    refreshDiagramPositions(model);
    sine.draw = [this](Canvas& c) { drawSineDiagram(model, c); };
    ASSERT_EQ(writePictureFile(path("sine.pdf"), sine), "");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path("printed.pdf"));
    ASSERT_TRUE(printPicture(printer, sine, "Sine Diagram"));
    for (const char* file : {"sine.pdf", "printed.pdf"}) {
        const std::string text = pdfText(path(file));
        EXPECT_NE(text.find("Fwd 2"), std::string::npos) << file << ":\n" << text;
        EXPECT_NE(text.find("Driver Clockwise Rotation"), std::string::npos) << file;
    }
}

TEST_F(DesktopTest, PrintsToAPdfFileThroughThePrintDialog) {
    window->tick();
    QPrinter& printer = desktop().mainPicture().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path("printed.pdf"));
    QString dialogName;
    ModalScript script;
    script.then([&dialogName](QWidget* modal) {
        dialogName = modal->objectName();
        QMetaObject::invokeMethod(modal, "accept");
    });
    // Ctrl+P, as a user presses it.
    EXPECT_EQ(script.run([this] { QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier); }),
              1);
    EXPECT_EQ(dialogName, "PrintDialog");
    EXPECT_EQ(pdfPageCount(bytesOf(path("printed.pdf"))), 1);
}

TEST_F(DesktopTest, PrintedPageIsTurnedToThePictureAndDatedWhenPrinted) {
    window->tick();
    // The window's caption is a second older than the printing.
    QTest::qWait(1100);
    std::string date, before, after;
    localDateTime(date, before);
    QPrinter& printer = desktop().mainPicture().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path("printed.pdf"));
    printer.setPageOrientation(QPageLayout::Portrait);
    ModalScript script;
    script.then([](QWidget* modal) { QMetaObject::invokeMethod(modal, "accept"); });
    EXPECT_EQ(script.run([this] { action("PrintPicture")->trigger(); }), 1);
    localDateTime(date, after);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    const std::string pdf = bytesOf(path("printed.pdf"));
    const std::size_t box = pdf.find("/MediaBox [");
    ASSERT_NE(box, std::string::npos);
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    std::istringstream(pdf.substr(box + 11, 80)) >> x0 >> y0 >> x1 >> y1;
    EXPECT_GT(x1 - x0, y1 - y0) << pdf.substr(box, 60);
    const std::string text = pdfText(path("printed.pdf"));
    EXPECT_TRUE(text.find(before) != std::string::npos || text.find(after) != std::string::npos)
        << before << " " << text.substr(0, 200);
}

TEST_F(DesktopTest, PrintedPageHasTheCaptionAboveTheWholePictureInItsShape) {
    Picture picture;
    picture.size = QSize(632, 380);
    picture.draw = [](Canvas& c) {
        c.setPen(colours::Red, 1);
        c.line(0, 0, 631, 379);
    };
    QImage page(800, 1000, QImage::Format_RGB32);
    page.fill(Qt::white);
    ASSERT_TRUE(printPicture(page, picture, "Nominal     01/02/03"));
    // The ink below the caption band: the picture's frame, as wide as the
    // page, as high as the picture's shape makes it.
    auto inked = [&page](int y) {
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) != qRgb(255, 255, 255)) return true;
        return false;
    };
    int top = 0;
    while (top < page.height() && !inked(top))
        ++top; // above the caption
    ASSERT_LT(top, 40);
    while (top < page.height() && inked(top))
        ++top; // the caption
    while (top < page.height() && !inked(top))
        ++top;
    int bottom = page.height() - 1;
    while (bottom > top && !inked(bottom))
        --bottom;
    EXPECT_NEAR(bottom - top + 1, 800.0 * 380 / 632, 2);
    EXPECT_EQ(QColor(page.pixel(400, top + (bottom - top) / 2)).red(), 255); // the diagonal
}

TEST_F(DesktopTest, TableCsvParsesBackToTheTablesNumbers) {
    const int pivots[] = {2, 3, 5, 6, 7, 18};
    for (int k = 1; k <= 6; ++k)
        model.pivotData.slotPivot[k] = static_cast<Real>(pivots[k - 1]);
    model.gear.StepAngleSetting = 45;
    model.gear.RevArmPos = -1.1f;
    ModalScript script;
    script.then(choose(path("pivots")));
    EXPECT_EQ(script.run([this] { action("SaveCsv")->trigger(); }), 1);

    std::istringstream csv(bytesOf(path("pivots.csv")));
    std::istringstream table(buildPivotDataTable(model, "d", "t"));
    std::string csvLine, tableLine;
    std::getline(csv, csvLine);
    EXPECT_EQ(csvLine.rfind("angle,slot1_vert,slot1_horz,", 0), 0u) << csvLine;
    for (int i = 0; i < 4; ++i)
        std::getline(table, tableLine);
    int rows = 0;
    while (std::getline(csv, csvLine)) {
        ASSERT_TRUE(std::getline(table, tableLine));
        std::istringstream fields(csvLine), shownRow(tableLine);
        std::string field;
        int column = 0;
        for (double shownValue; shownRow >> shownValue; ++column) {
            ASSERT_TRUE(std::getline(fields, field, ',')) << csvLine;
            // The table rounds to 2 (angle) or 3 decimals.
            EXPECT_NEAR(std::stod(field), shownValue, 0.0005 + 1e-9) << rows << " " << column;
        }
        EXPECT_EQ(column, 13);
        ++rows;
    }
    EXPECT_EQ(rows, 9);
}

TEST_F(DesktopTest, DroppedDimensionFileOpensAsOpenDimensionsDoes) {
    Model other;
    initialiseModel(other);
    other.frame.MainRod = 11.5f;
    ASSERT_TRUE(saveDimensionFile(other, path("dropped.dco").toStdString()).ok);
    QFile(path("notes.txt")).open(QIODevice::WriteOnly);
    QFile(path("empty.dco")).open(QIODevice::WriteOnly);

    EXPECT_FALSE(drop(path("notes.txt")));
    EXPECT_TRUE(drop(path("dropped.dco")));
    EXPECT_EQ(model.frame.MainRod, 11.5f);
    EXPECT_EQ(model.DimSetName, "dropped");

    // A file that cannot be read: the open command's report, nothing changed.
    QString report;
    ModalScript script;
    script.then(readBox(report));
    EXPECT_EQ(script.run([this] { drop(path("empty.dco")); }), 1);
    EXPECT_TRUE(report.contains("empty.dco")) << report.toStdString();
    EXPECT_EQ(model.DimSetName, "dropped");
}

TEST_F(DesktopTest, KeysRunAndStopOnThePictureUndoAndOpen) {
    QWidget* picture = window->centralWidget();
    ASSERT_EQ(button("Run")->text(), "Stop");
    // A click on the picture gives it the focus; Space then stops and runs.
    QTest::mouseClick(picture, Qt::LeftButton, Qt::NoModifier, QPoint(300, 300));
    ASSERT_TRUE(picture->hasFocus());
    QTest::keyClick(picture, Qt::Key_Space);
    EXPECT_EQ(button("Run")->text(), "Run");
    QTest::keyClick(picture, Qt::Key_Space);
    EXPECT_EQ(button("Run")->text(), "Stop");
    // Elsewhere Space is the focused control's own.
    bar("SBRevArm")->setFocus();
    QTest::keyClick(bar("SBRevArm"), Qt::Key_Space);
    EXPECT_EQ(button("Run")->text(), "Stop");

    // Ctrl+Z takes back the newest change, as "UnDo" does.
    RegisterDimension(model, DriverDiaCode, model.frame.DriverDia, "Driver Dia");
    action("DynamicVariables")->trigger();
    window->tick();
    clickPart(bar("SBDynVar1"), QStyle::SC_ScrollBarAddPage);
    ASSERT_EQ(shown(model.frame.DriverDia), "7.010");
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown(model.frame.DriverDia), "7.000");
    EXPECT_EQ(model.dyn.UndoCount, 0);

    QString opened;
    ModalScript script;
    script.then([&opened](QWidget* modal) {
        opened = modal->objectName();
        static_cast<QDialog*>(modal)->reject();
    });
    EXPECT_EQ(script.run([this] { QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier); }),
              1);
    EXPECT_EQ(opened, "OpenDialogWin");
}

TEST_F(DesktopTest, EntryBoxReadsAPointUnderADecimalCommaLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing (tools/setup.sh generates it)";
    QWidget* dialog = window->driverAngleDialog();
    whileModal([&] { action("DriverAng")->trigger(); },
               [&] {
                   auto* edit = dialog->findChild<QLineEdit*>();
                   edit->setFocus();
                   edit->clear();
                   QTest::keyClicks(edit, "12.5");
                   QTest::mouseClick(dialog->findChild<QPushButton*>("OK"), Qt::LeftButton);
               });
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(model.gear.DriverAngle, 12.5f);
}
