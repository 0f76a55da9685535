#include "SoakDriver.h"

#include "gui/GuiTestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <malloc.h>

#include <fstream>
#include <string>
#include <vector>

namespace corvellan::test {

namespace {

// Texts a user might leave in a box: numbers of every size, junk, nothing.
const char* const kWildTexts[] = {
    "0",    "-0",   "1e-30", "0.00001", "-7.5",  "1e30",        "340282346638528859811704183484516925440",
    "9999999999999999999999999999999999999999999", "-",  ".",    "-.", "", "12-3", "abc",
    "3.155", "360", "-359.95", "0.001", "8", "2.125"};

template <class W> std::vector<W*> usable(QWidget* root) {
    std::vector<W*> out;
    for (W* w : root->findChildren<W*>())
        if (w->isVisible() && w->isEnabled() && w->window() == root->window()) out.push_back(w);
    return out;
}

bool isClosingButton(const QAbstractButton* b) {
    const QString name = b->objectName();
    const QString text = b->text().remove('&');
    return name == "Close" || name == "OK" || name == "OKButton" || name == "Cancel" ||
           text == "Close" || text == "OK" || text == "Cancel";
}

} // namespace

std::vector<QAction*> commandActions(TMainForm& window) {
    std::vector<QAction*> out;
    auto take = [&out](const QList<QAction*>& actions) {
        for (QAction* a : actions)
            if (a->isEnabled() && a->isVisible() && !a->menu() && !a->isSeparator() &&
                a->objectName() != "Exit1")
                out.push_back(a);
    };
    take(window.menuBar()->actions());
    for (QMenu* menu : window.menuBar()->findChildren<QMenu*>())
        take(menu->actions());
    for (QToolBar* bar : window.findChildren<QToolBar*>())
        take(bar->actions());
    return out;
}

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

long heapInUseKb() {
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<long>((heap.uordblks + heap.hblkhd) / 1024);
}

SoakDriver::SoakDriver(unsigned seed, const QString& scratchFile)
    : random_(seed), scratchFile_(scratchFile) {
    window_ = std::make_unique<TMainForm>(model_, sound_);
    // As fast as the loop allows; diagram windows stop and restart it.
    window_->timer()->setInterval(0);
    QObject::connect(window_->timer(), &QTimer::timeout, [this] { ++ticks_; });
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get())) ADD_FAILURE() << "main window not shown";
    actor_.setInterval(0);
    QObject::connect(&actor_, &QTimer::timeout, [this] {
        if (!randomActions_ || busy_ || QApplication::activeModalWidget()) return;
        // Now and then, so that ticks run between actions.
        if (pick(20) == 0) QTimer::singleShot(0, window_.get(), [this] { mainAction(); });
    });
    modalPoll_.setInterval(2);
    QObject::connect(&modalPoll_, &QTimer::timeout, [this] { modalPoll(); });
    actor_.start();
    modalPoll_.start();
}

SoakDriver::~SoakDriver() {
    finish();
}

int SoakDriver::pick(int n) {
    return n <= 0 ? 0 : static_cast<int>(random_() % static_cast<unsigned>(n));
}

void SoakDriver::runTicks(long long ticks, bool randomActions) {
    randomActions_ = randomActions;
    const long long until = ticks_ + ticks;
    // A timer stopped by a window that a fault left open would stall the
    // run: the modal poll closes windows, so the ticks resume.
    while (ticks_ < until) QApplication::processEvents(QEventLoop::AllEvents, 5);
    randomActions_ = false;
    // Let a running action and its windows finish.
    QElapsedTimer waited;
    waited.start();
    while ((busy_ || QApplication::activeModalWidget()) && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void SoakDriver::runCommand(const std::function<void()>& command, bool work, bool acceptFiles) {
    const bool before = workModals_;
    workModals_ = work;
    acceptFiles_ = acceptFiles;
    busy_ = true;
    command(); // returns once its modal windows have been closed by the poll
    busy_ = false;
    QApplication::processEvents();
    // A window that stays open beside the main one is closed again too.
    for (QWidget* w : otherWindows()) {
        saw(w);
        if (!work) w->close();
    }
    QApplication::processEvents();
    workModals_ = before;
    acceptFiles_ = false;
}

void SoakDriver::saw(const QWidget* w) {
    seen_.insert(w->metaObject()->className());
    recent_.insert(w->metaObject()->className());
}

std::vector<QWidget*> SoakDriver::otherWindows() const {
    std::vector<QWidget*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != window_.get() && w->isVisible() && w->isWindow() && !w->isModal() &&
            w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip &&
            !qobject_cast<QMenu*>(w))
            out.push_back(w);
    return out;
}

void SoakDriver::finish() {
    randomActions_ = false;
    actor_.stop();
    for (int i = 0; i < 20 && QApplication::activeModalWidget(); ++i) {
        closeModal(QApplication::activeModalWidget());
        QApplication::processEvents();
    }
    modalPoll_.stop();
    if (window_) window_->timer()->stop();
}

void SoakDriver::mainAction() {
    if (busy_ || QApplication::activeModalWidget()) return;
    busy_ = true;
    TMainForm* w = window_.get();
    switch (pick(7)) {
    case 0:
    case 1: {
        const std::vector<QAction*> actions = commandActions(*w);
        if (!actions.empty()) actions[static_cast<std::size_t>(pick(int(actions.size())))]->trigger();
        break;
    }
    case 2:
        clickSomething(w, false);
        break;
    case 6: {
        // A window that stays open beside the main one: use it, or close it.
        const std::vector<QWidget*> others = otherWindows();
        if (others.empty()) break;
        QWidget* other = others[static_cast<std::size_t>(pick(int(others.size())))];
        saw(other);
        if (pick(4))
            clickSomething(other, true);
        else
            other->close();
        break;
    }
    case 3: {
        // The picture: picks, reference points, the end of a close-up.
        QWidget* area = w->findChild<QWidget*>("ClientArea");
        if (area && area->isVisible())
            QTest::mouseClick(area, pick(4) ? Qt::LeftButton : Qt::RightButton, Qt::NoModifier,
                              QPoint(pick(area->width()), pick(area->height())));
        break;
    }
    default: {
        // A scroll bar of the strip: arrows, trough, or a drag of the thumb.
        auto bars = usable<QScrollBar>(w);
        if (bars.empty()) break;
        QScrollBar* bar = bars[static_cast<std::size_t>(pick(int(bars.size())))];
        static const QStyle::SubControl parts[] = {QStyle::SC_ScrollBarAddLine,
                                                   QStyle::SC_ScrollBarSubLine,
                                                   QStyle::SC_ScrollBarAddPage,
                                                   QStyle::SC_ScrollBarSubPage};
        if (pick(4)) {
            clickScrollBarPart(bar, parts[pick(4)]);
        } else {
            const QPoint from = scrollBarPart(bar, QStyle::SC_ScrollBarSlider);
            QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, from);
            QTest::mouseMove(bar, from + QPoint(pick(41) - 20, 0));
            QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, from + QPoint(pick(41) - 20, 0));
        }
        break;
    }
    }
    busy_ = false;
}

