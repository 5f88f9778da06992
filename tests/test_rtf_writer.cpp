// The preview's RTF: fonts and sizes per run, and text that survives any content unchanged.
#include "clipboard/clipboard_payload.h"
#include "clipboard/copy_preview.h"
#include "clipboard/rtf_writer.h"
#include "tests/copied_rtf.h"
#include "tests/rtf_reader.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

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
    void fontNames_data();
    void fontNames();
    void selectionIsClipped();
    void paragraphsAndDefaults();
    void payloadFlavours();
    void copyPreviewCopiesAllAndKeepsTheCaret();
};

void TestRtfWriter::runsKeepFaceAndSize() {
    QTextDocument document;
    FillPreview(document);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("Error"), Face(QStringLiteral("Arial"), 12.5));

    const QByteArray rtf = CopiedRtf(document);
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
    const Parsed parsed = Parse(CopiedRtf(document));
    QVERIFY(parsed.wellFormed);
    QCOMPARE(parsed.fonts, QStringList({"Sample 93 a", "Sample 93 f HR"}));
    QCOMPARE(parsed.runs.size(), 3);
    QCOMPARE(parsed.runs[2].family, QStringLiteral("Sample 93 a"));
}

void TestRtfWriter::hostileTextRoundTrips_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const std::pair<const char*, QString> unchanged[] = {
        {"rtf injection", QStringLiteral("}{\\rtf1 \\par}}}{\\f0\\fs2 x")},
        {"lone backslash at end", QStringLiteral("abc\\")},
        {"unbalanced open", QStringLiteral("{{{")},
        {"hex and unicode words", QStringLiteral("\\'41\\u65?")},
        {"latin-1 markers", QStringLiteral("AB\u00A9\u00AAI\u00FF")},
        {"above 32767 as negative", QStringLiteral("\u65E5\u672C\uFFFD")},
        {"surrogate pair", QStringLiteral("x\U0001F600y\U00010348")},
        {"tab and line break", QStringLiteral("a\tb\u2028c")},
        {"barcode string", QStringLiteral("(C?O?D?E~93<8)  ")},
    };
    for (const auto& [name, text] : unchanged) {
        QTest::newRow(name) << text << text;
    }
    // Half a pair would make readers drop the next character.
    const QChar high(0xD800), low(0xDC00), replaced(QChar::ReplacementCharacter);
    QTest::newRow("lone halves") << QString(u'a') + high + u'b' + low + u'c' + high
                                 << QString(u'a') + replaced + u'b' + replaced + u'c' + replaced;
}

void TestRtfWriter::hostileTextRoundTrips() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QTextDocument document;
    QTextCursor(&document).insertText(text, Face(QStringLiteral("Sample 93 d"), 24));

    const QByteArray rtf = CopiedRtf(document);
    for (const char c : rtf) {
        QVERIFY2(static_cast<unsigned char>(c) < 0x80, rtf.constData());
    }
    const Parsed parsed = Parse(rtf);
    QVERIFY2(parsed.wellFormed, rtf.constData());
    QCOMPARE(parsed.paragraphs, 1);
    QCOMPARE(parsed.Text(), expected);
    QCOMPARE(parsed.fonts, QStringList{"Sample 93 d"});
}

void TestRtfWriter::fontNames_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("carried");
    QTest::newRow("barcode face") << QStringLiteral("Sample 93 f HR") << true;
    QTest::newRow("non-ascii") << QStringLiteral("F\u00F6nt \u65E5\U0001F600") << true;
    QTest::newRow("semicolon") << QStringLiteral("Evil;}{\\rtf1 Font") << false;
    QTest::newRow("brace") << QStringLiteral("A{b") << false;
    QTest::newRow("backslash") << QStringLiteral("A\\b") << false;
    QTest::newRow("control character") << QStringLiteral("A\tb") << false;
    QTest::newRow("lone surrogate") << QStringLiteral("A") + QChar(0xD800) << false;
}

// A name the font table cannot carry gives no RTF at all, and the clipboard keeps the HTML.
void TestRtfWriter::fontNames() {
    QFETCH(QString, family);
    QFETCH(bool, carried);
    QTextDocument document;
    QTextCursor(&document).insertText(QStringLiteral("x"), Face(family, 24));
    QCOMPARE(clipboard::CanNameFontInRtf(family), carried);
    const QByteArray rtf = CopiedRtf(document);
    QTextCursor all(&document);
    all.select(QTextCursor::Document);
    const std::unique_ptr<QMimeData> payload = clipboard::ClipboardPayload(all);
    QCOMPARE(payload->hasFormat(QStringLiteral("text/rtf")), carried);
    QVERIFY(payload->html().contains(QStringLiteral("x")));
    if (!carried) {
        QVERIFY(rtf.isEmpty());
        return;
    }
    const Parsed parsed = Parse(rtf);
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
    const Parsed parsed = Parse(CopiedRtf(document));
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
    const QByteArray rtf = CopiedRtf(document);
    for (const QString& type : clipboard::RtfMimeTypes()) {
        QCOMPARE(payload->data(type), rtf);
    }
    QCOMPARE(payload->text(), QStringLiteral("(ABC123W9)  "));
    QVERIFY(payload->html().contains(QStringLiteral("Sample 93 d HR")));
    QVERIFY(payload->html().contains(QStringLiteral("48pt")));
}

void TestRtfWriter::copyPreviewCopiesAllAndKeepsTheCaret() {
    QTextEdit preview;
    FillPreview(*preview.document());
    QTextCursor caret = preview.textCursor();
    caret.setPosition(3);
    preview.setTextCursor(caret);

    QClipboard& clipboard = *QApplication::clipboard();
    clipboard.clear();
    clipboard::CopyPreviewToClipboard(preview, clipboard);

    // No selection colours over the bars afterwards.
    QVERIFY(!preview.textCursor().hasSelection());
    QCOMPARE(preview.textCursor().position(), 3);
    const QMimeData* pasted = clipboard.mimeData();
    QVERIFY(pasted != nullptr);
    QCOMPARE(pasted->text(), QStringLiteral("(ABC123W9)  "));
    QCOMPARE(pasted->data(QStringLiteral("text/rtf")), CopiedRtf(*preview.document()));
}

QTEST_MAIN(TestRtfWriter)
#include "test_rtf_writer.moc"
