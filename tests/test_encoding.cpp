#include "encoding/barcode_builder.h"
#include "encoding/code93.h"
#include "encoding/code93_reading.h"
#include "encoding/code93_tables.h"
#include "encoding/utf8.h"
#include "tests/reference_encoder.h"

#include <QRandomGenerator>
#include <QTest>

using namespace code93;

Q_DECLARE_METATYPE(std::u16string)

namespace {

QString Q(std::u16string_view s) {
    return QString::fromUtf16(s.data(), qsizetype(s.size()));
}
std::u16string U(const QString& s) {
    return s.toStdU16String();
}

} // namespace

class TestEncoding : public QObject {
    Q_OBJECT
private slots:
    void charClass_data();
    void charClass();
    void fullAsciiText_data();
    void fullAsciiText();
    void symbolValueAndChar();
    void faceName_data();
    void faceName();
    void build_data();
    void build();
    void sumsText();
    void expandedLengthDrivesWeights();
    void refusal_data();
    void refusal();
    void agreesWithReferenceEncoder();
    void readsBackWhatItBuilds_data();
    void readsBackWhatItBuilds();
    void utf8Decoding_data();
    void utf8Decoding();
    void utf8RoundTrip();
};

void TestEncoding::charClass_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("expected");
    const int D = int(CharacterClass::Direct), E = int(CharacterClass::Expanded),
              I = int(CharacterClass::Illegal);
    QTest::newRow("controls") << 0 << 31 << I;
    QTest::newRow("space") << 32 << 32 << D;
    QTest::newRow("! to #") << 33 << 35 << E;
    QTest::newRow("$ %") << 36 << 37 << D;
    QTest::newRow("& to *") << 38 << 42 << E;
    QTest::newRow("+") << 43 << 43 << D;
    QTest::newRow(",") << 44 << 44 << E;
    QTest::newRow("- . / digits") << 45 << 57 << D;
    QTest::newRow(": to @") << 58 << 64 << E;
    QTest::newRow("A to Z") << 65 << 90 << D;
    QTest::newRow("[ to ~") << 91 << 126 << E;
    QTest::newRow("DEL and 128 to 168") << 127 << 168 << I;
    QTest::newRow("markers and dropped") << 169 << 172 << E;
    QTest::newRow("173 to 255, e acute among them") << 173 << 255 << I;
    QTest::newRow("above 255") << 256 << 0xFFFF << I;
}

void TestEncoding::charClass() {
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, expected);
    for (int c = first; c <= last; ++c) {
        QCOMPARE(int(CharClass(char16_t(c))), expected);
    }
}

void TestEncoding::fullAsciiText_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("a") << int('a') << "?A";
    QTest::newRow("z") << int('z') << "?Z";
    QTest::newRow("typed tilde") << int('~') << "=S";
    QTest::newRow("typed <") << int('<') << "=G";
    QTest::newRow("typed ?") << int('?') << "=J";
    QTest::newRow("!") << int('!') << ">A";
    QTest::newRow(":") << int(':') << ">Z";
    QTest::newRow("@") << int('@') << "=V";
    QTest::newRow("backquote") << int('`') << "=W";
    QTest::newRow("(%) marker") << 169 << "=";
    QTest::newRow("($) marker") << 170 << "<";
    QTest::newRow("171 dropped") << 171 << "";
    QTest::newRow("172 dropped") << 172 << "";
}

void TestEncoding::fullAsciiText() {
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(Q(tables::ExpansionOf(char16_t(code))), text);
}

void TestEncoding::symbolValueAndChar() {
    for (int v = 0; v < 47; ++v) {
        const char16_t c = SymbolChar(v);
        if (c == u'~') {
            QCOMPARE(tables::ValueOf(u' '), 38); // valued before it becomes "~"
        } else {
            QCOMPARE(tables::ValueOf(c), v);
        }
    }
    QCOMPARE(SymbolChar(38), u'~');
    QCOMPARE(SymbolChar(43), u'<');
    QCOMPARE(SymbolChar(46), u'?');
    QCOMPARE(tables::ValueOf(u'~'), 0);
    QCOMPARE(tables::ValueOf(u'a'), 0);
    QCOMPARE(SymbolChar(-1), u' ');
    QCOMPARE(SymbolChar(47), u' ');
}

void TestEncoding::faceName_data() {
    QTest::addColumn<bool>("standard");
    QTest::addColumn<QChar>("letter");
    QTest::addColumn<QString>("name");
    QTest::newRow("standard a") << true << QChar('a') << "Sample 93 a";
    QTest::newRow("standard f") << true << QChar('f') << "Sample 93 f";
    QTest::newRow("hr d") << false << QChar('d') << "Sample 93 d HR";
    QTest::newRow("hr f") << false << QChar('f') << "Sample 93 f HR";
}

void TestEncoding::faceName() {
    QFETCH(bool, standard);
    QFETCH(QChar, letter);
    QFETCH(QString, name);
    QCOMPARE(Q(FaceName(standard ? Style::Standard : Style::HumanReadable, letter.unicode())),
             name);
}

