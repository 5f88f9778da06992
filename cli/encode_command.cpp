#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/data_texts.h"
#include "cli/output_text.h"
#include "cli/standard_output.h"
#include "encoding/utf8.h"

#include <cstdio>
#include <string>

namespace cli {

const Command& EncodeCommand() {
    static const Command command{
        QStringLiteral("encode"),
        {{QStringLiteral("[--sums] [DATA...]"),
          QStringLiteral("Prints the barcode string of each DATA, one line each: start \"(\", the "
                         "data with Full ASCII pairs, the check characters C and K, stop \")\". "
                         "Set the string in one of the Sample 93 typefaces to draw the symbol. "
                         "Without DATA, reads standard input, one data text per line.")}},
        {{QStringLiteral("sums"),
          QStringLiteral("follow each string with its sums: CSum, Ksum, CCheck, KCheck")}},
        {QStringLiteral("encode ABC123"), QStringLiteral("encode --sums 'Code 93'"),
         QStringLiteral("encode < parts.txt > strings.txt")}};
    return command;
}

int RunEncode(const Args& args) {
    CommandLine line(EncodeCommand());
    if (const std::optional<int> done = line.parse(args)) {
        return *done;
    }
    const bool withSums = line.isSet(QStringLiteral("sums"));

    std::string out;
    bool anyRefused = false;
    bool outputFailed = false;
    // Written in blocks; a refusal first writes what came before it, so that the two streams
    // stay in order on a terminal.
    auto writeOut = [&] {
        outputFailed = !WriteStandardOutput(out);
        out.clear();
    };
    const bool read = ForEachDataText(
        line.data(),
        [&](std::string_view text, const std::string& where) {
            const Result<std::u16string> made = MakeOutputText(text, withSums);
            if (made) {
                out += code93::Utf16ToUtf8(*made);
                out += '\n';
            } else {
                anyRefused = true;
                writeOut();
                outputFailed = !FlushStandardOutput();
                std::fprintf(stderr, "%s%s\n", where.c_str(), made.error().toUtf8().constData());
            }
            if (out.size() > (1 << 16)) {
                writeOut();
            }
        },
        [&] { return outputFailed; });
    writeOut();
    return anyRefused || !read ? ExitRefused : ExitOk;
}

} // namespace cli
