#include "platform/QPainterCanvas.h"

#include "platform/Fonts.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <utility>

namespace corvellan {

namespace {

// Coordinates within this distance of the picture go to the painter as they
// are; anything further is cut first.
constexpr long long kDirectReach = 30000;
// Cut lines and curves end this far outside the picture, beyond any pen.
constexpr double kGuardMargin = 64;
constexpr double kRadToSixteenths = 180.0 / 3.14159265358979323846 * 16;

QColor toQColor(Rgb c) {
    return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | c));
}

QPoint toPoint(long long x, long long y) {
    return QPoint(static_cast<int>(x), static_cast<int>(y));
}

} // namespace

PainterCanvas::PainterCanvas(QPainter* painter, int width, int height)
    : painter_(painter), width_(width), height_(height) {
    if (painter_ && painter_->isActive()) applyPen(*painter_);
}

PainterCanvas::PainterCanvas(int width, int height) : width_(width), height_(height) {}

QPainter* PainterCanvas::activePainter() {
    if (!painter_) return nullptr;
    if (begin()) applyPen(*painter_);
    return painter_->isActive() ? painter_ : nullptr;
}

QFont PainterCanvas::fontFor(const TextStyle& style) {
    return programFont(style.face, style.pixelSize, style.bold, Smoothing::Aliased);
}

const PainterCanvas::CachedFont& PainterCanvas::cachedFont(const TextStyle& style) const {
    for (const CachedFont& c : fonts_)
        if (c.style.pixelSize == style.pixelSize && c.style.bold == style.bold &&
            c.style.face == style.face)
            return c;
    QFont f = fontFor(style);
    // A PDF places each glyph where the layout puts it: glyphs laid out by
    // their hinted whole-pixel advances stand apart by the difference to the
    // face's own widths, and a reader of the file takes those gaps for word
    // spaces ("Fw d"). On a PDF (the saved picture and the printed page) the
    // texts are laid out unhinted, by the face's widths.
    const QPaintEngine* engine = painter_ ? painter_->paintEngine() : nullptr;
    if (engine && engine->type() == QPaintEngine::Pdf)
        f.setHintingPreference(QFont::PreferNoHinting);
    fonts_.push_back({style, f, QFontMetrics(f).ascent()});
    return fonts_.back();
}

void PainterCanvas::applyPen(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    QPen pen(toQColor(penColour_));
    pen.setWidth(std::max(1, penWidth_));
    // Wide pens end and join round, as the classic wide pens did.
    pen.setCapStyle(penWidth_ > 1 ? Qt::RoundCap : Qt::SquareCap);
    pen.setJoinStyle(penWidth_ > 1 ? Qt::RoundJoin : Qt::BevelJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
}

bool PainterCanvas::direct(long long x, long long y) const {
    return x >= -kDirectReach && x <= width_ + kDirectReach && y >= -kDirectReach &&
           y <= height_ + kDirectReach;
}

void PainterCanvas::erase(Rgb colour) {
    if (QPainter* p = activePainter()) p->fillRect(QRect(0, 0, width_, height_), toQColor(colour));
}

void PainterCanvas::setPen(Rgb colour, int width) {
    penColour_ = colour;
    penWidth_ = width;
    if (painter_ && painter_->isActive()) applyPen(*painter_);
}

void PainterCanvas::segment(QPainter& p, long long x1, long long y1, long long x2, long long y2) {
    long long ex = 0, ey = 0;
    if (!lastPixelBefore(x1, y1, x2, y2, ex, ey)) return;
    if (!direct(x1, y1) || !direct(ex, ey)) {
        double a = x1, b = y1, c = ex, d = ey;
        if (!clipSegment(a, b, c, d, grownRect(width_, height_, kGuardMargin))) return;
        x1 = std::llround(a);
        y1 = std::llround(b);
        ex = std::llround(c);
        ey = std::llround(d);
    }
    if (x1 == ex && y1 == ey) {
        // A segment of one pixel. The SVG writer drops points, so this is a
        // filled square where the raster painter would set the point: the
        // pixel itself for a thin pen, the square of the pen's width up and
        // to the left of it for a wide one.
        const int w = std::max(1, penWidth_);
        p.fillRect(QRect(toPoint(x1 - w / 2, y1 - w / 2), QSize(w, w)), toQColor(penColour_));
    } else
        p.drawLine(toPoint(x1, y1), toPoint(ex, ey));
}

void PainterCanvas::line(int x1, int y1, int x2, int y2) {
    if (QPainter* p = activePainter()) segment(*p, x1, y1, x2, y2);
}

void PainterCanvas::polyline(const int* xs, const int* ys, int n) {
    QPainter* p = activePainter();
    if (!p) return;
    for (int i = 0; i + 1 < n; ++i)
        segment(*p, xs[i], ys[i], xs[i + 1], ys[i + 1]);
}

void PainterCanvas::curve(long long l, long long t, long long r, long long b, const int* radials) {
    QPainter* p = activePainter();
    if (!p) return;
    if (r < l) std::swap(l, r);
    if (b < t) std::swap(t, b);
    if (r == l || b == t) return;
    const EllipseShape e = ellipseInBox(l, t, r, b);
    double start = 0, span = 2 * 3.14159265358979323846;
    if (radials) {
        start = radialAngle(e, radials[0], radials[1]);
        span = counterClockwiseSpan(start, radialAngle(e, radials[2], radials[3]));
    }
    if (direct(l, t) && direct(r, b)) {
        const QRectF box(l, t, r - l - 1, b - t - 1);
        if (radials)
            p->drawArc(box, static_cast<int>(std::lround(start * kRadToSixteenths)),
                       static_cast<int>(std::lround(span * kRadToSixteenths)));
        else
            p->drawEllipse(box);
        return;
    }
    const ClipRect guard = grownRect(width_, height_, kGuardMargin);
    for (const auto& pts : visibleArcPolylines(e, start, span, guard)) {
        QPolygon poly;
        for (const auto& pt : pts)
            poly << toPoint(std::llround(pt.first), std::llround(pt.second));
        p->drawPolyline(poly);
    }
}

void PainterCanvas::ellipse(int left, int top, int right, int bottom) {
    curve(left, top, right, bottom, nullptr);
}

void PainterCanvas::arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
    const int radials[4] = {x1, y1, x2, y2};
    curve(left, top, right, bottom, radials);
}

