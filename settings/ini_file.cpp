#include "settings/ini_file.h"

#include "files/regular_file.h"

#include <QList>
#include <QStringDecoder>
#include <optional>

namespace settings {
namespace {

constexpr char Utf8Bom[] = "\xEF\xBB\xBF";

using Line = IniFile::Line;

// Line by line, so that one stray Latin-1 byte cannot turn the UTF-8 of every other line into
// pairs of Latin-1 characters.
QString DecodeLine(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        return QString::fromLatin1(bytes);
    }
    return text;
}

QByteArrayView WithoutLineEnd(QByteArrayView raw) {
    if (raw.endsWith('\n')) {
        raw.chop(raw.endsWith("\r\n") ? 2 : 1);
    }
    return raw;
}

// A rewritten line keeps its own line end.
void ReplaceLine(Line& line, const QString& text) {
    const QByteArrayView raw(line.raw);
    line.raw = text.toUtf8() + raw.sliced(WithoutLineEnd(raw).size()).toByteArray();
    line.text = text;
}

bool IsComment(const QString& trimmed) {
    return trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'));
}

std::optional<QString> SectionName(const QString& line) {
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('['))) {
        return std::nullopt;
    }
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0) {
        return std::nullopt;
    }
    return trimmed.mid(1, close - 1).trimmed();
}

// Position of the '=' of a key line, or -1 for headers, comments, blank and other lines.
qsizetype EqualsPosition(const QString& line) {
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || IsComment(trimmed) || SectionName(line)) {
        return -1;
    }
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0 || line.left(equals).trimmed().isEmpty()) {
        return -1;
    }
    return equals;
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool IsQuoted(const QString& text) {
    return text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'));
}

QString DecodeValue(const QString& raw) {
    const QString trimmed = raw.trimmed();
    return IsQuoted(trimmed) ? trimmed.mid(1, trimmed.size() - 2) : trimmed;
}

QString EncodeValue(QString value) {
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (value != value.trimmed() || IsQuoted(value)) {
        return QLatin1Char('"') + value + QLatin1Char('"');
    }
    return value;
}

// Where a key stands in the document: its line, or where a new key of that section goes.
struct Location {
    qsizetype keyLine = -1;     // the line holding the key
    qsizetype insertAfter = -1; // last header or key line of the section's first occurrence
    bool sectionSeen = false;
};

Location Find(const QList<Line>& lines, const QString& section, const QString& key) {
    Location location;
    bool inSection = false;
    bool inFirstOccurrence = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i].text;
        if (const std::optional<QString> name = SectionName(line)) {
            inSection = SameName(*name, section);
            inFirstOccurrence = inSection && !location.sectionSeen;
            if (inFirstOccurrence) {
                location.sectionSeen = true;
                location.insertAfter = i;
            }
            continue;
        }
        const qsizetype equals = EqualsPosition(line);
        if (!inSection || equals < 0) {
            continue;
        }
        if (inFirstOccurrence) {
            location.insertAfter = i;
        }
        if (location.keyLine < 0 && SameName(line.left(equals).trimmed(), key)) {
            location.keyLine = i;
        }
    }
    return location;
}

std::optional<QString> ReadRaw(const QList<Line>& lines, const QString& section,
                               const QString& key) {
    const Location location = Find(lines, section, key);
    if (location.keyLine < 0) {
        return std::nullopt;
    }
    const QString& line = lines[location.keyLine].text;
    return DecodeValue(line.mid(EqualsPosition(line) + 1));
}

} // namespace

bool ParseIniInteger(const QString& value, int* result) {
    const QString trimmed = value.trimmed();
    bool ok = false;
    int parsed = 0;
    if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QString digits = trimmed.mid(2);
        const uint unsignedValue = digits.isEmpty() || digits.startsWith(QLatin1Char('+')) ||
                                           digits.startsWith(QLatin1Char('-'))
                                       ? 0
                                       : digits.toUInt(&ok, 16);
        parsed = static_cast<int>(unsignedValue);
    } else {
        parsed = trimmed.toInt(&ok, 10);
    }
    if (ok) {
        *result = parsed;
    }
    return ok;
}

IniFile::IniFile(QString path) : path_(std::move(path)) {
    const Result<std::optional<QByteArray>> contents = files::ReadRegularFile(path_);
    // Something there that cannot be read must not be replaced by what little is known of it.
    readable_ = contents.ok();
    const QByteArray read = contents ? contents->value_or(QByteArray()) : QByteArray();
    QByteArrayView bytes(read);
    if (bytes.startsWith(Utf8Bom)) {
        bom_ = Utf8Bom;
        bytes = bytes.sliced(3);
    }
    while (!bytes.isEmpty()) {
        const qsizetype newline = bytes.indexOf('\n');
        const QByteArrayView raw = newline < 0 ? bytes : bytes.first(newline + 1);
        lines_.append({raw.toByteArray(), DecodeLine(WithoutLineEnd(raw))});
        bytes = bytes.sliced(raw.size());
    }
    if (!lines_.isEmpty() && lines_.first().raw.endsWith("\r\n")) {
        lineEnding_ = "\r\n";
    }
}

bool IniFile::sectionExists(const QString& section) const {
    bool inSection = false;
    for (const Line& documentLine : lines_) {
        const QString& line = documentLine.text;
        if (const std::optional<QString> name = SectionName(line)) {
            inSection = SameName(*name, section);
        } else if (inSection && EqualsPosition(line) >= 0) {
            return true;
        }
    }
    return false;
}

QString IniFile::readText(const QString& section, const QString& key,
                          const QString& defaultValue) const {
    return ReadRaw(lines_, section, key).value_or(defaultValue);
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const {
    const std::optional<QString> raw = ReadRaw(lines_, section, key);
    int value = defaultValue;
    if (raw) {
        ParseIniInteger(*raw, &value);
    }
    return value;
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

// An added line gets the file's line end, and the line before it one if it had none.
void IniFile::insertLine(qsizetype index, const QString& text) {
    if (index > 0 && !lines_[index - 1].raw.endsWith('\n')) {
        lines_[index - 1].raw += lineEnding_;
    }
    lines_.insert(index, {text.toUtf8() + lineEnding_, text});
}

void IniFile::setText(const QString& section, const QString& key, const QString& value) {
    const Location location = Find(lines_, section, key);
    const QString encoded = EncodeValue(value);
    if (location.keyLine >= 0) {
        Line& line = lines_[location.keyLine];
        ReplaceLine(line, line.text.left(EqualsPosition(line.text) + 1) + encoded);
    } else if (location.sectionSeen) {
        insertLine(location.insertAfter + 1, key + QLatin1Char('=') + encoded);
    } else {
        insertLine(lines_.size(), QLatin1Char('[') + section + QLatin1Char(']'));
        insertLine(lines_.size(), key + QLatin1Char('=') + encoded);
    }
}

void IniFile::setInteger(const QString& section, const QString& key, int value) {
    setText(section, key, QString::number(value));
}

void IniFile::setBool(const QString& section, const QString& key, bool value) {
    setInteger(section, key, value ? 1 : 0);
}

Result<> IniFile::save() const {
    if (!readable_) {
        return Failure{QStringLiteral("%1 is not a regular file that can be read").arg(path_)};
    }
    QByteArray bytes = bom_;
    for (const Line& line : lines_) {
        bytes += line.raw;
    }
    return files::ReplaceFile(path_, bytes);
}

} // namespace settings
