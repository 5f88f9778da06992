// stria93 sheet run as a process: every stock's PDF sheet and Writer's print of its RTF sheet are
// rasterised, each label is cut out and read back by a barcode reader, and nothing may be drawn
// outside the labels; the refusals, the stock list and the calibration page.
#include "dialogs/label_fill.h"
#include "picture/barcode_fonts.h"
#include "sheet/label_stock.h"
#include "tests/barcode_decoders.h"
#include "tests/dot_runs.h"
#include "tests/stria93_process.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <sys/stat.h>

namespace {

constexpr int Dpi = 300;
constexpr double Mm = 72 / 25.4;
// A barcode may reach this far past its label's edge, or lie this far off its label's centre.
constexpr double Tolerance = 0.5 * Mm;
constexpr int Dark = 128;

bool Run(const QString& program, const QStringList& arguments,
         const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// The PDF's pages at Dpi, in grey.
QList<QImage> Pages(const QString& pdf) {
    const QString prefix = pdf + QStringLiteral("-page");
    if (!Run(QStringLiteral("pdftoppm"),
             {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-gray"), pdf, prefix})) {
        return {};
    }
    QList<QImage> pages;
    const QFileInfo info(prefix);
    for (const QString& name : info.dir().entryList({info.fileName() + QStringLiteral("-*.pgm")},
                                                    QDir::Files, QDir::Name)) {
        pages << QImage(info.dir().filePath(name)).convertToFormat(QImage::Format_Grayscale8);
    }
    return pages;
}

struct Adjustment {
    QPointF offsetMm;
    double scale = 1;
};

// Where the label lands on the page, in pixels.
QRectF LabelPixels(const sheet::LabelStock& stock, int label, const Adjustment& adjustment) {
    const QRectF points = stock.labelRect(label);
    const QPointF offset = adjustment.offsetMm * Mm;
    const QRectF placed(offset + points.topLeft() * adjustment.scale,
                        points.size() * adjustment.scale);
    return {placed.topLeft() * Dpi / 72, placed.size() * Dpi / 72};
}

// The centre of the dark pixels' bounding box.
QPointF InkCentre(const QImage& picture) {
    QRect ink;
    for (int y = 0; y < picture.height(); ++y) {
        const uchar* row = picture.constScanLine(y);
        for (int x = 0; x < picture.width(); ++x) {
            if (row[x] < Dark) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return QRectF(ink).center();
}

// The number of dark pixels outside every label of the page.
int InkOutsideLabels(const QImage& page, const QList<QRect>& labels) {
    int count = 0;
    for (int y = 0; y < page.height(); ++y) {
        const uchar* row = page.constScanLine(y);
        for (int x = 0; x < page.width(); ++x) {
            if (row[x] < Dark && std::none_of(labels.begin(), labels.end(),
                                              [&](const QRect& r) { return r.contains(x, y); })) {
                ++count;
            }
        }
    }
    return count;
}

// Checks every label of every page against the text expected there (empty: nothing).
void CheckSheet(const QString& pdf, const sheet::LabelStock& stock, const QStringList& expected,
                const Adjustment& adjustment = {}) {
    const int perSheet = stock.labelsPerSheet();
    const QList<QImage> pages = Pages(pdf);
    QCOMPARE(pages.size(), (expected.size() + perSheet - 1) / perSheet);
    const QSize pagePixels = (stock.pageSize * Dpi / 72).toSize();
    for (int p = 0; p < pages.size(); ++p) {
        QVERIFY(std::abs(pages[p].width() - pagePixels.width()) <= 2);
        QVERIFY(std::abs(pages[p].height() - pagePixels.height()) <= 2);
        const double tolerance = Tolerance * Dpi / 72;
        QList<QRect> labels;
        for (int label = 0; label < perSheet; ++label) {
            const QRectF place = LabelPixels(stock, label, adjustment);
            labels
                << (place.adjusted(-tolerance, -tolerance, tolerance, tolerance).toAlignedRect() &
                    pages[p].rect());
            const QImage cut = pages[p].copy(labels.last());
            const QString want = expected.value(p * perSheet + label);
            const QString where = QStringLiteral("page %1 label %2").arg(p + 1).arg(label + 1);
            const QStringList read = decoders::ReadWithZbar(cut);
            QVERIFY2(
                read == (want.isEmpty() ? QStringList() : QStringList{want}),
                qPrintable(where +
                           QStringLiteral(": read '%1', want '%2'").arg(read.join(u'|'), want)));
            if (!want.isEmpty()) {
                const QPointF off = InkCentre(cut) + labels.last().topLeft() - place.center();
                QVERIFY2(
                    std::abs(off.x()) <= tolerance && std::abs(off.y()) <= tolerance,
                    qPrintable(
                        where +
                        QStringLiteral(": %1, %2 pixels off centre").arg(off.x()).arg(off.y())));
            }
        }
        QCOMPARE(InkOutsideLabels(pages[p], labels), 0);
    }
}

QStringList Numbers(int count) {
    QStringList texts;
    for (int i = 1; i <= count; ++i) {
        texts << QString::number(i);
    }
    return texts;
}

// The labels' texts: the first start - 1 empty, then each text copies times.
QStringList Expected(const QStringList& texts, int start, int copies) {
    QStringList expected(start - 1);
    for (const QString& text : texts) {
        for (int c = 0; c < copies; ++c) {
            expected << text;
        }
    }
    return expected;
}

// A face and size whose barcode fits every stock's labels: the default d at 24 points is too tall
// for the half-inch labels of 5167, and so is b at 24 points once snapped to 300 dpi (5 dots).
QStringList SizeFor(const sheet::LabelStock& stock) {
    return stock.name == u"5167" ? QStringList{"--size", "b", "--points", "22"}
                                 : QStringList{"--size", "d"};
}

} // namespace

Q_DECLARE_METATYPE(Adjustment)

class TestSheetCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sheets_data();
    void sheets();
    void writerSheets();
    void printerDots_data();
    void printerDots();
    void refusals_data();
    void refusals();
    void usageErrors_data();
    void usageErrors();
    void list();
    void calibration();
    void namesKeepTheirBytes();

private:
    QTemporaryDir dir_;
};

void TestSheetCli::initTestCase() {
    QVERIFY(!qEnvironmentVariable("STRIA93").isEmpty());
    QCOMPARE(LoadBarcodeFonts().error(), QString()); // the fill check measures with the faces
    QVERIFY(dir_.isValid());
}

// Each stock with one label more than a sheet holds (two pages); then the list of the README,
// a partly used sheet, copies, and a printer's offset and scale.
void TestSheetCli::sheets_data() {
    QTest::addColumn<QString>("stock");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("texts"); // on standard input, one a line
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("copies");
    QTest::addColumn<Adjustment>("adjustment");
    for (const sheet::LabelStock& s : sheet::LabelStocks()) {
        QTest::newRow(qPrintable(s.name))
            << s.name << SizeFor(s) << Numbers(s.labelsPerSheet() + 1) << 1 << 1 << Adjustment{};
    }
    QStringList lots;
    for (int i = 1; i <= 100; ++i) {
        lots << QStringLiteral("LOT-%1").arg(i, 5, 10, QLatin1Char('0'));
    }
    QTest::newRow("100 lots on 5160") << "5160" << QStringList{} << lots << 1 << 1 << Adjustment{};
    QTest::newRow("--start 5") << "L7160" << QStringList{"--start", "5"} << Numbers(3) << 5 << 1
                               << Adjustment{};
    QTest::newRow("--copies 3 --start 2")
        << "5161" << QStringList{"--copies=3", "--start=2"} << QStringList{"Code 93", "a-b"} << 2
        << 3 << Adjustment{};
    QTest::newRow("--offset --scale")
        << "L7163" << QStringList{"--offset", "2mm,-0.04in", "--scale", "0.97"} << Numbers(14) << 1
        << 1 << Adjustment{{2, -0.04 * 25.4}, 0.97};
}

void TestSheetCli::sheets() {
    QFETCH(QString, stock);
    QFETCH(QStringList, options);
    QFETCH(QStringList, texts);
    QFETCH(int, start);
    QFETCH(int, copies);
    QFETCH(Adjustment, adjustment);
    const QString pdf =
        dir_.filePath(QString(QTest::currentDataTag()).replace(u' ', u'_') + ".pdf");
    const Stria93Run r = Stria93(QStringList{"sheet", "--quiet", "--stock", stock} + options +
                                     QStringList{"-o", pdf},
                                 texts.join(u'\n').toUtf8() + '\n');
    QCOMPARE(r.err, QByteArray());
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.startsWith(pdf.toUtf8() + ": "), r.out.constData());
    CheckSheet(pdf, *sheet::FindStock(stock), Expected(texts, start, copies), adjustment);
}

// The RTF sheet of every stock, printed by Writer with the barcode typefaces visible to it:
// every barcode in its label, in order, over two pages; and the label dialog's filled sheet of a
// barcode that its fit check lets through, the preview's face and size in every label.
void TestSheetCli::writerSheets() {
    QTextDocument preview;
    QTextCharFormat face;
    face.setFontFamilies({QStringLiteral("Sample 93 d HR")});
    face.setFontPointSize(24);
    QTextCursor(&preview).insertText(QStringLiteral("(ABC123W9)  "), face);
    QVERIFY(CheckFillFits(QStringLiteral("lz161.rtf"), preview));
    QCOMPARE(*WriteFilledTemplate(dir_.path(), QStringLiteral("lz161.rtf"), preview),
             QStringLiteral("lz161-filled.rtf"));
    QStringList rtfs{dir_.filePath(QStringLiteral("lz161-filled.rtf"))};
    for (const sheet::LabelStock& s : sheet::LabelStocks()) {
        const QString rtf = dir_.filePath(QStringLiteral("writer-%1.rtf").arg(s.name));
        const Stria93Run r =
            Stria93(QStringList{"sheet", "--stock", s.name, "-o", rtf} + SizeFor(s),
                    Numbers(s.labelsPerSheet() + 1).join(u'\n').toUtf8());
        QCOMPARE(r.exitCode, 0);
        rtfs << rtf;
    }
    QFile config(dir_.filePath(QStringLiteral("fonts.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("<?xml version=\"1.0\"?><fontconfig><include ignore_missing=\"yes\">"
                 "/etc/fonts/fonts.conf</include><dir>" STRIA_FONT_DIR "</dir><cachedir>" +
                 dir_.filePath(QStringLiteral("fc-cache")).toUtf8() + "</cachedir></fontconfig>");
    config.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FONTCONFIG_FILE"), config.fileName());
    environment.insert(QStringLiteral("HOME"), dir_.path());
    QVERIFY(Run(QStringLiteral("soffice"),
                QStringList{"-env:UserInstallation=file://" + dir_.filePath("lo-profile"),
                            "--headless", "--convert-to", "pdf", "--outdir", dir_.path()} +
                    rtfs,
                environment));
    for (const sheet::LabelStock& s : sheet::LabelStocks()) {
        CheckSheet(dir_.filePath(QStringLiteral("writer-%1.pdf").arg(s.name)), s,
                   Numbers(s.labelsPerSheet() + 1));
    }
    CheckSheet(dir_.filePath(QStringLiteral("lz161-filled.pdf")),
               *sheet::FindStock(QStringLiteral("5161")),
               QStringList(20, QStringLiteral("ABC123")));
}

// The sheet drawn bi-level as a printer of that resolution draws it: every bar and space of every
// label whole modules of the dots the note on standard error names, and every label scans.
void TestSheetCli::printerDots_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("printedAt");
    QTest::addColumn<int>("moduleDots"); // 0: not snapped, some runs must be off
    QTest::addColumn<Adjustment>("adjustment");
    const QStringList snappedAt300{};
    for (const int dpi : {300, 600, 1200}) {
        QTest::addRow("default, printed at %d", dpi)
            << snappedAt300 << dpi << dpi / 100 << Adjustment{};
    }
    for (const int dpi : {203, 600}) {
        QTest::addRow("--printer-dpi %d", dpi) << QStringList{"--printer-dpi", QString::number(dpi)}
                                               << dpi << (dpi == 203 ? 2 : 6) << Adjustment{};
    }
    QTest::newRow("--printer-dpi 203 --offset --scale")
        << QStringList{"--printer-dpi", "203", "--offset", "0.3mm,-0.7mm", "--scale", "0.99"} << 203
        << 2 << Adjustment{{0.3, -0.7}, 0.99};
    QTest::newRow("--no-snap, printed at 203")
        << QStringList{"--no-snap"} << 203 << 0 << Adjustment{};
}

void TestSheetCli::printerDots() {
    QFETCH(QStringList, options);
    QFETCH(int, printedAt);
    QFETCH(int, moduleDots);
    QFETCH(Adjustment, adjustment);
    const QString pdf = dir_.filePath(QStringLiteral("dots-%1.pdf").arg(QTest::currentDataTag()));
    QStringList lots;
    for (int i = 1; i <= 30; ++i) {
        lots << QStringLiteral("LOT-%1").arg(i, 5, 10, QLatin1Char('0'));
    }
    const Stria93Run r = Stria93(QStringList{"sheet", "--stock", "5160", "-o", pdf} + options,
                                 lots.join(u'\n').toUtf8());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err.startsWith("stria93: modules of "), moduleDots > 0);
    const QImage page = dotruns::PrintedBiLevel(pdf, printedAt);
    QVERIFY(!page.isNull());
    const sheet::LabelStock& stock = *sheet::FindStock(QStringLiteral("5160"));
    int offModule = 0;
    for (int label = 0; label < stock.labelsPerSheet(); ++label) {
        const QRectF points = stock.labelRect(label);
        const QPointF at = adjustment.offsetMm * Mm + points.topLeft() * adjustment.scale;
        const QRect place =
            QRectF(at * printedAt / 72, points.size() * adjustment.scale * printedAt / 72)
                .toAlignedRect();
        QCOMPARE(decoders::ReadWithZbar(page.copy(place)), QStringList{lots[label]});
        const QString runs = dotruns::WholeModuleRuns(page, place, std::max(moduleDots, 2));
        if (moduleDots > 0) {
            QVERIFY2(runs.isEmpty(),
                     qPrintable(QStringLiteral("label %1: ").arg(label + 1) + runs));
        }
        offModule += runs.isEmpty() ? 0 : 1;
    }
    if (moduleDots == 0) {
        QCOMPARE(offModule, stock.labelsPerSheet()); // 2.2 dots a module: every label is off
    }
}

void TestSheetCli::refusals_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<int>("labels"); // written to the sheet; 0: no file
    QTest::newRow("bad line, the rest goes on")
        << QStringList{"--stock", "5160"} << QByteArray("A1\n\u00e9\nA3\n")
        << QByteArray("line 2: Error") << 2;
    QTest::newRow("too wide: line and the size that fits")
        << QStringList{"--stock", "5167", "--size", "b", "--points", "22"}
        << QByteArray("OK\nTOO LONG FOR IT\n")
        << QByteArray("line 2: (TOO~LONG~FOR~IT6C) does not fit: the barcode is ") << 1;
    QTest::newRow("too tall") << QStringList{"--stock", "5167", "A"} << QByteArray()
                              << QByteArray("points would fit (--points 18)") << 0;
    QTest::newRow("nothing at all") << QStringList{"--stock", "5160"} << QByteArray()
                                    << QByteArray("no barcode to put on a label") << 0;
}

void TestSheetCli::refusals() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, message);
    QFETCH(int, labels);
    const QString pdf =
        dir_.filePath(QStringLiteral("refused-%1.pdf").arg(QTest::currentDataTag()));
    const Stria93Run r = Stria93(QStringList{"sheet", "-o", pdf} + args, input);
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(message), r.err.constData());
    QCOMPARE(QFile::exists(pdf), labels > 0);
    if (labels > 0) {
        QVERIFY2(r.out.contains(QByteArray::number(labels) + " labels on 1 sheet"),
                 r.out.constData());
    }
}

