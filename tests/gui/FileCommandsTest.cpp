#include "EditingTestSupport.h"

#include "main/DynVarControls.h"
#include "main/Gui.h"
#include "model/DimensionFile.h"
#include "model/DynVars.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstring>
#include <fstream>

using namespace corvellan;
using namespace corvellan::test;

namespace {

class FileCommandsTest : public EditingTest {
  protected:
    QString path(const char* name) const { return QDir(dir.path()).filePath(name); }

    // A step that picks `file` in a file dialog and accepts it.
    static ModalScript::Step choose(const QString& file) {
        return [file](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr) << modal->objectName().toStdString();
            // Typed into the name box, as a user does (the name box keeps
            // its text while it has the focus, whatever selectFile says).
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            name->setText(file);
            QMetaObject::invokeMethod(dialog, "accept");
        };
    }
    static void cancel(QWidget* modal) { static_cast<QDialog*>(modal)->reject(); }

    // The message box on top: its text, then OK.
    static ModalScript::Step readBox(QString& text, QMessageBox::StandardButton answer) {
        return [&text, answer](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr) << modal->objectName().toStdString();
            text = box->text();
            box->button(answer)->click();
        };
    }

    void saveAs(const QString& file) {
        ModalScript script;
        script.then(choose(file));
        EXPECT_EQ(script.run([this] { action("SaveAsDimensions")->trigger(); }), 1);
    }
    void open(const QString& file) {
        ModalScript script;
        script.then(choose(file));
        EXPECT_EQ(script.run([this] { action("OpenDimensions")->trigger(); }), 1);
    }

    static void writeRecords(const QString& file, const std::vector<DimRecord>& records) {
        std::vector<unsigned char> bytes = encodeDimRecords(records);
        std::ofstream out(file.toStdString(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }

    QTemporaryDir dir;
};

std::vector<unsigned char> image(const Model& m) {
    return encodeDimRecords(buildDimensionRecords(m));
}

} // namespace

TEST_F(FileCommandsTest, DialogsOfferTheirOwnKindOfFile) {
    QStringList seen;
    auto note = [&](QWidget* modal) {
        auto* d = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(d, nullptr);
        seen << d->objectName() + " " + d->windowTitle() + " " + d->nameFilters().join(";") + " " +
                    d->defaultSuffix();
        d->reject();
    };
    ModalScript script;
    script.then(note).then(note);
    EXPECT_EQ(script.run([this] {
        action("ToolSaveAsDimensions")->trigger();
        action("OpenDosDimensions")->trigger();
    }),
              2);
    EXPECT_EQ(seen.join("|").toStdString(),
              "SaveDialog1 Save As..... Data File (*.dco);All Files (*) dco|"
              "OpenDialogDos Open Data File (*.oca);All Files (*) oca");
}

// Every file dialog shows the style's standard icons; made anew for each
// dialog, their pixmaps took new keys in Qt's pixmap cache, which the Qt in
// use never lets go, so memory grew with every dialog opened.
TEST_F(FileCommandsTest, FileDialogsShareTheirIcons) {
    std::vector<qint64> icons;
    auto note = [&](QWidget* modal) {
        for (const char* button : {"backButton", "newFolderButton", "detailModeButton"}) {
            auto* b = modal->findChild<QToolButton*>(button);
            ASSERT_NE(b, nullptr) << button;
            icons.push_back(b->icon().cacheKey());
        }
        static_cast<QDialog*>(modal)->reject();
    };
    ModalScript script;
    script.then(note).then(note);
    EXPECT_EQ(script.run([this] {
        action("OpenDimensions")->trigger();
        action("SaveAsDimensions")->trigger();
    }),
              2);
    ASSERT_EQ(icons.size(), 6u);
    EXPECT_EQ(std::vector<qint64>(icons.begin(), icons.begin() + 3),
              std::vector<qint64>(icons.begin() + 3, icons.end()));
}

