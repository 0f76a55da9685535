#pragma once
// Small factories for the main window's controls: every control is placed at
// a fixed pixel rectangle of the client area, named after its role (the name
// is also how tests and other windows find it), and carries its hint as a
// tool tip.

#include <QFont>
#include <QRect>

class QPushButton;
class QScrollBar;
class QWidget;

namespace corvellan {

// The classic sans face at a pixel height (the 8-point default is 11 pixels).
QFont sansFont(int pixelSize, bool bold = false);
// The classic Times face at a pixel height.
QFont serifFont(int pixelSize, bool bold = false, bool underline = false);

struct ScrollBarSettings {
    int min = 0;
    int max = 100;
    int smallChange = 1;
    int largeChange = 10;
    int position = 0;
};

// A horizontal scroll bar. The position is set before any handler is
// connected, so it does not count as a change.
QScrollBar* makeScrollBar(QWidget* parent, const char* name, const QRect& geometry,
                          const ScrollBarSettings& settings, const char* hint);

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption,
                        const QRect& geometry, const char* hint);

} // namespace corvellan
