#include "platform/PictureFile.h"

#include "model/SaveFile.h"
#include "platform/QPainterCanvas.h"
#include "platform/SvgCanvas.h"

#include <QBuffer>
#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace corvellan {

namespace {

// Each format is encoded into memory first: Qt's writers do not all report a
// failed write or close, so the bytes reach the disk only through the checked
// writer, which leaves the old file whole when the disk refuses them.

QString pngBytes(const Picture& picture, QBuffer& out) {
    QImage image;
    if (picture.pixels) {
        image = picture.pixels();
    } else {
        QPainterCanvas canvas(picture.size.width(), picture.size.height());
        picture.draw(canvas);
        image = canvas.image();
    }
    if (image.size() != picture.size)
        image = image.copy(0, 0, picture.size.width(), picture.size.height());
    return image.save(&out, "PNG") ? QString() : QStringLiteral("the picture could not be encoded");
}

QString svgBytes(const Picture& picture, QBuffer& out) {
    SvgCanvas svg(&out, picture.size.width(), picture.size.height());
    if (!svg.ok()) return QStringLiteral("the picture could not be encoded");
    picture.draw(svg);
    return svg.finish() ? QString() : QStringLiteral("the picture could not be encoded");
}

// One page the size of the picture, a point per pixel.
QString pdfBytes(const Picture& picture, QBuffer& out) {
    QPdfWriter writer(&out);
    writer.setTitle(picture.title);
    writer.setCreator(QStringLiteral("CORVELLAN Outside Admission"));
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(
        QPageSize(QSizeF(picture.size), QPageSize::Point, QString(), QPageSize::ExactMatch),
        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer)) return QStringLiteral("the picture could not be encoded");
    PainterCanvas canvas(&painter, picture.size.width(), picture.size.height());
    picture.draw(canvas);
    return painter.end() ? QString() : QStringLiteral("the picture could not be encoded");
}

} // namespace

PictureFormat pictureFormatOf(const QString& path) {
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) return PictureFormat::Png;
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) return PictureFormat::Svg;
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) return PictureFormat::Pdf;
    return PictureFormat::None;
}

QString encodePicture(PictureFormat format, const Picture& picture, QByteArray& bytes) {
    bytes.clear();
    if (format == PictureFormat::None)
        return QStringLiteral("the name must end in .png, .svg or .pdf");
    if (picture.size.isEmpty()) return QStringLiteral("the picture is empty");
    QBuffer out(&bytes);
    if (!out.open(QIODevice::WriteOnly)) return QStringLiteral("the picture could not be encoded");
    const QString why = format == PictureFormat::Png   ? pngBytes(picture, out)
                        : format == PictureFormat::Svg ? svgBytes(picture, out)
                                                       : pdfBytes(picture, out);
    out.close();
    return why;
}

QString writePictureFile(const QString& path, const Picture& picture) {
    QByteArray bytes;
    const QString why = encodePicture(pictureFormatOf(path), picture, bytes);
    if (!why.isEmpty()) return why;
    const std::vector<unsigned char> content(bytes.begin(), bytes.end());
    return QString::fromStdString(
        writeFileReplacing(QFile::encodeName(path).toStdString(), content));
}

} // namespace corvellan
