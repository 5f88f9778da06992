// stria93 export run as a process: what it writes scans, names, batches and refusals; PDF and
// SVG pictures drawn by poppler and librsvg scan for every face and have the barcode's true size.
#include "tests/barcode_decoders.h"
#include "tests/dot_runs.h"
#include "tests/stria93_process.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

namespace {

QByteArray Output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.exitCode() == 0 ? process.readAllStandardOutput() : QByteArray();
}

// The picture's size in points: the SVG's width and height, the PDF's page.
QSizeF VectorSize(const QString& fileName) {
    static const QRegularExpression svg(
        QStringLiteral(R"(<svg[^>]* width="([\d.]+)pt" height="([\d.]+)pt")"));
    static const QRegularExpression pdf(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"));
    QFile file(fileName);
    const bool isSvg = fileName.endsWith(QStringLiteral(".svg"));
    const QString text =
        isSvg ? (file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString())
              : QString::fromUtf8(Output(QStringLiteral("pdfinfo"), {fileName}));
    const QRegularExpressionMatch m = (isSvg ? svg : pdf).match(text);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

// Drawn at about 300 dpi by the programs a print shop or a browser would use.
QImage Rasterise(const QString& fileName, const QString& png) {
    if (fileName.endsWith(QStringLiteral(".svg"))) {
        Output(QStringLiteral("rsvg-convert"),
               {QStringLiteral("--zoom=4"), QStringLiteral("-o"), png, fileName});
        return QImage(png);
    }
    Output(QStringLiteral("pdftoppm"),
           {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
            QStringLiteral("-singlefile"), fileName, png.chopped(4)});
    return QImage(png);
}

} // namespace

class TestExportCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void scans_data();
    void scans();
    void vectorScans_data();
    void vectorScans();
    void trueSize_data();
    void trueSize();
    void fileNameRule();
    void batchFromStandardInput();
    void usageErrors_data();
    void usageErrors();
    void namesKeepTheirBytes();
    void refusals_data();
    void refusals();
    void ownerAndModeKept();
    void signalsLeaveNoFiles_data();
    void signalsLeaveNoFiles();
    void staleFilesRemoved();
    void fewFileHandles();
    void helpNamesExport();

private:
    QTemporaryDir dir_;
};

void TestExportCli::initTestCase() {
    QVERIFY(!qEnvironmentVariable("STRIA93").isEmpty());
    QVERIFY(dir_.isValid());
}

void TestExportCli::scans_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QByteArray>("err");
    QTest::newRow("defaults") << QStringList{} << "png" << QByteArray();
    QTest::newRow("standard a 300 bmp")
        << QStringList{"--style", "standard", "--size", "a", "--dpi", "300"} << "bmp"
        << QByteArray();
    QTest::newRow("hr f 1200 gif")
        << QStringList{"--size=f", "--dpi=1200"} << "gif" << QByteArray();
    QTest::newRow("hr c 900 jpg, 30 points")
        << QStringList{"--size", "c", "--dpi", "900", "--points", "30"} << "jpg" << QByteArray();
    QTest::newRow("standard e 600 png by --format")
        << QStringList{"--style", "standard", "--size", "e", "--format", "png"} << "png"
        << QByteArray();
    QTest::newRow("exact") << QStringList{"--exact"} << "png"
                           << QByteArray("stria93: modules of 8 pixels, 13.3 mil at 600 dpi\n");
    QTest::newRow("exact, quiet, bars 1 pixel narrower, bmp")
        << QStringList{"--exact", "--quiet", "--bar-reduction", "1"} << "bmp" << QByteArray();
    QTest::newRow("bars half a pixel narrower")
        << QStringList{"--bar-reduction=0.5"} << "png" << QByteArray();
}

void TestExportCli::scans() {
    QFETCH(QStringList, options);
    QFETCH(QString, extension);
    QFETCH(QByteArray, err);
    const QString name = dir_.filePath("hello." + extension);
    const Stria93Run r =
        Stria93(QStringList{"export"} + options + QStringList{"-o", name, "Hello, World!"});
    QCOMPARE(r.err, err);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, name.toUtf8() + "\n");
    const QImage picture(name);
    QCOMPARE(decoders::ReadWithZbar(picture), QStringList{"Hello, World!"});
    QCOMPARE(decoders::ReadWithZxing(picture), QStringList{"Hello, World!"});
}

