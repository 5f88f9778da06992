// stria93 export run as a process: what it writes scans, names, batches and refusals.
#include "barcode_decoders.h"
#include "stria93_process.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

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
    QTest::newRow("defaults") << QStringList{} << "png";
    QTest::newRow("standard a 300 bmp")
        << QStringList{"--style", "standard", "--size", "a", "--dpi", "300"} << "bmp";
    QTest::newRow("hr f 1200 gif") << QStringList{"--size=f", "--dpi=1200"} << "gif";
    QTest::newRow("hr c 900 jpg, 30 points")
        << QStringList{"--size", "c", "--dpi", "900", "--points", "30"} << "jpg";
    QTest::newRow("standard e 600 png by --format")
        << QStringList{"--style", "standard", "--size", "e", "--format", "png"} << "png";
}

void TestExportCli::scans() {
    QFETCH(QStringList, options);
    QFETCH(QString, extension);
    const QString name = dir_.filePath("hello." + extension);
    const Stria93Run r =
        Stria93(QStringList{"export"} + options + QStringList{"-o", name, "Hello, World!"});
    QCOMPARE(r.err, QByteArray());
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
    const Stria93Run r = Stria93({"export", "-o", pattern}, "ABC123\n\nTEST 1\n");
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err, QByteArray("line 2: Error:- no input data\n"));
    QCOMPARE(r.out,
             (dir_.filePath("batch1.png") + "\n" + dir_.filePath("batch3.png") + "\n").toUtf8());
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
}

void TestExportCli::usageErrors() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, message);
    const Stria93Run r = Stria93(args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(message), r.err.constData());
    QCOMPARE(r.out, QByteArray());
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
