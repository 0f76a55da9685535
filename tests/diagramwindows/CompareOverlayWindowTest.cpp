// A gear being compared, drawn over each diagram window's picture.
#include "DiagramWindowTestSupport.h"

#include "diagramwindows/OvalWindow.h"
#include "diagramwindows/PortWindow.h"
#include "diagramwindows/SetRevArmDialog.h"
#include "diagramwindows/SineWindow.h"
#include "diagramwindows/SteamWindow.h"
#include "main/CompareCommands.h"
#include "main/CompareWindow.h"
#include "main/DiagramCommands.h"
#include "model/DimensionFile.h"
#include "platform/QPainterCanvas.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

using namespace corvellan;
using namespace corvellan::test;

namespace {

int fuchsiaIn(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == kGearBColour;
    return n;
}

// Pixels of `with` that are not B's colour and differ from `without`.
int changedBesideB(const QImage& with, const QImage& without) {
    int n = 0;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x) {
            const QRgb p = with.pixel(x, y) & 0xFFFFFF;
            n += p != kGearBColour && p != (without.pixel(x, y) & 0xFFFFFF);
        }
    return n;
}

} // namespace

TEST_F(DiagramWindowTest, AComparedGearIsDrawnOverEachDiagramAndLeavesItsOwnDrawingAlone) {
    Model b;
    initialiseModel(b);
    storeDimension(b, EccCrankAngleDegCode, 176);
    const std::string path = ::testing::TempDir() + "later_eccentric.dco";
    ASSERT_TRUE(saveDimensionFile(b, path).ok);

    window->tick(); // the port-edge levels are those of the latest solve
    const DiagramWindows& d = windows();
    const struct {
        const char* item;
        DiagramWindow* diagram;
        TSetRevArm* positions;
    } kWindows[] = {{"SineDiag", d.sine, d.positions},
                    {"OvalDiag", d.oval, d.positions},
                    {"SteamDiag", d.steam, d.positions},
                    {"FourEvents", d.ports, nullptr}};
    for (const auto& w : kWindows) {
        SCOPED_TRACE(w.item);
        ASSERT_TRUE(window->compare().compareWithPath(QString::fromStdString(path)));
        window->compare().window()->close();
        QImage withB, withoutB, exported;
        int bothGraphsB = -1;
        if (w.positions) whenModal(w.positions, [w] { w.positions->closeButton()->click(); });
        whenModal(
            w.diagram,
            [&] {
                withB = w.diagram->picture().copy();
                // Saved and printed pictures are drawn afresh: B goes on them too.
                QPainterCanvas out(withB.width(), withB.height());
                w.diagram->drawDiagramOn(out);
                exported = out.image().copy();
                if (w.diagram == d.ports) {
                    w.diagram->findChild<QMenu*>("SetUp")
                        ->findChild<QAction*>("BothGraphs")
                        ->trigger();
                    bothGraphsB = fuchsiaIn(w.diagram->picture());
                    w.diagram->findChild<QMenu*>("SetUp")
                        ->findChild<QAction*>("ForwardGraph")
                        ->trigger();
                }
                window->compare().stopComparing();
                w.diagram->findChild<QAction*>("ReDraw")->trigger();
                withoutB = w.diagram->picture().copy();
                w.diagram->close();
            },
            [&] { return fuchsiaIn(w.diagram->picture()) > 0; });
        mainAction(w.item)->trigger();

        ASSERT_FALSE(withB.isNull());
        EXPECT_GT(fuchsiaIn(withB), 300);
        EXPECT_EQ(fuchsiaIn(exported), fuchsiaIn(withB));
        EXPECT_EQ(fuchsiaIn(withoutB), 0);
        EXPECT_EQ(changedBesideB(withB, withoutB), 0);
        if (w.diagram == d.ports) {
            EXPECT_GT(bothGraphsB, fuchsiaIn(withB));
        }
    }
}