TEST_F(FileCommandsTest, SaveThenOpenRestoresTheWorkingState) {
    model.frame.MainRod = 11.5f;
    model.pivots.X[8] = model.pivots.X[9] = 0.5f;
    model.frame.RevArmToCentMax = 2.5f;
    model.view.presets[3] = ViewTransform{40, 100, 200};
    model.overlay.Type[2] = 1;
    model.overlay.X2[2] = 0.75f;
    model.overlay.CurrentOverlayItem = 2;
    const std::vector<unsigned char> saved = image(model);

    // No extension typed: the default one is added, and it names the set.
    saveAs(path("gear"));
    ASSERT_TRUE(QFile::exists(path("gear.dco")));
    EXPECT_EQ(QFile(path("gear.dco")).size(), 1380);
    EXPECT_EQ(model.DimSetName, "gear");

    action("ResetAll")->trigger();
    model.overlay.Type[2] = -1;
    click("Fwd");
    ASSERT_NE(bar("SBRevArm")->value(), 0);

    open(path("gear.dco"));
    EXPECT_EQ(model.DimSetName, "gear");
    EXPECT_EQ(model.frame.MainRod, 11.5f);
    EXPECT_EQ(model.pivots.X[9], 0.5f);
    EXPECT_EQ(model.view.presets[3].ViewScale, 40.0f);
    EXPECT_EQ(model.overlay.Type[2], 1.0f);
    EXPECT_EQ(model.overlay.CurrentOverlayItem, 2);
    // Mid gear follows the file's link, and the reverse arm stands there with
    // the file's range.
    EXPECT_EQ(bar("SBRevArm")->value(), 0);
    EXPECT_EQ(bar("SBRevArm")->maximum(), 2500);
    EXPECT_EQ(bar("SBRevArm")->minimum(), -2500);
    EXPECT_EQ(model.gear.RevArmPos, model.gear.RevArmCen());
    EXPECT_FALSE(button("Center")->isEnabled());
    // The draw-lines dialog's rows show the table again; the opened item is marked.
    EXPECT_EQ(model.overlayDialog.rows[2].type, "Circle");
    EXPECT_EQ(model.overlayDialog.markedItem, 2);
    // Saved again, the file is the same byte for byte as the state saved.
    saveAs(path("again.dco"));
    std::vector<unsigned char> again = image(model);
    EXPECT_EQ(saved.size(), again.size());
    // Only the reverse-arm setting and the three mid-gear positions are
    // recomputed on open.
    int differing = 0;
    for (std::size_t i = 0; i < saved.size(); i += 4)
        differing += std::memcmp(&saved[i], &again[i], 4) != 0;
    EXPECT_LE(differing, 4);
}

TEST_F(FileCommandsTest, ReplacingAFileIsConfirmedFirst) {
    saveAs(path("gear.dco"));
    const qint64 before = QFileInfo(path("gear.dco")).size();
    QFile::resize(path("gear.dco"), 20); // tell the files apart
    model.frame.Stroke = 3.5f;

    QString question;
    ModalScript refuse;
    refuse.then(choose(path("gear.dco"))).then(readBox(question, QMessageBox::No)).then(cancel);
    EXPECT_EQ(refuse.run([this] { action("SaveAsDimensions")->trigger(); }), 3);
    EXPECT_TRUE(question.contains("gear.dco")) << question.toStdString();
    EXPECT_EQ(QFileInfo(path("gear.dco")).size(), 20);

    ModalScript agree;
    agree.then(choose(path("gear.dco"))).then(readBox(question, QMessageBox::Yes));
    EXPECT_EQ(agree.run([this] { action("SaveAsDimensions")->trigger(); }), 2);
    EXPECT_EQ(QFileInfo(path("gear.dco")).size(), before);
}

TEST_F(FileCommandsTest, AFailedOpenChangesNothingAndSaysWhy) {
    // Fifteen records: one short of the dimensions and presets.
    std::vector<DimRecord> records = buildDimensionRecords(model);
    records.resize(15);
    for (DimRecord& r : records)
        r.field.fill(1.25f);
    writeRecords(path("short.dco"), records);
    model.frame.MainRod = 11.5f;
    click("Fwd");
    const std::vector<unsigned char> state = image(model);
    const int revArm = bar("SBRevArm")->value();
    model.overlayDialog.rows[4].type = "stale";

    QString report;
    ModalScript script;
    script.then(choose(path("short.dco"))).then(readBox(report, QMessageBox::Ok));
    EXPECT_EQ(script.run([this] { action("OpenDimensions")->trigger(); }), 2);
    EXPECT_TRUE(report.contains(path("short.dco"))) << report.toStdString();
    EXPECT_GT(report.size(), path("short.dco").size() + 12) << "no reason given";
    EXPECT_EQ(image(model), state);
    EXPECT_EQ(model.DimSetName, "Nominal");
    EXPECT_EQ(bar("SBRevArm")->value(), revArm);
    EXPECT_EQ(model.overlayDialog.rows[4].type, "stale"); // no refill after a failure

    // The same report for a file named at start-up.
    ModalScript atStart;
    atStart.then(readBox(report, QMessageBox::Ok));
    bool read = true;
    EXPECT_EQ(atStart.run([&] { read = openStartFile(*window, path("none.dco").toStdString()); }),
              1);
    EXPECT_FALSE(read);
    EXPECT_TRUE(report.contains(path("none.dco"))) << report.toStdString();
    EXPECT_EQ(image(model), state);
}

