#include "main/KeyFilterEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace corvellan {

KeyFilterEdit::KeyFilterEdit(Rule accepts, QWidget* parent)
    : QLineEdit(parent), accepts_(std::move(accepts)) {
    // Only typed keys reach the box: no pasting or dropping around the rule.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
}

void KeyFilterEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        QLineEdit::keyPressEvent(event);
        return;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        if (accepts_('\b', text().toStdString()))
            QLineEdit::keyPressEvent(event);
        else
            event->accept();
        return;
    default:
        break;
    }
    const QString typed = event->text();
    if (!typed.isEmpty()) {
        const QChar c = typed.at(0);
        const char key = c.unicode() < 128 ? static_cast<char>(c.unicode()) : '\0';
        if (typed.size() != 1 || key == '\0' || !accepts_(key, text().toStdString())) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void KeyFilterEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Switching to another program or opening a menu does not leave the box.
    const Qt::FocusReason r = event->reason();
    if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason) Q_EMIT left();
}

} // namespace corvellan
