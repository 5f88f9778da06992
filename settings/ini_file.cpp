#include "settings/ini_file.h"

#include "files/regular_file.h"

#include <QStringDecoder>
#include <algorithm>
#include <optional>

namespace settings {
namespace {

constexpr char Utf8Bom[] = "\xEF\xBB\xBF";

// Line by line, so that one stray Latin-1 byte cannot turn the UTF-8 of every other line into
// pairs of Latin-1 characters. The file's own byte-order mark is gone by now: a U+FEFF that
// starts a line is a character of its name.
QString DecodeLine(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        return QString::fromLatin1(bytes);
    }
    return text;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArrayView Trimmed(QByteArrayView bytes) {
    while (!bytes.isEmpty() && IsBlank(bytes.front())) {
        bytes = bytes.sliced(1);
    }
    while (!bytes.isEmpty() && IsBlank(bytes.back())) {
        bytes.chop(1);
    }
    return bytes;
}

// One line of the file: its bytes without the line end, and where the next line starts.
struct LineAt {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

LineAt LineFrom(QByteArrayView bytes, qsizetype start) {
    const qsizetype newline = bytes.indexOf('\n', start);
    LineAt line{start, newline < 0 ? bytes.size() : newline,
                newline < 0 ? bytes.size() : newline + 1};
    if (newline >= 0 && line.end > start && bytes[line.end - 1] == '\r') {
        --line.end;
    }
    return line;
}

// The name of a section header line, or nothing for other lines.
std::optional<QByteArrayView> SectionName(QByteArrayView line) {
    const QByteArrayView trimmed = Trimmed(line);
    if (!trimmed.startsWith('[')) {
        return std::nullopt;
    }
    const qsizetype close = trimmed.indexOf(']');
    if (close < 0) {
        return std::nullopt;
    }
    return Trimmed(trimmed.sliced(1, close - 1));
}

// The name of a key line ("Key=Value", first character neither ';' nor '#' nor '['), empty for
// other lines.
QByteArrayView KeyName(QByteArrayView line) {
    const QByteArrayView trimmed = Trimmed(line);
    if (trimmed.isEmpty() || trimmed.front() == ';' || trimmed.front() == '#' ||
        SectionName(line)) {
        return {};
    }
    const qsizetype equals = line.indexOf('=');
    return equals < 0 ? QByteArrayView() : Trimmed(line.first(equals));
}

// Whether a line's names are plain ASCII: every byte before its first '=' or ']' is. (A value
// does not matter: ASCII reads the same in UTF-8 and Latin-1.)
bool NamesAreAscii(QByteArrayView line) {
    for (const char c : line) {
        if (c == '=' || c == ']') {
            return true;
        }
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// What a line is: a section header or a key line, with its name. A line with plain ASCII names,
// nearly every line of a settings file, is read as bytes; any other is decoded first, so that
// Unicode blanks (U+00A0, U+0085) count as blanks there as everywhere.
struct LineNames {
    bool header = false;
    bool key = false;
    QByteArrayView ascii; // the name of an ASCII line
    QString decoded;      // the name of any other
};

LineNames NamesOf(QByteArrayView text) {
    LineNames names;
    if (NamesAreAscii(text)) {
        if (const std::optional<QByteArrayView> section = SectionName(text)) {
            names.header = true;
            names.ascii = *section;
        } else {
            names.ascii = KeyName(text);
            names.key = !names.ascii.isEmpty();
        }
        return names;
    }
    const QString line = DecodeLine(text);
    const QString trimmed = line.trimmed();
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    names.header = trimmed.startsWith(QLatin1Char('[')) && close >= 0;
    if (names.header) {
        names.decoded = trimmed.mid(1, close - 1).trimmed();
    } else if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char(';')) &&
               !trimmed.startsWith(QLatin1Char('#'))) {
        names.decoded = line.left(std::max<qsizetype>(line.indexOf(QLatin1Char('=')), 0)).trimmed();
        names.key = !names.decoded.isEmpty();
    }
    return names;
}

// Calls visit(line, names) for every line; stops when visit returns false.
template <typename Visit> void ForEachLine(QByteArrayView bytes, Visit visit) {
    for (qsizetype at = 0; at < bytes.size();) {
        const LineAt line = LineFrom(bytes, at);
        at = line.next;
        if (!visit(line, NamesOf(bytes.sliced(line.start, line.end - line.start)))) {
            return;
        }
    }
}

// A name as the file has it against a wanted one, without regard to letter case; ASCII names,
// all the program asks for, are compared as bytes.
class WantedName {
public:
    explicit WantedName(const QString& name) : name_(name), ascii_(name.toLatin1()) {
        isAscii_ =
            std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; });
    }

