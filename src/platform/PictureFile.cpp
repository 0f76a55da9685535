#include "platform/PictureFile.h"

#include "model/SaveFile.h"
#include "platform/QPainterCanvas.h"
#include "platform/SvgCanvas.h"

#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace corvellan {

namespace {

QString pngFile(const QString& path, const Picture& picture) {
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
    return image.save(path, "PNG") ? QString() : QStringLiteral("the picture could not be encoded");
}

QString svgFile(const QString& path, const Picture& picture) {
    SvgCanvas svg(QFile::encodeName(path).toStdString(), picture.size.width(),
                  picture.size.height());
    if (!svg.ok()) return QStringLiteral("the file could not be opened");
    picture.draw(svg);
    return svg.finish() ? QString() : QStringLiteral("the file could not be written");
}

// One page the size of the picture, a point per pixel.
QString pdfFile(const QString& path, const Picture& picture) {
    QPdfWriter writer(path);
    writer.setTitle(picture.title);
    writer.setCreator(QStringLiteral("CORVELLAN Outside Admission"));
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(
        QPageSize(QSizeF(picture.size), QPageSize::Point, QString(), QPageSize::ExactMatch),
        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer)) return QStringLiteral("the file could not be opened");
    PainterCanvas canvas(&painter, picture.size.width(), picture.size.height());
    picture.draw(canvas);
    return painter.end() ? QString() : QStringLiteral("the file could not be written");
}

} // namespace

PictureFormat pictureFormatOf(const QString& path) {
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) return PictureFormat::Png;
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) return PictureFormat::Svg;
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) return PictureFormat::Pdf;
    return PictureFormat::None;
}

QString writePictureFile(const QString& path, const Picture& picture) {
    const PictureFormat format = pictureFormatOf(path);
    if (format == PictureFormat::None)
        return QStringLiteral("the name must end in .png, .svg or .pdf");
    if (picture.size.isEmpty()) return QStringLiteral("the picture is empty");
    const std::string why =
        writeFileReplacing(QFile::encodeName(path).toStdString(), [&](const std::string& tempPath) {
            const QString temp = QFile::decodeName(tempPath.c_str());
            const QString error = format == PictureFormat::Png   ? pngFile(temp, picture)
                                  : format == PictureFormat::Svg ? svgFile(temp, picture)
                                                                 : pdfFile(temp, picture);
            return error.toStdString();
        });
    return QString::fromStdString(why);
}

} // namespace corvellan