void TestEncoding::build_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("expanded");
    QTest::addColumn<qlonglong>("cSum");
    QTest::addColumn<qlonglong>("kSum");
    QTest::addColumn<int>("cCheck");
    QTest::addColumn<int>("kCheck");
    QTest::addColumn<QString>("barcode");
    QTest::newRow("ABC123") << "ABC123"
                            << "ABC123" << 173LL << 244LL << 32 << 9 << "(ABC123W9)";
    QTest::newRow("Code 93, check 43")
        << "Code 93"
        << "C?O?D?E~93" << 1547LL << 1841LL << 43 << 8 << "(C?O?D?E~93<8)";
    QTest::newRow("TEST 1") << "TEST 1"
                            << "TEST~1" << 520LL << 662LL << 3 << 4 << "(TEST~134)";
    QTest::newRow("F8, check 38") << "F8"
                                  << "F8" << 38LL << 99LL << 38 << 5 << "(F8~5)";
    QTest::newRow("weights restart at 20 and 15")
        << "ABCDEFGHIJKLMNOPQRSTU"
        << "ABCDEFGHIJKLMNOPQRSTU" << 3650LL << 2936LL << 31 << 22 << "(ABCDEFGHIJKLMNOPQRSTUVM)";
    QTest::newRow("two spaces") << "  "
                                << "~~" << 114LL << 210LL << 20 << 22 << "(~~KM)";
    QTest::newRow("only dropped codes")
        << QString(QChar(171)) + QChar(172) + QChar(171) << "" << 0LL << 0LL << 0 << 0 << "(00)";
    QTest::newRow("tab pair") << QString("AB") + QChar(170) + "I"
                              << "AB<I" << 177LL << 295LL << 36 << 13 << "(AB<I-D)";
    QTest::newRow("CR LF pairs") << QString("ABC123") + QChar(170) + "M" + QChar(170) + "J"
                                 << "ABC123<M<J" << -1LL << -1LL << -1 << -1 << "(ABC123<M<JE6)";
    QTest::newRow("(%) marker then digit") << QString(QChar(169)) + "5"
                                           << "=5" << -1LL << -1LL << -1 << -1 << "";
    QTest::newRow("lower-case after marker") << QString(QChar(170)) + "o"
                                             << "<?O" << -1LL << -1LL << -1 << -1 << "";
}

void TestEncoding::build() {
    QFETCH(QString, data);
    QFETCH(QString, expanded);
    QFETCH(qlonglong, cSum);
    QFETCH(qlonglong, kSum);
    QFETCH(int, cCheck);
    QFETCH(int, kCheck);
    QFETCH(QString, barcode);
    const auto result = BuildBarcode(U(data));
    const auto* b = std::get_if<Barcode>(&result);
    QVERIFY(b);
    QCOMPARE(Q(b->expanded), expanded);
    // The check characters as the independent reference encoder computes them.
    const std::optional<std::u16string> reference = ReferenceBarcode(U(data));
    QVERIFY(reference);
    QCOMPARE(Q(b->barcodeString), Q(*reference));
    QVERIFY(Q(b->body).startsWith(expanded));
    QCOMPARE(Q(b->body).size(), expanded.size() + 2);
    QCOMPARE(Q(b->barcodeString), "(" + Q(b->body) + ")");
    if (cSum >= 0) {
        QCOMPARE(b->cSum, cSum);
        QCOMPARE(b->kSum, kSum);
        QCOMPARE(b->cCheck, cCheck);
        QCOMPARE(b->kCheck, kCheck);
    }
    if (!barcode.isEmpty()) {
        QCOMPARE(Q(b->barcodeString), barcode);
    }
}

void TestEncoding::sumsText() {
    const auto b = std::get<Barcode>(BuildBarcode(u"ABC123"));
    QCOMPARE(Q(u"(" + b.body + b.sumsText),
             QString("(ABC123W9)   CSum: 173  Ksum: 244  CCheck: 32  KCheck: 9"));
    QVERIFY(b.sumsText.starts_with(u")"));
}

void TestEncoding::expandedLengthDrivesWeights() {
    // "a" is two font characters, so its first weights are 2 and 3, not 1 and 2.
    const auto b = std::get<Barcode>(BuildBarcode(u"a"));
    QCOMPARE(Q(b.expanded), QString("?A"));
    QCOMPARE(b.cSum, 46LL * 2 + 10 * 1);
    QCOMPARE(b.kSum, 46LL * 3 + 10 * 2 + b.cCheck);
}

