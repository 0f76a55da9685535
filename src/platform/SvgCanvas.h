#pragma once
// A Canvas that writes an SVG file through QSvgGenerator: the same drawing
// code as the window, as vectors.

#include "platform/QPainterCanvas.h"

#include <QFile>
#include <QPainter>
#include <QSvgGenerator>

#include <string>

namespace corvellan {

class SvgCanvas : public PainterCanvas {
  public:
    SvgCanvas(const std::string& path, int width, int height);
    // Writes to `device`, which the caller keeps open and alive.
    SvgCanvas(QIODevice* device, int width, int height);
    ~SvgCanvas() override;
    SvgCanvas(const SvgCanvas&) = delete;
    SvgCanvas& operator=(const SvgCanvas&) = delete;

    // False when the file could not be created; drawing then does nothing.
    bool ok() const { return ok_; }
    // Ends the drawing and closes the file; true when all of it was written.
    bool finish();

  protected:
    bool begin() override;

  private:
    void start(QIODevice* device, int width, int height);

    QFile file_;
    QSvgGenerator generator_;
    QPainter painter_;
    bool ok_ = false;
    bool started_ = false;
};

} // namespace corvellan