// Every face, both formats: the width is the barcode's modules (ten-module quiet zones, nine a
// symbol, the termination bar) at the face's module width, snapped to whole dots of the printer;
// the height is the face's text cell, less its empty top quarter for size a. Drawn bi-level at
// the printer's resolution, every bar and space is whole modules of those dots.
void TestExportCli::vectorScans_data() {
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("printerDpi"); // 0: --no-snap, exactly 24 points
    for (const char* style : {"standard", "hr"}) {
        for (const char* size : {"a", "b", "c", "d", "e", "f"}) {
            for (const char* extension : {"svg", "pdf"}) {
                QTest::addRow("%s %s %s", style, size, extension)
                    << style << size << extension << 300;
            }
        }
    }
    for (const int dpi : {203, 600}) {
        for (const char* extension : {"svg", "pdf"}) {
            QTest::addRow("hr d %s, %d dpi", extension, dpi) << "hr"
                                                             << "d" << extension << dpi;
            QTest::addRow("standard f %s, %d dpi", extension, dpi) << "standard"
                                                                   << "f" << extension << dpi;
        }
    }
    QTest::newRow("hr d pdf, not snapped") << "hr"
                                           << "d"
                                           << "pdf" << 0;
}

void TestExportCli::vectorScans() {
    QFETCH(QString, style);
    QFETCH(QString, size);
    QFETCH(QString, extension);
    QFETCH(int, printerDpi);
    const QString name = dir_.filePath(
        QStringLiteral("vector-%1%2-%3.%4").arg(style, size).arg(printerDpi).arg(extension));
    const QStringList snap = printerDpi > 0
                                 ? QStringList{"--printer-dpi", QString::number(printerDpi)}
                                 : QStringList{"--no-snap"};
    const Stria93Run r = Stria93(QStringList{"export", "--style", style, "--size", size, "--points",
                                             "24", "-o", name, "Code 93"} +
                                 snap);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, name.toUtf8() + "\n");

    const QMap<QString, int> moduleUnits = {{"a", 80}, {"b", 45}, {"c", 38},
                                            {"d", 32}, {"e", 28}, {"f", 25}};
    const double module = moduleUnits[size] * 24 / 1000.0;
    const int moduleDots = qMax(1, qRound(module * printerDpi / 72));
    const double points = printerDpi > 0 ? moduleDots * 72.0 / printerDpi / module * 24 : 24;
    QCOMPARE(r.err, printerDpi > 0 ? QStringLiteral("stria93: modules of %1 dots, %2 mil at %3 "
                                                    "dpi: the barcode is set at %4 points\n")
                                         .arg(moduleDots)
                                         .arg(moduleDots * 1000.0 / printerDpi, 0, 'f', 1)
                                         .arg(printerDpi)
                                         .arg(std::round(points * 100) / 100)
                                         .toUtf8()
                                   : QByteArray());
    const int modules = 10 + 9 * int(QStringLiteral("(C?O?D?E~93<8)").size()) + 1 + 10;
    const QRawFont font(QStringLiteral(STRIA_FONT_DIR "/sample93%1%2.ttf")
                            .arg(size, style == u"hr" ? QStringLiteral("-hr") : QString()),
                        1000);
    QVERIFY(font.isValid());
    const double cell = (font.ascent() + font.descent()) * points / 1000;
    const QSizeF expected(modules * moduleUnits[size] * points / 1000.0,
                          size == u"a" ? cell * 0.75 : cell);
    const QSizeF found = VectorSize(name);
    // A PDF page has whole points a side.
    const double slack = extension == u"pdf" ? 1 : 0.01;
    QVERIFY2(found.width() >= expected.width() - 0.01 &&
                 found.width() <= expected.width() + slack &&
                 found.height() >= expected.height() - 0.01 &&
                 found.height() <= expected.height() + slack,
             qPrintable(QStringLiteral("%1 x %2 points, %3 x %4 expected")
                            .arg(found.width())
                            .arg(found.height())
                            .arg(expected.width())
                            .arg(expected.height())));
    if (extension == u"pdf") {
        const QString face = QStringLiteral("Sample93%1%2").arg(size, style == u"hr" ? "HR" : "");
        QVERIFY(QRegularExpression(face + QStringLiteral("-Regular .* yes "))
                    .match(QString::fromUtf8(Output(QStringLiteral("pdffonts"), {name})))
                    .hasMatch());
    }
    const QImage picture = Rasterise(name, name + QStringLiteral(".png"));
    QVERIFY(!picture.isNull());
    QCOMPARE(decoders::ReadWithZbar(picture), QStringList{"Code 93"});
    QCOMPARE(decoders::ReadWithZxing(picture), QStringList{"Code 93"});
    if (printerDpi > 0) {
        const QImage printed = dotruns::PrintedBiLevel(name, printerDpi);
        QCOMPARE(decoders::ReadWithZbar(printed), QStringList{"Code 93"});
        const QString runs = dotruns::WholeModuleRuns(printed, printed.rect(), moduleDots);
        QVERIFY2(runs.isEmpty(), qPrintable(runs));
    }
}

