#include "dimensions/DimensionBox.h"

#include "model/DimensionEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPalette>

namespace corvellan {

namespace {

// The character a key types, as the box's filter sees it; 0 for keys that
// type nothing (arrows, Home, End, modifiers).
char typedKey(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return '\r';
    case Qt::Key_Backspace:
        return '\b';
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() != 1) return text.isEmpty() ? 0 : '\x01';
    const char16_t c = text.at(0).unicode();
    return c < 128 ? static_cast<char>(c) : '\x01';
}

bool isNavigation(int key) {
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
        return true;
    default:
        return false;
    }
}

} // namespace

DimensionBox::DimensionBox(Model& model, int code, bool gray, QWidget* parent)
    : QLineEdit(parent), m_(model), code_(code) {
    setFrame(false);
    // A 40-pixel box has no room to spare for "180.000" in this face.
    setTextMargins(-1, 0, -1, 0);
    QPalette p = palette();
    p.setColor(QPalette::Base, gray ? QColor(0x80, 0x80, 0x80) : QColor(Qt::white));
    p.setColor(QPalette::Text, Qt::black);
    setPalette(p);
    // Only typed keys reach the value: no pasting or dropping around the filter.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
}

void DimensionBox::fill() {
    filledText_ = QString::fromStdString(dimensionBoxText(dimensionValue(m_, code_)));
    setText(filledText_);
    // Where a long value does not fit, its start shows.
    setCursorPosition(0);
}

void DimensionBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool command =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (isNavigation(key)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Cut, paste, undo and the like would change the text around the filter.
    if (command) {
        event->accept();
        return;
    }
    // Delete types nothing but changes the value as much as Backspace does,
    // so it counts as an edit like Backspace.
    const char typed = key == Qt::Key_Delete ? '\b' : typedKey(event);
    if (typed == 0) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const BoxKey verdict = dimensionBoxKey(typed, text().toStdString());
    if (verdict == BoxKey::Refused) {
        event->accept();
        return;
    }
    if (boxKeyMarksEdit(code_)) m_.dyn.DimEdited = true;
    if (verdict == BoxKey::Enter) {
        event->accept();
        // Leaving the box commits it; the dialog stays open.
        if (enterTarget_) enterTarget_->setFocus(Qt::OtherFocusReason);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DimensionBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (detached_ || event->reason() == Qt::PopupFocusReason) return;
    // Switching to another window is no reason to commit an untouched box;
    // typed text is committed rather than lost (the dialog may be closing).
    if (event->reason() == Qt::ActiveWindowFocusReason && !edited() && !m_.dyn.DimEdited) return;
    commit();
}

void DimensionBox::commit() {
    // An untouched box keeps the exact value: its text shows only 3 decimals.
    const Ext value = edited() ? dimensionBoxValue(text().toStdString())
                               : static_cast<Ext>(dimensionValue(m_, code_));
    const BoxCommit result = commitDimensionBox(m_, code_, value);
    fill();
    Q_EMIT committed(code_, result.revArmRangeChanged);
}

} // namespace corvellan
