// stria93: the command-line companion of the window, for scripts and batch work.
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/message_text.h"
#include "cli/output_text.h"
#include "cli/standard_output.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* Version = STRIA_VERSION;

// Every command, in the order the help lists them, with what runs it.
struct Entry {
    const cli::Command& command;
    int (*run)(const cli::Args&);
};

const std::vector<Entry>& Entries() {
    static const std::vector<Entry> entries = {
        {cli::EncodeCommand(), cli::RunEncode},         {cli::ExportCommand(), cli::RunExport},
        {cli::SheetCommand(), cli::RunSheet},           {cli::VerifyCommand(), cli::RunVerify},
        {cli::SetupFontsCommand(), cli::RunSetupFonts}, {cli::SetupCommand(), cli::RunSetup}};
    return entries;
}

std::vector<const cli::Command*> Commands() {
    std::vector<const cli::Command*> commands;
    for (const Entry& entry : Entries()) {
        commands.push_back(&entry.command);
    }
    return commands;
}

// Every command with its options, then what holds for all of them.
std::string ProgramHelp() {
    const QString help =
        QStringLiteral("Usage: stria93 COMMAND [OPTIONS] [DATA...]\n\n"
                       "Makes Code 93 barcode strings for the Sample 93 barcode typefaces.\n\n"
                       "Commands:\n") +
        cli::CommandsOverview(Commands()) +
        QStringLiteral(
            "Options:\n"
            "  --help      show this help and exit; 'stria93 COMMAND --help' shows a command's\n"
            "              options with examples\n"
            "  --version   show the version and exit\n\n"
            "Data is UTF-8. The characters (C) U+00A9 and (a) U+00AA are the (%) and ($) markers "
            "that\ncarry control characters (for example U+00AA I for a tab); U+00AB and U+00AC "
            "are dropped.\nA data text may be up to %1 MiB (%2 bytes) long. Put -- before "
            "data that starts with -.\nMessages show control characters as U+0000 to U+001F, "
            "U+007F to U+009F.\n\n"
            "Exit status: 0 when every data text was encoded (or exported), 1 when any was "
            "refused or\nits picture not written (the reason goes to standard error, prefixed "
            "with \"line N: \" for\nstandard input) or standard output could not be written, 2 "
            "for a usage error.\n")
            .arg(cli::MaxDataBytes >> 20)
            .arg(cli::MaxDataBytes);
    return help.toStdString();
}

} // namespace

namespace cli {

int UsageError(const std::string& message) {
    std::fprintf(stderr, "stria93: %s\nTry 'stria93 --help' for more information.\n",
                 ShowControlCharacters(message).c_str());
    return ExitUsage;
}

} // namespace cli

namespace {

int RunCommand(const cli::Args& all) {
    if (all.empty()) {
        return cli::UsageError("missing command");
    }
    const std::string& command = all.front();
    const cli::Args rest(all.begin() + 1, all.end());
    if (command == "--help" || command == "-h" || command == "help") {
        cli::WriteStandardOutput(ProgramHelp());
        return cli::ExitOk;
    }
    if (command == "--version") {
        std::printf("stria93 %s\n", Version);
        return cli::ExitOk;
    }
    for (const Entry& entry : Entries()) {
        if (entry.command.name.toStdString() == command) {
            return entry.run(rest);
        }
    }
    return cli::UsageError("unknown command '" + command + "'");
}

} // namespace

int main(int argc, char** argv) {
    // Every command's output, the list of written files included, is checked once more here.
    return cli::FinishStandardOutput(RunCommand(cli::Args(argv + 1, argv + argc)));
}
