// The preview's RTF: fonts and sizes per run, and text that survives any content unchanged.
#include "clipboard_payload.h"
#include "copy_preview.h"
#include "rtf_writer.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

struct ParsedRun {
    QString family;
    int halfPoints = 0;
    QString text;
};

// What a reader makes of the RTF: the font table, the text runs with their face and size, the
// paragraph count. A minimal reader of the subset we write, strict about group balance.
struct Parsed {
    bool wellFormed = false;
    QStringList fonts;
    QList<ParsedRun> runs;
    int paragraphs = 1;

    QString Text() const {
        QString all;
        for (const ParsedRun& r : runs) {
            all += r.text;
        }
        return all;
    }
};

Parsed Parse(const QByteArray& rtf) {
    Parsed parsed;
    struct State {
        int font = 0;
        int halfPoints = 24;
        bool skip = false;
        bool fontTable = false;
    };
    QList<State> stack;
    State state;
    QString fontName;
    int closedTopLevel = 0;
    auto put = [&](QChar c) {
        if (state.skip) {
            return;
        }
        if (state.fontTable) {
            fontName += c;
            return;
        }
        const QString family = parsed.fonts.value(state.font);
        if (parsed.runs.isEmpty() || parsed.runs.back().family != family ||
            parsed.runs.back().halfPoints != state.halfPoints) {
            parsed.runs.append({family, state.halfPoints, {}});
        }
        parsed.runs.back().text += c;
    };
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (closedTopLevel > 0) {
            return parsed; // anything after the document's closing brace is an injection
        }
        if (c == '{') {
            stack.append(state);
        } else if (c == '}') {
            if (stack.isEmpty()) {
                return parsed;
            }
            if (state.fontTable && !fontName.isEmpty()) {
                parsed.fonts.append(fontName.chopped(fontName.endsWith(u';') ? 1 : 0));
                fontName.clear();
            }
            state = stack.takeLast();
            if (stack.isEmpty()) {
                ++closedTopLevel;
            }
        } else if (c == '\\') {
            const char n = i + 1 < rtf.size() ? rtf[i + 1] : 0;
            if (n == '\\' || n == '{' || n == '}') {
                put(QLatin1Char(n));
                ++i;
            } else if (n == '\'') {
                put(QChar(rtf.mid(i + 2, 2).toInt(nullptr, 16)));
                i += 3;
            } else if (n == '*') {
                state.skip = true;
                ++i;
            } else {
                qsizetype j = i + 1;
                while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) {
                    ++j;
                }
                const QByteArray word = rtf.mid(i + 1, j - i - 1);
                qsizetype k = j;
                if (k < rtf.size() && rtf[k] == '-') {
                    ++k;
                }
                while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k]))) {
                    ++k;
                }
                const int value = rtf.mid(j, k - j).toInt();
                if (k < rtf.size() && rtf[k] == ' ') {
                    ++k;
                }
                i = k - 1;
                if (word == "fonttbl") {
                    state.fontTable = true;
                } else if (word == "f" && !state.fontTable) {
                    state.font = value;
                } else if (word == "fs") {
                    state.halfPoints = value;
                } else if (word == "u") {
                    put(QChar(static_cast<char16_t>(static_cast<int16_t>(value))));
                    ++i; // the one fallback character
                } else if (word == "par") {
                    ++parsed.paragraphs;
                } else if (word == "line") {
                    put(QChar::LineSeparator);
                } else if (word == "tab") {
                    put(QLatin1Char('\t'));
                }
            }
        } else if (c != '\n' && c != '\r') {
            put(QLatin1Char(c));
        }
    }
    parsed.wellFormed = closedTopLevel == 1 && stack.isEmpty() && rtf.startsWith("{\\rtf1");
    return parsed;
}

QTextCharFormat Face(const QString& family, double points) {
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(points);
    return format;
}

// The preview after a Make at 24 points and a restyle to 48: the string restyled, the spaces not.
void FillPreview(QTextDocument& document) {
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("(ABC123W9)"), Face(QStringLiteral("Sample 93 d HR"), 48));
    cursor.insertText(QStringLiteral("  "), Face(QStringLiteral("Sample 93 d HR"), 24));
}

} // namespace

