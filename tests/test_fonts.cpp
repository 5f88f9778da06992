// The generated barcode typefaces: names, coverage, cell metrics and, read back from the glyph
// outlines, the Code 93 bar pattern of every glyph.
#include "barcode_fonts.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QRawFont>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace {

const QString FontDir = QStringLiteral(STRIA_FONT_DIR);
const QString SymbolChars = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-.~$/+%<=>?");
const QString Letters = QStringLiteral("abcdef");

// Module widths (bar, space, bar, space, bar, space) of the Code 93 symbols by check value,
// written out again from the symbology on purpose: the glyphs are checked against this table,
// not against the generator's own.
const char* const Patterns[47] = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114",
    "131211", "141111", "211113", "211212", "211311", "221112", "221211", "231111",
    "112113", "112212", "112311", "122112", "132111", "111123", "111222", "111321",
    "121122", "131121", "212112", "212211", "211122", "211221", "221121", "222111",
    "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211",
};
const char* const StartStop = "111141";
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

} // namespace

class TestFonts : public QObject {
    Q_OBJECT
private slots:
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
    void loadBarcodeFonts();
    void loadBarcodeFontsFromEmptyFolder();
};

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
        QCOMPARE(widthsOf(c), QStringLiteral("0") + QLatin1String(Patterns[value]));
    }

    const QString start = widthsOf(u'(');
    QVERIFY2(start.endsWith(QLatin1String(StartStop)), qPrintable(start));
    QVERIFY2(start.chopped(6).toInt() >= QuietZoneModules, qPrintable(start));

    const QString stop = widthsOf(u')');
    const QString stopBars = QStringLiteral("0") + QLatin1String(StartStop) + QStringLiteral("1");
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
    auto textPath = [&](QChar c) {
        QPainterPath below;
        below.addRect(0, barBottom + 1, module * 9, hr.descent() + hr.ascent());
        return hr.pathForGlyph(Glyph(hr, c)).intersected(below);
    };
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

void TestFonts::loadBarcodeFonts() {
    const LoadedBarcodeFonts loaded = LoadBarcodeFonts();
    QVERIFY2(loaded.error.isEmpty(), qPrintable(loaded.error));
    QStringList expected;
    for (const bool hr : {false, true}) {
        for (const QChar letter : Letters) {
            expected << Family(letter, hr);
        }
    }
    expected.sort();
    QCOMPARE(loaded.families, expected);
    for (const QString& family : expected) {
        QCOMPARE(QFontInfo(QFont(family, 24)).family(), family);
    }
}

void TestFonts::loadBarcodeFontsFromEmptyFolder() {
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    const LoadedBarcodeFonts loaded = LoadBarcodeFonts(empty.path());
    QVERIFY(loaded.families.isEmpty());
    QVERIFY2(loaded.error.contains(empty.path()), qPrintable(loaded.error));
    QVERIFY(loaded.error.contains(QStringLiteral("Sample 93 f HR")));
}

QTEST_MAIN(TestFonts)
#include "test_fonts.moc"
