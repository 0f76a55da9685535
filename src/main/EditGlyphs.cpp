#include "main/EditGlyphs.h"

#include <QPainter>
#include <QPixmap>

namespace corvellan {

namespace {

constexpr int kSize = 16;

// A folder opening.
void paintOpenFile(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(0xE0, 0xC0, 0x40));
    p.drawPolygon(QPolygon(
        {QPoint(1, 3), QPoint(6, 3), QPoint(7, 5), QPoint(13, 5), QPoint(13, 14), QPoint(1, 14)}));
    p.setBrush(QColor(0xF8, 0xE0, 0x80));
    p.drawPolygon(QPolygon({QPoint(3, 8), QPoint(15, 8), QPoint(13, 14), QPoint(1, 14)}));
}

// A diskette.
void paintSaveFile(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(0x30, 0x30, 0x90));
    p.drawRect(1, 1, 13, 13);
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 7, 5);
    p.setBrush(Qt::lightGray);
    p.drawRect(3, 9, 9, 5);
}

// The wheel and the main rod with a dimension arrow under them.
void paintFrameDimensions(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.drawEllipse(1, 1, 8, 8);
    p.setPen(QPen(Qt::red, 2));
    p.drawLine(5, 5, 15, 3);
    p.setPen(QPen(Qt::blue, 1));
    p.drawLine(1, 13, 15, 13);
    p.drawLine(1, 13, 3, 11);
    p.drawLine(1, 13, 3, 15);
    p.drawLine(15, 13, 13, 11);
    p.drawLine(15, 13, 13, 15);
}

// The cylinder with its valve chest on top and a dimension arrow beside it.
void paintCylinderDimensions(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::lightGray);
    p.drawRect(1, 7, 10, 7);
    p.drawRect(3, 2, 6, 4);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::blue, 1));
    p.drawLine(14, 1, 14, 15);
    p.drawLine(14, 1, 12, 3);
    p.drawLine(14, 1, 15, 3);
    p.drawLine(14, 15, 12, 13);
    p.drawLine(14, 15, 15, 13);
}

// A small scroll bar with its two arrows.
void paintDynamicVariables(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(0, 5, 15, 6);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygon({QPoint(1, 8), QPoint(4, 6), QPoint(4, 10)}));
    p.drawPolygon(QPolygon({QPoint(14, 8), QPoint(11, 6), QPoint(11, 10)}));
    p.setBrush(Qt::gray);
    p.drawRect(6, 6, 3, 4);
}

// An arrow turning back.
void paintUndo(QPainter& p) {
    p.setPen(QPen(Qt::darkGreen, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(3, 3, 11, 10, 270 * 16, 240 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::darkGreen);
    p.drawPolygon(QPolygon({QPoint(0, 6), QPoint(7, 2), QPoint(6, 9)}));
}

} // namespace

QIcon editGlyph(EditGlyph which) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    switch (which) {
    case EditGlyph::OpenFile:
        paintOpenFile(p);
        break;
    case EditGlyph::SaveFile:
        paintSaveFile(p);
        break;
    case EditGlyph::FrameDimensions:
        paintFrameDimensions(p);
        break;
    case EditGlyph::CylinderDimensions:
        paintCylinderDimensions(p);
        break;
    case EditGlyph::DynamicVariables:
        paintDynamicVariables(p);
        break;
    case EditGlyph::Undo:
        paintUndo(p);
        break;
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace corvellan
