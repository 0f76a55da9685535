#pragma once
// A Canvas that keeps every primitive it is given, for tests and golden draw
// lists. Nothing is rasterised: each primitive is one record, printable as one
// text line such as "line 145 275 134 264 #ff0000 w1".
//
// textWidth() is an approximation: 6 pixels per character at the 11-pixel
// size, scaled linearly with the pixel size. Layout code that depends on real
// font metrics must be checked on a painter canvas.

#include "view/Canvas.h"

#include <string>
#include <vector>

namespace corvellan {

enum class PrimitiveKind { Erase, Line, Polyline, Ellipse, Arc, Pixel, Text, Rect };

struct Primitive {
    PrimitiveKind kind = PrimitiveKind::Line;
    Rgb colour = colours::Black; // pen colour, pixel colour or text colour
    int penWidth = 1;
    std::vector<int> coords; // line: x1 y1 x2 y2; polyline: x y pairs; ellipse:
                             // l t r b; arc: l t r b x1 y1 x2 y2; pixel: x y;
                             // rect: l t r b
    std::string text;
    TextStyle style;

    std::string toLine() const;
};

class RecordingCanvas : public Canvas {
  public:
    explicit RecordingCanvas(int width = 1280, int height = 1024);

    int width() const override { return width_; }
    int height() const override { return height_; }

    void erase(Rgb colour) override;
    void setPen(Rgb colour, int width) override;
    void line(int x1, int y1, int x2, int y2) override;
    void polyline(const int* xs, const int* ys, int n) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) override;
    void pixel(int x, int y, Rgb colour) override;
    void fillRect(int left, int top, int right, int bottom, Rgb colour) override;
    void text(int x, int y, const std::string& s, const TextStyle& style) override;
    int textWidth(const std::string& s, const TextStyle& style) const override;

    const std::vector<Primitive>& primitives() const { return prims_; }
    void clear() { prims_.clear(); }
    // One line per primitive, in drawing order, each ending in '\n'.
    std::string toText() const;
    // Primitives of one kind, in drawing order.
    std::vector<Primitive> ofKind(PrimitiveKind kind) const;
    // The texts drawn, in order.
    std::vector<std::string> texts() const;
    // First text primitive whose text starts with `prefix`, or nullptr.
    const Primitive* findText(const std::string& prefix) const;
    // When off, pixels are counted but not kept (steam frames hold thousands).
    void setKeepPixels(bool keep) { keepPixels_ = keep; }
    long pixelCount() const { return pixelCount_; }

  private:
    Primitive& add(PrimitiveKind kind);

    int width_;
    int height_;
    Rgb pen_ = colours::Black;
    int penWidth_ = 1;
    bool keepPixels_ = true;
    long pixelCount_ = 0;
    std::vector<Primitive> prims_;
};

} // namespace corvellan
