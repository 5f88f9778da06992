// The help manual: its pages, contents, index and links agree, and the build made both manuals.
#include "docs/tools/manual_pages.h"
#include "files/install_paths.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString ManualDir = QStringLiteral(STRIA_MANUAL_DIR);

QString Read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

QStringList ContentsFiles() {
    QStringList files;
    for (const manual::Page& page : manual::PagesFromContents(Read(ManualDir + "/stria.hhc"))) {
        files.append(page.file);
    }
    return files;
}

// The [FILES] section of the help project.
QStringList ProjectFiles() {
    const QString project = Read(ManualDir + "/stria.hhp");
    const qsizetype start = project.indexOf(QStringLiteral("[FILES]"));
    QStringList files;
    const QStringList lines = project.mid(start + 7).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1Char('['))) {
            break;
        }
        if (!line.trimmed().isEmpty()) {
            files.append(line.trimmed());
        }
    }
    return files;
}

} // namespace

class TestManual : public QObject {
    Q_OBJECT
private slots:
    void contentsListsEveryPageOnce();
    void linksAndIndexReachOnlyKnownPages();
    void picturesAreTheWindowShots();
    void printableBody_data();
    void printableBody();
    void buildMadeBothManuals();
};

void TestManual::contentsListsEveryPageOnce() {
    const QStringList contents = ContentsFiles();
    QVERIFY(contents.size() >= 10);
    QCOMPARE(contents.front(), QStringLiteral("index.html"));
    QCOMPARE(QSet<QString>(contents.begin(), contents.end()).size(), contents.size());

    QStringList onDisk = QDir(ManualDir).entryList({"*.html"}, QDir::Files);
    QStringList sorted = contents;
    onDisk.sort();
    sorted.sort();
    QCOMPARE(sorted, onDisk);

    const QStringList project = ProjectFiles();
    for (const QString& page : contents) {
        QVERIFY2(project.contains(page), qPrintable(page));
    }
    for (const manual::Page& page : manual::PagesFromContents(Read(ManualDir + "/stria.hhc"))) {
        QVERIFY2(!page.title.isEmpty(), qPrintable(page.file));
        // The window title of the help viewer is the page's own title.
        QVERIFY2(Read(ManualDir + "/" + page.file).contains("<title>"), qPrintable(page.file));
    }
}

void TestManual::linksAndIndexReachOnlyKnownPages() {
    const QStringList contents = ContentsFiles();
    for (const QString& page : contents) {
        for (const QString& target : manual::LinkedPages(Read(ManualDir + "/" + page))) {
            QVERIFY2(contents.contains(target), qPrintable(page + " -> " + target));
        }
    }
    const QList<manual::Page> index = manual::PagesFromContents(Read(ManualDir + "/stria.hhk"));
    QVERIFY(index.size() >= 20);
    for (const manual::Page& entry : index) {
        QVERIFY2(contents.contains(entry.file), qPrintable(entry.title));
    }
}

void TestManual::picturesAreTheWindowShots() {
    // The shots are taken from the program at build time, so the pages may name only those.
    const QStringList shots = {"images/main_window.png",  "images/clipboard_note.png",
                               "images/tip_window.png",   "images/about_box.png",
                               "images/label_dialog.png", "images/export_dialog.png"};
    QStringList shown;
    for (const QString& page : ContentsFiles()) {
        for (const QString& picture : manual::Pictures(Read(ManualDir + "/" + page))) {
            QVERIFY2(shots.contains(picture), qPrintable(page + ": " + picture));
            shown.append(picture);
        }
    }
    QVERIFY(shown.contains("images/main_window.png"));
}

void TestManual::printableBody_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("printed");
    QTest::newRow("body only, new sheet")
        << "<html><head><title>T</title></head><body><h1>Copy</h1><p>x</p></body></html>"
        << "<h1 style=\"page-break-before: always\">Copy</h1><p>x</p>";
    QTest::newRow("page link keeps its words")
        << "<body><p>see <a href=\"labels.html\">Printing\nlabels</a>.</p></body>"
        << "<p>see <i>Printing\nlabels</i>.</p>";
    QTest::newRow("web link stays")
        << "<body><a href=\"https://www.quorinfont.example/stria.htm\">site</a></body>"
        << "<a href=\"https://www.quorinfont.example/stria.htm\">site</a>";
}

void TestManual::printableBody() {
    QFETCH(QString, page);
    QFETCH(QString, printed);
    QCOMPARE(manual::PrintableBody(page), printed);
}

void TestManual::buildMadeBothManuals() {
    const QString docs = installpaths::DocDirectory();
    QFile chm(docs + "/stria.chm");
    QVERIFY2(chm.open(QIODevice::ReadOnly), qPrintable(chm.fileName()));
    QCOMPARE(chm.read(4), QByteArray("ITSF"));

    QFile pdf(docs + "/Strias.pdf");
    QVERIFY2(pdf.open(QIODevice::ReadOnly), qPrintable(pdf.fileName()));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    // A title sheet and at least one sheet per page of the contents.
    const qsizetype sheets =
        QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")));
    QVERIFY2(sheets > ContentsFiles().size(), qPrintable(QString::number(sheets)));
}

QTEST_GUILESS_MAIN(TestManual)
#include "test_manual.moc"
