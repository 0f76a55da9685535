#include "InspectionTestSupport.h"

#include "main/MotionControls.h"
#include "view/MechanismView.h"

#include <QStyleOptionSlider>
#include <QTest>

namespace corvellan::test {

void InspectionTest::SetUp() {
    MainWindowTest::SetUp();
    window->motion().stopMotion();
    window->tick();
}

void InspectionTest::clickPicture(int x, int y, Qt::MouseButton button) const {
    QTest::mouseClick(picture(), button, {}, QPoint(x, y));
}

RecordingCanvas InspectionTest::recordFrame() {
    RecordingCanvas canvas;
    window->tick();
    renderFrame(model, window->frame(), canvas, sound);
    return canvas;
}

std::string InspectionTest::textAt(const RecordingCanvas& c, int x, int y) {
    for (const Primitive& p : c.ofKind(PrimitiveKind::Text))
        if (p.coords.size() >= 2 && p.coords[0] == x && p.coords[1] == y) return p.text;
    return "";
}

QColor InspectionTest::pixel(int x, int y) const {
    return QColor(window->picture().pixel(x, y));
}

bool InspectionTest::colourNear(int x, int y, QColor colour, int radius) const {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (pixel(x + dx, y + dy) == colour) return true;
    return false;
}

void InspectionTest::clickBar(QScrollBar* bar, QStyle::SubControl part) {
    clickScrollBarPart(bar, part);
}

} // namespace corvellan::test
