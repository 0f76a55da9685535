#pragma once
// Spreading a study's designs over the cores. A study is a count of
// independent tasks (a design, a sample, a grid point); each thread takes
// runs of consecutive tasks from a shared counter and writes each task's
// result into that task's own place, so the results do not depend on how
// many threads ran or which took what. Each thread works on its own scratch
// model: nothing mutable is shared but the counter and the progress.

#include <atomic>
#include <cstdint>
#include <functional>

namespace corvellan {

// The cores of the machine (at least 1).
int defaultThreadCount();
// The largest thread count a study accepts.
constexpr int kMaxThreads = 256;

// Shared with a watching thread (a window's progress bar and Cancel).
struct StudyProgress {
    std::atomic<long long> done{0};  // tasks finished
    std::atomic<long long> total{0}; // tasks in the whole study
    std::atomic<bool> stop{false};   // set by the watcher: end as soon as possible
};

// Runs task(index, worker) for every index in [0, count) on `threads`
// threads (the calling thread is worker 0), and counts each finished task in
// `progress`. Returns false when the progress asked to stop before every
// task ran; the tasks that did run have run whole.
bool runParallel(long long count, int threads,
                 const std::function<void(long long index, int worker)>& task,
                 StudyProgress* progress = nullptr);

// Random numbers that depend only on (seed, index, draw): the draw-th number
// of the index-th sample, however the samples are spread over threads.
class SampleRandom {
  public:
    SampleRandom(std::uint64_t seed, std::uint64_t index);
    // Uniform in [0, 1), 53 bits.
    double uniform();

  private:
    std::uint64_t state_;
};

// SplitMix64's finaliser: a bijective mix of 64 bits.
std::uint64_t mix64(std::uint64_t x);

} // namespace corvellan
