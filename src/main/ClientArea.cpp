#include "main/ClientArea.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

namespace corvellan {

namespace {
const QColor kSilver(0xC0, 0xC0, 0xC0);
}

ClientArea::ClientArea(std::function<const QImage&()> picture, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)) {
    setObjectName("ClientArea");
    // The picture covers the whole area each frame: nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kSilver);
    setPalette(palette);
    setAutoFillBackground(false);
}

void ClientArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    const QImage& picture = picture_();
    painter.drawImage(area.topLeft(), picture, area);
    // Beyond the picture (a window larger than 1280 x 1024) the area is silver.
    QRegion rest = QRegion(area).subtracted(QRect(QPoint(0, 0), picture.size()));
    for (const QRect& r : rest)
        painter.fillRect(r, kSilver);
}

void ClientArea::mousePressEvent(QMouseEvent* event) {
    Q_EMIT mousePressed();
    QWidget::mousePressEvent(event);
}

void ClientArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Q_EMIT resized(event->size());
}

} // namespace corvellan
