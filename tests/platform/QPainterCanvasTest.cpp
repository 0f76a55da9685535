#include "CanvasTestSupport.h"

#include "model/Model.h"
#include "platform/QPainterCanvas.h"
#include "view/MechanismView.h"
#include "view/Tick.h"

#include <gtest/gtest.h>

#include <climits>

using namespace corvellan;
using namespace corvellan::testing;

namespace {

struct PainterCanvasTest : ::testing::Test {
    void SetUp() override { ensureGuiApplication(); }
    QPainterCanvas canvas{64, 48};
    const QImage& img() { return canvas.image(); }
    void clear() {
        canvas.erase(colours::White);
        canvas.setPen(colours::Black, 1);
    }
};

} // namespace

TEST_F(PainterCanvasTest, LineLeavesOutItsEndPixel) {
    clear();
    canvas.line(2, 2, 12, 2);    // horizontal
    canvas.line(2, 5, 2, 15);    // vertical
    canvas.line(20, 5, 30, 15);  // diagonal
    canvas.line(40, 40, 40, 40); // empty
    const QImage& i = img();
    EXPECT_EQ(inkIn(i, 0, 2, 64, 3), 10);
    EXPECT_TRUE(ink(i, 11, 2));
    EXPECT_FALSE(ink(i, 12, 2));
    EXPECT_EQ(inkIn(i, 2, 0, 3, 48), 10 + 1); // the column also holds (2, 2)
    EXPECT_FALSE(ink(i, 2, 15));
    EXPECT_TRUE(ink(i, 29, 14));
    EXPECT_FALSE(ink(i, 30, 15));
    EXPECT_FALSE(ink(i, 40, 40));
}

TEST_F(PainterCanvasTest, PolylineDrawsEveryJointOnceAndLeavesOutTheLastPoint) {
    clear();
    const int xs[] = {5, 15, 15};
    const int ys[] = {5, 5, 15};
    canvas.polyline(xs, ys, 3);
    const QImage& i = img();
    EXPECT_TRUE(ink(i, 15, 5));
    EXPECT_TRUE(ink(i, 15, 14));
    EXPECT_FALSE(ink(i, 15, 15));
    EXPECT_EQ(inkIn(i, 0, 0, 64, 48), 20);
}

TEST_F(PainterCanvasTest, EllipseLiesInsideItsBox) {
    clear();
    canvas.ellipse(10, 10, 30, 24); // columns 10..29, rows 10..23
    const QImage& i = img();
    EXPECT_GT(inkIn(i, 10, 10, 11, 24), 0);
    EXPECT_GT(inkIn(i, 29, 10, 30, 24), 0);
    EXPECT_GT(inkIn(i, 10, 10, 30, 11), 0);
    EXPECT_GT(inkIn(i, 10, 23, 30, 24), 0);
    EXPECT_EQ(inkIn(i, 0, 0, 64, 48), inkIn(i, 10, 10, 30, 24));
}

TEST_F(PainterCanvasTest, ArcRunsCounterClockwiseFromTheFirstRadial) {
    clear();
    // Circle in columns/rows 4..43 about (23.5, 23.5): from the right radial
    // to the top one is the upper-right quarter only.
    canvas.arc(4, 4, 44, 44, 60, 24, 24, 0);
    const QImage& i = img();
    EXPECT_GT(inkIn(i, 24, 4, 44, 24), 20);
    EXPECT_EQ(inkIn(i, 0, 26, 64, 48), 0);
    EXPECT_EQ(inkIn(i, 0, 0, 22, 48), 0);
    clear();
    canvas.arc(4, 4, 44, 44, 24, 0, 60, 24); // the other way: three quarters
    EXPECT_EQ(inkIn(img(), 26, 4, 44, 22), 0);
    EXPECT_GT(inkIn(img(), 0, 26, 64, 48), 20);
}

TEST_F(PainterCanvasTest, TextStandsBelowAndRightOfItsTopLeftPoint) {
    clear();
    TextStyle t;
    canvas.text(10, 10, "HH", t);
    const QImage& i = img();
    EXPECT_EQ(inkIn(i, 0, 0, 64, 10), 0);
    EXPECT_EQ(inkIn(i, 0, 0, 10, 48), 0);
    EXPECT_GT(inkIn(i, 10, 10, 40, 10 + t.pixelSize), 10);
    EXPECT_EQ(inkIn(i, 0, 10 + t.pixelSize, 64, 48), 0);
    EXPECT_GT(canvas.textWidth("HH", t), canvas.textWidth("H", t));
}

