#include "line_reader.h"

#include <string>

namespace cli {

bool ForEachLine(std::FILE* stream,
                 const std::function<void(std::size_t, std::string_view)>& onLine) {
    std::string pending;
    std::size_t lineNumber = 0;
    char chunk[1 << 16];
    auto emit = [&](std::string_view line) {
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        onLine(++lineNumber, line);
    };
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, stream);
        if (got == 0) {
            break;
        }
        std::string_view view(chunk, got);
        std::size_t start = 0;
        for (std::size_t nl = view.find('\n'); nl != std::string_view::npos;
             nl = view.find('\n', start)) {
            if (pending.empty()) {
                emit(view.substr(start, nl - start));
            } else {
                pending.append(view.substr(start, nl - start));
                emit(pending);
                pending.clear();
            }
            start = nl + 1;
        }
        pending.append(view.substr(start));
    }
    if (!pending.empty()) {
        emit(pending);
    }
    return std::ferror(stream) == 0;
}

} // namespace cli
