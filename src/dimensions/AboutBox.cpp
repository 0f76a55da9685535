#include "dimensions/AboutBox.h"

#include "platform/QPainterCanvas.h"

#include <QLabel>
#include <QPushButton>

namespace corvellan {

namespace {

QLabel* line(QWidget* parent, const char* name, const QString& text, int top, int pixelSize,
             bool bold) {
    TextStyle style;
    style.pixelSize = pixelSize;
    style.bold = bold;
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(PainterCanvas::fontFor(style));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(8, top, parent->width() - 16, pixelSize + 6);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("TAboutBox");
    setWindowTitle("About These Programs");
    setModal(true);
    setFixedSize(300, 170);
    line(this, "ProductName", "CORVELLAN Outside Admission", 16, 16, true);
    line(this, "Version", "Version 2.6", 44, 13, false);
    line(this, "Comments", "Radial valve gear with an outside-admission piston valve", 76, 11,
         false);
    line(this, "Comments2", "simulated, animated and drawn as valve diagrams", 92, 11, false);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setGeometry(112, 128, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace corvellan
