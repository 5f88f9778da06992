// The generated barcode typefaces: names, coverage, cell metrics and, read back from the glyph
// outlines, the Code 93 bar pattern of every glyph; the HR faces' contextual alternates, as
// HarfBuzz and Qt shape them and as an exported picture shows them.
#include "encoding/barcode_builder.h"
#include "files/install_paths.h"
#include "picture/barcode_fonts.h"
#include "tests/barcode_decoders.h"
#include "tests/reference_encoder.h"
#include "tests/stria93_process.h"

#include <QFontInfo>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QRawFont>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace {

const QString FontDir = QStringLiteral(STRIA_FONT_DIR);
const QString SymbolChars = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-.~$/+%<=>?");
const QString Letters = QStringLiteral("abcdef");

// The widths of the runs of a published module pattern ("100010100" -> "131112"): the glyphs are
// checked against the symbology's own table, not against the generator's.
QString RunWidths(std::string_view modules) {
    QString widths;
    for (std::size_t start = 0; start < modules.size();) {
        std::size_t end = start;
        while (end < modules.size() && modules[end] == modules[start]) {
            ++end;
        }
        widths += QString::number(end - start);
        start = end;
    }
    return widths;
}

const QString StartStop = RunWidths(ReferenceStartStop);
constexpr int QuietZoneModules = 10;
constexpr double NarrowestModuleEm = 0.0225; // 7.5 mil at 24 points
constexpr double PixelSize = 2000;           // large enough that a module is 50 pixels or more

QString FontFile(QChar letter, bool hr) {
    return FontDir + QStringLiteral("/sample93%1%2.ttf").arg(letter).arg(hr ? "-hr" : "");
}

QString Family(QChar letter, bool hr) {
    return QStringLiteral("Sample 93 %1%2").arg(letter).arg(hr ? " HR" : "");
}

QRawFont LoadFace(const QString& file) {
    return QRawFont(file, PixelSize, QFont::PreferNoHinting);
}

void AddFaceRows() {
    QTest::addColumn<QChar>("letter");
    QTest::addColumn<bool>("hr");
    for (const bool hr : {false, true}) {
        for (const QChar letter : Letters) {
            QTest::newRow(qPrintable(Family(letter, hr))) << letter << hr;
        }
    }
}

quint32 Glyph(const QRawFont& font, QChar c) {
    const QList<quint32> glyphs = font.glyphIndexesForString(QString(c));
    return glyphs.isEmpty() ? 0 : glyphs.front();
}

qreal Advance(const QRawFont& font, QChar c) {
    return font.advancesForGlyphIndexes({Glyph(font, c)}, QRawFont::UseDesignMetrics).front().x();
}

// Ink box of a glyph in pixels, y down from the baseline.
QRectF Ink(const QRawFont& font, QChar c) {
    return font.pathForGlyph(Glyph(font, c)).boundingRect();
}

qint16 Int16At(const QByteArray& table, int offset) {
    return qFromBigEndian<qint16>(table.constData() + offset);
}

// Windows-platform strings of the name table by name ID.
QMap<int, QString> WindowsNames(const QRawFont& font) {
    const QByteArray name = font.fontTable("name");
    const int count = quint16(Int16At(name, 2));
    const int strings = quint16(Int16At(name, 4));
    QMap<int, QString> names;
    for (int i = 0; i < count; ++i) {
        const int record = 6 + 12 * i;
        if (Int16At(name, record) != 3) {
            continue;
        }
        const int id = Int16At(name, record + 6);
        const int length = quint16(Int16At(name, record + 8));
        const int offset = strings + quint16(Int16At(name, record + 10));
        QString text;
        for (int k = 0; k < length; k += 2) {
            text += QChar(quint16(Int16At(name, offset + k)));
        }
        names[id] = text;
    }
    return names;
}

