#include "cli/command_line.h"

#include "cli/standard_output.h"

#include <QByteArray>
#include <QRegularExpression>

namespace cli {
namespace {

constexpr qsizetype LineWidth = 92;
constexpr qsizetype DescriptionIndent = 6;
constexpr qsizetype OptionColumn = 16; // where an option's description starts

const QString HelpName = QStringLiteral("help");

// The words of text in lines of at most LineWidth columns, each after indent blanks; the first
// line goes on one of which firstLineUsed columns are already taken, if given. A bracketed
// option of a synopsis, "[--dpi 300|600]", stays on one line.
QString Wrapped(const QString& text, qsizetype indent, qsizetype firstLineUsed = -1) {
    static const QRegularExpression wordPattern(QStringLiteral("\\[[^\\]]*\\]|\\S+"));
    QString out;
    qsizetype column = firstLineUsed < 0 ? indent : firstLineUsed;
    if (firstLineUsed < 0) {
        out += QString(indent, u' ');
    }
    bool lineEmpty = true;
    for (const QRegularExpressionMatch& match : wordPattern.globalMatch(text)) {
        const QString word = match.captured();
        if (!lineEmpty && column + 1 + word.size() > LineWidth) {
            out += u'\n' + QString(indent, u' ');
            column = indent;
            lineEmpty = true;
        }
        if (!lineEmpty) {
            out += u' ';
            ++column;
        }
        out += word;
        column += word.size();
        lineEmpty = false;
    }
    return out + u'\n';
}

QString OptionLabel(const QCommandLineOption& option) {
    QStringList names;
    for (const QString& name : option.names()) {
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    }
    QString label = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty()) {
        label += u' ' + option.valueName();
    }
    return label;
}

QString OptionLines(const QCommandLineOption& option, qsizetype indent) {
    const QString label = QString(indent, u' ') + OptionLabel(option);
    const qsizetype column = indent + OptionColumn - DescriptionIndent;
    if (label.size() + 2 > column) {
        return label + u'\n' + Wrapped(option.description(), column);
    }
    return label.leftJustified(column) + Wrapped(option.description(), column, column);
}

// Each synopsis after the prefix, its continuation lines under its first option, and its
// description below it.
QString UsageLines(const Command& command, const QString& prefix) {
    QString out;
    for (const Usage& usage : command.usages) {
        const qsizetype synopsisColumn = prefix.size() + command.name.size() + 1;
        out +=
            prefix + command.name + u' ' + Wrapped(usage.synopsis, synopsisColumn, synopsisColumn);
        out += Wrapped(usage.description, DescriptionIndent);
    }
    return out;
}

} // namespace

QCommandLineOption QuietOption(const QString& description) {
    return {{QStringLiteral("q"), QStringLiteral("quiet")}, description};
}

CommandLine::CommandLine(const Command& command) : command_(command) {
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser_.addOptions(command.options);
    parser_.addOption({HelpName, QStringLiteral("show this help and exit")});
}

std::optional<int> CommandLine::parse(const Args& args) {
    QStringList arguments{QStringLiteral("stria93")};
    for (const std::string& arg : args) {
        arguments << QString::fromLatin1(arg.data(), qsizetype(arg.size()));
    }
    if (!parser_.parse(arguments)) {
        return CommandUsageError(command_, parser_.unknownOptionNames().isEmpty()
                                               ? parser_.errorText()
                                               : unknownOptionMessage(args));
    }
    // The last of two values would win without a word: -o a.png -o b.png.
    for (const QCommandLineOption& option : command_.options) {
        if (!option.valueName().isEmpty() && parser_.values(option).size() > 1) {
            const QString name = option.names().constFirst();
            return CommandUsageError(
                command_,
                QStringLiteral("%1%2 given more than once")
                    .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
        }
    }
    if (parser_.isSet(HelpName)) {
        WriteStandardOutput(CommandHelp(command_).toStdString());
        return ExitOk;
    }
    if (!command_.takesData && !parser_.positionalArguments().isEmpty()) {
        return CommandUsageError(
            command_, QStringLiteral("unknown argument '%1'").arg(dataTexts().constFirst()));
    }
    return std::nullopt;
}

// The unknown option as it was typed, "--color" or "-x".
QString CommandLine::unknownOptionMessage(const Args& args) const {
    const QString name = parser_.unknownOptionNames().constFirst();
    QString typed = QStringLiteral("--") + name;
    for (const std::string& arg : args) {
        const QString given = QString::fromUtf8(arg.substr(0, arg.find('=')));
        if (given == u'-' + name || given == QStringLiteral("--") + name) {
            typed = given;
            break;
        }
    }
    return QStringLiteral("unknown option '%1' (put -- before data that starts with -)").arg(typed);
}

bool CommandLine::isSet(const QString& option) const {
    return parser_.isSet(option);
}

QByteArray CommandLine::bytes(const QString& option) const {
    return parser_.value(option).toLatin1();
}

QString CommandLine::text(const QString& option) const {
    return QString::fromUtf8(bytes(option));
}

Args CommandLine::data() const {
    Args data;
    for (const QString& argument : parser_.positionalArguments()) {
        data.push_back(argument.toLatin1().toStdString());
    }
    return data;
}

QStringList CommandLine::dataTexts() const {
    QStringList texts;
    for (const std::string& argument : data()) {
        texts << QString::fromStdString(argument);
    }
    return texts;
}

QString CommandHelp(const Command& command) {
    QString help = UsageLines(command, QStringLiteral("Usage: stria93 ")) + u'\n';
    help += QStringLiteral("Options:\n");
    for (const QCommandLineOption& option : command.options) {
        help += OptionLines(option, 2);
    }
    help += OptionLines(QCommandLineOption(HelpName, QStringLiteral("show this help and exit")), 2);
    if (!command.examples.isEmpty()) {
        help += QStringLiteral("\nExamples:\n");
        for (const QString& example : command.examples) {
            help += QStringLiteral("  stria93 ") + example + u'\n';
        }
    }
    return help;
}

QString CommandsOverview(const std::vector<const Command*>& commands) {
    QString overview;
    for (const Command* command : commands) {
        overview += UsageLines(*command, QStringLiteral("  "));
        for (const QCommandLineOption& option : command->options) {
            overview += OptionLines(option, DescriptionIndent);
        }
        overview += u'\n';
    }
    return overview;
}

int CommandUsageError(const Command& command, const QString& message) {
    return UsageError(command.name.toStdString() + ": " + message.toStdString());
}

} // namespace cli