void TestSheetCli::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("no stock") << QStringList{"-o", "x.pdf", "A"} << QByteArray("missing --stock");
    QTest::newRow("unknown stock") << QStringList{"--stock", "9999", "-o", "x.pdf", "A"}
                                   << QByteArray("there is no stock '9999'");
    QTest::newRow("no -o") << QStringList{"--stock", "5160", "A"} << QByteArray("missing -o FILE");
    QTest::newRow("not pdf or rtf")
        << QStringList{"--stock", "5160", "-o", "x.png", "A"} << QByteArray("FILE.pdf or FILE.rtf");
    QTest::newRow("start past the sheet")
        << QStringList{"--stock", "5160", "--start", "31", "-o", "x.pdf", "A"}
        << QByteArray("--start must be a label from 1 to 30 of 5160");
    QTest::newRow("copies 0") << QStringList{"--stock", "5160", "--copies", "0", "-o", "x.pdf"}
                              << QByteArray("--copies must be");
    QTest::newRow("offset without unit")
        << QStringList{"--stock", "5160", "--offset", "1,2", "-o", "x.pdf"}
        << QByteArray("--offset must be X,Y in mm, in or pt");
    QTest::newRow("offset too far")
        << QStringList{"--stock", "5160", "--offset", "30mm,0mm", "-o", "x.pdf"}
        << QByteArray("--offset must be");
    QTest::newRow("scale") << QStringList{"--stock", "5160", "--scale", "3", "-o", "x.pdf"}
                           << QByteArray("--scale must be a factor from 0.5 to 2");
    QTest::newRow("scale nan") << QStringList{"--stock", "5160", "--scale", "nan", "-o", "x.pdf"}
                               << QByteArray("--scale must be a factor from 0.5 to 2");
    QTest::newRow("calibrate, scale nan")
        << QStringList{"--calibrate", "--stock", "5160", "--scale", "nan", "-o", "x.pdf"}
        << QByteArray("--scale must be a factor from 0.5 to 2");
    QTest::newRow("-o twice") << QStringList{"--stock", "5160", "-o", "a.pdf", "-o", "b.pdf"}
                              << QByteArray("-o given more than once");
    QTest::newRow("offset for rtf")
        << QStringList{"--stock", "5160", "--offset", "1mm,1mm", "-o", "x.rtf"}
        << QByteArray("make PDF pages");
    QTest::newRow("printer dpi below 100")
        << QStringList{"--stock", "5160", "--printer-dpi", "99", "-o", "x.pdf", "A"}
        << QByteArray("--printer-dpi must be a whole number from 100 to 2400 (203, 300, 600 or "
                      "1200 for most printers), not '99'");
    QTest::newRow("printer dpi above 2400")
        << QStringList{"--stock", "5160", "--printer-dpi=2401", "-o", "x.pdf", "A"}
        << QByteArray("--printer-dpi must be a whole number from 100 to 2400");
    QTest::newRow("no-snap and printer dpi")
        << QStringList{"--stock", "5160", "--no-snap", "--printer-dpi", "600", "-o", "x.pdf", "A"}
        << QByteArray("--no-snap and --printer-dpi exclude each other");
    QTest::newRow("printer dpi for rtf")
        << QStringList{"--stock", "5160", "--printer-dpi", "203", "-o", "x.rtf", "A"}
        << QByteArray("are for PDF sheets");
    QTest::newRow("calibrate with data")
        << QStringList{"--calibrate", "--stock", "5160", "-o", "x.pdf", "A"}
        << QByteArray("takes no data");
    QTest::newRow("points") << QStringList{"--stock", "5160", "--points", "17", "-o", "x.pdf"}
                            << QByteArray("--points must be a whole number from 18 to 16383");
    QTest::newRow("points beyond rich text")
        << QStringList{"--stock", "5160", "--points", "16384", "-o", "x.pdf"}
        << QByteArray("--points must be a whole number from 18 to 16383");
    QTest::newRow("unknown option") << QStringList{"--stock", "5160", "--colour", "-o", "x.pdf"}
                                    << QByteArray("unknown option '--colour'");
}

