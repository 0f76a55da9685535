#pragma once
// Drives widgets the way a user does, with real key and mouse events sent
// through the application (so focus changes and event filters run).

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace corvellan::test {

inline void sendKey(QWidget* w, int key, const QString& text = {},
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(w, &release);
}

// Types `s` into the focused widget `w`, one key per character.
inline void typeInto(QWidget* w, const QString& s) {
    for (QChar c : s) {
        int key = 0;
        if (c.isDigit())
            key = Qt::Key_0 + c.digitValue();
        else if (c == QLatin1Char('.'))
            key = Qt::Key_Period;
        else if (c == QLatin1Char('-'))
            key = Qt::Key_Minus;
        else if (c == QLatin1Char(' '))
            key = Qt::Key_Space;
        else
            key = Qt::Key_A + (c.toUpper().unicode() - 'A');
        sendKey(w, key, QString(c));
    }
}

inline void mouseEvent(QWidget* w, QEvent::Type type) {
    const QPointF at = QPointF(w->rect().center());
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, at, w->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

inline void mouseClick(QWidget* w) {
    mouseEvent(w, QEvent::MouseButtonPress);
    mouseEvent(w, QEvent::MouseButtonRelease);
}

// Shows a window non-modally and makes it the active one, so focus moves
// deliver their focus events.
inline void showActive(QWidget* w) {
    w->show();
    w->activateWindow();
    QApplication::processEvents();
    // A window shown again is not always activated by the offscreen platform.
    if (QApplication::activeWindow() != w->window()) QApplication::setActiveWindow(w);
    ASSERT_EQ(QApplication::activeWindow(), w->window());
}

} // namespace corvellan::test