// Lengths of the alternating space and bar runs across one pixel row of a glyph, from x = 0 to
// its advance, starting with a space run (0 when the glyph starts with a bar).
QList<qreal> RunsAcross(const QRawFont& font, QChar c, qreal y) {
    const qreal advance = Advance(font, c);
    QImage row(int(std::ceil(advance)), 1, QImage::Format_Grayscale8);
    row.fill(Qt::white);
    {
        QPainter painter(&row);
        painter.translate(0, -y);
        painter.fillPath(font.pathForGlyph(Glyph(font, c)), Qt::black);
    }
    QList<qreal> runs{0};
    bool inBar = false;
    for (int x = 0; x < row.width(); ++x) {
        const bool black = row.constScanLine(0)[x] < 128;
        if (black != inBar) {
            runs << 0;
            inBar = black;
        }
        runs.back() += 1;
    }
    runs.back() += advance - row.width();
    return runs;
}

// A row through the bars of every face: the space symbol draws bars only.
qreal BarRow(const QRawFont& font) {
    const QRectF bars = Ink(font, u'~');
    return bars.top() + bars.height() / 2;
}

// Reads runs as module widths; fails on runs that are not close to whole modules.
QString ModuleWidths(const QList<qreal>& runs, qreal module) {
    QString widths;
    for (const qreal run : runs) {
        const qreal modules = run / module;
        if (std::abs(modules - std::round(modules)) > 0.1) {
            return QStringLiteral("run of %1 modules").arg(modules);
        }
        widths += QString::number(qRound(modules));
    }
    return widths;
}

// What an HR glyph draws below its bars: its text.
QPainterPath BelowBars(const QRawFont& hr, QChar c) {
    QPainterPath below;
    below.addRect(0, Ink(hr, u'~').bottom() + 1, Advance(hr, c), hr.descent() + hr.ascent());
    return hr.pathForGlyph(Glyph(hr, c)).intersected(below);
}

// Centroid of the ink of a grey picture, each pixel weighted by its darkness.
QPointF InkCentroid(const QImage& grey) {
    qreal ink = 0;
    QPointF sum;
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            const qreal weight = (255 - grey.constScanLine(y)[x]) / 255.0;
            ink += weight;
            sum += weight * QPointF(x + 0.5, y + 0.5);
        }
    }
    return sum / ink;
}

// An outline drawn into a picture the size of `like`, placed so that the centroids of their ink
// coincide: a comparison that does not depend on sub-pixel placement.
QImage DrawnLike(const QPainterPath& outline, const QImage& like) {
    auto draw = [&](QPointF offset) {
        QImage image(like.size(), QImage::Format_Grayscale8);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(offset);
        painter.fillPath(outline, Qt::black);
        return image;
    };
    const QPointF centred =
        QRectF(QPointF(), like.size()).center() - outline.boundingRect().center();
    return draw(centred + InkCentroid(like) - InkCentroid(draw(centred)));
}

// The grey differences between two pictures of one size, as a share of the ink of the first.
qreal InkDifference(const QImage& shown, const QImage& wanted) {
    qreal ink = 0;
    qreal difference = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const int a = shown.constScanLine(y)[x];
            ink += (255 - a) / 255.0;
            difference += std::abs(a - wanted.constScanLine(y)[x]) / 255.0;
        }
    }
    return difference / ink;
}

QString BarcodeString(const QString& typed) {
    const auto built = code93::BuildBarcode(typed.toStdU16String());
    const auto* barcode = std::get_if<code93::Barcode>(&built);
    return barcode ? QString::fromStdU16String(barcode->barcodeString) : QString();
}

// What hb-shape prints for a text: glyph names, or glyph numbers with --no-glyph-names.
QStringList HbShape(const QString& file, const QString& text, const QStringList& options) {
    QProcess shape;
    shape.start(QStringLiteral("hb-shape"),
                QStringList{"--no-positions", "--no-clusters", "--text=" + text} + options +
                    QStringList{file});
    if (!shape.waitForFinished(30000) || shape.exitCode() != 0) {
        return {QStringLiteral("hb-shape failed (package libharfbuzz-bin): ") +
                QString::fromUtf8(shape.readAllStandardError())};
    }
    const QString out = QString::fromUtf8(shape.readAllStandardOutput()).trimmed();
    return out.mid(1, out.size() - 2).split(u'|');
}

