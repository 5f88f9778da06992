// stria93 verify on printed pages as poppler rasterises them: a label sheet of thirty, bi-level
// at a printer's resolution and smoothed as a scanner sees it, and the sample page's six rows.
#include "encoding/barcode_builder.h"
#include "picture/barcode_fonts.h"
#include "printing/sample_page.h"
#include "tests/stria93_process.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr double ModuleEmOfSizeD = 0.032; // module width of face d per point of size, in em

bool Rasterise(const QString& pdf, const QStringList& options, const QString& picture) {
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   options + QStringList{QStringLiteral("-singlefile"), pdf, picture});
    return pdftoppm.waitForFinished(60000) && pdftoppm.exitCode() == 0;
}

QJsonArray Symbols(const QStringList& args) {
    const Stria93Run run =
        Stria93(QStringList{QStringLiteral("verify"), QStringLiteral("--json")} + args);
    return QJsonDocument::fromJson(run.out).array()[0][QStringLiteral("symbols")].toArray();
}

} // namespace

class TestVerifyPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void labelSheet_data();
    void labelSheet();
    void vectorExport_data();
    void vectorExport();
    void samplePage();

private:
    QTemporaryDir dir_;
};

void TestVerifyPrint::initTestCase() {
    QVERIFY(!qEnvironmentVariable("STRIA93").isEmpty());
    QVERIFY(dir_.isValid());
}

// Thirty labels, found in the order they were filled. Snapped to the printer's dots (300 by
// default, exact at 600 and 1200 too) every label grades A; unsnapped at 203 dpi each bar edge
// rounds to whole dots its own way, and decodability fails.
void TestVerifyPrint::labelSheet_data() {
    QTest::addColumn<QStringList>("sheet");
    QTest::addColumn<QStringList>("rasterise");
    QTest::addColumn<QString>("letter");
    QTest::addColumn<QString>("worst");
    const QStringList printer = {QStringLiteral("-mono"), QStringLiteral("-aa"),
                                 QStringLiteral("no"), QStringLiteral("-aaVector"),
                                 QStringLiteral("no")};
    const auto at = [](int dpi) { return QStringList{QStringLiteral("-r"), QString::number(dpi)}; };
    const QStringList snapped203 = {QStringLiteral("--printer-dpi"), QStringLiteral("203")};
    const QStringList unsnapped = {QStringLiteral("--no-snap")};
    QTest::newRow("scanned at 600 dpi")
        << QStringList() << at(600) + QStringList{QStringLiteral("-gray")} << "A"
        << "";
    QTest::newRow("printed at 300 dpi") << QStringList() << at(300) + printer << "A"
                                        << "";
    QTest::newRow("printed at 600 dpi") << QStringList() << at(600) + printer << "A"
                                        << "";
    QTest::newRow("printed at 1200 dpi") << QStringList() << at(1200) + printer << "A"
                                         << "";
    QTest::newRow("snapped to 203, printed at 203 dpi") << snapped203 << at(203) + printer << "A"
                                                        << "";
    QTest::newRow("unsnapped, printed at 203 dpi") << unsnapped << at(203) + printer << "F"
                                                   << "decodability";
}

void TestVerifyPrint::labelSheet() {
    QFETCH(QStringList, sheet);
    QFETCH(QStringList, rasterise);
    QFETCH(QString, letter);
    QFETCH(QString, worst);
    const QString pdf = dir_.filePath(QStringLiteral("lots.pdf"));
    QByteArray lots;
    for (int i = 1; i <= 30; ++i) {
        lots += QStringLiteral("LOT-%1\n").arg(i, 5, 10, QChar(u'0')).toLatin1();
    }
    QCOMPARE(Stria93(QStringList{QStringLiteral("sheet"), QStringLiteral("--quiet"),
                                 QStringLiteral("--stock"), QStringLiteral("5160"),
                                 QStringLiteral("-o"), pdf} +
                         sheet,
                     lots)
                 .exitCode,
             0);
    const QString picture = dir_.filePath(QStringLiteral("sheet"));
    QVERIFY(Rasterise(pdf, rasterise, picture));
    const QString file = picture + (rasterise.contains(u"-gray") ? ".pgm" : ".pbm");
    const QJsonArray symbols = Symbols({file});
    QCOMPARE(symbols.size(), 30);
    for (int i = 0; i < 30; ++i) {
        const QJsonObject s = symbols[i].toObject();
        QCOMPARE(s[QStringLiteral("data")].toString(),
                 QStringLiteral("LOT-%1").arg(i + 1, 5, 10, QChar(u'0')));
        QCOMPARE(s[QStringLiteral("letter")].toString(), letter);
        if (!worst.isEmpty()) {
            QCOMPARE(s[QStringLiteral("worst")].toString(), worst);
        }
    }
}

