#include "main/CanvasView.h"

#include "platform/QPainterCanvas.h"

#include <QPainter>

namespace corvellan {

CanvasView::CanvasView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
}

void CanvasView::setPicture(QSize size, std::function<void(Canvas&)> draw) {
    size_ = size;
    draw_ = std::move(draw);
    setFixedSize(size_);
    update();
}

Picture CanvasView::picture(const QString& title) const {
    Picture p;
    p.size = size_;
    p.draw = draw_;
    p.title = title;
    return p;
}

void CanvasView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!draw_) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    PainterCanvas canvas(&painter, size_.width(), size_.height());
    draw_(canvas);
}

} // namespace corvellan
