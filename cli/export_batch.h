// A batch of pictures rendered on all cores, each outcome reported in input order, as if the
// pictures had been made one after another.
#pragma once

#include "files/output_file.h"

#include <cstddef>
#include <functional>
#include <string>

namespace cli {

struct ExportJob {
    std::size_t number = 0; // 1, 2, ... for {n}
    std::string text;       // UTF-8 data
    std::string where;      // "line N: " for standard input, else empty
};

struct ExportOutcome {
    bool failed = false;
    std::string written; // the line for standard output, without its newline
    std::string message; // the line for standard error, without its newline
    // The file written, when the batch is to put it in place: it does so for a group of files
    // at a time, with one sync for the group, before it reports them.
    files::StagedFile staged;
};

using ExportWork = std::function<ExportOutcome(const ExportJob&)>;
using JobSink = std::function<void(ExportJob)>;
// Hands every job to the sink, on a thread of its own (it may wait for input); false when the
// input could not be read.
using JobSource = std::function<bool(const JobSink&)>;

struct BatchResult {
    bool anyFailed = false;
    bool inputFailed = false;
};

// The outcome's line on standard output (the file written) and on standard error (why not).
void ReportOutcome(const ExportOutcome& outcome);

// progress: keep a line on standard error (a terminal) with the count, the rate and the time
// left, once the batch has run for a second.
BatchResult RunExportBatch(const JobSource& source, const ExportWork& work, bool progress);

} // namespace cli
