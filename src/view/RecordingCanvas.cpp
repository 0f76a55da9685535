#include "view/RecordingCanvas.h"

#include <cstdio>

namespace corvellan {

namespace {

const char* kindName(PrimitiveKind k) {
    switch (k) {
    case PrimitiveKind::Erase:
        return "erase";
    case PrimitiveKind::Line:
        return "line";
    case PrimitiveKind::Polyline:
        return "polyline";
    case PrimitiveKind::Ellipse:
        return "ellipse";
    case PrimitiveKind::Arc:
        return "arc";
    case PrimitiveKind::Pixel:
        return "pixel";
    case PrimitiveKind::Text:
        return "text";
    case PrimitiveKind::Rect:
        return "rect";
    }
    return "?";
}

std::string hexColour(Rgb c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%06x", static_cast<unsigned>(c & 0xFFFFFF));
    return buf;
}

} // namespace

std::string Primitive::toLine() const {
    std::string s = kindName(kind);
    for (int v : coords)
        s += " " + std::to_string(v);
    s += " " + hexColour(colour);
    if (kind == PrimitiveKind::Text) {
        s += " " + std::to_string(style.pixelSize) + (style.bold ? "b" : "") +
             (style.face == FontFace::Serif ? " serif" : "") + (style.opaque ? " opaque" : "") +
             " \"" + text + "\"";
    } else if (kind != PrimitiveKind::Pixel && kind != PrimitiveKind::Erase &&
               kind != PrimitiveKind::Rect) {
        s += " w" + std::to_string(penWidth);
    }
    return s;
}

RecordingCanvas::RecordingCanvas(int width, int height) : width_(width), height_(height) {}

Primitive& RecordingCanvas::add(PrimitiveKind kind) {
    prims_.emplace_back();
    Primitive& p = prims_.back();
    p.kind = kind;
    p.colour = pen_;
    p.penWidth = penWidth_;
    return p;
}

void RecordingCanvas::erase(Rgb colour) {
    add(PrimitiveKind::Erase).colour = colour;
}

void RecordingCanvas::setPen(Rgb colour, int width) {
    pen_ = colour;
    penWidth_ = width;
}

void RecordingCanvas::line(int x1, int y1, int x2, int y2) {
    add(PrimitiveKind::Line).coords = {x1, y1, x2, y2};
}

void RecordingCanvas::polyline(const int* xs, const int* ys, int n) {
    Primitive& p = add(PrimitiveKind::Polyline);
    for (int i = 0; i < n; ++i) {
        p.coords.push_back(xs[i]);
        p.coords.push_back(ys[i]);
    }
}

void RecordingCanvas::ellipse(int left, int top, int right, int bottom) {
    add(PrimitiveKind::Ellipse).coords = {left, top, right, bottom};
}

void RecordingCanvas::arc(int left, int top, int right, int bottom, int x1, int y1, int x2,
                          int y2) {
    add(PrimitiveKind::Arc).coords = {left, top, right, bottom, x1, y1, x2, y2};
}

void RecordingCanvas::pixel(int x, int y, Rgb colour) {
    ++pixelCount_;
    if (!keepPixels_) return;
    Primitive& p = add(PrimitiveKind::Pixel);
    p.coords = {x, y};
    p.colour = colour;
}

void RecordingCanvas::fillRect(int left, int top, int right, int bottom, Rgb colour) {
    Primitive& p = add(PrimitiveKind::Rect);
    p.coords = {left, top, right, bottom};
    p.colour = colour;
}

void RecordingCanvas::text(int x, int y, const std::string& s, const TextStyle& style) {
    Primitive& p = add(PrimitiveKind::Text);
    p.coords = {x, y};
    p.colour = style.colour;
    p.text = s;
    p.style = style;
}

int RecordingCanvas::textWidth(const std::string& s, const TextStyle& style) const {
    return static_cast<int>(s.size()) * 6 * style.pixelSize / 11;
}

std::string RecordingCanvas::toText() const {
    std::string out;
    for (const Primitive& p : prims_)
        out += p.toLine() + "\n";
    return out;
}

std::vector<Primitive> RecordingCanvas::ofKind(PrimitiveKind kind) const {
    std::vector<Primitive> out;
    for (const Primitive& p : prims_)
        if (p.kind == kind) out.push_back(p);
    return out;
}

std::vector<std::string> RecordingCanvas::texts() const {
    std::vector<std::string> out;
    for (const Primitive& p : prims_)
        if (p.kind == PrimitiveKind::Text) out.push_back(p.text);
    return out;
}

const Primitive* RecordingCanvas::findText(const std::string& prefix) const {
    for (const Primitive& p : prims_)
        if (p.kind == PrimitiveKind::Text && p.text.compare(0, prefix.size(), prefix) == 0)
            return &p;
    return nullptr;
}

} // namespace corvellan