// The glyphs Qt's text layout picks, as the window, the sample page and the export draw them.
QStringList QtShape(const QString& family, const QString& text) {
    QTextLayout layout(text, QFont(family, 24));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList glyphs;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        for (const quint32 glyph : run.glyphIndexes()) {
            glyphs << QString::number(glyph);
        }
    }
    return glyphs;
}

QStringList CmapGlyphs(const QRawFont& font, const QString& text) {
    QStringList glyphs;
    for (const quint32 glyph : font.glyphIndexesForString(text)) {
        glyphs << QString::number(glyph);
    }
    return glyphs;
}

// The character a glyph shows in the HR line, read from its name: a symbol its own font
// character ("~" a space), a Full ASCII pair's letter the character the pair encodes ("O.lower"
// "o", "H.parenleft" "(", "I.control_HT" the control picture of HT), and nothing for the
// pair's shift, the check characters, start and stop.
QString ShownBy(const QString& glyphName) {
    static const QMap<QString, QChar> named = [] {
        const QStringList names =
            QStringLiteral(
                "exclam quotedbl numbersign dollar percent ampersand quotesingle parenleft "
                "parenright asterisk plus comma hyphen period slash zero one two three four "
                "five six seven eight nine colon semicolon less equal greater question at "
                "bracketleft backslash bracketright asciicircum underscore grave braceleft bar "
                "braceright asciitilde")
                .split(u' ');
        QMap<QString, QChar> map;
        auto name = names.cbegin();
        for (char16_t c = u'!'; c <= u'~'; ++c) {
            if (!QChar(c).isLetter()) {
                map[*name++] = QChar(c);
            }
        }
        return map;
    }();
    static const QStringList controls =
        QStringLiteral(
            "NUL SOH STX ETX EOT ENQ ACK BEL BS HT LF VT FF CR SO SI DLE DC1 DC2 DC3 DC4 NAK SYN "
            "ETB CAN EM SUB ESC FS GS RS US")
            .split(u' ');

    const QString base = glyphName.section(u'.', 0, 0);
    const QString shown = glyphName.section(u'.', 1);
    if (shown.isEmpty()) {
        if (base == u"parenleft" || base == u"parenright") {
            return {};
        }
        if (base == u"asciitilde") {
            return QStringLiteral(" ");
        }
        return base.size() == 1 ? base : QString(named.value(base, QChar::ReplacementCharacter));
    }
    if (shown == u"check" || shown == u"pairstart") {
        return {};
    }
    if (shown == u"lower") {
        return base.toLower();
    }
    if (shown == u"control_DEL") {
        return QString(QChar(0x2421));
    }
    if (shown.startsWith(u"control_")) {
        return QString(QChar(char16_t(0x2400 + controls.indexOf(shown.mid(8)))));
    }
    return QString(named.value(shown, QChar::ReplacementCharacter));
}

} // namespace

class TestFonts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void names_data() { AddFaceRows(); }
    void names();
    void fontconfigNames_data() { AddFaceRows(); }
    void fontconfigNames();
    void coverage_data() { AddFaceRows(); }
    void coverage();
    void cellMetrics_data() { AddFaceRows(); }
    void cellMetrics();
    void sizeATopQuarterEmpty_data();
    void sizeATopQuarterEmpty();
    void barPatterns_data() { AddFaceRows(); }
    void barPatterns();
    void aspectFromAtoF();
    void humanReadableText_data();
    void humanReadableText();
    void humanReadableLine_data();
    void humanReadableLine();
    void alternatesKeepTheBars_data();
    void alternatesKeepTheBars();
    void exportedLineReadsAsTyped();
    void loadBarcodeFonts();
    void loadBarcodeFontsFromEmptyFolder();
};

