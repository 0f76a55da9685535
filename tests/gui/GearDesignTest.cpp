// Designing a gear through the windows alone: the dimension dialogs opened
// from the menus and the tool bar, the dynamic-variable bars, undo, the file
// dialogs, and the dimension close-up's round trip.

#include "EditingTestSupport.h"

#include "dimensions/CylDimDialog.h"
#include "dimensions/FrameDimDialog.h"
#include "main/DimensionCommands.h"
#include "model/DimensionFile.h"
#include "model/DynVars.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <fstream>

using namespace corvellan;
using namespace corvellan::test;

namespace {

// What `corvellan solve --json --dims FILE` prints.
QByteArray solveJson(const QString& file) {
    QProcess run;
    run.start(QString::fromUtf8(CORVELLAN_BINARY), {"solve", "--json", "--dims", file});
    EXPECT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    return run.readAllStandardOutput();
}

QByteArray solveNominalJson() {
    QProcess run;
    run.start(QString::fromUtf8(CORVELLAN_BINARY), {"solve", "--json"});
    EXPECT_TRUE(run.waitForFinished(30000));
    return run.readAllStandardOutput();
}

ModalScript::Step chooseFile(const QString& file) {
    return [file](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(file);
        QMetaObject::invokeMethod(dialog, "accept");
    };
}

void saveThroughDialog(QAction* saveAs, const QString& file) {
    ModalScript script;
    script.then(chooseFile(file));
    EXPECT_EQ(script.run([saveAs] { saveAs->trigger(); }), 1);
}

} // namespace

TEST_F(EditingTest, TypedDimensionsLandInTheModelThroughTheMenus) {
    click("Fwd");
    ModalScript frame;
    frame.then([](QWidget* d) {
        EXPECT_EQ(d->objectName(), "TFrameDi");
        typeIntoBox(d, 3, "-90");   // Eccentric Crank Angle
        typeIntoBox(d, 4, "1.2.5"); // Main Rod: the second "." is refused
        typeIntoBox(d, 11, "0.3");  // Link Pivot Horz
        clickClose(d);
    });
    EXPECT_EQ(throughMenu("FrameDim", frame), 1);
    EXPECT_EQ(shown(model.frame.EccCrankAngleDeg), "270.000");
    EXPECT_EQ(model.frame.MainRod, 1.25f);
    EXPECT_EQ(model.pivots.X[8], 0.3f);
    EXPECT_EQ(model.pivots.X[9], 0.3f);
    // Three boxes typed in: three undo entries, newest first in the list.
    EXPECT_EQ(model.dyn.UndoCount, 3);
    EXPECT_EQ(model.dyn.slots[1].name, "Link Pivot Horz");
    EXPECT_EQ(model.dyn.slots[3].name, "Ecc Crank Angle Deg");
    // "Close" put the reverse arm at the new mid gear.
    EXPECT_EQ(model.gear.RevArmPos, model.gear.RevArmCen());
    EXPECT_EQ(bar("SBRevArm")->value(), 0);

    ModalScript cylinder;
    cylinder.then([](QWidget* d) {
        EXPECT_EQ(d->objectName(), "TCylDimen");
        typeIntoBox(d, 1, "0.5"); // Cylinder CL above Driver: pivots 3 and 4 rise
        clickClose(d);
    });
    const Real y4 = model.pivots.Y[4];
    EXPECT_EQ(cylinder.run([this] { action("ToolCylDim")->trigger(); }), 1);
    EXPECT_EQ(model.pivots.Y[3], 0.5f);
    EXPECT_FLOAT_EQ(model.pivots.Y[4], y4 + 0.5f);
    EXPECT_EQ(model.dyn.slots[1].name, "Cyl CL above Driver ctr");
}

TEST_F(EditingTest, ReverseArmLimitsTypedInTheFrameDialogMoveTheScrollBar) {
    ModalScript frame;
    frame.then([](QWidget* d) {
        typeIntoBox(d, 13, "2.5"); // Rev Arm to Cent Max
        clickClose(d);
    });
    EXPECT_EQ(throughMenu("FrameDim", frame), 1);
    EXPECT_EQ(bar("SBRevArm")->maximum(), 2500);
    EXPECT_EQ(bar("SBRevArm")->minimum(), -2500);
    EXPECT_EQ(model.dyn.UndoCount, 0); // the limits keep no undo

    // Reset from the dialog: the nominal range comes back at once.
    ModalScript reset;
    reset.then([](QWidget* d) {
        QTest::mouseClick(static_cast<DimensionDialog*>(d)->resetButton(), Qt::LeftButton);
        clickClose(d);
    });
    EXPECT_EQ(throughMenu("FrameDim", reset), 1);
    EXPECT_EQ(bar("SBRevArm")->maximum(), model.gear.RevArmScrollMax);
    EXPECT_LT(model.gear.RevArmScrollMax, 2500);
}