TEST_F(PainterCanvasTest, NoAntialiasingOnlyPureColours) {
    clear();
    canvas.setPen(colours::Red, 1);
    canvas.line(1, 1, 50, 37);
    canvas.ellipse(5, 20, 40, 45);
    canvas.text(30, 2, "Ag", TextStyle{colours::Blue});
    const QImage& i = img();
    for (int y = 0; y < i.height(); ++y)
        for (int x = 0; x < i.width(); ++x) {
            const QRgb c = i.pixel(x, y) & 0xFFFFFF;
            EXPECT_TRUE(c == 0xFFFFFF || c == 0xFF0000 || c == 0x0000FF) << x << "," << y;
        }
}

TEST_F(PainterCanvasTest, PixelsAndShapesKeepTheirDrawingOrder) {
    clear();
    canvas.pixel(5, 5, colours::Lime);
    canvas.line(0, 5, 10, 5);          // over the pixel
    canvas.pixel(7, 5, colours::Blue); // over the line
    canvas.pixel(-1, 5, colours::Red); // outside: ignored
    canvas.pixel(64, 48, colours::Red);
    const QImage& i = img();
    EXPECT_EQ(i.pixel(5, 5) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(i.pixel(7, 5) & 0xFFFFFF, 0x0000FFu);
    // Drawing resumes on the same image after it was read.
    canvas.pixel(8, 8, colours::Red);
    EXPECT_EQ(canvas.image().pixel(8, 8) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(PainterCanvasTest, SaturatedCoordinatesDrawOnlyTheVisiblePart) {
    clear();
    canvas.line(INT_MIN, 20, INT_MAX, 20);
    canvas.line(INT_MAX, INT_MAX, INT_MIN, INT_MAX);    // far below
    canvas.ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX); // a huge circle around the picture
    canvas.arc(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 1, 1);
    canvas.text(INT_MAX, INT_MIN, "far", TextStyle{});
    canvas.polyline(std::vector<int>{INT_MIN, 30, INT_MAX}.data(),
                    std::vector<int>{30, 30, 30}.data(), 3);
    const QImage& i = img();
    EXPECT_EQ(inkIn(i, 0, 20, 64, 21), 64);
    EXPECT_EQ(inkIn(i, 0, 30, 64, 31), 64);
    EXPECT_EQ(inkIn(i, 0, 0, 64, 48), 128);
    // A huge circle whose edge crosses the picture: drawn as its chord.
    clear();
    const int r = 1000000000;
    canvas.ellipse(32 - r, 24 - r, 32 + r + 1, 24 + r + 1); // centre (32, 24): outside
    canvas.ellipse(10, 24 - r, 10 + 2 * r + 1, 24 + r + 1); // left edge at column 10
    const QImage& j = img();
    EXPECT_TRUE(ink(j, 10, 24));
    EXPECT_EQ(inkIn(j, 0, 0, 9, 48), 0);
    EXPECT_EQ(inkIn(j, 12, 0, 64, 48), 0);
}

TEST(PainterCanvasFrame, NominalFrameOnThePicture) {
    ensureGuiApplication();
    Model m;
    initialiseModel(m);
    FrameState f;
    SilentSound silence;
    QPainterCanvas picture;
    runTick(m, f, picture, silence);
    const QImage& i = picture.image();
    EXPECT_EQ(i.size(), QSize(1280, 1024));
    // The wheel circle's lowest row is 367; nothing of it below.
    EXPECT_EQ(i.pixel(140, 367) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(i.pixel(140, 368) & 0xFFFFFF, 0xFFFFFFu);
    // The driver-centre cross starts red at (145, 275).
    EXPECT_EQ(i.pixel(145, 275) & 0xFFFFFF, 0xFF0000u);
    // The section is grey: bottom of the bore at row 300.
    EXPECT_EQ(i.pixel(500, 300) & 0xFFFFFF, 0x808080u);
    // The next frame erases the previous one on the same image.
    m.view.current.ViewOffsetY = 600;
    runTick(m, f, picture, silence);
    EXPECT_EQ(picture.image().pixel(140, 367) & 0xFFFFFF, 0xFFFFFFu);
}