void TestFonts::initTestCase() {
    const Result<> loaded = LoadBarcodeFonts();
    QVERIFY2(loaded, qPrintable(loaded.error()));
}

void TestFonts::names() {
    QFETCH(QChar, letter);
    QFETCH(bool, hr);
    const QRawFont font = LoadFace(FontFile(letter, hr));
    QVERIFY(font.isValid());
    const QString family = Family(letter, hr);
    QCOMPARE(font.familyName(), family);
    QCOMPARE(font.styleName(), QStringLiteral("Regular"));
    const QMap<int, QString> names = WindowsNames(font);
    QCOMPARE(names.value(1), family);
    QCOMPARE(names.value(2), QStringLiteral("Regular"));
    QCOMPARE(names.value(4), family);
    QCOMPARE(names.value(16), family);
    QCOMPARE(names.value(17), QStringLiteral("Regular"));
    QVERIFY(!names.value(6).contains(u' '));
}

// What word processors will see: fontconfig must not take "HR" for a style.
void TestFonts::fontconfigNames() {
    QFETCH(QChar, letter);
    QFETCH(bool, hr);
    if (QStandardPaths::findExecutable(QStringLiteral("fc-scan")).isEmpty()) {
        QSKIP("fc-scan is not installed (package fontconfig)");
    }
    QProcess scan;
    scan.start(QStringLiteral("fc-scan"),
               {QStringLiteral("--format"), QStringLiteral("%{family}|%{style}\\n"),
                FontFile(letter, hr)});
    QVERIFY(scan.waitForFinished(30000));
    QCOMPARE(QString::fromUtf8(scan.readAllStandardOutput()),
             Family(letter, hr) + QStringLiteral("|Regular\n"));
}

void TestFonts::coverage() {
    QFETCH(QChar, letter);
    QFETCH(bool, hr);
    const QRawFont font = LoadFace(FontFile(letter, hr));
    for (const QChar c : SymbolChars + QStringLiteral("() ")) {
        QVERIFY2(font.supportsCharacter(c), qPrintable(QString(c)));
        QVERIFY2(Glyph(font, c) != 0, qPrintable(QString(c)));
        QVERIFY2(Advance(font, c) > 0, qPrintable(QString(c)));
    }
    QVERIFY(Ink(font, u' ').isEmpty());
}

// The sample page sets the sizes 1.2 x 12 points apart per row; taller cells would overlap.
void TestFonts::cellMetrics() {
    QFETCH(QChar, letter);
    QFETCH(bool, hr);
    const QRawFont font = LoadFace(FontFile(letter, hr));
    const QByteArray hhea = font.fontTable("hhea");
    const QByteArray os2 = font.fontTable("OS/2");
    const int ascent = Int16At(hhea, 4);
    const int descent = -Int16At(hhea, 6);
    QCOMPARE(Int16At(hhea, 8), qint16(0));
    // Different programs take the cell from different tables: all must agree.
    QCOMPARE(int(Int16At(os2, 68)), ascent);
    QCOMPARE(int(-Int16At(os2, 70)), descent);
    QCOMPARE(Int16At(os2, 72), qint16(0));
    QCOMPARE(int(quint16(Int16At(os2, 74))), ascent);
    QCOMPARE(int(quint16(Int16At(os2, 76))), descent);
    QVERIFY(Int16At(os2, 62) & (1 << 7)); // USE_TYPO_METRICS

    const qreal cellEm = (font.ascent() + font.descent()) / PixelSize;
    const qreal limit = letter == u'f' ? 2.57 : letter == u'e' ? 2.06 : 1.44;
    QVERIFY2(cellEm <= limit, qPrintable(QStringLiteral("cell %1 em").arg(cellEm)));
    QCOMPARE(qRound(cellEm * font.unitsPerEm()), ascent + descent);

    // Nothing reaches outside the cell.
    for (const QChar c : SymbolChars + QStringLiteral("()")) {
        const QRectF ink = Ink(font, c);
        QVERIFY2(-ink.top() <= font.ascent() && ink.bottom() <= font.descent(),
                 qPrintable(QString(c)));
    }
}

