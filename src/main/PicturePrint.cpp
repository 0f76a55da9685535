#include "main/PicturePrint.h"

#include "platform/QPainterCanvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace corvellan {

bool printPicture(QPaintDevice& device, const Picture& picture, const QString& caption) {
    if (picture.size.isEmpty()) return false;
    QPainter painter;
    if (!painter.begin(&device)) return false;
    // The printable area in device pixels, from the painter's origin.
    const QRect page(QPoint(0, 0), painter.viewport().size());

    // The caption a seventieth of the page high (12 points on A4), at least
    // legible.
    QFont face(QStringLiteral("Liberation Sans"));
    face.setPixelSize(std::max(8, page.height() / 70));
    painter.setFont(face);
    const QFontMetrics metrics(face, &device);
    painter.drawText(QRect(page.left(), page.top(), page.width(), metrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     metrics.elidedText(caption, Qt::ElideRight, page.width()));

    const int gap = metrics.height() * 3 / 2;
    const QRect area(page.left(), page.top() + gap, page.width(), page.height() - gap);
    const qreal scale = std::min(static_cast<qreal>(area.width()) / picture.size.width(),
                                 static_cast<qreal>(area.height()) / picture.size.height());
    if (scale > 0) {
        // Centred in the area below the caption: the page is turned to the
        // picture's shape, so the picture fills it one way or the other.
        const QRectF placed(area.left() + (area.width() - picture.size.width() * scale) / 2,
                            area.top() + (area.height() - picture.size.height() * scale) / 2,
                            picture.size.width() * scale, picture.size.height() * scale);
        painter.save();
        painter.translate(placed.topLeft());
        painter.scale(scale, scale);
        painter.setClipRect(QRect(QPoint(0, 0), picture.size));
        PainterCanvas canvas(&painter, picture.size.width(), picture.size.height());
        picture.draw(canvas);
        painter.restore();
        // A thin frame marks the picture's edge on the page.
        painter.setPen(QPen(Qt::gray, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(placed);
    }
    return painter.end();
}

} // namespace corvellan
