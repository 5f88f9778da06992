// Sample: the refusals, the print dialog, and the printed page read back from a PDF: every
// text at its row and column, the barcode runs in the barcode face and scanning to the data.
#include "picture/barcode_fonts.h"
#include "printing/sample_page.h"
#include "tests/barcode_decoders.h"
#include "tests/window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImageReader>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextEdit>

namespace {

struct Word {
    QString text;
    QPointF topLeft; // device pixels from the top left of the printable area
};

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The words pdftotext finds on the page, converted from PDF points to device pixels.
QList<Word> Words(const QString& pdf, int dpi, QPointF printableOffset) {
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re"));
    QList<Word> words;
    for (const auto& m : word.globalMatch(Run(
             QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}))) {
        const QPointF points(m.captured(1).toDouble(), m.captured(2).toDouble());
        words.append({m.captured(3), points * dpi / 72.0 - printableOffset});
    }
    return words;
}

// The words standing on the row from the column on, joined by single spaces; empty unless the
// first of them starts at the column.
QString TextAt(const QList<Word>& words, const printing::PageGrid& grid, int row, int column) {
    const double tolerance = grid.rowPitch / 4.0;
    QList<Word> onRow;
    for (const Word& w : words) {
        if (qAbs(w.topLeft.y() - grid.top(row)) < tolerance && w.topLeft.x() > column - tolerance) {
            onRow.append(w);
        }
    }
    std::sort(onRow.begin(), onRow.end(),
              [](const Word& a, const Word& b) { return a.topLeft.x() < b.topLeft.x(); });
    if (onRow.isEmpty() || qAbs(onRow.first().topLeft.x() - column) > tolerance) {
        return {};
    }
    QStringList texts;
    for (const Word& w : onRow) {
        texts << w.text;
    }
    return texts.join(QLatin1Char(' '));
}

// Row pitch and column unit by resolution, worked out by hand.
const QMap<int, printing::PageGrid> Grids = {{300, {59, 30}}, {600, {119, 60}}, {203, {40, 20}}};

using Items = QList<std::tuple<int, bool, QString>>; // row, barcode column, text

Items HeaderItems() {
    return {{2, false, QStringLiteral("Quorin Font")},
            {4, false, QStringLiteral("93 Harbour Lane, Millbrook, ST 01093")},
            {5, false, QStringLiteral("Phone +1 555 0193 Fax +1 555 0194")},
            {6, false, QStringLiteral("www.quorinfont.example")},
            {11, false, QStringLiteral("Full ASCII decoding is an automatic function")},
            {12, false, QStringLiteral("supports the characters A-Z, 0-9, space, and $%+-./")},
            {13, false, QStringLiteral("using pairs of letters starting with one of the 4")},
            {14, false, QStringLiteral("will automatically do this for you if you type")}};
}

void CheckItems(const QList<Word>& words, const printing::PageGrid& grid, const Items& items) {
    for (const auto& [row, barcode, text] : items) {
        const int column = barcode ? grid.barcodeColumn() : grid.textColumn();
        const QString found = TextAt(words, grid, row, column);
        QVERIFY2(found.startsWith(text),
                 qPrintable(QStringLiteral("row %1 column %2: \"%3\", expected \"%4\"")
                                .arg(row)
                                .arg(column)
                                .arg(found, text)));
    }
}

QPointF PrintableOffset(QPrinter& printer) {
    return printer.pageRect(QPrinter::DevicePixel).topLeft() -
           printer.paperRect(QPrinter::DevicePixel).topLeft();
}

struct SampleFixture : WindowFixture {
    QTemporaryDir output;
    QString pdf = output.filePath(QStringLiteral("sample.pdf"));

    SampleFixture() { startUp(); }

    void make(const QString& data, bool sums = false) {
        window->DispSums->setChecked(sums);
        window->BarTextInput->setText(data);
        window->MakeButtonClick->click();
        QVERIFY(window->made());
    }

    // Clicks Sample with the print dialog confirmed on a PDF printer.
    QPrinter& print(int dpi, const QString& file) {
        QPrinter& printer = window->PrintDialog1();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setResolution(dpi);
        desktop.answerPrintDialog(true);
        window->PrintButtonClick->click();
        return printer;
    }
};

} // namespace

class TestSamplePage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cancelled();
    void unwritable();
    void page_data();
    void page();
    void scans_data();
    void scans();
    void grid_data();
    void grid();
    void smallPaper_data();
    void smallPaper();
};

