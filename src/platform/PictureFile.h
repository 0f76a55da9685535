#pragma once
// Pictures saved as files: PNG, SVG or PDF, chosen by the file name's
// extension. SVG and PDF run the picture's drawing code on a canvas over
// Qt's SVG generator or PDF writer, so lines and texts stay vectors; a PNG
// is the picture's pixels. A picture is encoded in memory, then written by
// the one checked file writer (model/SaveFile.h): beside its target first and
// renamed over it, so a failed save leaves an existing file as it was.

#include "view/Canvas.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

namespace corvellan {

enum class PictureFormat { None, Png, Svg, Pdf };

// The format a file name asks for by its extension (any case); None for
// any other name.
PictureFormat pictureFormatOf(const QString& path);

struct Picture {
    QSize size; // in pixels; a PDF page of as many points
    // Draws the whole picture on a canvas of `size`.
    std::function<void(Canvas&)> draw;
    // The picture's pixels as shown, for PNG; unset: `draw` on an image.
    std::function<QImage()> pixels;
    QString title; // of the SVG and PDF document
};

// The file's bytes of `picture` in `format`; returns "" or why it could not.
QString encodePicture(PictureFormat format, const Picture& picture, QByteArray& bytes);

// Writes `picture` to `path`; returns "" or why it could not (the system's
// reason when the disk refuses it).
QString writePictureFile(const QString& path, const Picture& picture);

} // namespace corvellan
