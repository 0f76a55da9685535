#include "main/Controls.h"

#include "platform/Fonts.h"

#include <QPushButton>
#include <QScrollBar>

namespace corvellan {

QFont sansFont(int pixelSize, bool bold) {
    return programFont(FontFace::Sans, pixelSize, bold);
}

QFont serifFont(int pixelSize, bool bold, bool underline) {
    QFont font = programFont(FontFace::Serif, pixelSize, bold);
    font.setUnderline(underline);
    return font;
}

QScrollBar* makeScrollBar(QWidget* parent, const char* name, const QRect& geometry,
                          const ScrollBarSettings& s, const char* hint) {
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(name);
    bar->setGeometry(geometry);
    bar->setRange(s.min, s.max);
    bar->setSingleStep(s.smallChange);
    bar->setPageStep(s.largeChange);
    bar->setValue(s.position);
    bar->setToolTip(hint);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption,
                        const QRect& geometry, const char* hint) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(false);
    return button;
}

} // namespace corvellan
