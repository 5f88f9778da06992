// The maker's addresses and the lookup of the two manuals: current folder first, then the
// documentation folder, else the bare name for the desktop to report.
#include "help_files.h"
#include "install_paths.h"
#include "vendor_links.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestLinks : public QObject {
    Q_OBJECT
private slots:
    void updateCheckPage_data();
    void updateCheckPage();
    void symbologyPage();
    void manualLookup_data();
    void manualLookup();
};

void TestLinks::updateCheckPage_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("address");
    QTest::newRow("this product")
        << QString::fromLatin1(vendor::ProductCode) << "7.0"
        << "https://www.quorinfont.example/file/update.php?v=QFSTRI93-7.0";
    QTest::newRow("another version")
        << "AB12CD34"
        << "10.2"
        << "https://www.quorinfont.example/file/update.php?v=AB12CD34-10.2";
}

void TestLinks::updateCheckPage() {
    QFETCH(QString, code);
    QFETCH(QString, version);
    QFETCH(QString, address);
    const QUrl page = vendor::UpdateCheckPage(code, version);
    QCOMPARE(page.toString(QUrl::FullyEncoded), address);
    QVERIFY(page.toString().size() <= 255);
    QVERIFY(vendor::UpdateCheckPage().toString().endsWith("QFSTRI93-" STRIA_VERSION));
}

void TestLinks::symbologyPage() {
    QCOMPARE(vendor::SymbologyPage().toString(),
             QStringLiteral("https://www.quorinfont.example/stria.htm"));
    QVERIFY(vendor::Site().toString().contains(vendor::SiteText()));
}

void TestLinks::manualLookup_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("help manual") << QString::fromLatin1(helpfiles::HelpManual);
    QTest::newRow("pdf manual") << QString::fromLatin1(helpfiles::PdfManual);
}

void TestLinks::manualLookup() {
    QFETCH(QString, name);
    QTemporaryDir here;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(here.path()));

    // The build made both manuals in the build tree's doc folder, which this test runs from.
    const QString installed = QDir(installpaths::DocDirectory()).filePath(name);
    QCOMPARE(helpfiles::Locate(name), QFileInfo(installed).absoluteFilePath());

    QFile local(QDir(here.path()).filePath(name));
    QVERIFY(local.open(QIODevice::WriteOnly));
    local.close();
    QCOMPARE(helpfiles::Locate(name), QFileInfo(local).absoluteFilePath());

    QCOMPARE(helpfiles::Locate("no-such-manual.pdf"), QStringLiteral("no-such-manual.pdf"));
    QDir::setCurrent(previous);
}

QTEST_GUILESS_MAIN(TestLinks)
#include "test_links.moc"
