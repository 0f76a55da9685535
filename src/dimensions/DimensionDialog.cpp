#include "dimensions/DimensionDialog.h"

#include "dimensions/DimensionBox.h"
#include "model/DimensionEdit.h"
#include "model/DynVars.h"
#include "platform/QPainterCanvas.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace corvellan {

namespace {

// Room left between a caption and the box beside it.
constexpr int kCaptionGap = 2;

QFont dialogFont() {
    TextStyle style;
    style.pixelSize = 11;
    return PainterCanvas::fontFor(style);
}

} // namespace

DimensionDialog::DimensionDialog(Model& model, const DimensionDialogLayout& layout, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_(model), layout_(layout) {
    setObjectName(layout_.name);
    setWindowTitle(layout_.title);
    setModal(true);
    setFont(dialogFont());
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setAutoFillBackground(true);

    for (std::size_t i = 0; i < layout_.rows.size(); ++i) {
        const DimensionRowLayout& row = layout_.rows[i];
        auto* box = new DimensionBox(m_, row.code, row.gray, this);
        box->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        connect(box, &DimensionBox::committed, this, &DimensionDialog::boxCommitted);
        boxes_.push_back(box);

        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        const int code = row.code;
        connect(button, &QPushButton::clicked, this, [this, code] {
            m_.view.SelectedDimCode = code;
            Q_EMIT closeUpRequested(code);
        });
        buttons_.push_back(button);
    }

    reset_ = new QPushButton(layout_.resetCaption, this);
    reset_->setObjectName(layout_.resetName);
    reset_->installEventFilter(this);
    connect(reset_, &QPushButton::clicked, this, &DimensionDialog::resetClicked);

    close_ = new QPushButton("Close", this);
    close_->setObjectName("Close1");
    connect(close_, &QPushButton::clicked, this, &DimensionDialog::closeClicked);

    for (DimensionBox* box : boxes_)
        box->setEnterTarget(close_);
    layoutForTextScale();
}

DimensionDialog::~DimensionDialog() {
    // A window destroyed while shown is hidden on the way, which takes the
    // focus from its box after this part of the dialog is gone.
    for (DimensionBox* box : boxes_)
        box->detach();
}

QRect DimensionDialog::scaled(const QRect& r) const {
    const Ext h = m_.display.textScaleH;
    const Ext v = m_.display.textScaleV;
    const int left = roundToInt(r.x() * h);
    const int top = roundToInt(r.y() * v);
    const int right = roundToInt((r.x() + r.width()) * h);
    const int bottom = roundToInt((r.y() + r.height()) * v);
    return QRect(left, top, right - left, bottom - top);
}

QPoint DimensionDialog::captionPosition(const CaptionLayout& caption) const {
    const int x = caption.fixedX ? caption.x
                                 : roundToInt(caption.x * static_cast<Ext>(m_.display.textScaleH));
    return QPoint(x, roundToInt(caption.y * static_cast<Ext>(m_.display.textScaleV)));
}

QString DimensionDialog::drawnCaption(const CaptionLayout& caption) const {
    const QFontMetrics fm(font());
    const QPoint at = captionPosition(caption);
    const QRect line(at, QSize(width(), fm.height()));
    int limit = width();
    for (const QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect g = w->geometry();
        if (g.left() > at.x() && g.top() < line.bottom() && g.bottom() > line.top())
            limit = std::min(limit, g.left() - kCaptionGap);
    }
    QString text = QString::fromUtf8(caption.text);
    while (at.x() + fm.horizontalAdvance(text) > limit) {
        // Take one blank from the longest run of two or more.
        int best = -1, bestLength = 1;
        for (int i = 0; i < text.size();) {
            int j = i;
            while (j < text.size() && text[j] == QLatin1Char(' '))
                ++j;
            if (j - i > bestLength) {
                best = i;
                bestLength = j - i;
            }
            i = j > i ? j : i + 1;
        }
        if (best < 0) break;
        text.remove(best, 1);
    }
    return text;
}

void DimensionDialog::layoutForTextScale() {
    setFixedSize(scaled(QRect(QPoint(0, 0), layout_.client)).size());
    for (std::size_t i = 0; i < layout_.rows.size(); ++i) {
        boxes_[i]->setGeometry(scaled(layout_.rows[i].box));
        buttons_[i]->setGeometry(scaled(layout_.rows[i].button));
    }
    reset_->setGeometry(scaled(layout_.reset));
    close_->setGeometry(scaled(layout_.close));
}

void DimensionDialog::refresh() {
    layoutForTextScale();
    for (DimensionBox* box : boxes_)
        box->fill();
    update();
}

void DimensionDialog::setTabChain(const std::vector<QWidget*>& widgets) {
    for (std::size_t i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

void DimensionDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    refresh();
    close_->setFocus(Qt::OtherFocusReason);
}

void DimensionDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    PainterCanvas canvas(&painter, width(), height());
    TextStyle style;
    style.pixelSize = 11;
    for (const CaptionLayout& caption : layout_.captions) {
        const QPoint at = captionPosition(caption);
        canvas.text(at.x(), at.y(), drawnCaption(caption).toStdString(), style);
    }
}

bool DimensionDialog::eventFilter(QObject* watched, QEvent* event) {
    // The reset runs when the mouse goes down on its button and again on the
    // click; only the click clears the undo store, so a press dragged off the
    // button resets the dimensions but keeps undo.
    if (watched == reset_ && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        runReset();
    return QDialog::eventFilter(watched, event);
}

void DimensionDialog::runReset() {
    const bool rangeChanged = resetDimensions();
    refresh();
    if (rangeChanged) Q_EMIT revArmRangeChanged(m_.gear.RevArmScrollMin, m_.gear.RevArmScrollMax);
}

void DimensionDialog::resetClicked() {
    runReset();
    ClearUndo(m_);
}

void DimensionDialog::closeClicked() {
    closeDimensionDialog(m_, [this] { Q_EMIT revArmScrollToZero(); });
    accept();
}

void DimensionDialog::boxCommitted(int /*code*/, bool revArmRangeChanged) {
    if (revArmRangeChanged)
        Q_EMIT this->revArmRangeChanged(m_.gear.RevArmScrollMin, m_.gear.RevArmScrollMax);
}

} // namespace corvellan
