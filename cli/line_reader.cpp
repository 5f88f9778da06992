#include "cli/line_reader.h"

#include "cli/output_text.h"
#include "encoding/code93.h"

#include <cstring>
#include <string>

namespace cli {
namespace {

// Bytes barcode data may hold: the printable ASCII characters it encodes and the UTF-8 bytes of
// the four markers U+00A9 to U+00AC (C2 A9 to C2 AC). A CR too, which may end the line.
bool MayHoldData(unsigned char byte) {
    if (byte < 0x80) {
        return byte == '\r' || code93::CharClass(byte) != code93::CharacterClass::Illegal;
    }
    return byte == 0xC2 || (byte >= 0xA9 && byte <= 0xAC);
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// How many continuation bytes complete the UTF-8 character this byte starts.
int ContinuationsAfter(unsigned char byte) {
    if ((byte & 0xE0) == 0xC0) {
        return 1;
    }
    if ((byte & 0xF0) == 0xE0) {
        return 2;
    }
    return (byte & 0xF8) == 0xF0 ? 3 : 0;
}

class LineSplitter {
public:
    LineSplitter(const std::function<void(std::size_t, std::string_view)>& onLine,
                 const std::function<bool()>& stopReading)
        : onLine_(onLine), stopReading_(stopReading) {}

    // Takes the next bytes of the stream; false once the reader should stop.
    bool add(std::string_view bytes) {
        std::size_t i = 0;
        while (i < bytes.size()) {
            if (state_ == State::Skipping) {
                const std::size_t newline = bytes.find('\n', i);
                if (newline == std::string_view::npos) {
                    return true;
                }
                i = newline;
            }
            const auto byte = static_cast<unsigned char>(bytes[i++]);
            if (byte == '\n') {
                if (!endLine()) {
                    return false;
                }
            } else if (state_ == State::Keeping) {
                keep(byte);
            } else if (IsContinuation(byte) && continuations_ > 0) {
                line_ += static_cast<char>(byte);
                state_ = --continuations_ > 0 ? State::Completing : State::Skipping;
            } else {
                state_ = State::Skipping;
            }
        }
        return true;
    }

    void finish() {
        if (!line_.empty()) {
            endLine();
        }
    }

private:
    enum class State {
        Keeping,    // every byte so far may be data
        Completing, // the line is decided; the rest of its deciding character is still kept
        Skipping,   // the line is decided; the rest is dropped
    };

    void keep(unsigned char byte) {
        line_ += static_cast<char>(byte);
        if (line_.size() > MaxDataBytes + 1) { // one more for a CR before the LF
            state_ = State::Skipping;
        } else if (!MayHoldData(byte)) {
            continuations_ = ContinuationsAfter(byte);
            state_ = continuations_ > 0 ? State::Completing : State::Skipping;
        }
    }

    bool endLine() {
        std::string_view text(line_);
        if (state_ == State::Keeping && !text.empty() && text.back() == '\r') {
            text.remove_suffix(1);
        }
        onLine_(++lineNumber_, text);
        line_.clear();
        state_ = State::Keeping;
        continuations_ = 0;
        return !stopReading_ || !stopReading_();
    }

    const std::function<void(std::size_t, std::string_view)>& onLine_;
    const std::function<bool()>& stopReading_;
    std::string line_;
    std::size_t lineNumber_ = 0;
    State state_ = State::Keeping;
    int continuations_ = 0;
};

} // namespace

bool ForEachLine(std::FILE* stream,
                 const std::function<void(std::size_t, std::string_view)>& onLine,
                 const std::function<bool()>& stopReading) {
    LineSplitter splitter(onLine, stopReading);
    char chunk[1 << 16];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, stream);
        if (got == 0) {
            break;
        }
        if (!splitter.add(std::string_view(chunk, got))) {
            return std::ferror(stream) == 0;
        }
    }
    splitter.finish();
    return std::ferror(stream) == 0;
}

} // namespace cli
