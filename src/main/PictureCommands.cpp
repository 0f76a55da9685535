#include "main/PictureCommands.h"

#include "main/PicturePrint.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace corvellan {

namespace {

const struct {
    const char* filter;
    const char* suffix;
} kFormats[] = {
    {"PNG Image (*.png)", "png"}, {"SVG Drawing (*.svg)", "svg"}, {"PDF Document (*.pdf)", "pdf"}};

} // namespace

PictureCommands::PictureCommands(QWidget* window, std::function<Picture()> source,
                                 std::function<QString()> caption)
    : QObject(window), window_(window), source_(std::move(source)), caption_(std::move(caption)) {
    save_ = new QAction(QStringLiteral("Save P&icture…"), window);
    save_->setObjectName("SavePicture");
    connect(save_, &QAction::triggered, this, &PictureCommands::savePicture);
    print_ = new QAction(QStringLiteral("&Print…"), window);
    print_->setObjectName("PrintPicture");
    print_->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    connect(print_, &QAction::triggered, this, &PictureCommands::print);
}

PictureCommands::~PictureCommands() = default;

QPrinter& PictureCommands::printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

QString PictureCommands::saveTo(const QString& path) {
    return writePictureFile(path, source_());
}

void PictureCommands::savePicture() {
    QFileDialog dialog(window_, QStringLiteral("Save Picture"));
    dialog.setObjectName("SavePictureDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const auto& f : kFormats)
        filters << QString::fromLatin1(f.filter);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    // A name typed without an extension takes the chosen type's.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        for (const auto& f : kFormats)
            if (filter == QLatin1String(f.filter)) dialog.setDefaultSuffix(f.suffix);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().first();
    const QString why = saveTo(path);
    if (!why.isEmpty()) report(QStringLiteral("Cannot save \"%1\": %2.").arg(path, why));
}

void PictureCommands::print() {
    const Picture picture = source_();
    // The page turned to the picture's shape, so it fills the page; the user
    // may still turn it in the dialog.
    printer().setPageOrientation(picture.size.width() > picture.size.height()
                                     ? QPageLayout::Landscape
                                     : QPageLayout::Portrait);
    QPrintDialog dialog(&printer(), window_);
    dialog.setObjectName("PrintDialog");
    if (dialog.exec() != QDialog::Accepted) return;
    // The caption is made now: its time is the time of printing.
    if (!printPicture(printer(), picture, caption_ ? caption_() : QString()))
        report(QStringLiteral("Cannot print: the printer could not be started."));
}

void PictureCommands::report(const QString& message) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("CORVELLAN Outside Admission"), message,
                    QMessageBox::Ok, window_);
    box.setObjectName("PictureError");
    box.exec();
}

} // namespace corvellan