    bool matches(const LineNames& names) const {
        if (!names.decoded.isEmpty()) {
            return names.decoded.compare(name_, Qt::CaseInsensitive) == 0;
        }
        const QByteArrayView raw = names.ascii;
        if (isAscii_) {
            return raw.size() == ascii_.size() &&
                   qstrnicmp(raw.data(), ascii_.constData(), size_t(raw.size())) == 0;
        }
        return QString::fromLatin1(raw).compare(name_, Qt::CaseInsensitive) == 0;
    }

private:
    QString name_;
    QByteArray ascii_;
    bool isAscii_ = true;
};

bool IsQuoted(const QString& text) {
    return text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'));
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
    std::optional<LineAt> keyLine; // the line holding the key
    qsizetype insertAt = -1;       // after the last header or key line of the section's first
                                   // occurrence
    bool sectionSeen = false;
};

// Stops at the key: where a new one would go matters only when there is none.
Location Find(QByteArrayView bytes, const QString& section, const QString& key) {
    const WantedName wantedSection(section);
    const WantedName wantedKey(key);
    Location location;
    bool inSection = false;
    bool inFirstOccurrence = false;
    ForEachLine(bytes, [&](const LineAt& line, const LineNames& names) {
        if (names.header) {
            inSection = wantedSection.matches(names);
            inFirstOccurrence = inSection && !location.sectionSeen;
            if (inFirstOccurrence) {
                location.sectionSeen = true;
                location.insertAt = line.next;
            }
            return true;
        }
        if (!inSection || !names.key) {
            return true;
        }
        if (inFirstOccurrence) {
            location.insertAt = line.next;
        }
        if (wantedKey.matches(names)) {
            location.keyLine = line;
            return false;
        }
        return true;
    });
    return location;
}

// Decodes only the value, and trims and unquotes it in place: a value may be megabytes long.
std::optional<QString> ReadRaw(QByteArrayView bytes, const QString& section, const QString& key) {
    const Location location = Find(bytes, section, key);
    if (!location.keyLine) {
        return std::nullopt;
    }
    const LineAt& at = *location.keyLine;
    const QByteArrayView line = bytes.sliced(at.start, at.end - at.start);
    const QByteArrayView raw = line.sliced(line.indexOf('=') + 1);
    // As the whole line decodes: a U+FEFF after the '=' is a character, not a byte-order mark.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString value = line.isValidUtf8() ? QString(utf8(raw)) : QString::fromLatin1(raw);
    value = std::move(value).trimmed();
    if (IsQuoted(value)) {
        value.chop(1);
        value.remove(0, 1);
    }
    return value;
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
    Result<std::optional<QByteArray>> contents = files::ReadRegularFile(path_, LargestFile);
    // Something there that cannot be read must not be replaced by what little is known of it.
    readFailure_ = contents.error();
    if (contents && *contents) {
        bytes_ = std::move(**contents);
    }
    if (bytes_.startsWith(Utf8Bom)) {
        bom_ = Utf8Bom;
        bytes_.remove(0, bom_.size());
    }
    const qsizetype newline = bytes_.indexOf('\n');
    if (newline > 0 && bytes_[newline - 1] == '\r') {
        lineEnding_ = "\r\n";
    }
}

bool IniFile::sectionExists(const QString& section) const {
    const WantedName wanted(section);
    bool inSection = false;
    bool found = false;
    ForEachLine(bytes_, [&](const LineAt&, const LineNames& names) {
        if (names.header) {
            inSection = wanted.matches(names);
        } else if (inSection && names.key) {
            found = true;
        }
        return !found;
    });
    return found;
}

QString IniFile::readText(const QString& section, const QString& key,
                          const QString& defaultValue) const {
    return ReadRaw(bytes_, section, key).value_or(defaultValue);
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const {
    const std::optional<QString> raw = ReadRaw(bytes_, section, key);
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
void IniFile::insertLine(qsizetype at, const QString& text) {
    QByteArray line = text.toUtf8() + lineEnding_;
    if (at > 0 && bytes_[at - 1] != '\n') {
        line.prepend(lineEnding_);
    }
    bytes_.insert(at, line);
}

void IniFile::setText(const QString& section, const QString& key, const QString& value) {
    const Location location = Find(bytes_, section, key);
    const QString encoded = EncodeValue(value);
    if (location.keyLine) {
        // A rewritten line keeps its own line end.
        const LineAt& at = *location.keyLine;
        const QByteArrayView line = QByteArrayView(bytes_).sliced(at.start, at.end - at.start);
        const QByteArrayView name = line.first(line.indexOf('=') + 1);
        QByteArray rewritten =
            line.isValidUtf8() ? name.toByteArray() : QString::fromLatin1(name).toUtf8();
        rewritten += encoded.toUtf8();
        bytes_.replace(at.start, at.end - at.start, rewritten);
    } else if (location.sectionSeen) {
        insertLine(location.insertAt, key + QLatin1Char('=') + encoded);
    } else {
        insertLine(bytes_.size(), QLatin1Char('[') + section + QLatin1Char(']'));
        insertLine(bytes_.size(), key + QLatin1Char('=') + encoded);
    }
}

void IniFile::setInteger(const QString& section, const QString& key, int value) {
    setText(section, key, QString::number(value));
}

void IniFile::setBool(const QString& section, const QString& key, bool value) {
    setInteger(section, key, value ? 1 : 0);
}

Result<> IniFile::save() const {
    if (!readFailure_.isEmpty()) {
        return Failure{QStringLiteral("%1 cannot be read: %2").arg(path_, readFailure_)};
    }
    // Without a byte-order mark the bytes go as they are, not copied.
    return files::ReplaceFile(path_, bom_.isEmpty() ? bytes_ : bom_ + bytes_);
}

} // namespace settings
