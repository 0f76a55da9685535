#include "main/StudyRunner.h"

#include <QProgressBar>
#include <QTimer>

#include <algorithm>
#include <new>
#include <stdexcept>

namespace corvellan {

namespace {

constexpr int kPollMs = 100;
constexpr int kBarSteps = 1000;

} // namespace

StudyRunner::StudyRunner(QProgressBar* bar, QObject* parent) : QObject(parent), bar_(bar) {
    poll_ = new QTimer(this);
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &StudyRunner::poll);
    bar_->setRange(0, kBarSteps);
    bar_->setValue(0);
}

StudyRunner::~StudyRunner() {
    stop();
}

bool StudyRunner::start(std::function<void(StudyProgress&)> work) {
    if (running()) return false;
    progress_.done = 0;
    progress_.total = 0;
    progress_.stop = false;
    done_ = false;
    cancelled_ = false;
    failure_.clear();
    bar_->setValue(0);
    worker_ = std::thread([this, work = std::move(work)] {
        // Nothing may leave the thread: an exception there would end the
        // program.
        try {
            work(progress_);
        } catch (const std::bad_alloc&) {
            failure_ = "there is not enough memory for this study";
        } catch (const std::exception& e) {
            failure_ = e.what();
        }
        done_.store(true, std::memory_order_release);
    });
    poll_->start();
    return true;
}

void StudyRunner::cancel() {
    if (!running()) return;
    cancelled_ = true;
    progress_.stop = true;
}

void StudyRunner::stop() {
    if (!running()) return;
    cancelled_ = true;
    progress_.stop = true;
    worker_.join();
    poll_->stop();
}

void StudyRunner::poll() {
    const long long total = progress_.total.load(std::memory_order_relaxed);
    const long long done = progress_.done.load(std::memory_order_relaxed);
    if (total > 0)
        bar_->setValue(static_cast<int>(std::min<long long>(kBarSteps, done * kBarSteps / total)));
    if (!done_.load(std::memory_order_acquire)) return;
    poll_->stop();
    worker_.join();
    bar_->setValue(cancelled_ ? bar_->value() : kBarSteps);
    Q_EMIT finished();
}

} // namespace corvellan
