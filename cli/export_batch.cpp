#include "cli/export_batch.h"

#include "cli/message_text.h"
#include "cli/standard_output.h"
#include "files/native_file_name.h"
#include "files/staged_files.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <dirent.h>
#include <map>
#include <mutex>
#include <sys/resource.h>
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
// most this many, those made within this time, those made when the work stops to wait for
// input, or those that hold every file the batch may keep open.
constexpr std::size_t MaxGroupFiles = 128;
constexpr auto MaxGroupDelay = std::chrono::seconds(1);

struct Made {
    ExportOutcome outcome;
    std::string where; // the job's prefix for messages
};

struct Queue {
    std::mutex mutex;
    std::condition_variable jobAdded;    // workers wait for it, and for a file to be free
    std::condition_variable jobTaken;    // the source waits for room
    std::condition_variable outcomeMade; // the reporter waits for it
    std::deque<std::pair<std::size_t, ExportJob>> waiting;
    std::map<std::size_t, Made> outcomes; // made, not yet reported, by position
    std::size_t submitted = 0;
    std::size_t running = 0; // jobs being worked on
    bool inputEnded = false;
    // Jobs taken and not yet reported, each with a file open until its group is placed, and how
    // many may be: a worker waits rather than fail to open a file.
    std::size_t openFiles = 0;
    std::size_t fileBudget = 1;

    bool idle() const { return waiting.empty() && running == 0; }
    bool filesFull() const { return openFiles >= fileBudget; }
    bool groupReady() const { return outcomes.size() >= MaxGroupFiles || idle() || filesFull(); }
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

std::size_t OpenDescriptors() {
    std::size_t count = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (::readdir(dir) != nullptr) {
            ++count; // ".", ".." and the folder's own descriptor make up for the three reserved
        }
        ::closedir(dir);
    }
    return count;
}

// Half the descriptors the process may still open: the rest is left to the libraries (the
// typefaces, standard input).
std::size_t FileBudget() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return MaxGroupFiles;
    }
    const std::size_t open = OpenDescriptors();
    const std::size_t free = limit.rlim_cur > open ? limit.rlim_cur - open : 0;
    return std::clamp<std::size_t>(free / 2, 1, MaxGroupFiles);
}

void Work(Queue& queue, const ExportWork& work) {
    std::unique_lock lock(queue.mutex);
    for (;;) {
        queue.jobAdded.wait(lock, [&] {
            return (!queue.waiting.empty() && !queue.filesFull()) ||
                   (queue.waiting.empty() && queue.inputEnded);
        });
        if (queue.waiting.empty()) {
            return;
        }
        auto [position, job] = std::move(queue.waiting.front());
        queue.waiting.pop_front();
        queue.jobTaken.notify_one();
        ++queue.running;
        ++queue.openFiles;
        lock.unlock();
        Made made{work(job), std::move(job.where)};
        lock.lock();
        --queue.running;
        queue.outcomes.emplace(position, std::move(made));
        // The reporter wakes for a group, not for every picture.
        if (queue.groupReady()) {
            queue.outcomeMade.notify_one();
        }
    }
}

void ReadJobs(Queue& queue, const JobSource& source, BatchResult& result) {
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
}

// Puts the group's written files in place together; a file that cannot be becomes a failure.
void Place(std::vector<Made>& group) {
    std::vector<files::StagedFile*> staged;
    for (Made& made : group) {
        staged.push_back(&made.outcome.staged);
    }
    const std::vector<QString> messages = files::PlaceStagedFiles(staged);
    for (std::size_t i = 0; i < group.size(); ++i) {
        if (!messages[i].isEmpty()) {
            ExportOutcome& outcome = group[i].outcome;
            outcome.failed = true;
            outcome.written.clear();
            outcome.message = group[i].where + files::EncodeFileName(messages[i]).toStdString();
        }
    }
}

// Takes the outcomes in input order and puts them in place and reports them a group at a time.
class Reporter {
public:
    Reporter(Queue& queue, bool progress) : queue_(queue), line_(progress) {}

    void Run(BatchResult& result) {
        std::unique_lock lock(queue_.mutex);
        for (;;) {
            queue_.outcomeMade.wait_for(lock, ProgressInterval, [&] {
                return (queue_.groupReady() && queue_.outcomes.count(taken_) > 0) || finished();
            });
            TakeInOrder();
            const bool finish = finished();
            const bool placeNow = finish || queue_.idle() || queue_.filesFull() ||
                                  group_.size() >= MaxGroupFiles ||
                                  (!group_.empty() && Clock::now() - groupStart_ >= MaxGroupDelay);
            const std::size_t submitted = queue_.submitted;
            const bool totalKnown = queue_.inputEnded;
            lock.unlock();
            const std::size_t placed = placeNow ? PlaceAndReport(result) : 0;
            if (finish) {
                break;
            }
            line_.Show(reported_, submitted, totalKnown);
            lock.lock();
            if (placed > 0) {
                queue_.openFiles -= placed;
                queue_.jobAdded.notify_all();
            }
        }
        line_.Clear();
    }

private:
    bool finished() const { return queue_.inputEnded && taken_ == queue_.submitted; }

    void TakeInOrder() {
        for (auto next = queue_.outcomes.find(taken_);
             next != queue_.outcomes.end() && group_.size() < MaxGroupFiles;
             next = queue_.outcomes.find(taken_)) {
            if (group_.empty()) {
                groupStart_ = Clock::now();
            }
            group_.push_back(std::move(next->second));
            queue_.outcomes.erase(next);
            ++taken_;
        }
    }

    // With the ending signals held: a file put in place is a file listed.
    std::size_t PlaceAndReport(BatchResult& result) {
        const std::size_t placed = group_.size();
        if (placed == 0) {
            return 0;
        }
        const files::SignalsHeld held;
        Place(group_);
        line_.Clear();
        for (const Made& made : group_) {
            result.anyFailed = result.anyFailed || made.outcome.failed;
            ReportOutcome(made.outcome);
        }
        FlushStandardOutput(); // checked: a full disk is said at the end
        reported_ += placed;
        group_.clear();
        return placed;
    }

    Queue& queue_;
    ProgressLine line_;
    std::size_t taken_ = 0;    // outcomes taken from the queue, in order
    std::size_t reported_ = 0; // of them, put in place and reported
    std::vector<Made> group_;
    Clock::time_point groupStart_;
};

} // namespace

void ReportOutcome(const ExportOutcome& outcome) {
    if (!outcome.written.empty()) {
        std::printf("%s\n", outcome.written.c_str());
    }
    if (!outcome.message.empty()) {
        std::fprintf(stderr, "%s\n", ShowControlCharacters(outcome.message).c_str());
    }
}

BatchResult RunExportBatch(const JobSource& source, const ExportWork& work, bool progress) {
    Queue queue;
    queue.fileBudget = FileBudget();
    BatchResult result;
    std::thread reader;
    std::vector<std::thread> workers(WorkerCount());
    {
        // The threads inherit the held signals: only this one takes them, outside its reports.
        const files::SignalsHeld held;
        reader = std::thread(ReadJobs, std::ref(queue), std::cref(source), std::ref(result));
        for (std::thread& worker : workers) {
            worker = std::thread(Work, std::ref(queue), std::cref(work));
        }
    }
    Reporter(queue, progress).Run(result);
    reader.join();
    for (std::thread& worker : workers) {
        worker.join();
    }
    return result;
}

} // namespace cli
