#pragma once
// The program's fonts, made in this one place for the texts it draws on its
// canvases and for its widgets alike: Liberation Sans or Serif (the metric
// twins of the classic faces the layouts were made for) at a pixel size.
//
// An aliased face is fully hinted. With the default hinting its glyphs are
// drawn hinted but placed by the unhinted advances, so at small sizes a word
// space shrinks to a pixel ("Rev Arm" reads "RevAm") or a word splits ("Cham
// ber"); full hinting places every glyph by the whole-pixel advance it is
// drawn with, and without kerning nothing moves it from there.

#include "view/Canvas.h"

#include <QFont>

namespace corvellan {

enum class Smoothing { Antialiased, Aliased };

QFont programFont(FontFace face, int pixelSize, bool bold = false,
                  Smoothing smoothing = Smoothing::Antialiased);

} // namespace corvellan