void TestFonts::sizeATopQuarterEmpty_data() {
    QTest::addColumn<bool>("hr");
    QTest::newRow("Sample 93 a") << false;
    QTest::newRow("Sample 93 a HR") << true;
}

// The export raises size a by a quarter of its cell, cutting that quarter off.
void TestFonts::sizeATopQuarterEmpty() {
    QFETCH(bool, hr);
    const QRawFont font = LoadFace(FontFile(u'a', hr));
    const qreal highestInk = font.ascent() - (font.ascent() + font.descent()) / 4;
    for (const QChar c : SymbolChars + QStringLiteral("()")) {
        QVERIFY2(-Ink(font, c).top() <= highestInk, qPrintable(QString(c)));
    }
}

void TestFonts::barPatterns() {
    QFETCH(QChar, letter);
    QFETCH(bool, hr);
    const QRawFont font = LoadFace(FontFile(letter, hr));
    const qreal module = Advance(font, u'0') / 9;
    const qreal row = BarRow(font);

    qreal narrowestBar = module * 100;
    auto widthsOf = [&](QChar c) {
        const QList<qreal> runs = RunsAcross(font, c, row);
        for (qsizetype i = 1; i < runs.size(); i += 2) {
            narrowestBar = std::min(narrowestBar, runs[i]);
        }
        return ModuleWidths(runs, module);
    };

    for (qsizetype value = 0; value < SymbolChars.size(); ++value) {
        const QChar c = SymbolChars[value];
        QCOMPARE(Advance(font, c), module * 9);
        // No space before the first bar; the last space ends at the advance.
        QCOMPARE(widthsOf(c), QStringLiteral("0") +
                                  RunWidths(ReferencePatterns[static_cast<std::size_t>(value)]));
    }

    const QString start = widthsOf(u'(');
    QVERIFY2(start.endsWith(StartStop), qPrintable(start));
    QVERIFY2(start.chopped(6).toInt() >= QuietZoneModules, qPrintable(start));

    const QString stop = widthsOf(u')');
    const QString stopBars = QStringLiteral("0") + StartStop + QStringLiteral("1");
    QVERIFY2(stop.startsWith(stopBars), qPrintable(stop));
    QVERIFY2(stop.mid(stopBars.size()).toInt() >= QuietZoneModules, qPrintable(stop));

    QVERIFY2(narrowestBar / PixelSize >= NarrowestModuleEm,
             qPrintable(QStringLiteral("narrowest bar %1 em").arg(narrowestBar / PixelSize)));
}

// a has the widest bars compared with their height, f the narrowest; HR bars are shorter.
void TestFonts::aspectFromAtoF() {
    qreal previous = 0;
    for (const QChar letter : Letters) {
        const QRawFont standard = LoadFace(FontFile(letter, false));
        const QRawFont hr = LoadFace(FontFile(letter, true));
        const qreal module = Advance(standard, u'0') / 9;
        const QRectF bars = Ink(standard, u'~');
        const QRectF hrBars = Ink(hr, u'~');
        const qreal ratio = bars.height() / module;
        QVERIFY2(ratio > previous, qPrintable(QString(letter)));
        previous = ratio;
        QCOMPARE(Advance(hr, u'0'), Advance(standard, u'0'));
        QCOMPARE(hrBars.top(), bars.top());
        QVERIFY(hrBars.bottom() < bars.bottom() - module);
    }
}

void TestFonts::humanReadableText_data() {
    QTest::addColumn<QChar>("letter");
    for (const QChar letter : Letters) {
        QTest::newRow(qPrintable(QString(letter))) << letter;
    }
}

