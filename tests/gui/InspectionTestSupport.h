#pragma once
// What the tests of the measuring tools share: presses on the picture as the
// user makes them, the frame drawn into a recording canvas, and the pixels of
// the frame the window shows.

#include "GuiTestSupport.h"

#include "view/RecordingCanvas.h"

#include <QColor>
#include <QStyle>

#include <string>

namespace corvellan::test {

class InspectionTest : public MainWindowTest {
  protected:
    void SetUp() override;

    QWidget* picture() const { return window->centralWidget(); }
    // A press and release at client-area pixel (x, y).
    void clickPicture(int x, int y, Qt::MouseButton button = Qt::LeftButton) const;
    // The next frame, drawn into a recording canvas (the motion stopped, so
    // the window's own frames show the same gear).
    RecordingCanvas recordFrame();
    // The text drawn with its top left corner at (x, y), or "" when none is.
    static std::string textAt(const RecordingCanvas& c, int x, int y);
    // The colour of pixel (x, y) of the latest frame.
    QColor pixel(int x, int y) const;
    // Whether a pixel of `colour` lies within `radius` of (x, y).
    bool colourNear(int x, int y, QColor colour, int radius = 1) const;
    // A click on part `part` of a scroll bar (an arrow or the trough).
    static void clickBar(QScrollBar* bar, QStyle::SubControl part);
};

} // namespace corvellan::test
