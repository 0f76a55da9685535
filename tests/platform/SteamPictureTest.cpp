// The steam diagram as the face actually used draws it.
#include "CanvasTestSupport.h"

#include "diagrams/SteamDiagram.h"
#include "model/DiagramPositions.h"
#include "model/Model.h"
#include "platform/QPainterCanvas.h"

#include <gtest/gtest.h>

#include <QPoint>

#include <vector>

using namespace corvellan;
using namespace corvellan::testing;

namespace {

// The ink pixels of `region` 8-connected to `start`.
int connectedInk(const QImage& img, const QRect& region, QPoint start) {
    std::vector<bool> seen(static_cast<size_t>(region.width() * region.height()), false);
    auto index = [&](QPoint p) {
        return static_cast<size_t>((p.y() - region.top()) * region.width() + p.x() - region.left());
    };
    std::vector<QPoint> open{start};
    seen[index(start)] = true;
    int count = 0;
    while (!open.empty()) {
        const QPoint p = open.back();
        open.pop_back();
        ++count;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QPoint q = p + QPoint(dx, dy);
                if (region.contains(q) && !seen[index(q)] && ink(img, q.x(), q.y())) {
                    seen[index(q)] = true;
                    open.push_back(q);
                }
            }
    }
    return count;
}

} // namespace

// The upward arrow over "CYLINDER PRESSURE" is made of "/", "\" and two "|":
// whatever their widths in this face, they must make one whole arrow.
TEST(SteamPicture, PressureArrowIsOneWholeMark) {
    ensureGuiApplication();
    Model m;
    initialiseModel(m);
    refreshDiagramPositions(m);
    QPainterCanvas c(632, 414);
    c.erase(colours::White);
    drawSteamDiagram(m, c);
    const QImage img = c.image();
    // Left of the pressure axis, above the title's letters.
    const QRect region(10, 70, 34, 37);
    QPoint first(-1, -1);
    int total = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (ink(img, x, y)) {
                if (first.x() < 0) first = QPoint(x, y);
                ++total;
            }
    ASSERT_GT(total, 20);
    EXPECT_EQ(connectedInk(img, region, first), total);
}
