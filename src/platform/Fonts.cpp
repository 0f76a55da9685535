#include "platform/Fonts.h"

#include <algorithm>

namespace corvellan {

QFont programFont(FontFace face, int pixelSize, bool bold, Smoothing smoothing) {
    const bool serif = face == FontFace::Serif;
    QFont font(serif ? QStringLiteral("Liberation Serif") : QStringLiteral("Liberation Sans"));
    font.setStyleHint(serif ? QFont::Serif : QFont::SansSerif);
    font.setPixelSize(std::max(1, pixelSize));
    font.setBold(bold);
    if (smoothing == Smoothing::Aliased) {
        font.setStyleStrategy(QFont::NoAntialias);
        font.setHintingPreference(QFont::PreferFullHinting);
        // Whole glyph advances only, as the classic faces were set: the
        // face's kerning pairs take a pixel from a word space before a
        // capital ("Rev Arm" at 12 pixels).
        font.setKerning(false);
    }
    return font;
}

} // namespace corvellan