void PainterCanvas::pixel(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    if (QPainter* p = activePainter()) p->fillRect(QRect(x, y, 1, 1), toQColor(colour));
}

void PainterCanvas::fillRect(int left, int top, int right, int bottom, Rgb colour) {
    // Cut to the picture first: the box may come from any coordinates.
    const long long l = std::max(0, left), t = std::max(0, top);
    const long long r = std::min(width_, right), b = std::min(height_, bottom);
    if (r <= l || b <= t) return;
    if (QPainter* p = activePainter())
        p->fillRect(QRect(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r - l),
                          static_cast<int>(b - t)),
                    toQColor(colour));
}

void PainterCanvas::text(int x, int y, const std::string& s, const TextStyle& style) {
    // Texts are short: one that starts this far away cannot reach the picture.
    constexpr int kReach = 4096;
    if (x < -kReach || y < -kReach || x > width_ + kReach || y > height_ + kReach) return;
    QPainter* p = activePainter();
    if (!p) return;
    const CachedFont& f = cachedFont(style);
    const QString q = QString::fromStdString(s);
    if (style.opaque) {
        const QFontMetrics fm(f.font);
        p->fillRect(QRect(x, y, fm.horizontalAdvance(q), fm.height()), Qt::white);
    }
    p->setFont(f.font);
    p->setPen(toQColor(style.colour));
    p->drawText(QPoint(x, y + f.ascent), q);
    applyPen(*p);
}

int PainterCanvas::textWidth(const std::string& s, const TextStyle& style) const {
    return QFontMetrics(cachedFont(style).font).horizontalAdvance(QString::fromStdString(s));
}

std::optional<TextInk> PainterCanvas::textInk(const std::string& s, const TextStyle& style) const {
    const CachedFont& f = cachedFont(style);
    const QFontMetrics fm(f.font);
    const QString q = QString::fromStdString(s);
    // Glyphs may reach a little beyond their advance and line box.
    const int margin = fm.height();
    QImage scratch(fm.horizontalAdvance(q) + 2 * margin, fm.height() + 2 * margin,
                   QImage::Format_RGB32);
    scratch.fill(Qt::white);
    {
        QPainter p(&scratch);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setFont(f.font);
        p.setPen(Qt::black);
        p.drawText(QPoint(margin, margin + f.ascent), q);
    }
    TextInk ink{scratch.width(), scratch.height(), 0, 0};
    for (int y = 0; y < scratch.height(); ++y)
        for (int x = 0; x < scratch.width(); ++x)
            if ((scratch.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                ink.left = std::min(ink.left, x);
                ink.top = std::min(ink.top, y);
                ink.right = std::max(ink.right, x + 1);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
    if (ink.right == 0) return TextInk{};
    return TextInk{ink.left - margin, ink.top - margin, ink.right - margin, ink.bottom - margin};
}

QPainterCanvas::QPainterCanvas(int width, int height)
    : PainterCanvas(width, height), image_(width, height, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    attach(&painter_);
}

QPainterCanvas::~QPainterCanvas() {
    if (painter_.isActive()) painter_.end();
}

bool QPainterCanvas::begin() {
    if (painter_.isActive()) return false;
    painter_.begin(&image_);
    // Taken after begin(): the painter has made the image its own by then.
    bits_ = reinterpret_cast<QRgb*>(image_.bits());
    stride_ = image_.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    return true;
}

void QPainterCanvas::pixel(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return;
    // Steam frames set thousands of single pixels: write them straight into
    // the image, which the raster painter shares without buffering.
    if (!activePainter()) return;
    bits_[static_cast<qsizetype>(y) * stride_ + x] = 0xFF000000u | colour;
}

const QImage& QPainterCanvas::image() {
    if (painter_.isActive()) painter_.end();
    bits_ = nullptr;
    return image_;
}

} // namespace corvellan