class TestRtfWriter : public QObject {
    Q_OBJECT
private slots:
    void runsKeepFaceAndSize();
    void fontTableNamesEachFamilyOnce();
    void hostileTextRoundTrips_data();
    void hostileTextRoundTrips();
    void hostileFontName();
    void selectionIsClipped();
    void paragraphsAndDefaults();
    void payloadFlavours();
    void copyPreviewSelectsAllAndCopies();
};

void TestRtfWriter::runsKeepFaceAndSize() {
    QTextDocument document;
    FillPreview(document);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("Error"), Face(QStringLiteral("Arial"), 12.5));

    const QByteArray rtf = clipboard::RtfFromDocument(document);
    QVERIFY(rtf.contains("{\\f0\\fs96 (ABC123W9)}{\\f0\\fs48   }{\\f1\\fs25 Error}"));
    const Parsed parsed = Parse(rtf);
    QVERIFY(parsed.wellFormed);
    QCOMPARE(parsed.runs.size(), 3);
    QCOMPARE(parsed.runs[0].family, QStringLiteral("Sample 93 d HR"));
    QCOMPARE(parsed.runs[0].halfPoints, 48 * 2);
    QCOMPARE(parsed.runs[0].text, QStringLiteral("(ABC123W9)"));
    QCOMPARE(parsed.runs[1].halfPoints, 24 * 2);
    QCOMPARE(parsed.runs[1].text, QStringLiteral("  "));
    QCOMPARE(parsed.runs[2].family, QStringLiteral("Arial"));
    QCOMPARE(parsed.runs[2].halfPoints, 25);
}

void TestRtfWriter::fontTableNamesEachFamilyOnce() {
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("a"), Face(QStringLiteral("Sample 93 a"), 10));
    cursor.insertText(QStringLiteral("b"), Face(QStringLiteral("Sample 93 f HR"), 10));
    cursor.insertText(QStringLiteral("c"), Face(QStringLiteral("Sample 93 a"), 20));
    const Parsed parsed = Parse(clipboard::RtfFromDocument(document));
    QVERIFY(parsed.wellFormed);
    QCOMPARE(parsed.fonts, QStringList({"Sample 93 a", "Sample 93 f HR"}));
    QCOMPARE(parsed.runs.size(), 3);
    QCOMPARE(parsed.runs[2].family, QStringLiteral("Sample 93 a"));
}

void TestRtfWriter::hostileTextRoundTrips_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("rtf injection") << QStringLiteral("}{\\rtf1 \\par}}}{\\f0\\fs2 x");
    QTest::newRow("lone backslash at end") << QStringLiteral("abc\\");
    QTest::newRow("unbalanced open") << QStringLiteral("{{{");
    QTest::newRow("hex and unicode words") << QStringLiteral("\\'41\\u65?");
    QTest::newRow("latin-1 markers") << QStringLiteral("AB\u00A9\u00AAI\u00FF");
    QTest::newRow("above 32767 as negative") << QStringLiteral("\u65E5\u672C\uFFFD");
    QTest::newRow("surrogate pair") << QStringLiteral("x\U0001F600y\U00010348");
    QTest::newRow("tab and line break") << QStringLiteral("a\tb\u2028c");
    QTest::newRow("barcode string") << QStringLiteral("(C?O?D?E~93<8)  ");
}

void TestRtfWriter::hostileTextRoundTrips() {
    QFETCH(QString, text);
    QTextDocument document;
    QTextCursor(&document).insertText(text, Face(QStringLiteral("Sample 93 d"), 24));

    const QByteArray rtf = clipboard::RtfFromDocument(document);
    for (const char c : rtf) {
        QVERIFY2(static_cast<unsigned char>(c) < 0x80, rtf.constData());
    }
    const Parsed parsed = Parse(rtf);
    QVERIFY2(parsed.wellFormed, rtf.constData());
    QCOMPARE(parsed.paragraphs, 1);
    QCOMPARE(parsed.Text(), text);
    QCOMPARE(parsed.fonts, QStringList{"Sample 93 d"});
}

