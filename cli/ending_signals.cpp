#include "cli/ending_signals.h"

#include "cli/print_text.h"
#include "cli/standard_output.h"
#include "picture/native_file_name.h"
#include "picture/staged_files.h"

#include <csignal>
#include <unistd.h>

namespace cli {
namespace {

void EndCleanly(int signal) {
    picture::RemoveStagedFiles();
    ::_exit(128 + signal);
}

} // namespace

void EndCleanlyOnSignals() {
    struct sigaction action {};
    action.sa_handler = EndCleanly;
    sigfillset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGPIPE}) {
        sigaction(signal, &action, nullptr);
    }
    picture::HoldSignalsFromPlacing();
}

void ListPlacedFile(const QString& line) {
    PrintLine(line);
    FlushStandardOutput();
    picture::ReleaseHeldSignals();
}

void RemoveStaleFilesBeside(const QString& fileName) {
    const QByteArray name = picture::EncodeFileName(fileName);
    const qsizetype slash = name.lastIndexOf('/');
    picture::RemoveStaleStagedFiles(slash < 0 ? QByteArray(".") : name.left(slash + 1));
}

} // namespace cli
