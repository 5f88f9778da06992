// The maker's addresses, the lookup of the two manuals (current folder first, then the
// documentation folder, else the bare name) and how the desktop is asked to open them, with a
// fake xdg-open and xdg-mime that log their calls.
#include "files/install_paths.h"
#include "links/help_files.h"
#include "links/vendor_links.h"
#include "platform/desktop_opener.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>

namespace {

// A script in folder that logs its name and arguments to log and ends with the given output.
void FakeProgram(const QString& folder, const QString& name, const QString& log,
                 const QString& ending) {
    QFile script(QDir(folder).filePath(name));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(
        QStringLiteral("#!/bin/sh\necho \"%1 $*\" >> '%2'\n%3\n").arg(name, log, ending).toUtf8());
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
}

QStringList LogLines(const QString& log) {
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestLinks : public QObject {
    Q_OBJECT
private slots:
    void updateCheckPage_data();
    void updateCheckPage();
    void symbologyPage();
    void manualLookup_data();
    void manualLookup();
    void desktopOpens_data();
    void desktopOpens();
};

// The page is read back as a web server reads it: on the site, file/update.php, and the one
// query item v=<code>-<version>, whatever characters the two hold.
void TestLinks::updateCheckPage_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("version");
    QTest::newRow("this product") << QString::fromLatin1(vendor::ProductCode) << "7.0";
    QTest::newRow("another version") << "AB12CD34"
                                     << "10.2";
    QTest::newRow("characters a query escapes") << "A&B=C D"
                                                << "1+1#2";
}

void TestLinks::updateCheckPage() {
    QFETCH(QString, code);
    QFETCH(QString, version);
    const QUrl page =
        QUrl(vendor::UpdateCheckPage(code, version).toString(QUrl::FullyEncoded), QUrl::StrictMode);
    QVERIFY(page.isValid());
    QCOMPARE(page.scheme(), QStringLiteral("https"));
    QCOMPARE(page.host(), vendor::Site().host());
    QCOMPARE(page.path(), vendor::Site().path() + QStringLiteral("file/update.php"));
    const QUrlQuery query(page);
    QCOMPARE(query.queryItems(QUrl::FullyDecoded),
             (QList<QPair<QString, QString>>{{QStringLiteral("v"), code + u'-' + version}}));
    QVERIFY(page.toString().size() <= 255);
    QCOMPARE(QUrlQuery(vendor::UpdateCheckPage()).queryItemValue(QStringLiteral("v")),
             QStringLiteral("QFSTRI93-" STRIA_VERSION));
}

// The pages are on the maker's site, which the main window shows by its host name.
void TestLinks::symbologyPage() {
    QCOMPARE(vendor::Site().scheme(), QStringLiteral("https"));
    QCOMPARE(vendor::SymbologyPage().host(), vendor::Site().host());
    QCOMPARE(vendor::SymbologyPage().path(), vendor::Site().path() + QStringLiteral("stria.htm"));
    QCOMPARE(vendor::SiteText(), vendor::Site().host());
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
    QVERIFY(QFileInfo(helpfiles::HtmlManualIndex()).isFile());
}

void TestLinks::desktopOpens_data() {
    QTest::addColumn<QString>("document");  // in the test's folder unless an address
    QTest::addColumn<QString>("chmViewer"); // what xdg-mime names for .chm files
    QTest::addColumn<int>("xdgOpenExit");   // -1: there is no xdg-open
    QTest::addColumn<QStringList>("calls"); // "{dir}" is the test's folder
    QTest::addColumn<QStringList>("reportHas");

    const QString askChm = "xdg-mime query default application/vnd.ms-htmlhelp";
    QTest::newRow("help, no CHM viewer: the HTML pages")
        << "stria.chm"
        << "" << 0 << QStringList{askChm, "xdg-open {dir}/html/index.html"} << QStringList{};
    QTest::newRow("help, xdg-mime hangs: the HTML pages after a second")
        << "stria.chm"
        << "xchm.desktop; /bin/sleep 30" << 0
        << QStringList{askChm, "xdg-open {dir}/html/index.html"} << QStringList{};
    QTest::newRow("help file missing: the HTML pages")
        << "gone.chm"
        << "xchm.desktop" << 0 << QStringList{"xdg-open {dir}/html/index.html"} << QStringList{};
    QTest::newRow("help with a CHM viewer")
        << "stria.chm"
        << "xchm.desktop" << 0 << QStringList{askChm, "xdg-open {dir}/stria.chm"} << QStringList{};
    QTest::newRow("help, no browser either")
        << "stria.chm"
        << "" << 3 << QStringList{askChm, "xdg-open {dir}/html/index.html"}
        << QStringList{"\"{dir}/stria.chm\" could not be opened", "web browser", "CHM viewer"};
    QTest::newRow("template, no word processor")
        << "lz161.rtf"
        << "" << 3 << QStringList{"xdg-open {dir}/lz161.rtf"}
        << QStringList{"\"{dir}/lz161.rtf\"", "word processor, such as LibreOffice Writer"};
    QTest::newRow("manual PDF, xdg-open fails")
        << "Strias.pdf"
        << "" << 4 << QStringList{"xdg-open {dir}/Strias.pdf"}
        << QStringList{"\"{dir}/Strias.pdf\"", "PDF viewer"};
    QTest::newRow("web page")
        << "https://www.quorinfont.example/stria.htm?a=b%20c"
        << "" << 0 << QStringList{"xdg-open https://www.quorinfont.example/stria.htm?a=b%20c"}
        << QStringList{};
    QTest::newRow("no xdg-open") << "lz161.rtf"
                                 << "" << -1 << QStringList{}
                                 << QStringList{"{dir}/lz161.rtf", "xdg-utils"};
    QTest::newRow("file missing") << "gone.pdf"
                                  << "" << 0 << QStringList{}
                                  << QStringList{"{dir}/gone.pdf", "re-install"};
}

void TestLinks::desktopOpens() {
    QFETCH(QString, document);
    QFETCH(QString, chmViewer);
    QFETCH(int, xdgOpenExit);
    QFETCH(QStringList, calls);
    QFETCH(QStringList, reportHas);

    QTemporaryDir dir;
    const QString bin = dir.filePath("bin");
    const QString log = dir.filePath("calls.log");
    QVERIFY(QDir(dir.path()).mkpath("bin") && QDir(dir.path()).mkpath("html"));
    for (const QString name : {"stria.chm", "lz161.rtf", "Strias.pdf", "html/index.html"}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    FakeProgram(bin, "xdg-mime", log, "echo " + chmViewer);
    if (xdgOpenExit >= 0) {
        FakeProgram(bin, "xdg-open", log, QStringLiteral("exit %1").arg(xdgOpenExit));
    }
    // Only the fakes: a real xdg-open on this machine must not be found.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.toLocal8Bit());

    platform::DesktopOpener opener;
    opener.setHtmlHelp(dir.filePath("html/index.html"));
    QSignalSpy failed(&opener, &platform::DesktopOpener::failed);
    QSignalSpy finished(&opener, &platform::DesktopOpener::finished);
    const QUrl target =
        document.contains(':') ? QUrl(document) : QUrl::fromLocalFile(dir.filePath(document));
    QElapsedTimer clock;
    clock.start();
    opener.open(target);
    // The window waits for xdg-mime a second at most.
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!finished.isEmpty() || finished.wait(10000));
    qputenv("PATH", path);

    QCOMPARE(finished.size(), 1);
    calls.replaceInStrings("{dir}", dir.path());
    QCOMPARE(LogLines(log), calls);
    QCOMPARE(failed.size(), reportHas.isEmpty() ? 0 : 1);
    for (QString part : reportHas) {
        part.replace("{dir}", dir.path());
        QVERIFY2(failed.constFirst().constFirst().toString().contains(part),
                 qPrintable(failed.constFirst().constFirst().toString()));
    }
}

QTEST_GUILESS_MAIN(TestLinks)
#include "test_links.moc"
