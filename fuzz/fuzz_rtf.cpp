// The clipboard's RTF on any runs of text, face and size: balanced, 7-bit, and read back by the
// tests' RTF reader with every character in its face and size.
#include "clipboard/rtf_writer.h"
#include "fuzz/fuzz_check.h"
#include "tests/copied_rtf.h"
#include "tests/rtf_reader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

const QStringList& Families() {
    static const QStringList families = {
        QStringLiteral("Sample 93 a"),
        QStringLiteral("Sample 93 d HR"),
        QStringLiteral("Sample 93 f HR"),
        QStringLiteral("Arial"),
        QStringLiteral("F\u00F6nt \u65E5"),
        QStringLiteral("Evil;Font"),
        QStringLiteral("A{b}"),
        QStringLiteral("A\\b"),
        QStringLiteral("Tab\tFont"),
    };
    return families;
}

struct Styled {
    QChar c;
    QString family;
    int halfPoints;
};

bool IsHigh(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLow(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// What a reader must find for one fragment: control characters and Qt's object and frame
// markers dropped, halves of surrogate pairs replaced by U+FFFD.
void AppendExpected(QList<Styled>& out, const QString& text, const QString& family,
                    int halfPoints) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool dropped =
            (c < 0x20 && c != u'\t') || c == 0x7F || c == 0xFFFC || c == 0xFDD0 || c == 0xFDD1;
        if (dropped) {
            continue;
        }
        if (IsHigh(c) && i + 1 < text.size() && IsLow(text[i + 1].unicode())) {
            out.append({text[i], family, halfPoints});
            out.append({text[++i], family, halfPoints});
        } else if (IsHigh(c) || IsLow(c)) {
            out.append({QChar(QChar::ReplacementCharacter), family, halfPoints});
        } else {
            out.append({text[i], family, halfPoints});
        }
    }
}

QString FamilyOf(const QTextCharFormat& format, const QTextDocument& document) {
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? document.defaultFont().family() : families.front();
}

// The faces the text is set in; an empty paragraph is in its own format's face.
QStringList FamiliesIn(const QTextDocument& document) {
    QStringList families;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.begin().atEnd()) {
            families.append(FamilyOf(block.charFormat(), document));
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            families.append(FamilyOf(it.fragment().charFormat(), document));
        }
    }
    return families;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    StartGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    QTextDocument document;
    QTextCursor cursor(&document);
    while (input.remaining_bytes() > 0) {
        const QString& family =
            Families()[input.ConsumeIntegralInRange<qsizetype>(0, Families().size() - 1)];
        QTextCharFormat format;
        format.setFontFamilies({family});
        format.setFontPointSize(input.ConsumeIntegralInRange(1, 16383));
        const std::string bytes = input.ConsumeRandomLengthString(64);
        QString text;
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
            text += QChar(char16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
        }
        if (input.ConsumeBool()) {
            cursor.insertBlock();
        }
        cursor.insertText(text, format);
    }

    const QByteArray rtf = CopiedRtf(document);
    const QStringList families = FamiliesIn(document);
    if (!std::all_of(families.begin(), families.end(), clipboard::CanNameFontInRtf)) {
        FUZZ_CHECK(rtf.isEmpty());
        return 0;
    }
    for (const char c : rtf) {
        FUZZ_CHECK(static_cast<unsigned char>(c) < 0x80);
    }
    const Parsed parsed = Parse(rtf);
    FUZZ_CHECK(parsed.wellFormed);
    FUZZ_CHECK(parsed.paragraphs == document.blockCount());

    QList<Styled> expected;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            AppendExpected(expected, fragment.text(), FamilyOf(format, document),
                           int(format.fontPointSize() * 2));
        }
    }
    QList<Styled> found;
    for (const ParsedRun& run : parsed.runs) {
        for (const QChar c : run.text) {
            found.append({c, run.family, run.halfPoints});
        }
    }
    FUZZ_CHECK(found.size() == expected.size());
    for (qsizetype i = 0; i < found.size(); ++i) {
        FUZZ_CHECK(found[i].c == expected[i].c);
        FUZZ_CHECK(found[i].family == expected[i].family);
        FUZZ_CHECK(found[i].halfPoints == expected[i].halfPoints);
    }
    return 0;
}
