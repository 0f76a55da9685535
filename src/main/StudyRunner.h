#pragma once
// Runs a design study (sensitivity, tolerances, sweep) on a worker thread,
// so the windows stay responsive: the study gets its own copy of the gear
// and a StudyProgress, the window watches the progress a few times a second
// on a progress bar, and "Cancel" asks the study to stop. The study's result
// belongs to the worker until finished() says it is done. Destroying the
// runner stops the study and waits for it.

#include "analysis/Parallel.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

class QProgressBar;
class QTimer;

namespace corvellan {

class StudyRunner : public QObject {
    Q_OBJECT
  public:
    StudyRunner(QProgressBar* bar, QObject* parent);
    ~StudyRunner() override;

    // Starts `work` on the worker thread; false while one already runs.
    bool start(std::function<void(StudyProgress&)> work);
    // Asks the running study to stop; finished() follows.
    void cancel();
    // Stops the running study and waits for it (finished() is not sent).
    void stop();
    bool running() const { return worker_.joinable(); }
    // The study was asked to stop before it ended.
    bool stopped() const { return cancelled_; }
    // Why the last study failed ("" when it did not): a study too large for
    // the memory, say.
    const std::string& failure() const { return failure_; }

  Q_SIGNALS:
    // On the GUI thread, once the worker has ended and been joined.
    void finished();

  private:
    void poll();

    QProgressBar* bar_;
    QTimer* poll_;
    StudyProgress progress_;
    std::atomic<bool> done_{false};
    bool cancelled_ = false;
    std::string failure_; // the worker's until done_
    std::thread worker_;
};

} // namespace corvellan