// At its true size the picture holds the point size at the resolution and says so in the file:
// ABC123 at 24 points, size d, is 91 modules from the first bar to the last, 0.768 points each.
void TestExportCli::trueSize_data() {
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<bool>("trueSize");
    QTest::newRow("png 600") << "png" << 600 << true;
    QTest::newRow("jpg 300") << "jpg" << 300 << true;
    QTest::newRow("bmp 1200") << "bmp" << 1200 << true;
    QTest::newRow("gif 900: no room for it") << "gif" << 900 << true;
    QTest::newRow("png 600, nominal") << "png" << 600 << false;
}

void TestExportCli::trueSize() {
    QFETCH(QString, extension);
    QFETCH(int, dpi);
    QFETCH(bool, trueSize);
    const QString name = dir_.filePath(QStringLiteral("true-%1.%2").arg(dpi).arg(extension));
    const Stria93Run r =
        Stria93(QStringList{"export", "--dpi", QString::number(dpi), "-o", name, "ABC123"} +
                (trueSize ? QStringList{"--true-size"} : QStringList{}));
    QCOMPARE(r.exitCode, 0);
    const QImage picture(name);
    QCOMPARE(decoders::ReadWithZbar(picture), QStringList{"ABC123"});
    const bool stored = trueSize && extension != u"gif";
    if (stored) {
        QCOMPARE(qRound(picture.dotsPerMeterX() * 0.0254), dpi);
        QCOMPARE(qRound(picture.dotsPerMeterY() * 0.0254), dpi);
    }
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    if (extension == u"png") {
        QCOMPARE(bytes.contains("pHYs"), stored);
    }
    int first = picture.width();
    int last = -1;
    const int y = picture.height() / 3;
    for (int x = 0; x < picture.width(); ++x) {
        if (qGray(picture.pixel(x, y)) < 128) {
            first = std::min(first, x);
            last = x;
        }
    }
    // The nominal scale at 600 dpi draws 8 x 96 / 72 pixels a point: 28 % more than 600 / 72.
    const double pixelsPerPoint = trueSize ? dpi / 72.0 : 8 * 96.0 / 72;
    const double expected = 91 * 0.768 * pixelsPerPoint;
    QVERIFY2(
        std::abs(last - first + 1 - expected) <= 2,
        qPrintable(QStringLiteral("%1 pixels, %2 expected").arg(last - first + 1).arg(expected)));
}

