#pragma once
// The one drawing interface of the program. The mechanism view, the steam
// display, the diagrams and the dialogs' captions draw against it, so the same
// code paints the windows, writes PNG and SVG files and is recorded in tests.
//
// Pixel conventions every implementation keeps:
// - a line from A to B sets every pixel of the segment except B itself;
// - an ellipse by box (l, t, r, b) lies in columns l..r-1 and rows t..b-1,
//   and so does a filled rectangle;
// - an arc by box and two radial points runs counter-clockwise on the screen
//   from the radial through the first point to the radial through the second;
// - text is placed by its top-left corner; sizes are in pixels;
// - no antialiasing.

#include <cstdint>
#include <optional>
#include <string>

namespace corvellan {

// 0xRRGGBB
using Rgb = std::uint32_t;

namespace colours {
constexpr Rgb Black = 0x000000, Red = 0xFF0000, Lime = 0x00FF00, Blue = 0x0000FF,
              Grey = 0x808080, Fuchsia = 0xFF00FF, Green = 0x008000, White = 0xFFFFFF,
              Teal = 0x008080, Maroon = 0x800000, Yellow = 0xFFFF00, Silver = 0xC0C0C0,
              Aqua = 0x00FFFF, Navy = 0x000080, Olive = 0x808000, Purple = 0x800080;
}

enum class FontFace { Sans, Serif };

// The pixels a text sets, relative to the point it is drawn at: columns
// left..right-1, rows top..bottom-1.
struct TextInk {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct TextStyle {
    Rgb colour = colours::Black;
    int pixelSize = 11; // the 8-point default face
    bool bold = false;
    FontFace face = FontFace::Sans;
    bool opaque = false; // draw on a white box
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    virtual void erase(Rgb colour) = 0;
    virtual void setPen(Rgb colour, int width) = 0;
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    // Joined segments through n points (each segment without its end point).
    virtual void polyline(const int* xs, const int* ys, int n) = 0;
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    virtual void arc(int left, int top, int right, int bottom, int x1, int y1, int x2,
                     int y2) = 0;
    virtual void pixel(int x, int y, Rgb colour) = 0;
    // Fills columns left..right-1 of rows top..bottom-1 with a colour; the pen
    // is left as it was. A canvas without fills of its own draws the rows as
    // lines, which leaves its pen at (colour, 1).
    virtual void fillRect(int left, int top, int right, int bottom, Rgb colour) {
        setPen(colour, 1);
        for (int y = top; y < bottom; ++y)
            line(left, y, right, y);
    }
    virtual void text(int x, int y, const std::string& s, const TextStyle& style) = 0;
    // Width in pixels that text() would take for s in this style.
    virtual int textWidth(const std::string& s, const TextStyle& style) const = 0;
    // The pixels text() would set for s in this style, where the canvas draws
    // real glyphs; a canvas that only keeps the texts has none to give.
    virtual std::optional<TextInk> textInk(const std::string& s, const TextStyle& style) const {
        (void)s;
        (void)style;
        return std::nullopt;
    }
};

} // namespace corvellan
