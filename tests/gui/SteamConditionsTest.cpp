// The operating conditions in the main window: the dialog refuses a bad
// value and keeps what was held, and the conditions travel with the
// dimension file (written beside it on save, read on open, a bad file
// reported with the conditions kept).

#include "EditingTestSupport.h"

#include "main/ConditionsDialog.h"
#include "main/ConditionsStore.h"
#include "main/SteamCommands.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <fstream>

using namespace corvellan;
using namespace corvellan::test;

namespace {

class SteamConditionsTest : public EditingTest {
  protected:
    const steam::Conditions& held() const { return window->steam().conditions().conditions(); }

    static ModalScript::Step choose(const QString& file) {
        return [file](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr) << modal->objectName().toStdString();
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            name->setText(file);
            QMetaObject::invokeMethod(dialog, "accept");
        };
    }
    QString path(const char* name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
};

TEST_F(SteamConditionsTest, DialogRefusesABadValueAndKeepsTheConditionsHeld) {
    struct Case {
        const char* field;
        const char* text;
        const char* says; // the start of the message
    };
    const Case bad[] = {
        {"Speed", "0", "Speed"},
        {"ClearanceFront", "twelve", "ClearanceFront \"twelve\" is not a number"},
        {"BackPressure", "95", "ChestPressure"}, // not below the chest's 90
        {"Cylinders", "2.5", "Cylinders 2.5 is not a whole number"},
        {"DischargeCoefficient", "1.2", "DischargeCoefficient"},
    };
    for (const Case& c : bad) {
        ModalScript script;
        script.then([&c](QWidget* modal) {
            auto* d = qobject_cast<TConditions*>(modal);
            ASSERT_NE(d, nullptr);
            // The unit stands beside the figure.
            EXPECT_EQ(d->findChild<QLabel*>("ChestPressureUnit")->text(), "psi gauge");
            d->field(c.field)->setText(c.text);
            d->findChild<QPushButton*>("ConditionsOk")->click();
            EXPECT_TRUE(d->isVisible()) << c.field;
            EXPECT_TRUE(d->message()->text().startsWith(c.says))
                << c.field << ": " << d->message()->text().toStdString();
            d->reject();
        });
        EXPECT_EQ(throughMenu("OperatingConditions", script), 1);
        EXPECT_TRUE(sameConditions(held(), steam::defaultConditions())) << c.field;
    }
    // A sound value is taken; switching to metric converts what is shown.
    ModalScript script;
    script.then([](QWidget* modal) {
        auto* d = qobject_cast<TConditions*>(modal);
        ASSERT_NE(d, nullptr);
        d->field("Speed")->setText("450");
        d->unitsChoice()->setCurrentIndex(d->unitsChoice()->findData(
            static_cast<int>(steam::UnitSystem::Metric)));
        EXPECT_EQ(d->field("Atmosphere")->text().toStdString(), "1.01325"); // 14.696 psi
        EXPECT_EQ(d->findChild<QLabel*>("ChestPressureUnit")->text(), "bar gauge");
        d->findChild<QPushButton*>("ConditionsOk")->click();
        EXPECT_FALSE(d->isVisible()) << d->message()->text().toStdString();
    });
    EXPECT_EQ(throughMenu("OperatingConditions", script), 1);
    EXPECT_EQ(held().Speed, 450);
    EXPECT_EQ(held().Units, steam::UnitSystem::Metric);
    EXPECT_NEAR(held().ChestPressure, 90 * 0.0689475729, 1e-5); // to the six digits shown
}

TEST_F(SteamConditionsTest, TravelWithTheDimensionFileAndABadFileKeepsThemAsTheyWere) {
    steam::Conditions c = steam::defaultConditions();
    c.Speed = 123;
    c.ClearanceRear = 11;
    window->steam().conditions().set(c);
    ModalScript save;
    save.then(choose(path("gear.dco")));
    EXPECT_EQ(save.run([this] { action("SaveAsDimensions")->trigger(); }), 1);
    const std::string beside = path("gear.conditions.json").toStdString();
    steam::Conditions written;
    std::string error;
    ASSERT_TRUE(steam::readConditionsFile(beside, written, &error)) << error;
    EXPECT_TRUE(sameConditions(written, c));

    // Opened again with other conditions in use: the file's come back.
    window->steam().conditions().set(steam::defaultConditions());
    ModalScript open;
    open.then(choose(path("gear.dco")));
    EXPECT_EQ(open.run([this] { action("OpenDimensions")->trigger(); }), 1);
    EXPECT_TRUE(sameConditions(held(), c));

    // A conditions file that is not JSON, and one out of range: each is
    // reported and the conditions in use stay.
    for (const char* text : {"{\"Speed\": ", "{\"Speed\": -5}"}) {
        std::ofstream(beside) << text;
        window->steam().conditions().set(steam::defaultConditions());
        QString said;
        ModalScript bad;
        bad.then(choose(path("gear.dco"))).then([&said](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr) << modal->objectName().toStdString();
            said = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        EXPECT_EQ(bad.run([this] { action("OpenDimensions")->trigger(); }), 2) << text;
        EXPECT_TRUE(said.contains("gear.conditions.json") || said.contains("Speed"))
            << said.toStdString();
        EXPECT_TRUE(said.endsWith("The conditions in use are kept.")) << said.toStdString();
        EXPECT_TRUE(sameConditions(held(), steam::defaultConditions())) << text;
    }
}

} // namespace