void SoakDriver::modalPoll() {
    // A pop-up menu (the tool bar's overflow button, say) runs its own loop
    // until it is closed: close it, as a user clicking elsewhere would.
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
        return;
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal->property("soakPending").toBool()) return;
    saw(modal);
    // The work runs from its own event, so a window it opens gets polled too.
    modal->setProperty("soakPending", true);
    QTimer::singleShot(0, modal, [this, modal = QPointer<QWidget>(modal)] { workModal(modal); });
}

void SoakDriver::workModal(QPointer<QWidget> modal) {
    if (!modal) return;
    const int done = modal->property("soakSteps").toInt();
    modal->setProperty("soakSteps", done + 1);
    if (auto* files = qobject_cast<QFileDialog*>(modal.data())) {
        // Saves go to the scratch file; opens take it, or a name that is not there.
        auto* name = files->findChild<QLineEdit*>("fileNameEdit");
        if (name) name->setText(acceptFiles_ || pick(5) ? scratchFile_ : scratchFile_ + ".missing");
        if (acceptFiles_ || (workModals_ && pick(4)))
            QMetaObject::invokeMethod(files, "accept");
        else
            files->reject();
    } else if (auto* box = qobject_cast<QMessageBox*>(modal.data())) {
        box->accept();
    } else if (modal->inherits("QAbstractPrintDialog")) {
        // Printing would reach a printer or leave a file somewhere.
        static_cast<QDialog*>(modal.data())->reject();
    } else if (workModals_ && done < 1 + pick(8)) {
        if (pick(2))
            typeWildText(modal);
        else
            clickSomething(modal, true);
    } else {
        closeModal(modal);
    }
    if (modal) modal->setProperty("soakPending", false);
}

void SoakDriver::typeWildText(QWidget* modal) {
    auto boxes = usable<QLineEdit>(modal);
    if (boxes.empty()) return clickSomething(modal, true);
    QLineEdit* box = boxes[static_cast<std::size_t>(pick(int(boxes.size())))];
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, kWildTexts[pick(int(std::size(kWildTexts)))]);
    // Leaving the box commits it.
    if (pick(2))
        QTest::keyClick(box, Qt::Key_Tab);
    else
        QTest::keyClick(box, Qt::Key_Return);
}

void SoakDriver::clickSomething(QWidget* root, bool avoidClosing) {
    std::vector<QWidget*> targets;
    for (QAbstractButton* b : usable<QAbstractButton>(root))
        if (!avoidClosing || !isClosingButton(b)) targets.push_back(b);
    for (QScrollBar* s : usable<QScrollBar>(root)) targets.push_back(s);
    if (targets.empty()) return;
    QWidget* target = targets[static_cast<std::size_t>(pick(int(targets.size())))];
    if (auto* bar = qobject_cast<QScrollBar*>(target))
        clickScrollBarPart(bar, pick(2) ? QStyle::SC_ScrollBarAddLine : QStyle::SC_ScrollBarSubPage);
    else
        QTest::mouseClick(target, Qt::LeftButton);
}

bool SoakDriver::closeModal(QWidget* modal) {
    for (QAbstractButton* b : usable<QAbstractButton>(modal))
        if (isClosingButton(b)) {
            QTest::mouseClick(b, Qt::LeftButton);
            return true;
        }
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
    return true;
}

} // namespace corvellan::test
