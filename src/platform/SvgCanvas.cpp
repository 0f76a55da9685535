#include "platform/SvgCanvas.h"

namespace corvellan {

SvgCanvas::SvgCanvas(const std::string& path, int width, int height)
    : PainterCanvas(width, height), file_(QString::fromStdString(path)) {
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    start(&file_, width, height);
}

SvgCanvas::SvgCanvas(QIODevice* device, int width, int height) : PainterCanvas(width, height) {
    if (!device || !device->isWritable()) return;
    start(device, width, height);
}

void SvgCanvas::start(QIODevice* device, int width, int height) {
    generator_.setOutputDevice(device);
    generator_.setSize(QSize(width, height));
    generator_.setViewBox(QRect(0, 0, width, height));
    generator_.setTitle(QStringLiteral("CORVELLAN Outside Admission"));
    ok_ = painter_.begin(&generator_);
    attach(&painter_);
}

bool SvgCanvas::begin() {
    // The painter runs from construction; the first use sets up its pen.
    if (started_) return false;
    started_ = true;
    return painter_.isActive();
}

SvgCanvas::~SvgCanvas() {
    finish();
}

bool SvgCanvas::finish() {
    if (painter_.isActive()) painter_.end();
    if (!file_.isOpen()) return ok_;
    file_.close();
    ok_ = ok_ && file_.error() == QFileDevice::NoError;
    return ok_;
}

} // namespace corvellan
