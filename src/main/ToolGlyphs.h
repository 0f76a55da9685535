#pragma once
// The tool bar's glyphs and the picture of the "Error" menu item, painted
// once at start-up (16 x 16 pixels each).

#include <QIcon>

namespace corvellan {

enum class Glyph {
    DriverAngle,
    StepAngle,
    RevArmPos,
    MidGear,
    Steam,
    Error,
    RefPoints,
    DrawLines,
    PivotData
};

QIcon glyph(Glyph which);

} // namespace corvellan
