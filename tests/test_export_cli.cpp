// stria93 export run as a process: what it writes scans, names, batches and refusals.
#include "barcode_decoders.h"
#include "stria93_process.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

class TestExportCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void scans_data();
    void scans();
    void fileNameRule();
    void batchFromStandardInput();
    void usageErrors_data();
    void usageErrors();
    void namesKeepTheirBytes();
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
    QTest::newRow("bad points") << QStringList{"export", "--points", "2x", "-o", "x.png", "A"}
                                << QByteArray("'2x' is not a valid integer value");
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
    shell.start("bash", {"-c",
                         "cd \"$1\" && \"$STRIA93\" export -o $'bad\\xff.png' ABC && "
                         "\"$STRIA93\" export -o $'two\\nlines.png' ABC",
                         "bash", dir_.path()});
    QVERIFY(shell.waitForFinished(60000));
    QCOMPARE(shell.readAllStandardError(), QByteArray());
    QCOMPARE(shell.exitCode(), 0);
    QCOMPARE(shell.readAllStandardOutput(), QByteArray("bad\xff.png\ntwo\\nlines.png\n"));
    struct stat status {};
    QCOMPARE(::stat((folder + "/bad\xff.png").constData(), &status), 0);
    QCOMPARE(::stat((folder + "/two\nlines.png").constData(), &status), 0);
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