TEST_F(EditingTest, CloseUpClosesTheDialogAndOpensItAgain) {
    const ViewTransform before = model.view.current;
    QWidget* reopened = nullptr;
    bool closedDuringCloseUp = false;
    ModalScript script;
    script.then([this](QWidget* d) {
        // The small button of "Driver Diameter"; the next frame closes the dialog.
        QTest::mouseClick(static_cast<DimensionDialog*>(d)->smallButton(0), Qt::LeftButton);
        window->tick();
    });
    script.then([&](QWidget* d) {
        reopened = d;
        clickClose(d);
    });
    const int steps = script.run([&] {
        action("ToolFrameDim")->trigger();
        // Back here once the close-up has closed the dialog.
        closedDuringCloseUp = !window->dimensions().frameDialog()->isVisible();
        EXPECT_EQ(model.view.SelectedDimCode, 1);
        window->tick();
        EXPECT_NE(model.view.current.ViewScale, before.ViewScale); // zoomed in
        EXPECT_EQ(window->centralWidget()->cursor().shape(), Qt::WaitCursor);
        // A click in the picture ends the close-up on the next frame.
        QTest::mouseClick(window->centralWidget(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(600, 340));
        window->tick();
    });
    EXPECT_EQ(steps, 2);
    EXPECT_TRUE(closedDuringCloseUp);
    EXPECT_EQ(reopened, static_cast<QWidget*>(window->dimensions().frameDialog()));
    EXPECT_EQ(model.view.SelectedDimCode, 0);
    EXPECT_EQ(model.view.current.ViewScale, before.ViewScale);
    EXPECT_EQ(model.view.current.ViewOffsetX, before.ViewOffsetX);
    EXPECT_EQ(window->centralWidget()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(EditingTest, HelpMenuOpensTheInstructionsAndTheAboutBox) {
    QStringList titles;
    QString text;
    ModalScript script;
    auto note = [&](QWidget* d) {
        titles << d->windowTitle();
        static_cast<QDialog*>(d)->reject();
    };
    script.then([&](QWidget* d) {
        if (auto* memo = d->findChild<QPlainTextEdit*>("Memo1")) text = memo->toPlainText();
        note(d);
    });
    script.then(note).then(note);
    EXPECT_EQ(script.run([this] {
        action("Instructions")->trigger();
        action("SpecInstr")->trigger();
        action("About1")->trigger();
    }),
              3);
    EXPECT_EQ(titles, QStringList({"Instructions", "Corvellan Special Instructions",
                                   "About These Programs"}));
    EXPECT_GT(text.size(), 1000); // the guide itself, not "Memo1"
}

// A gear designed in the windows alone, saved and opened again in a fresh
// program, solves exactly as the state in memory did before it was saved.
TEST_F(EditingTest, DesignedGearSurvivesSaveAndReopenInAFreshProgram) {
    QTemporaryDir dir;
    const QString saved = QDir(dir.path()).filePath("designed.dco");
    const QString memory = QDir(dir.path()).filePath("memory.dco");
    const QString resaved = QDir(dir.path()).filePath("resaved.dco");

    ModalScript frame;
    frame.then([](QWidget* d) {
        typeIntoBox(d, 0, "6.5");    // Driver Diameter
        typeIntoBox(d, 1, "2.75");   // Stroke
        typeIntoBox(d, 2, "0.9");    // Eccentric Crank Circle
        typeIntoBox(d, 3, "365");    // Eccentric Crank Angle: 5.000
        typeIntoBox(d, 10, "-0.25"); // Link Pivot Vert
        clickClose(d);
    });
    EXPECT_EQ(throughMenu("FrameDim", frame), 1);
    EXPECT_EQ(shown(model.frame.EccCrankAngleDeg), "5.000");
    ModalScript cylinder;
    cylinder.then([](QWidget* d) {
        typeIntoBox(d, 8, "1.875");  // Valve Stem CL to Cyl CL
        typeIntoBox(d, 17, "0.625"); // Valve Length Rear Half
        clickClose(d);
    });
    EXPECT_EQ(throughMenu("CylDim", cylinder), 1);

    // Tune with the bars: slot 1 is the valve length, slot 2 the stem line.
    action("DynamicVariables")->trigger();
    action("SetUnDo")->trigger();
    window->tick();
    for (int i = 0; i < 3; ++i)
        clickPart(bar("SBDynVar1"), QStyle::SC_ScrollBarAddPage);
    clickPart(bar("SBDynVar2"), QStyle::SC_ScrollBarSubLine);
    clickPart(bar("SBDynVar4"), QStyle::SC_ScrollBarAddLine); // the eccentric angle
    click("UnDoDn");                                          // not that one after all
    EXPECT_EQ(shown(model.cyl.ValveLengthRearHalf), "0.655");
    EXPECT_EQ(shown(model.cyl.ValveStemCLToCylCL), "1.874");
    EXPECT_EQ(shown(model.frame.EccCrankAngleDeg), "5.000");

    // The state in memory, written straight from the model, and the file
    // saved through the dialog.
    {
        const std::vector<unsigned char> bytes = encodeDimRecords(buildDimensionRecords(model));
        std::ofstream out(memory.toStdString(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }
    saveThroughDialog(action("SaveAsDimensions"), saved);
    const QByteArray expected = solveJson(memory);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_NE(expected, solveNominalJson());
    EXPECT_EQ(solveJson(saved), expected);

    // A fresh program opens the file and saves it again.
    window.reset();
    Model fresh;
    CountingSound quiet;
    TMainForm second(fresh, quiet);
    second.timer()->stop();
    second.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));
    ModalScript open;
    open.then(chooseFile(saved));
    EXPECT_EQ(open.run([&] { second.findChild<QAction*>("OpenDimensions")->trigger(); }), 1);
    EXPECT_EQ(fresh.DimSetName, "designed");
    saveThroughDialog(second.findChild<QAction*>("SaveAsDimensions"), resaved);
    EXPECT_EQ(solveJson(resaved), expected);
}