void TestSheetCli::usageErrors() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, message);
    const Stria93Run r = Stria93(QStringList{"sheet"} + args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(message), r.err.constData());
    QCOMPARE(r.out, QByteArray());
}

void TestSheetCli::list() {
    const Stria93Run r = Stria93({"sheet", "--list"});
    QCOMPARE(r.exitCode, 0);
    const QList<QByteArray> lines = r.out.split('\n');
    QCOMPARE(lines.size(), qsizetype(sheet::LabelStocks().size() + 2)); // heading, final newline
    QVERIFY(r.out.contains("L7160  A4      21     3 x 7    63.5 x 38.1 mm    7.2, 15.15 mm"));
    QVERIFY(r.out.contains("5167   Letter  80     4 x 20   1.75 x 0.5 in     0.28125, 0.5 in"));
}

// Every label's outline and its centre cross where the label is, shifted by the offset.
void TestSheetCli::calibration() {
    const QString pdf = dir_.filePath(QStringLiteral("calibration.pdf"));
    const Stria93Run r =
        Stria93({"sheet", "--calibrate", "--stock", "L7651", "--offset", "1mm,-2mm", "-o", pdf});
    QCOMPARE(r.exitCode, 0);
    const QList<QImage> pages = Pages(pdf);
    QCOMPARE(pages.size(), 1);
    const sheet::LabelStock& stock = *sheet::FindStock(QStringLiteral("L7651"));
    auto darkNear = [&](QPointF points) {
        const QPoint centre = ((points + QPointF(1, -2) * Mm) * Dpi / 72).toPoint();
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                if (pages[0].pixelColor(centre + QPoint(dx, dy)).value() < Dark) {
                    return true;
                }
            }
        }
        return false;
    };
    for (int label = 0; label < stock.labelsPerSheet(); ++label) {
        const QRectF rect = stock.labelRect(label);
        const QPointF c = rect.center();
        const double inside = 2 * Mm;
        for (const QPointF& at :
             {c, QPointF(rect.left(), c.y() + inside), QPointF(rect.right(), c.y() + inside),
              QPointF(c.x() + inside, rect.top()), QPointF(c.x() + inside, rect.bottom())}) {
            QVERIFY2(darkNear(at), qPrintable(QStringLiteral("label %1").arg(label + 1)));
        }
        QVERIFY(!darkNear(c + QPointF(inside, inside)));
    }
}

