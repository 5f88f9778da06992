#include "cli/export_batch.h"

#include "picture/native_file_name.h"

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
// Written files are put in place and reported a group at a time, each group with one sync: at
// most this many (each keeps its file open until then), those made within this time, or those
// made when the work stops to wait for input.
constexpr std::size_t MaxGroupFiles = 128;
constexpr auto MaxGroupDelay = std::chrono::seconds(1);

struct Made {
    ExportOutcome outcome;
    std::string where; // the job's prefix for messages
};

struct Queue {
    std::mutex mutex;
    std::condition_variable jobAdded;    // workers wait for it
    std::condition_variable jobTaken;    // the source waits for room
    std::condition_variable outcomeMade; // the reporter waits for it
    std::deque<std::pair<std::size_t, ExportJob>> waiting;
    std::map<std::size_t, Made> outcomes; // made, not yet reported, by position
    std::size_t submitted = 0;
    std::size_t running = 0; // jobs being worked on
    bool inputEnded = false;

    bool idle() const { return waiting.empty() && running == 0; }
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

// No picture waits for the disk (the files are synced a group at a time, by the reporter).
std::size_t WorkerCount() {
    return std::max(1u, std::thread::hardware_concurrency());
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
        ++queue.running;
        lock.unlock();
        Made made{work(job), std::move(job.where)};
        lock.lock();
        --queue.running;
        queue.outcomes.emplace(position, std::move(made));
        // The reporter wakes for a group, not for every picture.
        if (queue.outcomes.size() >= MaxGroupFiles || queue.idle()) {
            queue.outcomeMade.notify_one();
        }
    }
}

// Puts the group's written files in place together; a file that cannot be becomes a failure.
void Place(std::vector<Made>& group) {
    std::vector<picture::StagedFile*> files;
    for (Made& made : group) {
        files.push_back(&made.outcome.staged);
    }
    const std::vector<QString> messages = picture::PlaceStagedFiles(files);
    for (std::size_t i = 0; i < group.size(); ++i) {
        if (!messages[i].isEmpty()) {
            ExportOutcome& outcome = group[i].outcome;
            outcome.failed = true;
            outcome.written.clear();
            outcome.message = group[i].where + picture::EncodeFileName(messages[i]).toStdString();
        }
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
    std::size_t taken = 0;    // outcomes taken from the queue, in order
    std::size_t reported = 0; // of them, put in place and reported
    std::vector<Made> group;
    Clock::time_point groupStart;
    std::unique_lock lock(queue.mutex);
    for (;;) {
        queue.outcomeMade.wait_for(lock, ProgressInterval, [&] {
            const bool groupReady = queue.outcomes.size() >= MaxGroupFiles || queue.idle();
            return (groupReady && queue.outcomes.count(taken) > 0) ||
                   (queue.inputEnded && taken == queue.submitted);
        });
        for (auto next = queue.outcomes.find(taken);
             next != queue.outcomes.end() && group.size() < MaxGroupFiles;
             next = queue.outcomes.find(taken)) {
            if (group.empty()) {
                groupStart = Clock::now();
            }
            group.push_back(std::move(next->second));
            queue.outcomes.erase(next);
            ++taken;
        }
        const bool finished = queue.inputEnded && taken == queue.submitted;
        const bool idle = queue.idle();
        const std::size_t submitted = queue.submitted;
        const bool totalKnown = queue.inputEnded;
        lock.unlock();
        if (!group.empty() && (finished || idle || group.size() >= MaxGroupFiles ||
                               Clock::now() - groupStart >= MaxGroupDelay)) {
            Place(group);
            line.Clear();
            for (const Made& made : group) {
                const ExportOutcome& outcome = made.outcome;
                result.anyFailed = result.anyFailed || outcome.failed;
                ReportOutcome(outcome);
            }
            if (progress) {
                std::fflush(stdout);
            }
            reported += group.size();
            group.clear();
        }
        if (finished) {
            break;
        }
        line.Show(reported, submitted, totalKnown);
        lock.lock();
    }
    line.Clear();
    reader.join();
    for (std::thread& worker : workers) {
        worker.join();
    }
    return result;
}

} // namespace cli