TEST_F(FileCommandsTest, OpenInsistsOnAnExistingFile) {
    QString warning;
    ModalScript script;
    script.then(choose(path("missing.dco")))
        .then(readBox(warning, QMessageBox::Ok)) // the dialog's own warning
        .then(cancel);
    model.overlay.Type[3] = 0;
    EXPECT_EQ(script.run([this] { action("OpenDimensions")->trigger(); }), 3);
    EXPECT_EQ(model.DimSetName, "Nominal");
    // Even a cancelled open shows the overlay table again.
    EXPECT_EQ(model.overlayDialog.rows[3].type, "Line");
}

TEST_F(FileCommandsTest, StartUpFileOpensLikeTheOpenCommand) {
    model.frame.LinkLower = 2.25f;
    model.frame.RevArmToCentMax = 1.9f;
    saveAs(path("start.dco"));
    action("ResetAll")->trigger();
    ASSERT_NE(model.frame.LinkLower, 2.25f);
    click("Rev");
    EXPECT_TRUE(openStartFile(*window, path("start.dco").toStdString()));
    EXPECT_EQ(model.frame.LinkLower, 2.25f);
    EXPECT_EQ(model.DimSetName, "start");
    EXPECT_EQ(bar("SBRevArm")->value(), 0);
    EXPECT_EQ(bar("SBRevArm")->maximum(), 1900);
}

TEST_F(FileCommandsTest, ImportingAnEarlierFileKeepsZoomAndOverlay) {
    Model other;
    initialiseModel(other);
    other.frame.ValveRod = 8.125f;
    other.view.current = ViewTransform{35, 150, 260};
    other.view.GraphicZoom = 3; // record 8 field 2: not read from these files
    std::vector<DimRecord> records = buildDimensionRecords(other);
    records.resize(10);
    writeRecords(path("old.oca"), records);
    model.overlay.Type[5] = 0;
    const Real zoom = model.view.GraphicZoom;

    ModalScript script;
    script.then(choose(path("old.oca")));
    EXPECT_EQ(script.run([this] { action("OpenDosDimensions")->trigger(); }), 1);
    EXPECT_EQ(model.frame.ValveRod, 8.125f);
    EXPECT_EQ(model.view.current.ViewScale, 35.0f);
    EXPECT_EQ(model.view.GraphicZoom, zoom);
    EXPECT_EQ(model.overlay.Type[5], 0.0f);
    EXPECT_EQ(model.DimSetName, "old");
}

