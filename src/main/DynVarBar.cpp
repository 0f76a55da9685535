#include "main/DynVarBar.h"

#include "model/DynVars.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace corvellan {

DynVarBar::DynVarBar(Model& model, int k, QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent), m_(model), k_(k) {
    setObjectName(QStringLiteral("SBDynVar%1").arg(k));
    setRange(kDynBarMin, kDynBarMax);
    setSingleStep(kDynBarSmallStep);
    setPageStep(kDynBarLargeStep);
    setValue(0);
    setFocusPolicy(Qt::StrongFocus);
    // The scroll bar's own menu ("Scroll here" ...) would move the bar with no
    // release to end the action.
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QScrollBar::valueChanged, this, &DynVarBar::positionChanged);
    connect(this, &QScrollBar::actionTriggered, this, &DynVarBar::actionStarted);
    // Pressing the thumb is a scroll action even if the thumb is not moved.
    connect(this, &QScrollBar::sliderPressed, this, &DynVarBar::actionStarted);
}

QString DynVarBar::mainWindowHint(int k) {
    switch (k) {
    case 1:
        return QStringLiteral("Change Last Variable Clicked");
    case 2:
        return QStringLiteral("Change Next to Last Variable Clicked");
    case 3:
        return QStringLiteral("Change 2nd to Last Variable Clicked");
    case 4:
        return QStringLiteral("Change 3rd to Last Variable Clicked");
    default:
        return {};
    }
}

void DynVarBar::positionChanged(int position) {
    ++depth_;
    dynBarChanged(m_, k_, position);
    // Back to rest: this reports position 0 once more, which the jog memory
    // needs (and which applies nothing).
    setValue(0);
    --depth_;
    if (depth_ == 0 && onChanged_) onChanged_();
}

void DynVarBar::focusInEvent(QFocusEvent* event) {
    QScrollBar::focusInEvent(event);
    // On a window that was not active the focus comes with the activation,
    // after the press has already changed the value: the action has its start
    // value by then, and that one stands.
    if (acting_) return;
    dynBarFocused(m_, k_);
    entryTaken_ = true;
}

void DynVarBar::actionStarted() {
    // Where the window is not active no focus event arrives; the start value
    // is taken here instead, before the first change.
    if (!entryTaken_) {
        dynBarFocused(m_, k_);
        entryTaken_ = true;
    }
    acting_ = true;
}

void DynVarBar::mouseReleaseEvent(QMouseEvent* event) {
    QScrollBar::mouseReleaseEvent(event);
    if (acting_ && !(event->buttons() & (Qt::LeftButton | Qt::MiddleButton))) endScroll();
}

void DynVarBar::keyReleaseEvent(QKeyEvent* event) {
    QScrollBar::keyReleaseEvent(event);
    if (acting_ && !event->isAutoRepeat()) endScroll();
}

void DynVarBar::wheelEvent(QWheelEvent* event) {
    QScrollBar::wheelEvent(event);
    if (acting_) endScroll();
}

void DynVarBar::endScroll() {
    acting_ = false;
    dynBarScrollEnded(m_, k_);
    entryTaken_ = false;
    if (onScrollEnded_) onScrollEnded_();
}

} // namespace corvellan
