#include "main/ToolGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace corvellan {

namespace {

constexpr int kSize = 16;

// A wheel with its crank at an angle, and a small angle mark.
void paintDriverAngle(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.drawEllipse(1, 1, 13, 13);
    p.setPen(QPen(Qt::red, 2));
    p.drawLine(8, 8, 13, 4);
    p.setPen(QPen(Qt::blue, 1));
    p.drawLine(8, 8, 14, 8);
    p.fillRect(7, 7, 2, 2, Qt::black);
}

// Two arcs of one step each, with an arrow head.
void paintStepAngle(QPainter& p) {
    p.setPen(QPen(Qt::darkGreen, 2));
    p.drawArc(2, 2, 12, 12, 90 * 16, 160 * 16);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(8, 8, 8, 1);
    p.drawLine(8, 8, 2, 11);
    p.setBrush(Qt::darkGreen);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygon({QPoint(3, 14), QPoint(1, 9), QPoint(6, 11)}));
}

// The reverse arm hanging from its pivot, with the reach rod.
void paintRevArm(QPainter& p) {
    p.setPen(QPen(Qt::red, 2));
    p.drawLine(10, 2, 7, 14);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(0, 3, 10, 3);
    p.drawEllipse(6, 6, 4, 4);
    p.setPen(QPen(Qt::blue, 1));
    p.drawLine(12, 12, 15, 12);
    p.drawLine(12, 12, 14, 10);
    p.drawLine(12, 12, 14, 14);
}

// The reverse arm upright between two limit marks: mid gear.
void paintMidGear(QPainter& p) {
    p.setPen(QPen(Qt::gray, 1));
    p.drawLine(2, 2, 2, 14);
    p.drawLine(14, 2, 14, 14);
    p.setPen(QPen(Qt::red, 2));
    p.drawLine(8, 1, 8, 15);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(3, 8, 6, 8);
    p.drawLine(10, 8, 13, 8);
}

// A puff of steam above a chimney.
void paintSteam(QPainter& p) {
    p.setPen(QPen(Qt::darkGray, 1));
    p.setBrush(QColor(0xE0, 0xE0, 0xF0));
    p.drawEllipse(1, 1, 7, 6);
    p.drawEllipse(6, 0, 8, 7);
    p.drawEllipse(4, 4, 8, 5);
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    p.drawRect(6, 10, 5, 6);
    p.drawRect(5, 10, 7, 2);
}

// A red warning triangle with an exclamation mark.
void paintError(QPainter& p) {
    p.setPen(QPen(Qt::darkRed, 1));
    p.setBrush(Qt::red);
    p.drawPolygon(QPolygon({QPoint(8, 1), QPoint(15, 14), QPoint(1, 14)}));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(7, 5, 2, 5);
    p.drawRect(7, 11, 2, 2);
}

// Two reference crosses, 1 and 2.
void paintRefPoints(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(1, 5, 9, 5);
    p.drawLine(5, 1, 5, 9);
    p.setPen(QPen(Qt::blue, 1));
    p.drawLine(7, 11, 15, 11);
    p.drawLine(11, 7, 11, 15);
}

// A red line and a blue circle.
void paintDrawLines(QPainter& p) {
    p.setPen(QPen(Qt::red, 1));
    p.drawLine(1, 14, 14, 1);
    p.setPen(QPen(Qt::blue, 1));
    p.drawEllipse(5, 5, 9, 9);
}

// A pivot with its slot number, and a column of figures.
void paintPivotData(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.drawEllipse(1, 1, 5, 5);
    p.setPen(QPen(Qt::red, 1));
    p.drawLine(8, 1, 8, 6);
    p.setPen(QPen(Qt::darkGray, 1));
    for (int y = 9; y <= 14; y += 2)
        p.drawLine(2, y, 14, y);
}

} // namespace

QIcon glyph(Glyph which) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    switch (which) {
    case Glyph::DriverAngle:
        paintDriverAngle(p);
        break;
    case Glyph::StepAngle:
        paintStepAngle(p);
        break;
    case Glyph::RevArmPos:
        paintRevArm(p);
        break;
    case Glyph::MidGear:
        paintMidGear(p);
        break;
    case Glyph::Steam:
        paintSteam(p);
        break;
    case Glyph::Error:
        paintError(p);
        break;
    case Glyph::RefPoints:
        paintRefPoints(p);
        break;
    case Glyph::DrawLines:
        paintDrawLines(p);
        break;
    case Glyph::PivotData:
        paintPivotData(p);
        break;
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace corvellan