void TestFonts::humanReadableText() {
    QFETCH(QChar, letter);
    const QRawFont standard = LoadFace(FontFile(letter, false));
    const QRawFont hr = LoadFace(FontFile(letter, true));
    const qreal barBottom = Ink(hr, u'~').bottom();
    const qreal module = Advance(hr, u'0') / 9;

    // What a glyph draws below its bars, and that as a picture to tell the marks apart.
    auto textPath = [&](QChar c) { return BelowBars(hr, c); };
    auto textOf = [&](QChar c) {
        QImage text(int(module * 9) + 1, int(hr.descent() - barBottom) + 1,
                    QImage::Format_Grayscale8);
        text.fill(Qt::white);
        QPainter painter(&text);
        painter.translate(0, -barBottom);
        painter.fillPath(textPath(c), Qt::black);
        return text;
    };

    for (const QChar c : SymbolChars + QStringLiteral("()")) {
        QVERIFY2(Ink(standard, c).bottom() <= Ink(standard, u'~').bottom(), "Standard: bars only");
        const bool wantText = c != u'~' && c != u'(' && c != u')';
        const QRectF text = textPath(c).boundingRect();
        QVERIFY2(text.isEmpty() != wantText, qPrintable(QString(c)));
        if (wantText) {
            // Centred under the symbol's bars.
            QVERIFY2(std::abs(text.center().x() - module * 4.5) < module / 2,
                     qPrintable(QString(c)));
        }
    }
    // Each shift shows a mark of its own, not the sign it stands for.
    const QString shifts = QStringLiteral("<=>?");
    const QString signs = QStringLiteral("$%/+");
    for (int i = 0; i < 4; ++i) {
        QVERIFY(textOf(shifts[i]) != textOf(signs[i]));
        for (int k = 0; k < i; ++k) {
            QVERIFY(textOf(shifts[i]) != textOf(shifts[k]));
        }
    }
}

void TestFonts::humanReadableLine_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    const QChar percentMarker(0xA9);
    const QChar dollarMarker(0xAA);
    QString printable;
    for (char16_t c = u' '; c <= u'~'; ++c) {
        printable += QChar(c);
    }
    QTest::newRow("(ABC123W9)") << "ABC123"
                                << "ABC123";
    QTest::newRow("(C?O?D?E~93<8): check C is a shift") << "Code 93"
                                                        << "Code 93";
    QTest::newRow("(TEST~134)") << "TEST 1"
                                << "TEST 1";
    QTest::newRow("(XFB?A): the checks ?A are no pair") << "XFB"
                                                        << "XFB";
    QTest::newRow("(AB0<ME): a lone marker before check M")
        << QStringLiteral("AB0") + dollarMarker << "AB0<";
    QTest::newRow("ends in the pair >A") << "Hello, World!"
                                         << "Hello, World!";
    QTest::newRow("every printable character") << printable << printable;
    QTest::newRow("control markers")
        << QStringLiteral("A%1IB%1M%1J%2U%2A%2T").arg(dollarMarker).arg(percentMarker)
        << QStringLiteral("A\u2409B\u240D\u240A\u2400\u241B\u2421");
    QTest::newRow("marker before a digit: no pair") << QString(percentMarker) + u'5' << "=5";
}

// The HR line reads as the data wherever OpenType is applied, and as the symbols where not.
void TestFonts::humanReadableLine() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    const QString barcode = BarcodeString(typed);
    QVERIFY(!barcode.isEmpty());
    const QStringList noNames{QStringLiteral("--no-glyph-names")};
    const QStringList noCalt{QStringLiteral("--no-glyph-names"),
                             QStringLiteral("--features=-calt")};
    for (const QChar letter : Letters) {
        const QString file = FontFile(letter, true);
        QString line;
        for (const QString& glyph : HbShape(file, barcode, {})) {
            line += ShownBy(glyph);
        }
        QCOMPARE(line, shown);
        QCOMPARE(QtShape(Family(letter, true), barcode), HbShape(file, barcode, noNames));
        QCOMPARE(HbShape(file, barcode, noCalt), CmapGlyphs(LoadFace(file), barcode));
        const QString standard = FontFile(letter, false);
        QCOMPARE(HbShape(standard, barcode, noNames), CmapGlyphs(LoadFace(standard), barcode));
    }
}

