// stria93's command lines: each command's options in one table, parsed by QCommandLineParser,
// and every help text generated from the same tables, so that an option is described once.
#pragma once

#include "cli/commands.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

namespace cli {

struct Usage {
    QString synopsis;    // what follows "stria93 <command> "
    QString description; // one paragraph, wrapped when shown
};

struct Command {
    QString name;
    QList<Usage> usages;
    QList<QCommandLineOption> options; // --help is added to every command
    QStringList examples;              // command lines after "stria93 "
    bool takesData = true;             // else any argument but an option is a usage error
};

// -q, --quiet, with what it leaves out.
QCommandLineOption QuietOption(const QString& description);

// One command's arguments, parsed. The arguments reach the parser byte for byte (as Latin-1),
// so that data and file names that are not UTF-8 keep their bytes; text() decodes a value as
// UTF-8 for everything else.
class CommandLine {
public:
    explicit CommandLine(const Command& command);

    // Parses the arguments after the command's name. Returns the exit code when the command ends
    // here: ExitOk after printing its help for --help, ExitUsage after a usage error on standard
    // error.
    std::optional<int> parse(const Args& args);

    bool isSet(const QString& option) const;
    QString text(const QString& option) const;
    QByteArray bytes(const QString& option) const;
    // The data arguments: as given, and as text.
    Args data() const;
    QStringList dataTexts() const;

private:
    QString unknownOptionMessage(const Args& args) const;

    const Command& command_;
    QCommandLineParser parser_;
};

// "stria93 <command> --help": the usages, every option, and examples.
QString CommandHelp(const Command& command);

// The usages and options of every command, for "stria93 --help".
QString CommandsOverview(const std::vector<const Command*>& commands);

// Prints "stria93: <command>: <message>" and the help hint; returns ExitUsage.
int CommandUsageError(const Command& command, const QString& message);

} // namespace cli
