#include "commands.h"
#include "line_reader.h"
#include "output_text.h"
#include "standard_output.h"
#include "utf8.h"

#include <cstdio>
#include <string>

namespace cli {

int RunEncode(const Args& args) {
    bool withSums = false;
    std::vector<std::string> data;
    bool optionsDone = false;
    for (const auto& arg : args) {
        if (!optionsDone && arg == "--") {
            optionsDone = true;
        } else if (!optionsDone && arg == "--sums") {
            withSums = true;
        } else if (!optionsDone && arg.size() > 1 && arg[0] == '-') {
            return UsageError("encode: unknown option '" + arg +
                              "' (put -- before data that starts with -)");
        } else {
            data.push_back(arg);
        }
    }

    std::string out;
    bool anyRefused = false;
    bool outputFailed = false;
    // Written in blocks; a refusal first writes what came before it, so that the two streams
    // stay in order on a terminal.
    auto writeOut = [&] {
        outputFailed = !WriteStandardOutput(out);
        out.clear();
    };
    auto encodeOne = [&](std::string_view text, const std::string& where) {
        const OutputText made = MakeOutputText(text, withSums);
        if (made.ok) {
            out += code93::Utf16ToUtf8(made.text);
            out += '\n';
        } else {
            anyRefused = true;
            writeOut();
            outputFailed = !FlushStandardOutput();
            std::fprintf(stderr, "%s%s\n", where.c_str(), made.error.c_str());
        }
        if (out.size() > (1 << 16)) {
            writeOut();
        }
    };

    if (data.empty()) {
        const bool read = ForEachLine(
            stdin,
            [&](std::size_t lineNumber, std::string_view line) {
                encodeOne(line, "line " + std::to_string(lineNumber) + ": ");
            },
            [&] { return outputFailed; });
        if (!read) {
            std::fprintf(stderr, "stria93: cannot read standard input\n");
            anyRefused = true;
        }
    } else {
        for (const auto& text : data) {
            encodeOne(text, "");
            if (outputFailed) {
                break;
            }
        }
    }
    writeOut();
    return anyRefused ? ExitRefused : ExitOk;
}

} // namespace cli
