#include "CanvasTestSupport.h"

#include "model/Model.h"
#include "platform/SvgCanvas.h"
#include "view/MechanismView.h"
#include "view/Tick.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <string>

using namespace corvellan;
using namespace corvellan::testing;

TEST(SvgCanvas, WritesTheNominalFrameAsVectors) {
    ensureGuiApplication();
    const std::string path = QDir::tempPath().toStdString() + "/corvellan_svg_test.svg";
    {
        SvgCanvas svg(path, 632, 380);
        ASSERT_TRUE(svg.ok());
        Model m;
        initialiseModel(m);
        FrameState f;
        SilentSound silence;
        runTick(m, f, svg, silence);
        EXPECT_TRUE(svg.finish());
    }
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("viewBox=\"0 0 632 380\""));
    EXPECT_TRUE(text.contains("Driv Ang"));
    EXPECT_TRUE(text.contains("#ff0000")); // the red rods and crosses
    file.remove();
}

TEST(SvgCanvas, UnwritablePathIsReportedAndDrawsNothing) {
    ensureGuiApplication();
    SvgCanvas svg("/nonexistent-folder/x.svg", 100, 100);
    EXPECT_FALSE(svg.ok());
    svg.line(0, 0, 10, 10); // harmless
    svg.text(1, 1, "x", TextStyle{});
    EXPECT_FALSE(svg.finish());
}