TEST_F(FileCommandsTest, ResetAllAfterAnOpenReturnsToTheNominalGear) {
    Model nominal;
    initialiseModel(nominal);
    model.frame.Stroke = 3.75f;
    model.cyl.PistonWidth = 0.9f;
    model.frame.RevArmToCentMax = 2.0f;
    model.diagrams.VerticalScale = 2.5f;
    saveAs(path("tuned.dco"));
    action("ResetAll")->trigger();
    open(path("tuned.dco"));
    ASSERT_EQ(model.frame.Stroke, 3.75f);

    // Work on top of the opened gear: presets, a reference point, a pan,
    // dynamic variables and undo.
    model.view.presets[2] = ViewTransform{50, 10, 20};
    model.pivots.X[19] = 1.5f;
    model.view.current.ViewOffsetX = 300;
    model.view.GraphicZoom = 5;
    RegisterDimension(model, StrokeCode, model.frame.Stroke, "Stroke");
    action("DynamicVariables")->trigger();
    action("SetUnDo")->trigger();
    window->tick();
    clickPart(bar("SBDynVar1"), QStyle::SC_ScrollBarAddLine);
    click("Fwd");

    action("ResetAll")->trigger();
    window->tick();
    EXPECT_EQ(model.frame.Stroke, nominal.frame.Stroke);
    EXPECT_EQ(model.cyl.PistonWidth, nominal.cyl.PistonWidth);
    EXPECT_EQ(model.frame.RevArmToCentMax, nominal.frame.RevArmToCentMax);
    EXPECT_EQ(bar("SBRevArm")->maximum(), nominal.gear.RevArmScrollMax);
    EXPECT_EQ(model.DimSetName, "Nominal");
    EXPECT_EQ(model.gear.RevArmCen(), nominal.gear.RevArmCen());
    EXPECT_EQ(model.gear.RevArmPos, model.gear.RevArmCen());
    EXPECT_EQ(bar("SBRevArm")->value(), 0);
    EXPECT_EQ(model.view.current.ViewOffsetX, kNormalView.ViewOffsetX);
    EXPECT_EQ(model.diagrams.VerticalScale, 1.5f);
    EXPECT_FALSE(model.dyn.DynVarsShown);
    EXPECT_FALSE(bar("SBDynVar1")->isVisible());
    EXPECT_TRUE(dynSlotEmpty(model, 1));
    EXPECT_EQ(model.dyn.UndoCount, 0);
    EXPECT_FALSE(model.dyn.UndoShown);
    EXPECT_FALSE(button("UnDoDn")->isVisible());
    EXPECT_FALSE(button("UnDoDn")->isEnabled());
    // Kept: presets, reference points, the graphic zoom.
    EXPECT_EQ(model.view.presets[2].ViewScale, 50.0f);
    EXPECT_EQ(model.pivots.X[19], 1.5f);
    EXPECT_EQ(model.view.GraphicZoom, 5.0f);
}

// Dimensions changed since the last open or save are asked about before the
// window closes, by E&xit, Ctrl+Q or the close box alike; the caption marks
// them with a star after the set's name.
TEST_F(FileCommandsTest, LeavingWithChangedDimensionsAsksSaveDiscardOrCancel) {
    auto caption = [this] {
        window->tick();
        return window->windowTitle().toStdString();
    };
    auto showAgain = [this] {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    };
    EXPECT_EQ(caption().find("Nominal*"), std::string::npos) << caption();
    storeDimension(model, MainRodCode, 8.5);
    EXPECT_NE(caption().find("            Nominal*     "), std::string::npos) << caption();
    window->timer()->start();
    const struct {
        const char* how;
        std::function<void()> leave;
    } ways[] = {
        {"Exit", [this] { action("Exit1")->trigger(); }},
        {"Ctrl+Q", [this] { QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier); }},
        {"close box", [this] { window->close(); }},
    };
    for (const auto& way : ways) {
        showAgain(); // active again once the last box has gone, for the key
        QString text;
        ModalScript script;
        script.then(readBox(text, QMessageBox::Cancel));
        EXPECT_EQ(script.run(way.leave), 1) << way.how;
        EXPECT_TRUE(text.contains("\"Nominal\" have changed")) << text.toStdString();
        EXPECT_TRUE(window->isVisible()) << way.how;
        EXPECT_TRUE(window->timer()->isActive()) << way.how;
    }
    // Save: the file dialog, then the window closes with the work on disk.
    QString text;
    ModalScript save;
    save.then(readBox(text, QMessageBox::Save)).then(choose(path("kept.dco")));
    EXPECT_EQ(save.run([this] { action("Exit1")->trigger(); }), 2);
    EXPECT_FALSE(window->isVisible());
    Model reread = nominalModel();
    ASSERT_TRUE(openDimensionFile(reread, path("kept.dco").toStdString()).ok);
    EXPECT_EQ(reread.frame.MainRod, 8.5f);

    // Saved, the star is gone and leaving asks nothing.
    showAgain();
    EXPECT_NE(caption().find(" kept     "), std::string::npos) << caption();
    ModalScript none;
    EXPECT_EQ(none.run([this] { action("Exit1")->trigger(); }), 0);
    EXPECT_FALSE(window->isVisible());
    // Changed again, Discard leaves without writing.
    showAgain();
    storeDimension(model, MainRodCode, 9);
    ModalScript discard;
    discard.then(readBox(text, QMessageBox::Discard));
    EXPECT_EQ(discard.run([this] { window->close(); }), 1);
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(openDimensionFile(reread, path("kept.dco").toStdString()).ok);
    EXPECT_EQ(reread.frame.MainRod, 8.5f);
}