void TestRtfWriter::hostileFontName() {
    QTextDocument document;
    const QString family = QStringLiteral("Evil;}{\\rtf1 F\u00F6nt");
    QTextCursor(&document).insertText(QStringLiteral("x"), Face(family, 24));
    const Parsed parsed = Parse(clipboard::RtfFromDocument(document));
    QVERIFY(parsed.wellFormed);
    QCOMPARE(parsed.fonts, QStringList{family});
    QCOMPARE(parsed.Text(), QStringLiteral("x"));
}

void TestRtfWriter::selectionIsClipped() {
    QTextDocument document;
    FillPreview(document);
    QTextCursor cursor(&document);
    cursor.setPosition(7);
    cursor.setPosition(11, QTextCursor::KeepAnchor);
    const Parsed parsed = Parse(clipboard::RtfFromSelection(cursor));
    QVERIFY(parsed.wellFormed);
    QCOMPARE(parsed.runs.size(), 2);
    QCOMPARE(parsed.runs[0].text, QStringLiteral("W9)"));
    QCOMPARE(parsed.runs[1].text, QStringLiteral(" "));

    cursor.clearSelection();
    const Parsed empty = Parse(clipboard::RtfFromSelection(cursor));
    QVERIFY(empty.wellFormed);
    QVERIFY(empty.Text().isEmpty());
}

void TestRtfWriter::paragraphsAndDefaults() {
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Courier New"), 11));
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("first"));
    cursor.insertBlock();
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("third"), Face(QStringLiteral("Sample 93 b"), 36));
    const Parsed parsed = Parse(clipboard::RtfFromDocument(document));
    QVERIFY(parsed.wellFormed);
    QCOMPARE(parsed.paragraphs, 3);
    QCOMPARE(parsed.runs.front().family, QStringLiteral("Courier New"));
    QCOMPARE(parsed.runs.front().halfPoints, 22);
    QCOMPARE(parsed.runs.back().text, QStringLiteral("third"));
    QCOMPARE(parsed.runs.back().halfPoints, 72);
}

void TestRtfWriter::payloadFlavours() {
    QTextDocument document;
    FillPreview(document);
    QTextCursor all(&document);
    all.select(QTextCursor::Document);
    const std::unique_ptr<QMimeData> payload = clipboard::ClipboardPayload(all);

    QStringList formats = payload->formats();
    formats.sort();
    QCOMPARE(formats, QStringList({"application/rtf", "text/html", "text/plain", "text/richtext",
                                   "text/rtf"}));
    QVERIFY(!payload->hasImage());
    const QByteArray rtf = clipboard::RtfFromDocument(document);
    for (const QString& type : clipboard::RtfMimeTypes()) {
        QCOMPARE(payload->data(type), rtf);
    }
    QCOMPARE(payload->text(), QStringLiteral("(ABC123W9)  "));
    QVERIFY(payload->html().contains(QStringLiteral("Sample 93 d HR")));
    QVERIFY(payload->html().contains(QStringLiteral("48pt")));
}

void TestRtfWriter::copyPreviewSelectsAllAndCopies() {
    QTextEdit preview;
    FillPreview(*preview.document());
    QTextCursor caret = preview.textCursor();
    caret.setPosition(3);
    preview.setTextCursor(caret);

    QClipboard& clipboard = *QApplication::clipboard();
    clipboard.clear();
    clipboard::CopyPreviewToClipboard(preview, clipboard);

    QCOMPARE(preview.textCursor().selectedText(), QStringLiteral("(ABC123W9)  "));
    const QMimeData* pasted = clipboard.mimeData();
    QVERIFY(pasted != nullptr);
    QCOMPARE(pasted->text(), QStringLiteral("(ABC123W9)  "));
    QCOMPARE(pasted->data(QStringLiteral("text/rtf")),
             clipboard::RtfFromDocument(*preview.document()));
}

QTEST_MAIN(TestRtfWriter)
#include "test_rtf_writer.moc"
