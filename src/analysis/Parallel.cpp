#include "analysis/Parallel.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace corvellan {

namespace {

// Tasks a thread takes at a time: few enough trips to the counter, small
// enough that the threads end together and Cancel is heard soon.
long long runLength(long long count, int threads) {
    return std::clamp<long long>(count / (16LL * threads), 1, 64);
}

} // namespace

int defaultThreadCount() {
    const unsigned n = std::thread::hardware_concurrency();
    return static_cast<int>(std::clamp<unsigned>(n, 1, kMaxThreads));
}

bool runParallel(long long count, int threads,
                 const std::function<void(long long index, int worker)>& task,
                 StudyProgress* progress) {
    if (count <= 0) return true;
    threads = static_cast<int>(
        std::clamp<long long>(threads, 1, std::min<long long>(count, kMaxThreads)));
    const long long run = runLength(count, threads);
    std::atomic<long long> next{0};
    auto work = [&](int worker) {
        for (;;) {
            if (progress && progress->stop.load(std::memory_order_relaxed)) return;
            const long long first = next.fetch_add(run, std::memory_order_relaxed);
            if (first >= count) return;
            const long long last = std::min(count, first + run);
            for (long long i = first; i < last; ++i)
                task(i, worker);
            if (progress) progress->done.fetch_add(last - first, std::memory_order_relaxed);
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(threads - 1);
    for (int w = 1; w < threads; ++w)
        pool.emplace_back(work, w);
    work(0);
    for (std::thread& t : pool)
        t.join();
    // Every task ran when every index was taken: a stop asked for after the
    // last one was taken stopped nothing.
    return next.load() >= count;
}

std::uint64_t mix64(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

SampleRandom::SampleRandom(std::uint64_t seed, std::uint64_t index)
    : state_(mix64(seed ^ mix64(index))) {}

double SampleRandom::uniform() {
    // SplitMix64: the state walks by the golden gamma, each output is mixed.
    state_ += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
}

} // namespace corvellan
