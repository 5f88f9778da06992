// The settings file on any bytes: every key reads, and a write changes nothing but its own line
// (or adds it), with the written value read back unchanged.
#include "fuzz/fuzz_check.h"
#include "settings/ini_file.h"

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QList>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <cstdint>

namespace {

// In memory where the system offers it: every write syncs the file, which a disk makes slow.
QString SettingsPath() {
    static QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
                                    ? QStringLiteral("/dev/shm/stria-fuzz-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/stria-fuzz-XXXXXX"));
    FUZZ_CHECK(folder.isValid());
    return folder.filePath(QStringLiteral("striatips.ini"));
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// The lines as stored, each with its line end.
QByteArrayList RawLines(const QByteArray& bytes) {
    QByteArrayList lines;
    for (qsizetype start = 0; start < bytes.size();) {
        const qsizetype newline = bytes.indexOf('\n', start);
        const qsizetype end = newline < 0 ? bytes.size() : newline + 1;
        lines.append(bytes.mid(start, end - start));
        start = end;
    }
    return lines;
}

QByteArray LineEnd(const QByteArray& raw) {
    return raw.endsWith("\r\n") ? "\r\n" : raw.endsWith('\n') ? "\n" : "";
}

// As the dialect reads a line: UTF-8, or Latin-1 when the line is not valid UTF-8. Only the
// file's first bytes can be its byte-order mark; a U+FEFF starting a later line is a character.
QString DecodeLine(const QByteArray& raw) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString text = utf8(raw);
    return utf8.hasError() ? QString::fromLatin1(raw) : text;
}

struct Name {
    QString section;
    QString key;
};

// Section and key names as a reader of the dialect sees them, for the target to read and write.
QList<Name> NamesIn(const QByteArray& bytes) {
    QList<Name> names;
    QString section;
    const QByteArray lines = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    for (const QByteArray& raw : RawLines(lines)) {
        const QString line = DecodeLine(raw).trimmed();
        if (line.startsWith(u'[') && line.contains(u']')) {
            section = line.mid(1, line.indexOf(u']') - 1).trimmed();
        } else if (const qsizetype equals = line.indexOf(u'=');
                   equals > 0 && !line.startsWith(u';') && !line.startsWith(u'#')) {
            names.append({section, line.left(equals).trimmed()});
        }
    }
    return names;
}

bool Writable(const Name& name) {
    const auto plain = [](const QString& text) {
        return !text.isEmpty() && text == text.trimmed() && !text.contains(u'\r') &&
               !text.contains(u'\n') && !text.contains(u'=') && !text.contains(u']') &&
               !text.startsWith(u'[') && !text.startsWith(u';') && !text.startsWith(u'#') &&
               !text.contains(QChar::ReplacementCharacter);
    };
    return plain(name.section) && plain(name.key);
}

// Writes the value and checks what came of it against the file as it was.
void CheckWrite(const QString& path, const Name& name, const QString& value) {
    const QByteArray before = ReadBytes(path);
    settings::IniFile file(path);
    file.setText(name.section, name.key, value);
    FUZZ_CHECK(file.save().ok());
    QString stored = value;
    stored.replace(u'\r', u' ').replace(u'\n', u' ');
    FUZZ_CHECK(file.readText(name.section, name.key, QString()) == stored);
    FUZZ_CHECK(file.sectionExists(name.section));

    // A byte-order mark stays, and is no line.
    constexpr char bom[] = "\xEF\xBB\xBF";
    const QByteArray after = ReadBytes(path);
    FUZZ_CHECK(before.startsWith(bom) == after.startsWith(bom));
    const qsizetype bomSize = before.startsWith(bom) ? 3 : 0;

    // Apart from common leading and trailing lines, at most one old line may differ: the
    // rewritten key, which keeps its line end, or a last line that gained its missing line end
    // before an added line.
    const QByteArrayList old = RawLines(before.mid(bomSize));
    const QByteArrayList now = RawLines(after.mid(bomSize));
    qsizetype head = 0;
    while (head < old.size() && head < now.size() && old[head] == now[head]) {
        ++head;
    }
    qsizetype tail = 0;
    while (tail < old.size() - head && tail < now.size() - head &&
           old[old.size() - 1 - tail] == now[now.size() - 1 - tail]) {
        ++tail;
    }
    const QByteArrayList oldMiddle = old.mid(head, old.size() - head - tail);
    const QByteArrayList newMiddle = now.mid(head, now.size() - head - tail);
    FUZZ_CHECK(oldMiddle.size() <= 1 && newMiddle.size() <= 3);
    if (oldMiddle.size() == 1 && newMiddle.size() == 1) {
        FUZZ_CHECK(LineEnd(newMiddle[0]) == LineEnd(oldMiddle[0])); // the key's own line
    } else if (oldMiddle.size() == 1) {
        const QByteArray& was = oldMiddle[0];
        FUZZ_CHECK(LineEnd(was).isEmpty() &&
                   (newMiddle[0] == was + "\n" || newMiddle[0] == was + "\r\n"));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = SettingsPath();
    WriteBytes(path, bytes);

    settings::IniFile file(path);
    const QList<Name> names = NamesIn(bytes);
    for (const Name& name : names) {
        file.readText(name.section, name.key, QString());
        file.readInteger(name.section, name.key, 0);
        FUZZ_CHECK(file.sectionExists(name.section) || name.key.isEmpty() ||
                   name.section.isEmpty() || !Writable(name));
    }

    // The value: the input's first line as text, blanks, quotes, markers and all.
    const QString value = QString::fromUtf8(bytes.left(bytes.indexOf('\n')).left(200));
    QList<Name> writes{{QStringLiteral("Settings"), QStringLiteral("Data")},
                       {QStringLiteral("Fuzz New"), QStringLiteral("Key")}};
    for (const Name& name : names) {
        if (Writable(name)) {
            writes.append(name);
            writes.append({name.section, name.key + QStringLiteral(" added")});
            break;
        }
    }
    for (const Name& name : writes) {
        CheckWrite(path, name, value);
    }
    return 0;
}
