#include "diagramwindows/DiagramWindow.h"

#include "diagrams/DiagramFrame.h"
#include "diagramwindows/SetRevArmDialog.h"
#include "model/DynVars.h"
#include "platform/QPainterCanvas.h"
#include "view/MechanismView.h"

#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace corvellan {

namespace {

constexpr QSize kCloseSize(75, 25);

// Bars 1..4 of every diagram window: 121 x 10 at x 112 from y 3, 12 apart.
QRect dynBarGeometry(int k) {
    return QRect(112, 3 + 12 * (k - 1), 121, 10);
}

} // namespace

// The client area below the menu: paints the picture, which keeps the last
// drawing, and reports mouse movements over it.
class DiagramPicture : public QWidget {
  public:
    DiagramPicture(QSize size, std::function<void()> mouseMoved, QWidget* parent)
        : QWidget(parent), image_(size, QImage::Format_RGB32), mouseMoved_(std::move(mouseMoved)) {
        setObjectName("Picture");
        image_.fill(Qt::white);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setMinimumSize(size);
    }

    QImage& image() { return image_; }

    // A new, white picture of at least `size` (and of the area shown, where
    // that is larger); the area never gets smaller than it.
    void setPictureSize(QSize size) {
        setMinimumSize(size);
        image_ = QImage(size.expandedTo(this->size()), QImage::Format_RGB32);
        image_.fill(Qt::white);
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, image_);
        // A window larger than the picture (maximised) is white beyond it.
        if (width() > image_.width())
            p.fillRect(image_.width(), 0, width() - image_.width(), height(), Qt::white);
        if (height() > image_.height())
            p.fillRect(0, image_.height(), width(), height() - image_.height(), Qt::white);
    }

    void resizeEvent(QResizeEvent*) override {
        // The picture grows with the window (the routines draw as far as the
        // window reaches) and keeps what it shows; it never shrinks.
        if (width() <= image_.width() && height() <= image_.height()) return;
        QImage grown(std::max(width(), image_.width()), std::max(height(), image_.height()),
                     QImage::Format_RGB32);
        grown.fill(Qt::white);
        QPainter(&grown).drawImage(0, 0, image_);
        image_ = std::move(grown);
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        QWidget::mouseMoveEvent(event);
        if (mouseMoved_) mouseMoved_();
    }

  private:
    QImage image_;
    std::function<void()> mouseMoved_;
};

DiagramWindow::DiagramWindow(Model& model, TSetRevArm* positions, DiagramWindowHooks hooks,
                             const Layout& layout, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_(model),
      positions_(positions), hooks_(std::move(hooks)), layout_(layout) {
    setObjectName(layout.name);
    setModal(true);
    setFont(QPainterCanvas::fontFor(diagramFont()));

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    menu_ = new QMenuBar(this);
    menu_->setObjectName("MainMenu1");
    box->setMenuBar(menu_);
    picture_ = new DiagramPicture(
        QSize(kDiagramWidth, layout.height), [this] { pictureMouseMoved(); }, this);
    box->addWidget(picture_);

    if (layout.usesPositions)
        addMenuItem("SetRevArmPos", layout.captions[0], &DiagramWindow::setRevArmPositions);
    addMenuItem("ReDraw", layout.captions[1], &DiagramWindow::reDraw);
    addMenuItem("UnDo", layout.captions[2], &DiagramWindow::undoMenu);
    addMenuItem("DynamicVari", layout.captions[3], &DiagramWindow::dynVarsMenu);

    close_ = new QPushButton("Close", picture_);
    close_->setObjectName("Close");
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::close);

    undo_ = new QPushButton("UnDo", picture_);
    undo_->setObjectName(layout.undoName);
    undo_->setGeometry(110, 54, 40, 16);
    undo_->setAutoDefault(false);
    undo_->setFocusPolicy(Qt::TabFocus);
    undo_->hide();
    undo_->setEnabled(false);
    connect(undo_, &QPushButton::clicked, this, &DiagramWindow::undoButtonClicked);

    if (hooks_.makeDynBar) {
        for (int k = 1; k <= 4; ++k) {
            DynBarHandlers handlers;
            handlers.stepped = [this] { redraw(true); };
            handlers.scrollEnded = [this] {
                close_->setFocus();
                redraw(false);
            };
            QWidget* bar =
                hooks_.makeDynBar(picture_, k, QString("%1%2").arg(layout.barPrefix).arg(k),
                                  dynBarGeometry(k), std::move(handlers));
            if (bar) bar->hide();
            bars_[static_cast<size_t>(k - 1)] = bar;
        }
    }

    layoutForTextScale();
    setWindowState(layout.initialState);
}

