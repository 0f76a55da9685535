// A diagram window's picture saved as PNG, SVG and PDF, and its Ctrl+S.
#include "DiagramWindowTestSupport.h"

#include "diagramwindows/PortWindow.h"
#include "main/DesktopCommands.h"
#include "main/DiagramCommands.h"
#include "main/PictureCommands.h"
#include "support/PictureFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace corvellan;
using namespace corvellan::test;

TEST_F(DiagramWindowTest, PortPictureSavesAsPngSvgAndPdf) {
    QTemporaryDir dir;
    auto path = [&dir](const char* name) { return QDir(dir.path()).filePath(name); };
    TPortDia* ports = windows().ports;
    PictureCommands* commands =
        window->findChild<DesktopCommands*>("DesktopCommands")->diagramPicture(ports);
    ASSERT_NE(commands, nullptr);
    QImage shown;
    QString png, pdf;
    int ran = 0;
    whenModal(
        ports,
        [&] {
            model.diagrams.PortGraphMode = 'B';
            ports->findChild<QAction*>("ReDraw")->trigger();
            shown = ports->picture().copy(QRect(QPoint(0, 0), ports->pictureArea()->size()));
            png = commands->saveTo(path("ports.png"));
            pdf = commands->saveTo(path("ports.pdf"));
            // Ctrl+S asks for the name; the extension picks the format.
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                poll.stop();
                ++ran;
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path("ports.svg"));
                QMetaObject::invokeMethod(dialog, "accept");
            });
            poll.start(5);
            QTest::keyClick(ports, Qt::Key_S, Qt::ControlModifier);
            poll.stop();
            ports->close();
        },
        [&] { return inkIn(ports->picture(), QRect(0, 0, 632, 414)) > 0; });
    window->diagrams().openPorts();

    EXPECT_EQ(png, "");
    EXPECT_EQ(pdf, "");
    EXPECT_EQ(ran, 1);
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(QImage(path("ports.png")).convertToFormat(QImage::Format_RGB32), shown);
    QFile f(path("ports.pdf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdfPageCount(f.readAll().toStdString()), 1);
    // Both graphs, drawn again by their own code: both legends as text.
    QFile svg(path("ports.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_TRUE(text.contains(">Fwd.")) << text.left(400).toStdString();
    EXPECT_TRUE(text.contains(">Rev."));
}
