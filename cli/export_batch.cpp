#include "export_batch.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace cli {

namespace {

using Clock = std::chrono::steady_clock;

// Input read ahead of the pictures: enough to keep every core busy, little memory.
constexpr std::size_t MaxWaitingJobs = 4096;
constexpr auto ProgressDelay = std::chrono::seconds(1);
constexpr auto ProgressInterval = std::chrono::milliseconds(200);

struct Queue {
    std::mutex mutex;
    std::condition_variable jobAdded;    // workers wait for it
    std::condition_variable jobTaken;    // the source waits for room
    std::condition_variable outcomeMade; // the reporter waits for it
    std::deque<std::pair<std::size_t, ExportJob>> waiting;
    std::map<std::size_t, ExportOutcome> outcomes; // made, not yet reported, by position
    std::size_t submitted = 0;
    bool inputEnded = false;
};

class ProgressLine {
public:
    explicit ProgressLine(bool enabled) : enabled_(enabled) {}

    void Show(std::size_t done, std::size_t total, bool totalKnown) {
        const auto now = Clock::now();
        if (!enabled_ || now - start_ < ProgressDelay || now - shownAt_ < ProgressInterval) {
            return;
        }
        shownAt_ = now;
        const double seconds = std::chrono::duration<double>(now - start_).count();
        const double rate = static_cast<double>(done) / seconds;
        std::fprintf(stderr, "\r\033[K%zu/%zu%s pictures, %.1f/s", done, total,
                     totalKnown ? "" : "+", rate);
        if (totalKnown && rate > 0) {
            const auto left = static_cast<long long>(static_cast<double>(total - done) / rate);
            std::fprintf(stderr, ", %lld:%02lld left", left / 60, left % 60);
        }
        shown_ = true;
    }

    void Clear() {
        if (shown_) {
            std::fputs("\r\033[K", stderr);
            shown_ = false;
        }
    }

private:
    bool enabled_;
    bool shown_ = false;
    Clock::time_point start_ = Clock::now();
    Clock::time_point shownAt_{};
};

// Each picture ends in a wait for the disk (the file is synced before it replaces the old one):
// twice as many workers as cores keep the cores busy meanwhile.
std::size_t WorkerCount() {
    return 2 * std::max(1u, std::thread::hardware_concurrency());
}

void Work(Queue& queue, const ExportWork& work) {
    std::unique_lock lock(queue.mutex);
    for (;;) {
        queue.jobAdded.wait(lock, [&] { return !queue.waiting.empty() || queue.inputEnded; });
        if (queue.waiting.empty()) {
            return;
        }
        auto [position, job] = std::move(queue.waiting.front());
        queue.waiting.pop_front();
        queue.jobTaken.notify_one();
        lock.unlock();
        ExportOutcome outcome = work(job);
        lock.lock();
        queue.outcomes.emplace(position, std::move(outcome));
        queue.outcomeMade.notify_one();
    }
}

} // namespace

void ReportOutcome(const ExportOutcome& outcome) {
    if (!outcome.written.empty()) {
        std::printf("%s\n", outcome.written.c_str());
    }
    if (!outcome.message.empty()) {
        std::fprintf(stderr, "%s\n", outcome.message.c_str());
    }
}

BatchResult RunExportBatch(const JobSource& source, const ExportWork& work, bool progress) {
    Queue queue;
    BatchResult result;
    std::thread reader([&] {
        const bool read = source([&](ExportJob job) {
            std::unique_lock lock(queue.mutex);
            queue.jobTaken.wait(lock, [&] { return queue.waiting.size() < MaxWaitingJobs; });
            queue.waiting.emplace_back(queue.submitted++, std::move(job));
            queue.jobAdded.notify_one();
        });
        const std::lock_guard lock(queue.mutex);
        result.inputFailed = !read;
        queue.inputEnded = true;
        queue.jobAdded.notify_all();
        queue.outcomeMade.notify_one();
    });
    std::vector<std::thread> workers(WorkerCount());
    for (std::thread& worker : workers) {
        worker = std::thread(Work, std::ref(queue), std::cref(work));
    }

    ProgressLine line(progress);
    std::size_t reported = 0;
    std::unique_lock lock(queue.mutex);
    for (;;) {
        queue.outcomeMade.wait_for(lock, ProgressInterval, [&] {
            return queue.outcomes.count(reported) > 0 ||
                   (queue.inputEnded && reported == queue.submitted);
        });
        const auto next = queue.outcomes.find(reported);
        if (next == queue.outcomes.end()) {
            if (queue.inputEnded && reported == queue.submitted) {
                break;
            }
            line.Show(reported, queue.submitted, queue.inputEnded);
            continue;
        }
        const ExportOutcome outcome = std::move(next->second);
        queue.outcomes.erase(next);
        ++reported;
        lock.unlock();
        line.Clear();
        result.anyFailed = result.anyFailed || outcome.failed;
        ReportOutcome(outcome);
        if (progress) {
            std::fflush(stdout);
        }
        lock.lock();
        line.Show(reported, queue.submitted, queue.inputEnded);
    }
    lock.unlock();
    line.Clear();
    reader.join();
    for (std::thread& worker : workers) {
        worker.join();
    }
    return result;
}

} // namespace cli
