#include "diagramwindows/SetRevArmDialog.h"

#include "diagrams/DiagramFrame.h"
#include "model/DiagramPositions.h"
#include "platform/QPainterCanvas.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace corvellan {

namespace {

constexpr int kBoxWidth = 40;
constexpr int kBoxHeight = 13;
// Left edges of the two box columns before the text scale: just clear of the
// longest legend of the column at either text scale.
constexpr int kLeftBoxX = 124;
constexpr int kRightBoxX = 274;

// The legend row of box `index` (0 the scale, 1..9 the slots), as the
// legends are laid out: the scale and slots 1..4 on the left, 5..9 on the
// right, rows 13 pixels apart from y 25.
int legendRow(int index) {
    if (index == kScaleBox) return 25;
    return index <= 4 ? 25 + 13 * index : 25 + 13 * (index - 5);
}

bool rightColumn(int index) {
    return index >= 5;
}

} // namespace

TSetRevArm::TSetRevArm(Model& model, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_(model), picture_(kPositionsDialogWidth, kPositionsDialogHeight, QImage::Format_RGB32) {
    setObjectName("TSetRevArm");
    setWindowTitle("Set Reverse Arm Positions");
    setFixedSize(kPositionsDialogWidth, kPositionsDialogHeight);
    setModal(true);
    QFont font = QPainterCanvas::fontFor(diagramPositionsFont());
    setFont(font);
    picture_.fill(Qt::white);

    QPalette silver;
    silver.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    silver.setColor(QPalette::Text, Qt::black);
    for (int i = 0; i <= kMaxDiagramPositions; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString("Edit%1").arg(i));
        box->setFrame(false);
        box->setPalette(silver);
        box->setTextMargins(1, 0, 0, 0);
        // Only typed keys reach the box: nothing is pasted or dropped past
        // the key filter.
        box->setContextMenuPolicy(Qt::NoContextMenu);
        box->setAcceptDrops(false);
        box->installEventFilter(this);
        boxes_[static_cast<size_t>(i)] = box;
    }
    close_ = new QPushButton("Close", this);
    close_->setObjectName("Close");
    close_->setGeometry((kPositionsDialogWidth - 75) / 2, 122, 75, 25);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
}

void TSetRevArm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    refresh();
}

void TSetRevArm::done(int result) {
    // A box left by closing the window still counts as left; the refresh
    // leaves the count and the slots as typed, however the dialog closes.
    if (int index = boxIndex(focusWidget()); index >= 0) leaveBox(index);
    QDialog::done(result);
    refresh();
    m_.diagrams.RevArmDialogClosed = true;
}

void TSetRevArm::refresh() {
    refreshDiagramPositions(m_);
    // The picture is rebuilt from nothing, so legends that typing opened for
    // slots now empty go with their boxes.
    picture_.fill(Qt::white);
    {
        QPainter painter(&picture_);
        PainterCanvas canvas(&painter, picture_.width(), picture_.height());
        drawDiagramPositionsLegends(m_, canvas);
    }
    for (int i = 0; i <= kMaxDiagramPositions; ++i) {
        QLineEdit* b = box(i);
        const int x = rightColumn(i) ? kRightBoxX : kLeftBoxX;
        b->setGeometry(scaledTextX(m_, x), scaledTextY(m_, legendRow(i)), kBoxWidth, kBoxHeight);
        b->setText(QString::fromStdString(diagramBoxText(m_, i)));
        b->setVisible(i == kScaleBox || diagramSlotVisible(m_, i));
    }
    update();
    close_->setFocus();
}

void TSetRevArm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

int TSetRevArm::boxIndex(const QObject* watched) const {
    for (int i = 0; i <= kMaxDiagramPositions; ++i)
        if (watched && boxes_[static_cast<size_t>(i)] == watched) return i;
    return -1;
}

bool TSetRevArm::eventFilter(QObject* watched, QEvent* event) {
    const int index = boxIndex(watched);
    if (index >= 0) {
        if (event->type() == QEvent::KeyPress)
            return boxKeyPressed(index, static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut) leaveBox(index);
    }
    return QDialog::eventFilter(watched, event);
}

bool TSetRevArm::boxKeyPressed(int index, QKeyEvent* event) {
    switch (event->key()) {
    // Keys of the dialog and of moving about in the box type nothing.
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        return false;
    default:
        break;
    }
    const QString typed = event->text();
    const bool backspace = event->key() == Qt::Key_Backspace;
    if (typed.isEmpty() && !backspace) return false; // a modifier alone
    // Every typed key, taken or not, opens the next slot.
    if (const int next = slotOpenedByKey(index); next > 0) openSlot(next);
    char key = '\0';
    if (backspace)
        key = '\b';
    else if (typed.size() == 1 && typed.at(0).unicode() < 128)
        key = static_cast<char>(typed.at(0).unicode());
    const bool taken =
        key != '\0' && acceptDiagramPositionKey(box(index)->text().toStdString(), key);
    return !taken;
}

void TSetRevArm::openSlot(int slot) {
    {
        QPainter painter(&picture_);
        PainterCanvas canvas(&painter, picture_.width(), picture_.height());
        const int x = rightColumn(slot) ? 165 : 13;
        canvas.text(scaledTextX(m_, x), scaledTextY(m_, legendRow(slot)),
                    "Rev Arm Position  " + std::to_string(slot), diagramPositionsFont());
    }
    box(slot)->show();
    update();
}

void TSetRevArm::leaveBox(int index) {
    leaveDiagramPositionBox(m_, index, box(index)->text().toStdString());
}

} // namespace corvellan