void TestSamplePage::initTestCase() {
    QCOMPARE(LoadBarcodeFonts().error(), QString());
    // A whole page at 600 dpi is larger than Qt reads by default.
    QImageReader::setAllocationLimit(512);
}

void TestSamplePage::cancelled() {
    SampleFixture fixture;
    TStriaInput& window = *fixture.window;
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    fixture.make(QStringLiteral("ABC123"));
    window.PrintDialog1().setOutputFileName(fixture.pdf);
    window.PointSize->setFocus();
    fixture.desktop.clear();
    window.PrintButtonClick->click();
    QCOMPARE(fixture.desktop.requests(),
             QList<platform::Request>({{platform::RequestKind::PrintDialog, {}}}));
    QVERIFY(!QFile::exists(fixture.pdf));
    QVERIFY(window.made());
    QCOMPARE(window.BarTextOut->text(), QStringLiteral("(ABC123W9)"));
    QCOMPARE(QApplication::focusWidget(), window.BarTextInput);
}

void TestSamplePage::unwritable() {
    SampleFixture fixture;
    fixture.make(QStringLiteral("ABC123"));
    const QString file = fixture.output.filePath(QStringLiteral("missing/sample.pdf"));
    fixture.desktop.clear();
    fixture.print(300, file);
    const QList<platform::Request> errors =
        fixture.desktop.requestsOf(platform::RequestKind::ErrorDialog);
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.first().arguments,
             QStringList({QStringLiteral("The sample page could not be written to \"%1\".")
                              .arg(QDir::toNativeSeparators(file))}));
}

void TestSamplePage::page_data() {
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("option"); // clicked after the Make
    QTest::addColumn<bool>("sums");
    QTest::addColumn<QString>("face");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("300 dpi, size D")
        << 300 << "SizeD" << false << "Sample 93 d HR" << QList<int>{19, 21, 23, 26, 29, 33};
    QTest::newRow("600 dpi, size A, sums")
        << 600 << "SizeA" << true << "Sample 93 a HR" << QList<int>{19, 21, 23, 26, 29, 33};
    QTest::newRow("300 dpi, size E")
        << 300 << "SizeE" << false << "Sample 93 e HR" << QList<int>{19, 22, 25, 29, 33, 38};
    QTest::newRow("600 dpi, standard")
        << 600 << "RadioButton1" << false << "Sample 93 d" << QList<int>{19, 21, 23, 26, 29, 33};
    QTest::newRow("300 dpi, size F")
        << 300 << "SizeF" << true << "Sample 93 f HR" << QList<int>{19, 23, 27, 32, 37, 43};
}

void TestSamplePage::page() {
    QFETCH(int, dpi);
    QFETCH(QString, option);
    QFETCH(bool, sums);
    QFETCH(QString, face);
    QFETCH(QList<int>, rows);
    SampleFixture fixture;
    TStriaInput& window = *fixture.window;
    fixture.make(QStringLiteral("ABC123"), sums);
    window.findChild<QRadioButton*>(option)->click();
    QPrinter& printer = fixture.print(dpi, fixture.pdf);
    QVERIFY(fixture.desktop.requestsOf(platform::RequestKind::ErrorDialog).isEmpty());
    QVERIFY(printer.docName().isEmpty());

    const printing::PageGrid grid = Grids[dpi];
    Items items = HeaderItems();
    items.append({16, false,
                  (QStringLiteral("Bar code 93 data: ") + window.BarTextOut->text()).simplified()});
    items.append({17, false, QStringLiteral("Bar code 93 font: ") + face});
    for (int i = 0; i < rows.size(); ++i) {
        items.append({rows[i], false, QStringLiteral("%1 points:").arg(printing::SizePoints(i))});
        // Only the start of the barcode: the HR faces draw check characters with alternate
        // glyphs, which have no character of their own for the PDF's text layer.
        items.append({rows[i], true, QStringLiteral("(ABC123")});
    }
    CheckItems(Words(fixture.pdf, dpi, PrintableOffset(printer)), grid, items);
    if (sums) {
        QVERIFY(window.BarTextOut->text().contains(QStringLiteral("CSum:")));
    }
    const QString postscript = QString(face).remove(QLatin1Char(' ')) + QStringLiteral("-Regular");
    QVERIFY(Run(QStringLiteral("pdffonts"), {fixture.pdf}).contains(postscript));
}

void TestSamplePage::scans_data() {
    QTest::addColumn<QString>("option");
    QTest::newRow("size A") << "SizeA";
    QTest::newRow("size D") << "SizeD";
    QTest::newRow("size F") << "SizeF";
}

