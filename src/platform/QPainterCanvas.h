#pragma once
// Canvases over Qt's QPainter. PainterCanvas draws on any paint device through
// a painter it is given (a widget's, say); QPainterCanvas owns the off-screen
// picture, one image reused for every frame.
//
// The Canvas pixel conventions are kept here although Qt's defaults differ:
// a line leaves out its end pixel (Qt sets both ends, so the line is drawn to
// the pixel before the end); an ellipse by box (l, t, r, b) covers columns
// l..r-1 and rows t..b-1 (Qt strokes a rectangle's outline one pixel wider,
// so the painter gets a box one pixel smaller); arcs run counter-clockwise
// from the first radial to the second (Qt measures angles counter-clockwise
// in 1/16 degree from three o'clock, so atan2 of the y-up radial gives them);
// text stands at its top-left point (Qt places at the baseline: the font's
// ascent is added). No antialiasing anywhere. Coordinates far outside the
// picture never reach the painter (see view/CanvasClip.h).

#include "view/Canvas.h"
#include "view/CanvasClip.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>

#include <vector>

namespace corvellan {

class PainterCanvas : public Canvas {
  public:
    // Draws through `painter`, which must stay active while the canvas is used.
    PainterCanvas(QPainter* painter, int width, int height);

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
    // Measured on the pixels the face sets, as text() would draw them.
    std::optional<TextInk> textInk(const std::string& s, const TextStyle& style) const override;

    // The Qt font of a text style: Liberation Sans or Serif at a pixel size,
    // without antialiasing.
    static QFont fontFor(const TextStyle& style);

  protected:
    PainterCanvas(int width, int height); // the subclass attaches the painter
    void attach(QPainter* painter) { painter_ = painter; }
    // Starts the painter if the subclass owns one; true when it just started.
    virtual bool begin() { return false; }
    // The active painter, set up for drawing; nullptr when there is none.
    QPainter* activePainter();

  private:
    struct CachedFont {
        TextStyle style;
        QFont font;
        int ascent;
    };
    const CachedFont& cachedFont(const TextStyle& style) const;
    void applyPen(QPainter& p);
    bool direct(long long x, long long y) const;
    void segment(QPainter& p, long long x1, long long y1, long long x2, long long y2);
    void curve(long long l, long long t, long long r, long long b, const int* radials);

    QPainter* painter_ = nullptr;
    int width_;
    int height_;
    Rgb penColour_ = colours::Black;
    int penWidth_ = 1;
    mutable std::vector<CachedFont> fonts_;
};

class QPainterCanvas : public PainterCanvas {
  public:
    explicit QPainterCanvas(int width = 1280, int height = 1024);
    ~QPainterCanvas() override;
    QPainterCanvas(const QPainterCanvas&) = delete;
    QPainterCanvas& operator=(const QPainterCanvas&) = delete;

    void pixel(int x, int y, Rgb colour) override;

    // The picture as drawn so far; painting resumes on the same image at the
    // next drawing call.
    const QImage& image();

  protected:
    bool begin() override;

  private:
    QImage image_;
    QPainter painter_;
    QRgb* bits_ = nullptr;
    qsizetype stride_ = 0; // in pixels
};

} // namespace corvellan