void TestFonts::alternatesKeepTheBars_data() {
    humanReadableText_data();
}

// Every alternate draws exactly its base glyph's bar contours in the same advance and stays in
// the cell; a pair's letter shows its text centred under the pair, everything else shows none.
void TestFonts::alternatesKeepTheBars() {
    QFETCH(QChar, letter);
    const QRawFont font = LoadFace(FontFile(letter, true));
    const qreal module = Advance(font, u'0') / 9;
    const qreal barBottom = Ink(font, u'~').bottom();

    // Every shift-letter pair, then every symbol as both check characters.
    QString probe = QStringLiteral("(");
    for (const QChar shift : QStringLiteral("<=>?")) {
        for (char16_t c = u'A'; c <= u'Z'; ++c) {
            probe += QString(shift) + QChar(c);
        }
    }
    const qsizetype pairsEnd = probe.size();
    probe += QStringLiteral("00)");
    for (const QChar symbol : SymbolChars) {
        probe += u'(' + QString(2, symbol) + u')';
    }
    const QStringList shaped = QtShape(Family(letter, true), probe);
    const QList<quint32> base = font.glyphIndexesForString(probe);
    QCOMPARE(shaped.size(), base.size());

    auto contours = [&](quint32 glyph, bool bars) {
        QList<QPolygonF> found;
        for (const QPolygonF& contour : font.pathForGlyph(glyph).toSubpathPolygons()) {
            if ((contour.boundingRect().bottom() <= barBottom) == bars) {
                found << contour;
            }
        }
        return found;
    };
    QSet<quint32> alternates;
    for (qsizetype i = 0; i < base.size(); ++i) {
        const quint32 glyph = shaped[i].toUInt();
        if (glyph == base[i]) {
            continue;
        }
        alternates.insert(glyph);
        const QString where = QStringLiteral("%1 at %2").arg(probe.mid(i - 1, 3)).arg(i);
        QVERIFY2(contours(glyph, true) == contours(base[i], true), qPrintable(where));
        QCOMPARE(font.advancesForGlyphIndexes({glyph}), font.advancesForGlyphIndexes({base[i]}));
        QVERIFY2(font.pathForGlyph(glyph).boundingRect().bottom() <= font.descent(),
                 qPrintable(where));
        QRectF text;
        for (const QPolygonF& contour : contours(glyph, false)) {
            text |= contour.boundingRect();
        }
        const bool pairLetter = i < pairsEnd && i % 2 == 0;
        QVERIFY2(text.isEmpty() != pairLetter, qPrintable(where));
        if (pairLetter) {
            QVERIFY2(std::abs(text.center().x()) < module / 2, qPrintable(where));
        }
    }
    const int glyphCount = quint16(Int16At(font.fontTable("maxp"), 4));
    QCOMPARE(alternates.size(), glyphCount - SymbolChars.size() - 4);
}