void TestSamplePage::scans() {
    QFETCH(QString, option);
    constexpr int dpi = 600;
    // Short enough that size A at 36 points stays on the page; "b" takes a Full ASCII pair.
    const QString data = QStringLiteral("Ab-93");
    SampleFixture fixture;
    fixture.window->findChild<QRadioButton*>(option)->click();
    fixture.make(data);
    QPrinter& printer = fixture.print(dpi, fixture.pdf);
    const QString picture = fixture.output.filePath(QStringLiteral("page"));
    Run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
         QStringLiteral("-singlefile"), fixture.pdf, picture});
    const QImage page(picture + QStringLiteral(".pgm"));
    QVERIFY(!page.isNull());

    const QPoint offset = PrintableOffset(printer).toPoint();
    const printing::PageGrid grid = Grids[dpi];
    const auto rows = printing::SizeRows(option == "SizeE", option == "SizeF");
    for (int i = 0; i < printing::SizeCount; ++i) {
        const int bottom = i + 1 < printing::SizeCount ? rows[i + 1] : rows[i] + 6;
        const QRect band(offset + QPoint(grid.barcodeColumn() - grid.columnUnit, grid.top(rows[i])),
                         QPoint(page.width() - 1, offset.y() + grid.top(bottom)));
        QVERIFY2(decoders::ReadWithZbar(page.copy(band)) == QStringList{data},
                 qPrintable(QStringLiteral("%1 points").arg(printing::SizePoints(i))));
    }
}

// Paper whose printable area cannot hold the page is named before printing, with the choice to
// print anyway; Letter and A4 print as they always did.
void TestSamplePage::smallPaper_data() {
    QTest::addColumn<QPageSize>("paper");
    QTest::addColumn<bool>("warned");
    QTest::addColumn<bool>("printAnyway");
    const QPageSize label(QSizeF(4, 5), QPageSize::Inch);
    QTest::newRow("Letter") << QPageSize(QPageSize::Letter) << false << false;
    QTest::newRow("A4") << QPageSize(QPageSize::A4) << false << false;
    QTest::newRow("4 x 5 in, cancelled") << label << true << false;
    QTest::newRow("4 x 5 in, printed anyway") << label << true << true;
}

void TestSamplePage::smallPaper() {
    QFETCH(QPageSize, paper);
    QFETCH(bool, warned);
    QFETCH(bool, printAnyway);
    SampleFixture fixture;
    fixture.make(QStringLiteral("ABC123"));
    fixture.window->PrintDialog1().setPageSize(paper);
    fixture.desktop.answerWarningChoice(printAnyway);
    fixture.desktop.clear();
    fixture.print(203, fixture.pdf);
    const QList<platform::Request> choices =
        fixture.desktop.requestsOf(platform::RequestKind::WarningChoice);
    QCOMPARE(choices.size(), warned ? 1 : 0);
    if (warned) {
        QVERIFY2(choices[0].arguments[0].contains(
                     QStringLiteral("printable area of this paper is 3.7 x 4.7 inches")),
                 qPrintable(choices[0].arguments[0]));
        QCOMPARE(choices[0].arguments[1], QStringLiteral("Print anyway"));
    }
    QCOMPARE(QFile::exists(fixture.pdf), !warned || printAnyway);
}

void TestSamplePage::grid_data() {
    QTest::addColumn<int>("dpi");
    for (const int dpi : Grids.keys()) {
        QTest::addRow("%d dpi", dpi) << dpi;
    }
}

// The page on a PDF writer with no margins, placed by the same grid as on a printer.
void TestSamplePage::grid() {
    QFETCH(int, dpi);
    const printing::PageGrid grid = Grids[dpi];
    QCOMPARE(printing::GridFor(12, dpi, dpi).rowPitch, grid.rowPitch);
    QCOMPARE(printing::GridFor(12, dpi, dpi).columnUnit, grid.columnUnit);

    QTemporaryDir output;
    const QString pdf = output.filePath(QStringLiteral("page.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setResolution(dpi);
        writer.setPageMargins(QMarginsF());
        QPainter painter(&writer);
        printing::DrawSamplePage(painter, dpi, dpi,
                                 {QStringLiteral("(X)"), QStringLiteral("(X)"),
                                  QStringLiteral("Sample 93 c"), false, false});
    }
    Items items = HeaderItems();
    items.append({17, false, QStringLiteral("Bar code 93 font: Sample 93 c")});
    items.append({33, false, QStringLiteral("36 points: (X)")});
    CheckItems(Words(pdf, dpi, QPointF()), grid, items);
}

QTEST_MAIN(TestSamplePage)
#include "test_sample_page.moc"