void TestExportCli::fileNameRule() {
    const QString name = dir_.filePath("my.label");
    const Stria93Run r = Stria93({"export", "--format", "jpg", "-o", name, "ABC123"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, dir_.filePath("my.jpg").toUtf8() + "\n");
    QVERIFY(QFile::exists(dir_.filePath("my.jpg")));
    QVERIFY(!QFile::exists(name));
}

void TestExportCli::batchFromStandardInput() {
    const QString pattern = dir_.filePath("batch{n}.png");
    // Drawn on several cores, reported in input order.
    QByteArray input = "ABC123\n\nTEST 1\n";
    QByteArray listed =
        (dir_.filePath("batch1.png") + "\n" + dir_.filePath("batch3.png") + "\n").toUtf8();
    for (int n = 4; n <= 12; ++n) {
        input += "LABEL " + QByteArray::number(n) + "\n";
        listed += dir_.filePath(QStringLiteral("batch%1.png").arg(n)).toUtf8() + "\n";
    }
    const Stria93Run r = Stria93({"export", "-o", pattern}, input);
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err, QByteArray("line 2: Error:- no input data\n"));
    QCOMPARE(r.out, listed);
    QCOMPARE(decoders::ReadWithZbar(QImage(dir_.filePath("batch3.png"))), QStringList{"TEST 1"});
    QVERIFY(!QFile::exists(dir_.filePath("batch2.png")));
}

void TestExportCli::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("no -o") << QStringList{"export", "A"} << QByteArray("missing -o FILE");
    QTest::newRow("format unknown")
        << QStringList{"export", "-o", "/tmp/x.txt", "A"}
        << QByteArray("cannot tell the picture format from '/tmp/x.txt'");
    QTest::newRow("bad dpi") << QStringList{"export", "--dpi", "500", "-o", "x.png", "A"}
                             << QByteArray("--dpi must be 300, 600, 900 or 1200, not '500'");
    QTest::newRow("bad points")
        << QStringList{"export", "--points", "2x", "-o", "x.png", "A"}
        << QByteArray("--points must be a whole number from 18 to 16383, not '2x'");
    QTest::newRow("points below 18") << QStringList{"export", "--points", "12", "-o", "x.png", "A"}
                                     << QByteArray("--points must be a whole number from 18");
    QTest::newRow("points too large")
        << QStringList{"export", "--points", "999999", "-o", "x.png", "A"}
        << QByteArray("--points must be a whole number from 18 to 16383, not '999999'");
    QTest::newRow("-o twice") << QStringList{"export", "-o", "a.png", "-o", "b.png", "A"}
                              << QByteArray("-o given more than once");
    QTest::newRow("bad size") << QStringList{"export", "--size", "g", "-o", "x.png", "A"}
                              << QByteArray("--size must be one of a, b, c, d, e, f");
    QTest::newRow("several without {n}")
        << QStringList{"export", "-o", "x.png", "A", "B"} << QByteArray("must contain {n}");
    QTest::newRow("unknown option") << QStringList{"export", "--color", "red", "-o", "x.png"}
                                    << QByteArray("unknown option '--color'");
    QTest::newRow("bar reduction not a number")
        << QStringList{"export", "--bar-reduction", "x", "-o", "x.png", "A"}
        << QByteArray("--bar-reduction must be a number of pixels of 0 or more, not 'x'");
    QTest::newRow("fractional bar reduction, exact")
        << QStringList{"export", "--exact", "--bar-reduction", "0.5", "-o", "x.png", "A"}
        << QByteArray("--bar-reduction must be a whole number of pixels with --exact");
    QTest::newRow("dpi for svg") << QStringList{"export", "--dpi", "600", "-o", "x.svg", "A"}
                                 << QByteArray("--dpi does not apply to PDF and SVG");
    QTest::newRow("printer dpi for png")
        << QStringList{"export", "--printer-dpi", "300", "-o", "x.png", "A"}
        << QByteArray("--printer-dpi and --no-snap are for PDF and SVG");
    QTest::newRow("printer dpi not a number")
        << QStringList{"export", "--printer-dpi", "300dpi", "-o", "x.svg", "A"}
        << QByteArray("--printer-dpi must be a whole number from 100 to 2400");
    QTest::newRow("true size for pdf")
        << QStringList{"export", "--true-size", "-o", "x.pdf", "A"}
        << QByteArray("--exact, --true-size and --bar-reduction are for pixels");
    QTest::newRow("pdf: several without {n}")
        << QStringList{"export", "--format", "pdf", "-o", "x", "A", "B"}
        << QByteArray("must contain {n}");
}

