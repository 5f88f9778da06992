#include "cli/ending_signals.h"

#include "cli/print_text.h"
#include "cli/standard_output.h"
#include "files/native_file_name.h"
#include "files/staged_files.h"

#include <csignal>
#include <unistd.h>

namespace cli {
namespace {

void EndCleanly(int signal) {
    files::RemoveStagedFiles();
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
    files::HoldSignalsFromPlacing();
}

void ListPlacedFile(const QString& line) {
    PrintLine(line);
    FlushStandardOutput();
    files::ReleaseHeldSignals();
}

void RemoveStaleFilesBeside(const QString& fileName) {
    const QByteArray name = files::EncodeFileName(fileName);
    const qsizetype slash = name.lastIndexOf('/');
    files::RemoveStaleStagedFiles(slash < 0 ? QByteArray(".") : name.left(slash + 1));
}

} // namespace cli