void TestEncoding::refusal_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("message");
    const QString illegal = "Error: input character \"%1\" not legal in bar code 93";
    QTest::newRow("empty") << ""
                           << "Error:- no input data";
    QTest::newRow("e acute, first illegal named")
        << QString("AB") + QChar(0xE9) + "C" + QChar(1) << illegal.arg(QChar(0xE9));
    QTest::newRow("control") << QString("A") + QChar(9) << illegal.arg(QChar(9));
    QTest::newRow("DEL") << QString(QChar(127)) << illegal.arg(QChar(127));
    QTest::newRow("168") << QString(QChar(168)) << illegal.arg(QChar(168));
    QTest::newRow("173") << QString(QChar(173)) << illegal.arg(QChar(173));
    QTest::newRow("above 255") << QString("OK") + QChar(0x20AC) << illegal.arg(QChar(0x20AC));
    QTest::newRow("beyond 16 bits, whole pair")
        << QString("A") + QString::fromUtf8("\xF0\x9F\x98\x80")
        << illegal.arg(QString::fromUtf8("\xF0\x9F\x98\x80"));
    QTest::newRow("lone surrogate")
        << QString("A") + QChar(0xD83D) + "B" << illegal.arg(QChar(0xFFFD));
}

void TestEncoding::refusal() {
    QFETCH(QString, data);
    QFETCH(QString, message);
    const auto result = BuildBarcode(U(data));
    const auto* r = std::get_if<Refusal>(&result);
    QVERIFY(r);
    QCOMPARE(Q(r->message), message);
}

void TestEncoding::agreesWithReferenceEncoder() {
    QRandomGenerator random(93);
    for (int round = 0; round < 2000; ++round) {
        const int length = 1 + int(random.bounded(60));
        std::string data;
        for (int i = 0; i < length; ++i) {
            data += char(32 + random.bounded(95));
        }
        const auto result = BuildBarcode(std::u16string(data.begin(), data.end()));
        QCOMPARE(Q(std::get<Barcode>(result).barcodeString),
                 Q(ReferenceBarcode(std::u16string(data.begin(), data.end())).value()));
    }
}

// A reader's view of the built string: the symbols' values decode to the data and their checks.
void TestEncoding::readsBackWhatItBuilds_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("read");
    QString printable;
    for (char16_t c = 32; c < 127; ++c) {
        printable += QChar(c);
    }
    QTest::newRow("every printable character") << printable << printable;
    // The (%) and ($) markers carry the control characters.
    QTest::newRow("controls") << QStringLiteral("\u00aaI\u00a9U\u00a9A\u00a9T\u00aaZ")
                              << QStringLiteral("\t") + QChar(0) + QStringLiteral("\x1b\x7f\x1a");
}

void TestEncoding::readsBackWhatItBuilds() {
    QFETCH(QString, data);
    QFETCH(QString, read);
    const Barcode b = std::get<Barcode>(BuildBarcode(U(data)));
    std::vector<int> values;
    for (const char16_t c : b.body) {
        values.push_back(int(tables::SymbolChars.find(c)));
    }
    const std::span<const int> all(values);
    QCOMPARE(CheckValue(all.first(values.size() - 2), 20), b.cCheck);
    QCOMPARE(CheckValue(all.first(values.size() - 1), 15), b.kCheck);
    QCOMPARE(Q(DecodeFullAscii(all.first(values.size() - 2)).value()), read);
    for (const int v : values) {
        const std::string_view modules = ModulePattern(v);
        std::array<int, 4> edges{};
        for (std::size_t i = 0; i < edges.size(); ++i) {
            edges[i] = modules[i] - '0' + modules[i + 1] - '0';
        }
        QCOMPARE(SymbolOfEdges(edges), v);
    }
    QVERIFY(!DecodeFullAscii(std::vector<int>{43, 1}).has_value()); // ($) before a digit
}

void TestEncoding::utf8Decoding_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::newRow("ascii") << QByteArray("ABC") << true;
    QTest::newRow("markers") << QByteArray("\xC2\xA9U\xC2\xAAI") << true;
    QTest::newRow("three bytes") << QByteArray("\xE2\x82\xAC") << true;
    QTest::newRow("four bytes") << QByteArray("\xF0\x9F\x98\x80") << true;
    QTest::newRow("latin-1 byte") << QByteArray("caf\xE9") << false;
    QTest::newRow("overlong") << QByteArray("\xC0\x80") << false;
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << false;
    QTest::newRow("truncated") << QByteArray("A\xE2\x82") << false;
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
    QTest::newRow("stray continuation") << QByteArray("\x80") << false;
}

void TestEncoding::utf8Decoding() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    const auto decoded =
        Utf8ToUtf16(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    QCOMPARE(decoded.has_value(), valid);
    if (valid) {
        QCOMPARE(Q(*decoded), QString::fromUtf8(bytes));
    }
}

void TestEncoding::utf8RoundTrip() {
    const QString text =
        QString("A") + QChar(0xA9) + QChar(0x20AC) + QString::fromUtf8("\xF0\x9F\x98\x80");
    QCOMPARE(QString::fromStdString(Utf16ToUtf8(U(text))), text);
    QCOMPARE(QString::fromStdString(Utf16ToUtf8(u"\xD800")), QString(QChar(0xFFFD)));
}

QTEST_APPLESS_MAIN(TestEncoding)
#include "test_encoding.moc"