void TestExportCli::usageErrors() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, message);
    const Stria93Run r = Stria93(args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(message), r.err.constData());
    QCOMPARE(r.out, QByteArray());
}

// A name that is not UTF-8 is written as given; a newline in a name is listed escaped.
void TestExportCli::namesKeepTheirBytes() {
    const QByteArray folder = QFile::encodeName(dir_.path());
    QProcess shell;
    shell.setProcessChannelMode(QProcess::SeparateChannels);
    shell.start(
        "bash",
        {"-c",
         "cd \"$1\" && for o in $'bad\\xff.png' $'two\\nlines.png' $'v\\xe9.svg' "
         "$'v\\xe8.svg' $'p\\xe9.pdf'; do \"$STRIA93\" export -q -o \"$o\" ABC || exit; done",
         "bash", dir_.path()});
    QVERIFY(shell.waitForFinished(60000));
    QCOMPARE(shell.readAllStandardError(), QByteArray());
    QCOMPARE(shell.exitCode(), 0);
    QCOMPARE(shell.readAllStandardOutput(),
             QByteArray("bad\xff.png\ntwo\\nlines.png\nv\xe9.svg\nv\xe8.svg\np\xe9.pdf\n"));
    for (const char* name :
         {"/bad\xff.png", "/two\nlines.png", "/v\xe9.svg", "/v\xe8.svg", "/p\xe9.pdf"}) {
        struct stat status {};
        QVERIFY2(::stat((folder + name).constData(), &status) == 0, name);
    }
}

// Refused single pictures: the reason on standard error, control characters shown as text, and
// the old file (if any) kept byte for byte.
void TestExportCli::refusals_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("oldFile"); // made read-only beforehand, when given
    QTest::addColumn<QByteArray>("message");
    const QString longLine(20000, u'A');
    const QByteArray tooWide = "a picture is at most 1,000,000 pixels a side and 1,073,741,824";
    QTest::newRow("png too wide") << QStringList{"-o", "wide.png", longLine} << "" << tooWide;
    QTest::newRow("bmp too wide") << QStringList{"-o", "wide.bmp", longLine} << "" << tooWide;
    QTest::newRow("too many pixels")
        << QStringList{"--dpi", "1200", "--points", "500", "-o", "big.png", "ABCDEFGHIJKLMNOPQRST"}
        << "" << QByteArray("The picture would be ");
    QTest::newRow("control characters in the name")
        << QStringList{"-o", "nope\x1b[2J/x.png", "A"} << ""
        << QByteArray("Cannot create file \"") + QFile::encodeName(dir_.path()) +
               "/nopeU+001B[2J/x.png\". No such file or directory";
    QTest::newRow("read-only picture") << QStringList{"-o", "kept.png", "A"} << "kept.png"
                                       << QByteArray("kept.png\". The file is read-only.");
    QTest::newRow("read-only svg") << QStringList{"-o", "kept.svg", "A"} << "kept.svg"
                                   << QByteArray("kept.svg\". The file is read-only.");
}

void TestExportCli::refusals() {
    QFETCH(QStringList, args);
    QFETCH(QString, oldFile);
    QFETCH(QByteArray, message);
    const QString old = dir_.filePath(oldFile);
    if (!oldFile.isEmpty()) {
        QFile file(old);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    QProcess p;
    p.setWorkingDirectory(dir_.path());
    p.start(qEnvironmentVariable("STRIA93"), QStringList{"export"} + args);
    QVERIFY(p.waitForFinished(60000));
    const QByteArray err = p.readAllStandardError();
    QCOMPARE(p.exitCode(), 1);
    QVERIFY2(err.contains(message), err.constData());
    QVERIFY(!err.contains('\x1b'));
    QCOMPARE(p.readAllStandardOutput(), QByteArray());
    if (!oldFile.isEmpty()) {
        QFile file(old);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("old"));
        QFile::remove(old);
    }
    QCOMPARE(
        QDir(dir_.path()).entryList({"wide.*", "big.*", ".*stria93*"}, QDir::Files | QDir::Hidden),
        QStringList());
}