// What a user sees: under the exported "Code 93" the HR line shows "Code 93" in DejaVu Sans at
// the HR text size, each character centred under its symbol or pair, and the bars still scan.
void TestFonts::exportedLineReadsAsTyped() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("code.png"));
    const Stria93Run run = Stria93({"export", "-o", file, "Code 93"}); // HR d, 24 points, 600 dpi
    QCOMPARE(run.exitCode, 0);
    const QImage picture = QImage(file).convertToFormat(QImage::Format_Grayscale8);
    QCOMPARE(decoders::ReadWithZbar(picture), QStringList{"Code 93"});
    auto dark = [&](int x, int y) { return picture.constScanLine(y)[x] < 128; };

    // The start's first bar is the leftmost inked column and runs from the bars' top to their
    // bottom; across the bars the ink spans 9 modules a character, plus the termination bar.
    auto topOfInk = [&](int x) {
        for (int y = 0; y < picture.height(); ++y) {
            if (dark(x, y)) {
                return y;
            }
        }
        return -1;
    };
    int left = 0;
    while (left < picture.width() && topOfInk(left) < 0) {
        ++left;
    }
    QVERIFY(left < picture.width());
    const int barTop = topOfInk(left);
    int barBottom = barTop;
    while (barBottom + 1 < picture.height() && dark(left, barBottom + 1)) {
        ++barBottom;
    }
    const int row = (barTop + barBottom) / 2;
    int right = picture.width() - 1;
    while (!dark(right, row)) {
        --right;
    }
    const QString barcode = BarcodeString(QStringLiteral("Code 93"));
    const qreal module = qreal(right + 1 - left) / (9 * barcode.size() + 1);

    // The characters below the bars, one run of inked columns each.
    QList<QRect> blobs;
    for (int x = 0; x < picture.width(); ++x) {
        QRect column;
        for (int y = barBottom + 2; y < picture.height(); ++y) {
            if (dark(x, y)) {
                column |= QRect(x, y, 1, 1);
            }
        }
        if (column.isEmpty()) {
            continue;
        }
        if (!blobs.isEmpty() && blobs.back().right() == x - 1) {
            blobs.back() |= column;
        } else {
            blobs << column;
        }
    }
    const QString expected = QStringLiteral("Code93");
    // Centres in modules from the first bar: a symbol's middle, or a pair's.
    const qreal centres[] = {13.5, 27, 45, 63, 85.5, 94.5};
    QCOMPARE(blobs.size(), expected.size());

    // DejaVu Sans at the size whose cap height is the HR text's, read from the face.
    const QRawFont face = LoadFace(FontFile(u'd', true));
    const qreal faceModule = Advance(face, u'0') / 9;
    const qreal faceCap = BelowBars(face, u'H').boundingRect().height();
    const QRawFont dejaVu(QStringLiteral(STRIA_DEJAVU_SANS), 1000, QFont::PreferNoHinting);
    QVERIFY(dejaVu.isValid());
    const qreal pixelSize = 1000 * (faceCap / faceModule * module) / Ink(dejaVu, u'H').height();
    const QRawFont reference(QStringLiteral(STRIA_DEJAVU_SANS), pixelSize, QFont::PreferNoHinting);

    for (qsizetype i = 0; i < blobs.size(); ++i) {
        const QRect area = blobs[i].adjusted(-3, -3, 3, 3);
        const QImage shown = picture.copy(area);
        QVERIFY2(std::abs((blobs[i].left() + blobs[i].right() + 1) / 2.0 - left -
                          centres[i] * module) < module,
                 qPrintable(QString(expected[i])));
        const QImage wanted =
            DrawnLike(reference.pathForGlyph(Glyph(reference, expected[i])), shown);
        const qreal difference = InkDifference(shown, wanted);
        QVERIFY2(difference < 0.2,
                 qPrintable(QStringLiteral("%1 differs by %2").arg(expected[i]).arg(difference)));
    }
}

void TestFonts::loadBarcodeFonts() {
    const QStringList families = RegisterBarcodeFonts(installpaths::FontDirectory());
    const Result<> loaded = CheckBarcodeFonts(families, installpaths::FontDirectory());
    QVERIFY2(loaded, qPrintable(loaded.error()));
    QStringList expected;
    for (const bool hr : {false, true}) {
        for (const QChar letter : Letters) {
            expected << Family(letter, hr);
        }
    }
    expected.sort();
    QCOMPARE(families, expected);
    for (const QString& family : expected) {
        QCOMPARE(QFontInfo(QFont(family, 24)).family(), family);
    }
}

void TestFonts::loadBarcodeFontsFromEmptyFolder() {
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    const QStringList families = RegisterBarcodeFonts(empty.path());
    QVERIFY(families.isEmpty());
    const Result<> loaded = CheckBarcodeFonts(families, empty.path());
    QVERIFY2(loaded.error().contains(empty.path()), qPrintable(loaded.error()));
    QVERIFY(loaded.error().contains(QStringLiteral("Sample 93 f HR")));
}

QTEST_MAIN(TestFonts)
#include "test_fonts.moc"
