#include "main/OverlayRow.h"

#include "main/KeyFilterEdit.h"

#include <QLabel>
#include <QMouseEvent>

namespace corvellan {

using namespace overlayrow;

OverlayRow::OverlayRow(int k, Rule accepts, QWidget* parent) : QFrame(parent), k_(k) {
    setObjectName(QString("Panel%1").arg(k));
    setAutoFillBackground(true);
    const QString numberText = k < 10 ? QString("%1  ").arg(k) : QString::number(k);
    number_ = new QLabel(numberText, this);
    number_->setObjectName(QString("ItemNo%1").arg(k));
    number_->setGeometry(kNumberLeft, 0, 26, kHeight);
    number_->setCursor(Qt::PointingHandCursor);
    // The row takes the number's clicks.
    number_->setAttribute(Qt::WA_TransparentForMouseEvents);

    const int lefts[3] = {kTypeLeft, kColourLeft, kRefLeft};
    const int widths[3] = {50, 54, 62};
    for (int i = 0; i < 3; ++i) {
        labels_[i] = new QLabel(this);
        labels_[i]->setGeometry(lefts[i], 0, widths[i], kHeight);
    }

    QPalette silver = palette();
    silver.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    for (int c = 0; c < 4; ++c) {
        auto* box = new KeyFilterEdit(
            [accepts, c](char key, const std::string& text) { return accepts(c, key, text); },
            this);
        box->setObjectName(QString("Edit%1").arg(4 * (k - 1) + c + 1));
        box->setGeometry(kBoxLeft[c], 0, kBoxWidth, kHeight);
        box->setPalette(silver);
        box->setAlignment(Qt::AlignRight);
        connect(box, &KeyFilterEdit::left, this,
                [this, box, c] { Q_EMIT boxLeft(k_, c, box->text().toStdString()); });
        boxes_[c] = box;
    }
}

void OverlayRow::showTexts(const OverlayRowTexts& texts, bool current, bool force) {
    QPalette p = palette();
    p.setColor(QPalette::Window, current ? QColor(0x00, 0xFF, 0xFF) : QColor(Qt::white));
    setPalette(p);
    labels_[0]->setText(QString::fromStdString(texts.type));
    labels_[1]->setText(QString::fromStdString(texts.colour));
    labels_[2]->setText(QString::fromStdString(texts.ref));
    for (int c = 0; c < 4; ++c) {
        if (!force && texts.boxes[c] == shown_[c]) continue;
        shown_[c] = texts.boxes[c];
        boxes_[c]->setText(QString::fromStdString(texts.boxes[c]));
    }
}

void OverlayRow::mousePressEvent(QMouseEvent* event) {
    if (number_->geometry().contains(event->position().toPoint())) {
        Q_EMIT numberClicked(k_);
        event->accept();
        return;
    }
    QFrame::mousePressEvent(event);
}

} // namespace corvellan