// Replacing another user's picture (as root) keeps its owner, group and mode.
void TestExportCli::ownerAndModeKept() {
    if (::geteuid() != 0) {
        QSKIP("only root may give a file to another user");
    }
    const QByteArray name = QFile::encodeName(dir_.filePath("theirs.png"));
    QFile file(QString::fromLocal8Bit(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(::chown(name.constData(), 65534, 65534), 0);
    QCOMPARE(::chmod(name.constData(), 0640), 0);
    const Stria93Run r = Stria93({"export", "-o", QString::fromLocal8Bit(name), "A"});
    QCOMPARE(r.exitCode, 0);
    struct stat status {};
    QCOMPARE(::stat(name.constData(), &status), 0);
    QVERIFY(status.st_size > 0);
    QCOMPARE(status.st_mode & 07777, mode_t(0640));
    QCOMPARE(status.st_uid, uid_t(65534));
    QCOMPARE(status.st_gid, gid_t(65534));
}

void TestExportCli::signalsLeaveNoFiles_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

// A batch told to stop removes its unfinished files, has listed every file it put in place, and
// ends with 128 + the signal.
void TestExportCli::signalsLeaveNoFiles() {
    QFETCH(int, signal);
    QTemporaryDir dir;
    QProcess p;
    p.start(qEnvironmentVariable("STRIA93"),
            {"export", "-q", "--dpi", "1200", "-o", dir.filePath("f{n}.png")});
    QVERIFY(p.waitForStarted());
    QByteArray lines;
    for (int i = 1; i <= 2000; ++i) {
        lines += "N-" + QByteArray::number(i) + '\n';
    }
    p.write(lines);
    p.closeWriteChannel();
    QVERIFY(p.waitForReadyRead(30000));
    ::kill(pid_t(p.processId()), signal);
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 128 + signal);
    const QStringList listed =
        QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QStringList present;
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden)) {
        present << dir.filePath(name);
        QVERIFY2(!QImage(dir.filePath(name)).isNull(), qPrintable(name));
    }
    std::sort(present.begin(), present.end());
    QStringList sortedListed = listed;
    std::sort(sortedListed.begin(), sortedListed.end());
    QVERIFY(!listed.isEmpty() && listed.size() < 2000);
    QCOMPARE(present, sortedListed);
}

// What a batch killed outright left (older than a minute, named as this program names them) goes
// at the next batch into that folder; nothing else does.
void TestExportCli::staleFilesRemoved() {
    QTemporaryDir dir;
    const QStringList stale{".old.png.stria93-AbC123"};
    const QStringList kept{".new.png.stria93-XyZ789", ".old.png.tmp-AbC123", ".x.png.stria93-AbC12",
                           "old.png.stria93-AbC123"};
    for (const QString& name : stale + kept) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        if (name != kept.first()) {
            const utimbuf twoMinutesAgo{::time(nullptr) - 120, ::time(nullptr) - 120};
            QCOMPARE(::utime(QFile::encodeName(file.fileName()).constData(), &twoMinutesAgo), 0);
        }
    }
    const Stria93Run r = Stria93({"export", "-o", dir.filePath("f{n}.png"), "A", "B"});
    QCOMPARE(r.exitCode, 0);
    QStringList expected = kept + QStringList{"f1.png", "f2.png"};
    expected.sort();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
}

// Every picture is written with few file handles: the batch waits for one rather than fail.
void TestExportCli::fewFileHandles() {
    QTemporaryDir dir;
    QProcess shell;
    shell.start("bash", {"-c",
                         "ulimit -n 32 && seq -f 'F-%g' 300 | \"$STRIA93\" export -q "
                         "--dpi 300 -o \"$1/f{n}.png\"",
                         "bash", dir.path()});
    QVERIFY(shell.waitForFinished(120000));
    const QByteArray err = shell.readAllStandardError();
    QVERIFY2(err.isEmpty(), err.left(300).constData());
    QCOMPARE(shell.exitCode(), 0);
    QCOMPARE(shell.readAllStandardOutput().count('\n'), 300);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 300);
}

void TestExportCli::helpNamesExport() {
    const Stria93Run r = Stria93({"--help"});
    QVERIFY(r.out.contains("export [--style standard|hr]"));
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    TestExportCli test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_export_cli.moc"
