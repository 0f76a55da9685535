#include "CanvasTestSupport.h"

#include "diagrams/SteamDiagram.h"
#include "model/DiagramPositions.h"
#include "model/Model.h"
#include "platform/QPainterCanvas.h"
#include "platform/SvgCanvas.h"
#include "view/MechanismView.h"
#include "view/RecordingCanvas.h"
#include "view/Tick.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdlib>
#include <vector>

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

namespace {

// A segment from A to a neighbour of A sets A alone.
struct Mark {
    int x1, y1, x2, y2;
    Rgb colour;
    int penWidth;
};

// The single-pixel segments of a recorded drawing, lines and polylines alike.
std::vector<Mark> singlePixelMarks(const RecordingCanvas& c) {
    std::vector<Mark> marks;
    auto segment = [&](const Primitive& p, size_t i) {
        const int x1 = p.coords[i], y1 = p.coords[i + 1], x2 = p.coords[i + 2],
                  y2 = p.coords[i + 3];
        if ((x1 != x2 || y1 != y2) && std::abs(x2 - x1) <= 1 && std::abs(y2 - y1) <= 1)
            marks.push_back({x1, y1, x2, y2, p.colour, p.penWidth});
    };
    for (const Primitive& p : c.primitives()) {
        if (p.kind == PrimitiveKind::Line) segment(p, 0);
        if (p.kind == PrimitiveKind::Polyline)
            for (size_t i = 0; i + 3 < p.coords.size(); i += 2)
                segment(p, i);
    }
    return marks;
}

QImage rasterised(const std::string& svgPath, QSize size) {
    QImage raster(size, QImage::Format_RGB32);
    raster.fill(Qt::white);
    QSvgRenderer renderer(QString::fromStdString(svgPath));
    if (!renderer.isValid()) return {};
    QPainter painter(&raster);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    return raster;
}

} // namespace

// The steam diagram's curves end in segments of a single pixel, which the
// vector file must carry too. Drawn alone (the rasteriser smooths the lines
// around them), they give the same picture as an SVG and as a PNG, at the
// pen widths the mechanism view uses as well.
TEST(SvgCanvas, SinglePixelSegmentsMatchThePicture) {
    ensureGuiApplication();
    RecordingCanvas recorded(632, 414);
    {
        Model m;
        initialiseModel(m);
        refreshDiagramPositions(m);
        recorded.erase(colours::White);
        drawSteamDiagram(m, recorded);
    }
    std::vector<Mark> marks = singlePixelMarks(recorded);
    ASSERT_GE(marks.size(), 5u);
    for (const Mark& k : std::vector<Mark>(marks))
        marks.push_back({k.x1 + 20, k.y1 + 20, k.x2 + 20, k.y2 + 20, k.colour, 2});
    auto drawMarks = [&marks](Canvas& c) {
        c.erase(colours::White);
        for (const Mark& k : marks) {
            c.setPen(k.colour, k.penWidth);
            c.line(k.x1, k.y1, k.x2, k.y2);
        }
    };
    QPainterCanvas png(632, 414);
    drawMarks(png);
    const std::string path = QDir::tempPath().toStdString() + "/corvellan_svg_marks.svg";
    {
        SvgCanvas svg(path, 632, 414);
        ASSERT_TRUE(svg.ok());
        drawMarks(svg);
        ASSERT_TRUE(svg.finish());
    }
    const QImage raster = rasterised(path, QSize(632, 414));
    QFile::remove(QString::fromStdString(path));
    ASSERT_FALSE(raster.isNull());
    const QImage picture = png.image().convertToFormat(QImage::Format_RGB32);
    EXPECT_GE(inkIn(picture, 0, 0, 632, 414), static_cast<int>(marks.size()) / 2);
    int differing = 0;
    for (int y = 0; y < 414; ++y)
        for (int x = 0; x < 632; ++x)
            differing += picture.pixel(x, y) != raster.pixel(x, y);
    EXPECT_EQ(differing, 0);
}
