#pragma once
// A canvas that draws a second gear over a diagram already on another
// canvas: lines in one colour and dashed, and nothing else. Texts, pixels,
// circles, fills and erasing are left out, so the first gear's figures, labels and
// frame stay as they were drawn.

#include "view/Canvas.h"

#include <array>

namespace corvellan {

class DashedCanvas : public Canvas {
  public:
    // Pixels on and off along each line.
    static constexpr int kDashOn = 5;
    static constexpr int kDashOff = 3;

    DashedCanvas(Canvas& target, Rgb colour) : target_(target), colour_(colour) {}

    int width() const override { return target_.width(); }
    int height() const override { return target_.height(); }

    void erase(Rgb) override {}
    void setPen(Rgb, int width) override { target_.setPen(colour_, width); }
    void line(int x1, int y1, int x2, int y2) override;
    void polyline(const int* xs, const int* ys, int n) override;
    void ellipse(int, int, int, int) override {}
    void arc(int, int, int, int, int, int, int, int) override {}
    void pixel(int, int, Rgb) override {}
    void fillRect(int, int, int, int, Rgb) override {}
    void text(int, int, const std::string&, const TextStyle&) override {}
    int textWidth(const std::string& s, const TextStyle& style) const override {
        return target_.textWidth(s, style);
    }

  private:
    // Where recent lines ended and how far into the dash pattern: a curve
    // drawn segment by segment keeps one even pattern, even while two
    // curves are drawn in turns (the steam diagram's two ends).
    struct End {
        int x = 0, y = 0, phase = 0;
        bool used = false;
    };
    // Draws the dashes of a line starting `phase` pixels into the pattern;
    // returns the phase at its end.
    int dash(int x1, int y1, int x2, int y2, int phase);
    int phaseAt(int x, int y) const;
    void remember(int x, int y, int phase);

    Canvas& target_;
    Rgb colour_;
    std::array<End, 8> ends_{};
    size_t nextEnd_ = 0;
};

} // namespace corvellan