void DiagramWindow::layoutForTextScale() {
    const PixelBox picture = diagramPictureSize(m_, layout_.height);
    const QSize size(picture.width, picture.height);
    if (size == laidOut_) return;
    laidOut_ = size;
    picture_->setPictureSize(size);
    // "Close" moves with the texts beside it; its caption keeps its size.
    const PixelBox close = scaledBox(m_, layout_.closeAt.x(), layout_.closeAt.y(), 0, 0);
    close_->setGeometry(QRect(QPoint(close.left, close.top), kCloseSize));
    if (layout_.maxSize.isValid()) {
        const PixelBox max = scaledBox(m_, 0, 0, layout_.maxSize.width(), layout_.maxSize.height());
        setMaximumSize(max.width, max.height);
    }
    // The window's least size follows the picture's before it is resized.
    layout()->activate();
    resize(size.width(), size.height() + menu_->sizeHint().height());
}

DiagramWindow::~DiagramWindow() = default;

const QImage& DiagramWindow::picture() const {
    return picture_->image();
}

QWidget* DiagramWindow::pictureArea() const {
    return picture_;
}

QAction* DiagramWindow::addMenuItem(const char* name, const char* caption,
                                    void (DiagramWindow::*run)()) {
    QAction* action = menu_->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, run] { (this->*run)(); });
    return action;
}

void DiagramWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    // The animation stands still while a diagram is up: no tick may move the
    // gear between the samples of a draw.
    if (hooks_.animation) hooks_.animation(false);
    updateCaption();
    layoutForTextScale();
    clearPicture();
    applyHeaderControls();
    close_->setFocus();
    // The positions dialog opens over the shown window, once it is up.
    QMetaObject::invokeMethod(
        this, [this] { activated(); }, Qt::QueuedConnection);
}

void DiagramWindow::activated() {
    if (!isVisible()) return;
    if (layout_.usesPositions && positions_) positions_->exec();
    if (!isVisible()) return;
    redraw(true);
}

void DiagramWindow::done(int result) {
    QDialog::done(result);
    if (hooks_.animation) hooks_.animation(true);
}

void DiagramWindow::updateCaption() {
    setWindowTitle(captionNow());
}

QString DiagramWindow::captionNow() const {
    FrameState f;
    f.clock = hooks_.clock;
    buildCaptions(m_, f);
    return QString::fromStdString(captionOf(f.captions));
}

void DiagramWindow::clearPicture() {
    picture_->image().fill(Qt::white);
    picture_->update();
}

void DiagramWindow::drawOnPicture(const std::function<void(Canvas&)>& draw) {
    {
        QImage& image = picture_->image();
        QPainter painter(&image);
        PainterCanvas canvas(&painter, image.width(), image.height());
        draw(canvas);
        drawComparedGear(canvas);
    }
    applyHeaderControls();
    picture_->update();
}

void DiagramWindow::drawComparedGear(Canvas& c) {
    if (const Model* gearB = hooks_.comparedGear ? hooks_.comparedGear() : nullptr)
        drawComparison(layout_.kind, m_, *gearB, c);
}

void DiagramWindow::drawDiagramOn(Canvas& c) {
    paintDiagram(c, true);
    drawComparedGear(c);
}

void DiagramWindow::redraw(bool erase) {
    drawOnPicture([this, erase](Canvas& c) { paintDiagram(c, erase); });
}

void DiagramWindow::applyHeaderControls() {
    const DiagramHeaderControls h = diagramHeaderControls(m_);
    for (int k = 1; k <= 4; ++k) {
        if (QWidget* bar = dynBar(k)) {
            bar->setVisible(h.dynBarsVisible);
            bar->setEnabled(h.dynBarEnabled[static_cast<size_t>(k - 1)]);
        }
    }
    undo_->setVisible(h.undoButtonVisible);
    undo_->setEnabled(m_.dyn.undoEnabled[layout_.undoWhich]);
}

void DiagramWindow::pictureMouseMoved() {
    if (!layout_.usesPositions || !m_.diagrams.RevArmDialogClosed) return;
    redraw(true);
    m_.diagrams.RevArmDialogClosed = false;
}

void DiagramWindow::reDraw() {
    redraw(true);
}

void DiagramWindow::setRevArmPositions() {
    // The picture follows on the next mouse movement over it.
    if (positions_) positions_->exec();
}

void DiagramWindow::undoMenu() {
    if (m_.dyn.UndoShown) {
        m_.dyn.UndoShown = false;
        clearPicture();
    } else {
        m_.dyn.UndoShown = true;
        redraw(false);
    }
    redraw(false);
}

void DiagramWindow::dynVarsMenu() {
    toggleDynVarsShown(m_);
    if (!layout_.usesPositions && hooks_.dynVarsSwitched) hooks_.dynVarsSwitched();
    redraw(true);
    if (layout_.usesPositions && hooks_.dynVarsSwitched) hooks_.dynVarsSwitched();
}

void DiagramWindow::undoButtonClicked() {
    corvellan::undoButtonClicked(m_, layout_.undoWhich);
    for (int i = 0; i < layout_.undoRedraws; ++i)
        redraw(true);
}

} // namespace corvellan