// A PDF export printed bi-level at the resolution it was snapped to grades A.
void TestVerifyPrint::vectorExport_data() {
    QTest::addColumn<QStringList>("snap");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("style");
    QTest::newRow("default, 300 dpi") << QStringList() << 300 << "hr";
    QTest::newRow("default, 1200 dpi") << QStringList() << 1200 << "standard";
    for (const int dpi : {203, 600}) {
        QTest::addRow("--printer-dpi %d", dpi)
            << QStringList{QStringLiteral("--printer-dpi"), QString::number(dpi)} << dpi << "hr";
    }
}

void TestVerifyPrint::vectorExport() {
    QFETCH(QStringList, snap);
    QFETCH(int, dpi);
    QFETCH(QString, style);
    const QString pdf = dir_.filePath(QStringLiteral("export.pdf"));
    QCOMPARE(Stria93(QStringList{QStringLiteral("export"), QStringLiteral("--quiet"),
                                 QStringLiteral("--style"), style, QStringLiteral("--points"),
                                 QStringLiteral("18"), QStringLiteral("-o"), pdf,
                                 QStringLiteral("Code 93")} +
                     snap)
                 .exitCode,
             0);
    const QString picture = dir_.filePath(QStringLiteral("export"));
    QVERIFY(Rasterise(pdf,
                      {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-mono"),
                       QStringLiteral("-aa"), QStringLiteral("no"), QStringLiteral("-aaVector"),
                       QStringLiteral("no")},
                      picture));
    const QJsonArray symbols = Symbols({picture + QStringLiteral(".pbm")});
    QCOMPARE(symbols.size(), 1);
    QCOMPARE(symbols[0][QStringLiteral("data")].toString(), QStringLiteral("Code 93"));
    QCOMPARE(symbols[0][QStringLiteral("letter")].toString(), QStringLiteral("A"));
}

// The sample page printed to PDF and scanned at 600 dpi: six symbols top to bottom, each X the
// module of its point size.
void TestVerifyPrint::samplePage() {
    QCOMPARE(LoadBarcodeFonts().error(), QString());
    constexpr int dpi = 600;
    const QString pdf = dir_.filePath(QStringLiteral("sample.pdf"));
    const auto barcode = std::get<code93::Barcode>(code93::BuildBarcode(u"Ab-93"));
    const QString string = QString::fromStdU16String(barcode.barcodeString);
    {
        QPdfWriter writer(pdf);
        writer.setResolution(dpi);
        QPainter painter(&writer);
        printing::DrawSamplePage(painter, dpi, dpi,
                                 {string, string, QStringLiteral("Sample 93 d HR"), false, false});
    }
    const QString picture = dir_.filePath(QStringLiteral("sample"));
    QVERIFY(Rasterise(pdf, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray")},
                      picture));
    const QJsonArray symbols =
        Symbols({QStringLiteral("--dpi"), QString::number(dpi), picture + QStringLiteral(".pgm")});
    QCOMPARE(symbols.size(), printing::SizeCount);
    for (int i = 0; i < printing::SizeCount; ++i) {
        const QJsonObject s = symbols[i].toObject();
        QCOMPARE(s[QStringLiteral("data")].toString(), QStringLiteral("Ab-93"));
        const double mils = ModuleEmOfSizeD * printing::SizePoints(i) / 72 * 1000;
        QVERIFY2(qAbs(s[QStringLiteral("moduleWidthMils")].toDouble() - mils) < 0.03 * mils,
                 qPrintable(QStringLiteral("%1 points: X %2 mil, not %3")
                                .arg(printing::SizePoints(i))
                                .arg(s[QStringLiteral("moduleWidthMils")].toDouble())
                                .arg(mils)));
    }
}

QTEST_MAIN(TestVerifyPrint)
#include "test_verify_print.moc"
