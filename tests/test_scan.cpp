// Every face at every resolution and in every format exports a picture that two independent
// barcode readers decode to exactly the data that was typed.
#include "cli/output_text.h"
#include "encoding/code93.h"
#include "picture/barcode_fonts.h"
#include "picture/barcode_picture.h"
#include "picture/picture_writer.h"
#include "tests/barcode_decoders.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using picture::PictureFormat;

Q_DECLARE_METATYPE(PictureFormat)

namespace {

struct Sample {
    const char* name;
    QString typed;    // as typed into the data box, markers included
    QString expected; // what a scanner returns
};

QList<Sample> Samples() {
    const QString markers = QStringLiteral("AB") + QChar(0xAA) + u'I' + u'C' + QChar(0xA9) + u'A' +
                            u'D'; // $I (tab) and %A (escape)
    return {
        {"ABC123", "ABC123", "ABC123"},
        {"Code 93", "Code 93", "Code 93"},
        {"TEST 1", "TEST 1", "TEST 1"},
        {"40 mixed", "Order 4711-B/x: qty=12; ship@Dock #3 ok!",
         "Order 4711-B/x: qty=12; ship@Dock #3 ok!"},
        {"markers", markers, QStringLiteral("AB\tC\x1B") + u'D'},
    };
}

} // namespace

class TestScan : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void scans_data();
    void scans();
    void largestUsualExportScans();

private:
    void Check(const QString& face, int dpi, const QString& points, const QString& typed,
               const QString& expected, PictureFormat format, bool exact = false,
               int reduction = 0);
    QTemporaryDir dir_;
};

void TestScan::initTestCase() {
    const Result<> fonts = LoadBarcodeFonts();
    QVERIFY2(fonts, qPrintable(fonts.error()));
    QVERIFY(dir_.isValid());
    // The largest pictures pass the reader's default limit of 128 MB of 32-bit pixels.
    QImageReader::setAllocationLimit(1024);
}

void TestScan::scans_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<PictureFormat>("format");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<int>("reduction");
    const struct {
        PictureFormat format;
        const char* name;
    } otherFormats[] = {
        {PictureFormat::Bmp, "bmp"}, {PictureFormat::Gif, "gif"}, {PictureFormat::Jpeg, "jpg"}};
    for (const QString& face : BarcodeFamilies()) {
        for (const Sample& sample : Samples()) {
            for (int dpi : {300, 600, 900, 1200}) {
                QTest::addRow("%s, %d dpi, png, %s", qPrintable(face), dpi, sample.name)
                    << face << dpi << PictureFormat::Png << sample.typed << sample.expected << false
                    << 0;
            }
            for (const auto& other : otherFormats) {
                QTest::addRow("%s, 600 dpi, %s, %s", qPrintable(face), other.name, sample.name)
                    << face << 600 << other.format << sample.typed << sample.expected << false << 0;
            }
        }
        const Sample mixed = Samples()[3];
        for (const auto& [format, name] :
             {std::pair{PictureFormat::Png, "png"}, std::pair{PictureFormat::Bmp, "bmp"}}) {
            QTest::addRow("%s, 600 dpi, %s, exact", qPrintable(face), name)
                << face << 600 << format << mixed.typed << mixed.expected << true << 0;
        }
        QTest::addRow("%s, 600 dpi, png, exact, bars 1 pixel narrower", qPrintable(face))
            << face << 600 << PictureFormat::Png << mixed.typed << mixed.expected << true << 1;
    }
}

void TestScan::scans() {
    QFETCH(QString, face);
    QFETCH(int, dpi);
    QFETCH(PictureFormat, format);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(bool, exact);
    QFETCH(int, reduction);
    Check(face, dpi, QStringLiteral("24"), typed, expected, format, exact, reduction);
}

void TestScan::largestUsualExportScans() {
    const Sample longest = Samples()[3];
    Check(QStringLiteral("Sample 93 d HR"), 1200, QStringLiteral("50"), longest.typed,
          longest.expected, PictureFormat::Png);
}

void TestScan::Check(const QString& face, int dpi, const QString& points, const QString& typed,
                     const QString& expected, PictureFormat format, bool exact, int reduction) {
    const Result<std::u16string> text = cli::MakeOutputText(typed.toStdString(), false);
    QVERIFY2(text, qPrintable(text.error()));
    picture::ExportRequest request{QString::fromStdU16String(*text), face, points, dpi,
                                   face.startsWith(QStringLiteral("Sample 93 a"))};
    request.exact = exact;
    request.barReduction = reduction;
    const Result<picture::PictureLayout> layout = picture::LayoutPicture(request);
    QVERIFY2(layout, qPrintable(layout.error()));
    const QString file = dir_.filePath(QStringLiteral("scan") + picture::FormatExtension(format));
    const auto written = picture::WritePicture(*layout, format, file);
    QVERIFY2(written, qPrintable(written.error()));
    const QImage readBack(file);
    QCOMPARE(readBack.size(), layout->size);
    QCOMPARE(decoders::ReadWithZxing(readBack), QStringList{expected});
    QCOMPARE(decoders::ReadWithZbar(readBack), QStringList{expected});
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    TestScan test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_scan.moc"
