#pragma once
// Work on every core with the results taken in index order: what turns a
// folder of files into records in the order of its file list, in memory
// bounded by a small window however many files there are.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace vx {

// Results a worker may run ahead of the taker, per worker.
inline constexpr size_t kOrderedWindowPerThread = 16;

// Runs work(i, scratch) -> R for i in [0, count) on all cores and hands the
// results to take(R&) in index order, each as soon as it is next. Workers run
// at most a window ahead of take, so memory stays bounded. take returning
// false stops the run. When the next result keeps take waiting for `pause`,
// idle() is called (to pass on what was taken so far), then again after each
// further pause. Each worker has a Scratch of its own, reused between items.
template <class R, class Scratch, class Work, class Take, class Idle>
void ForEachInOrder(size_t count, const Work& work, const Take& take, const Idle& idle,
                    std::chrono::milliseconds pause) {
    if (count == 0) return;
    const size_t threads =
        std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), count);
    const size_t window = kOrderedWindowPerThread * threads;
    std::vector<std::optional<R>> slots(window);
    std::mutex mu;
    std::condition_variable readyCv, spaceCv;
    size_t next = 0, taken = 0;
    bool stop = false;

    const auto worker = [&] {
        Scratch scratch;
        for (;;) {
            size_t i;
            {
                std::unique_lock lock(mu);
                spaceCv.wait(lock, [&] { return stop || next >= count || next < taken + window; });
                if (stop || next >= count) return;
                i = next++;
            }
            R r = work(i, scratch);
            {
                std::lock_guard lock(mu);
                slots[i % window] = std::move(r);
            }
            readyCv.notify_one();
        }
    };

    std::vector<std::jthread> pool;
    // Destroyed before the pool: stops the workers, which the pool then joins.
    struct StopOnExit {
        std::mutex& mu;
        bool& stop;
        std::condition_variable& cv;
        ~StopOnExit() {
            {
                std::lock_guard lock(mu);
                stop = true;
            }
            cv.notify_all();
        }
    } stopOnExit{mu, stop, spaceCv};
    try {
        for (size_t k = 0; k < threads; ++k) pool.emplace_back(worker);
    } catch (const std::system_error&) {
        // No more threads to be had: go on with those there are.
    }

    if (pool.empty()) {
        Scratch scratch;
        for (size_t i = 0; i < count; ++i) {
            R r = work(i, scratch);
            if (!take(r)) return;
        }
        return;
    }
    for (size_t w = 0; w < count; ++w) {
        std::optional<R> r;
        {
            std::unique_lock lock(mu);
            std::optional<R>& slot = slots[w % window];
            while (!readyCv.wait_for(lock, pause, [&] { return slot.has_value(); })) {
                lock.unlock();
                idle();
                lock.lock();
            }
            r = std::move(slot);
            slot.reset();
            ++taken;
        }
        spaceCv.notify_all();
        if (!take(*r)) return;
    }
}

}  // namespace vx
