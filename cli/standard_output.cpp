#include "cli/standard_output.h"

#include "cli/commands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace cli {
namespace {

// The reason of the first failure, kept because later calls may change errno.
int firstError = 0;

bool Check(bool ok) {
    if ((!ok || std::ferror(stdout) != 0) && firstError == 0) {
        firstError = errno != 0 ? errno : EIO;
    }
    return firstError == 0;
}

} // namespace

bool WriteStandardOutput(std::string_view bytes) {
    errno = 0;
    return Check(std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size());
}

bool FlushStandardOutput() {
    errno = 0;
    return Check(std::fflush(stdout) == 0);
}

int FinishStandardOutput(int exitCode) {
    if (FlushStandardOutput()) {
        return exitCode;
    }
    std::fprintf(stderr, "stria93: write error: %s\n", std::strerror(firstError));
    return ExitRefused;
}

} // namespace cli