// Sheet names are written as given, bytes that are not UTF-8 included, and shown with their
// control characters escaped, in the list of written files and in messages alike.
void TestSheetCli::namesKeepTheirBytes() {
    QProcess shell;
    shell.start("bash", {"-c",
                         "cd \"$1\" && for o in $'caf\\xe9.pdf' $'caf\\xe8.pdf' $'c\\xe9.rtf' "
                         "$'s\\x1b]0;t\\x07.pdf'; do \"$STRIA93\" sheet -q --stock 5160 -o \"$o\" "
                         "ABC || exit; done; "
                         "\"$STRIA93\" sheet --calibrate --stock 5160 -o $'k\\xe9.pdf' && "
                         "\"$STRIA93\" sheet -q --stock 5160 -o $'nope\\x1b[2J/x.pdf' ABC",
                         "bash", dir_.path()});
    QVERIFY(shell.waitForFinished(60000));
    QCOMPARE(shell.exitCode(), 1);
    const QByteArray err = shell.readAllStandardError();
    QVERIFY2(err.startsWith("Cannot create file \"nopeU+001B[2J/x.pdf\"."), err.constData());
    QCOMPARE(shell.readAllStandardOutput(),
             QByteArray("caf\xe9.pdf: 1 labels on 1 sheet of 5160\n"
                        "caf\xe8.pdf: 1 labels on 1 sheet of 5160\n"
                        "c\xe9.rtf: 1 labels on 1 sheet of 5160\n"
                        "s\\x1b]0;t\\x07.pdf: 1 labels on 1 sheet of 5160\n"
                        "k\xe9.pdf: calibration page for 5160\n"));
    const QByteArray folder = QFile::encodeName(dir_.path());
    for (const char* name : {"/caf\xe9.pdf", "/caf\xe8.pdf", "/c\xe9.rtf", "/k\xe9.pdf"}) {
        struct stat status {};
        QVERIFY2(::stat((folder + name).constData(), &status) == 0 && status.st_size > 0, name);
    }
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    TestSheetCli test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_sheet_cli.moc"
