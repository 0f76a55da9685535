#pragma once
// Drives a chain of modal windows: each step acts on the next modal window
// that comes up (a dialog, the message box it raises, a dialog reopened
// later) while a command that opens them runs. A window left open after the
// last step is reported and closed, so a faulty command cannot hang the run.

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace corvellan::test {

class ModalScript {
  public:
    using Step = std::function<void(QWidget* modal)>;

    ModalScript& then(Step step) {
        steps_.push_back(std::move(step));
        return *this;
    }

    // Runs `command`, which returns once its modal windows have closed.
    // Returns how many steps ran.
    int run(const std::function<void()>& command) {
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [this] { check(); });
        poll.start();
        command();
        // Windows that come up after the command returned (shown again from
        // the event loop) get their steps here, until every step has run and
        // no window is left.
        QElapsedTimer waited;
        waited.start();
        while ((finished_ < steps_.size() || QApplication::activeModalWidget()) &&
               waited.elapsed() < 3000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        poll.stop();
        return static_cast<int>(next_);
    }

  private:
    void check() {
        QWidget* modal = QApplication::activeModalWidget();
        // The window acted on last is done once another one is on top, or
        // none is.
        if (acted_ && (modal != acted_ || !acted_->isVisible())) acted_ = nullptr;
        if (!modal) {
            stale_.invalidate();
            return;
        }
        if (!acted_ && next_ < steps_.size()) {
            // A step may open another modal window and wait inside it; it
            // runs outside this handler, so the poll goes on meanwhile (Qt
            // does not re-enter a timer's handler) and the next step acts on
            // that window.
            acted_ = modal;
            modal->installEventFilter(&hideWatch_);
            Step& step = steps_[next_++];
            QPointer<QWidget> target = modal;
            QTimer::singleShot(0, &context_, [this, &step, target] {
                if (target) step(target);
                ++finished_;
            });
            stale_.invalidate();
            return;
        }
        // A window that no step is going to close.
        if (!stale_.isValid()) stale_.start();
        if (stale_.elapsed() > 2000) {
            ADD_FAILURE() << "modal window left open: " << modal->objectName().toStdString();
            stale_.invalidate();
            acted_ = nullptr;
            modal->close();
        }
    }

    std::vector<Step> steps_;
    std::size_t next_ = 0;     // steps started
    std::size_t finished_ = 0; // steps that have returned
    QPointer<QWidget> acted_;
    QElapsedTimer stale_;
    QObject context_; // pending steps die with the script

    // The window acted on is done once it hides, even if it is shown again
    // before the next poll (a dialog reopened after a close-up).
    struct HideWatch : QObject {
        explicit HideWatch(QPointer<QWidget>& acted) : acted_(acted) {}
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Hide && watched == acted_) {
                acted_ = nullptr;
                watched->removeEventFilter(this);
            }
            return false;
        }
        QPointer<QWidget>& acted_;
    };
    HideWatch hideWatch_{acted_};
};

// Makes `w` the active window, so that focus moves deliver their events.
inline void activate(QWidget* w) {
    w->activateWindow();
    QApplication::processEvents();
    if (QApplication::activeWindow() != w->window()) QApplication::setActiveWindow(w->window());
}

} // namespace corvellan::test
