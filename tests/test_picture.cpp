// The export picture: font size, layout, file names, the four writers and their failures.
#include "picture/barcode_fonts.h"
#include "picture/barcode_picture.h"
#include "picture/export_font_size.h"
#include "picture/picture_format.h"
#include "picture/picture_writer.h"
#include "picture/row_source.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainterPath>
#include <QProcess>
#include <QRawFont>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using picture::PictureFormat;

Q_DECLARE_METATYPE(PictureFormat)

namespace {

const QString Barcode = QStringLiteral("(ABC123W9)");

QByteArray ReadAll(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Rows from a grey picture in memory (none at all for a picture too large to hold); a row equal
// to the one above has its key.
class ImageRows : public picture::RowSource {
public:
    explicit ImageRows(QImage image) : image_(std::move(image)), size_(image_.size()) {
        const auto bytes = static_cast<std::size_t>(size_.width());
        for (int y = 0; y < size_.height(); ++y) {
            const uchar* row = image_.constScanLine(y);
            const bool repeat = y > 0 && std::memcmp(row, image_.constScanLine(y - 1), bytes) == 0;
            keys_.push_back(repeat ? keys_.back() : y);
            blackAndWhite_ = blackAndWhite_ && std::all_of(row, row + bytes, [](uchar grey) {
                                 return grey == 0 || grey == 255;
                             });
        }
    }
    explicit ImageRows(QSize size) : size_(size) {}
    QSize size() const override { return size_; }
    bool blackAndWhite() const override { return blackAndWhite_; }
    int keyOf(int y) const override { return keys_.empty() ? y : keys_[std::size_t(y)]; }
    const uchar* row(int y) override { return image_.constScanLine(y); }

private:
    QImage image_;
    QSize size_;
    std::vector<int> keys_;
    bool blackAndWhite_ = false;
};

// The layout of a request the test knows to be good.
picture::PictureLayout Layout(const QString& face, const QString& points, int dpi) {
    return picture::LayoutPicture({Barcode, face, points, dpi, false}).value();
}

// The picture of a request the test knows to be good; a null picture if it is not.
QImage Picture(const picture::ExportRequest& request) {
    return picture::MakePicture(request).value_or(QImage());
}

// Where the bars of the text cross picture row y, from the window's own text engine: glyph
// positions from its layout, rectangles from its outlines, each edge moved in by cut / 2.
QList<double> OutlineEdges(const picture::PictureLayout& layout, int y, double cut) {
    QFont font(layout.faceName);
    font.setPixelSize(qRound(layout.pixelSize));
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    QTextLayout text(layout.text, font);
    text.beginLayout();
    text.createLine();
    text.endLayout();
    QList<double> edges;
    for (const QGlyphRun& run : text.glyphRuns()) {
        for (qsizetype i = 0; i < run.glyphIndexes().size(); ++i) {
            const QPointF pen = layout.cellOrigin +
                                QPointF(0, layout.baseline - layout.cellOrigin.y()) +
                                QPointF(run.positions()[i].x(), 0);
            const QPainterPath path = run.rawFont().pathForGlyph(run.glyphIndexes()[i]);
            for (const QPolygonF& contour : path.toSubpathPolygons()) {
                const QRectF box = contour.boundingRect().translated(pen);
                if (box.top() < y + 0.5 && box.bottom() > y + 0.5) {
                    edges << box.left() + cut / 2 << box.right() - cut / 2;
                }
            }
        }
    }
    std::sort(edges.begin(), edges.end());
    return edges;
}

// The bar edges of one picture row, to a fraction of a pixel: a pixel that is partly grey holds
// an edge where its ink starts or ends.
QList<double> MeasuredEdges(const QImage& image, int y) {
    QList<double> edges;
    bool inBar = false;
    const uchar* row = image.constScanLine(y);
    for (int x = 0; x < image.width(); ++x) {
        const double ink = (255 - row[x]) / 255.0;
        if (!inBar && ink > 0) {
            edges << x + 1 - ink;
            inBar = true;
        } else if (inBar && ink < 1) {
            edges << x + ink;
            inBar = ink > 0 && x + 1 < image.width() && row[x + 1] < row[x];
            if (inBar) {
                edges << x + ink; // the next bar starts in the same pixel
            }
        }
    }
    return edges;
}

// A grey picture with every level 0..255 somewhere, and white around.
QImage AllGreys() {
    QImage image(64, 20, QImage::Format_Grayscale8);
    image.fill(255);
    for (int level = 0; level < 256; ++level) {
        image.setPixel(level % 64, 2 + level / 64, qRgb(level, level, level));
    }
    return image;
}

// Pictures that take the PNG writer's own deflate through its corners: bytes that repeat for
// every length up to past the longest copy (258), noise enough for several blocks, runs of
// repeated rows of every length, pure black and white.
QImage Generated(const QString& kind) {
    QImage image(kind == "noise" ? 700 : 1200, 200, QImage::Format_Grayscale8);
    image.fill(255);
    quint32 seed = 1;
    auto random = [&] { return seed = seed * 1103515245 + 12345, uchar(seed >> 16); };
    for (int y = 0; y < image.height(); ++y) {
        uchar* row = image.scanLine(y);
        if (kind == "noise") {
            std::generate(row, row + image.width(), random);
        } else if (kind == "runs") {
            // Runs one byte longer each, from another length on each row: 1 to 300 bytes.
            for (int x = 0, run = y * 8 % 300 + 1; x < image.width(); x += run++) {
                std::fill(row + x, row + std::min(x + run, image.width()), random());
            }
        } else {
            // Bands of 1, 2, 3, ... 20 equal rows.
            const int band = int(std::sqrt(2.0 * y + 0.25) - 0.5);
            for (int x = 0; x < image.width(); ++x) {
                row[x] = (x / (band + 3) + band) % 2 ? 0 : kind == "black and white" ? 255 : 120;
            }
        }
    }
    return image;
}

} // namespace

class TestPicture : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void fontSize_data();
    void fontSize();
    void constants_data();
    void constants();
    void layout_data();
    void layout();
    void barEdgesFollowTheOutlines_data();
    void barEdgesFollowTheOutlines();
    void exactModules_data();
    void exactModules();
    void drawnInsideTheMargins();
    void leadingBlanksDropped();
    void emptyTextGivesBlankPicture();
    void refusals_data();
    void refusals();
    void fileNameRule_data();
    void fileNameRule();
    void writtenWithoutResolution_data();
    void writtenWithoutResolution();
    void writtenPixelsReadBack_data();
    void writtenPixelsReadBack();
    void formatLimits_data();
    void formatLimits();
    void writeFailures_data();
    void writeFailures();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void replacesExistingFile();
    void stagedFiles_data();
    void stagedFiles();

private:
    QTemporaryDir dir_;
};

void TestPicture::initTestCase() {
    const Result<> fonts = LoadBarcodeFonts();
    QVERIFY2(fonts, qPrintable(fonts.error()));
    QVERIFY(dir_.isValid());
}

void TestPicture::fontSize_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<bool>("sizeA");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("error");
    QTest::newRow("defaults") << "24" << 600 << false << 192 << "";
    QTest::newRow("300 dpi, size a") << "24" << 300 << true << 48 << "";
    QTest::newRow("1200 dpi, 50") << "50" << 1200 << false << 800 << "";
    QTest::newRow("900 dpi, size a, odd") << "25" << 900 << true << 150 << "";
    QTest::newRow("unknown dpi counts as 300") << "24" << 72 << false << 96 << "";
    QTest::newRow("surrounding blanks") << " 30 " << 600 << false << 240 << "";
    QTest::newRow("empty") << "" << 600 << false << 0 << "'' is not a valid integer value";
    QTest::newRow("fraction") << "24.5" << 600 << false << 0
                              << "'24.5' is not a valid integer value";
    QTest::newRow("letters") << "2x" << 600 << false << 0 << "'2x' is not a valid integer value";
    QTest::newRow("beyond int") << "99999999999" << 600 << false << 0
                                << "'99999999999' is not a valid integer value";
    QTest::newRow("product beyond int") << "2000000000" << 1200 << false << 0
                                        << "The point size 2000000000 is too large for a picture";
}

void TestPicture::fontSize() {
    QFETCH(QString, text);
    QFETCH(int, dpi);
    QFETCH(bool, sizeA);
    QFETCH(int, points);
    QFETCH(QString, error);
    const Result<int> result = picture::GraphicFontSize(text, dpi, sizeA);
    QCOMPARE(result.error(), error);
    QCOMPARE(result.value_or(0), points);
}

// The resolutions the export dialog and --dpi offer, and the one taken for any other value.
void TestPicture::constants_data() {
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("asDpi");
    for (const int dpi : {300, 600, 900, 1200}) {
        QTest::addRow("%d", dpi) << dpi << dpi;
    }
    QTest::newRow("any other") << 0 << 300;
}

// A picture keeps its printed size at every resolution: the font scale and the margins grow with
// the dots per inch (a scale of 1 is 75 dpi; the side margin is 10 scale steps, the top margin
// 2.5, halved for size a). The bottom margins, which do not follow that rule, are checked by
// the layouts below.
void TestPicture::constants() {
    QFETCH(int, dpi);
    QFETCH(int, asDpi);
    const auto c = picture::ConstantsForResolution(dpi);
    QCOMPARE(c.scale * 75, asDpi);
    QCOMPARE(c.sideMargin, 10 * c.scale);
    QCOMPARE(c.topMargin * 2, 5 * c.scale);
    QCOMPARE(c.topMarginSizeA * 2, c.topMargin);
}

void TestPicture::layout_data() {
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("points");
    QTest::addColumn<bool>("sizeA");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<int>("extraWidth"); // picture width - W
    QTest::addColumn<int>("top");        // T
    QTest::addColumn<int>("bottom");     // D
    QTest::newRow("defaults") << 600 << "24" << false << 256 << 240 << 20 << 20;
    QTest::newRow("300 dpi, size a") << 300 << "24" << true << 64 << 120 << 5 << 10;
    QTest::newRow("900 dpi") << 900 << "24" << false << 384 << 360 << 30 << 40;
    QTest::newRow("1200 dpi, 50 points") << 1200 << "50" << false << 1067 << 480 << 40 << 60;
}

void TestPicture::layout() {
    QFETCH(int, dpi);
    QFETCH(QString, points);
    QFETCH(bool, sizeA);
    QFETCH(int, pixelSize);
    QFETCH(int, extraWidth);
    QFETCH(int, top);
    QFETCH(int, bottom);
    const QString face =
        sizeA ? QStringLiteral("Sample 93 a HR") : QStringLiteral("Sample 93 d HR");
    const picture::ExportRequest request{Barcode, face, points, dpi, sizeA};
    const Result<picture::PictureLayout> laid = picture::LayoutPicture(request);
    QVERIFY2(laid, qPrintable(laid.error()));
    const picture::PictureLayout& layout = *laid;
    QCOMPARE(layout.pixelSize, pixelSize);
    QVERIFY(layout.textWidth > 0);
    const int raise = sizeA ? layout.cellHeight / 4 : 0;
    QCOMPARE(layout.raise, raise);
    QCOMPARE(layout.size,
             QSize(layout.textWidth + extraWidth, top + layout.cellHeight - raise + bottom));
    QCOMPARE(layout.cellOrigin, QPoint(extraWidth / 3, top - raise));
    const QImage made = Picture(request);
    QCOMPARE(made.size(), layout.size);
    QCOMPARE(made.format(), QImage::Format_Grayscale8);
}

// Same size as the window's text engine measures, and every bar edge within half a pixel of
// where the typeface's outline puts it (narrowed by the bar reduction).
void TestPicture::barEdgesFollowTheOutlines_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("points");
    QTest::addColumn<double>("reduction");
    for (const QString& face : BarcodeFamilies()) {
        QTest::addRow("%s, 600 dpi", qPrintable(face)) << face << 600 << "24" << 0.0;
    }
    QTest::newRow("d HR, 300 dpi") << "Sample 93 d HR" << 300 << "24" << 0.0;
    QTest::newRow("f, 300 dpi, 18 points") << "Sample 93 f" << 300 << "18" << 0.0;
    QTest::newRow("d HR, 1200 dpi, 50 points") << "Sample 93 d HR" << 1200 << "50" << 0.0;
    QTest::newRow("d HR, 600 dpi, bars 1 pixel narrower") << "Sample 93 d HR" << 600 << "24" << 1.0;
    QTest::newRow("b, 900 dpi, bars 1.5 pixels narrower") << "Sample 93 b" << 900 << "24" << 1.5;
}

void TestPicture::barEdgesFollowTheOutlines() {
    QFETCH(QString, face);
    QFETCH(int, dpi);
    QFETCH(QString, points);
    QFETCH(double, reduction);
    picture::ExportRequest request{Barcode, face, points, dpi, face.startsWith("Sample 93 a")};
    request.barReduction = reduction;
    const Result<picture::PictureLayout> laid = picture::LayoutPicture(request);
    QVERIFY2(laid, qPrintable(laid.error()));
    const picture::PictureLayout& layout = *laid;
    QFont font(face);
    font.setPixelSize(qRound(layout.pixelSize));
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetrics metrics(font);
    QCOMPARE(layout.textWidth, metrics.horizontalAdvance(Barcode));
    QCOMPARE(layout.cellHeight, metrics.ascent() + metrics.descent());

    const QImage image = Picture(request);
    const int y = layout.cellOrigin.y() + layout.cellHeight / 2; // through the bars
    const QList<double> expected = OutlineEdges(layout, y, reduction);
    const QList<double> measured = MeasuredEdges(image, y);
    QCOMPARE(measured.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QVERIFY2(std::abs(measured[i] - expected[i]) <= 0.5,
                 qPrintable(QStringLiteral("edge %1 at %2, outline %3")
                                .arg(i)
                                .arg(measured[i])
                                .arg(expected[i])));
    }
}

// Whole-pixel modules: only black and white, every bar and space a multiple of one module
// (less the reduction for bars, more for spaces), the narrowest bar exactly one module.
void TestPicture::exactModules_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("reduction");
    for (const QString& face : BarcodeFamilies()) {
        QTest::addRow("%s", qPrintable(face)) << face << 0;
        QTest::addRow("%s, bars 1 pixel narrower", qPrintable(face)) << face << 1;
    }
}

void TestPicture::exactModules() {
    QFETCH(QString, face);
    QFETCH(int, reduction);
    picture::ExportRequest request{Barcode, face, "24", 600, face.startsWith("Sample 93 a")};
    request.exact = true;
    request.barReduction = reduction;
    const Result<picture::PictureLayout> laid = picture::LayoutPicture(request);
    QVERIFY2(laid, qPrintable(laid.error()));
    const picture::PictureLayout& layout = *laid;
    const int module = static_cast<int>(layout.modulePixels);
    QCOMPARE(module, layout.modulePixels);
    const int fontPoints = picture::GraphicFontSize("24", 600, request.sizeA).value();
    QVERIFY(layout.pixelSize <= picture::PointsToPixels(fontPoints));

    const QImage image = Picture(request);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        QVERIFY(std::all_of(row, row + image.width(), [](uchar v) { return v == 0 || v == 255; }));
    }
    const uchar* row = image.constScanLine(layout.cellOrigin.y() + layout.cellHeight / 2);
    QList<int> runs; // bar, space, bar, ... from the first bar to the last
    for (int x = 0; x < image.width(); ++x) {
        if (runs.isEmpty() ? row[x] == 0 : true) {
            if (runs.isEmpty() || (runs.size() % 2 == 1) != (row[x] == 0)) {
                runs << 0;
            }
            ++runs.last();
        }
    }
    runs.removeLast(); // the white to the right edge
    QVERIFY(runs.size() > 50);
    int narrowest = INT_MAX;
    for (qsizetype i = 0; i < runs.size(); ++i) {
        const bool bar = i % 2 == 0;
        const int width = runs[i] + (bar ? reduction : -reduction);
        QVERIFY2(
            width % module == 0,
            qPrintable(
                QStringLiteral("run %1: %2 pixels, module %3").arg(i).arg(runs[i]).arg(module)));
        if (bar) {
            narrowest = std::min(narrowest, runs[i]);
        }
    }
    QCOMPARE(narrowest, module - reduction);
}

void TestPicture::drawnInsideTheMargins() {
    const picture::ExportRequest request{Barcode, "Sample 93 d", "24", 600, false};
    const picture::PictureLayout layout = picture::LayoutPicture(request).value();
    const QImage image = Picture(request);
    QRect inked;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.constScanLine(y)[x] != 255) {
                inked |= QRect(x, y, 1, 1);
            }
        }
    }
    const QRect cell(layout.cellOrigin, QSize(layout.textWidth, layout.cellHeight));
    QVERIFY(!inked.isEmpty());
    QVERIFY2(cell.contains(inked), qPrintable(QStringLiteral("ink %1,%2 %3x%4")
                                                  .arg(inked.x())
                                                  .arg(inked.y())
                                                  .arg(inked.width())
                                                  .arg(inked.height())));
}

void TestPicture::leadingBlanksDropped() {
    const QImage plain = Picture({Barcode, "Sample 93 c", "24", 300, false});
    const QImage blanks =
        Picture({QStringLiteral(" \t\r\n") + Barcode, "Sample 93 c", "24", 300, false});
    QCOMPARE(blanks, plain);
    const auto trailing = picture::LayoutPicture({Barcode + "  ", "Sample 93 c", "24", 300, false});
    QVERIFY(trailing->size.width() > plain.width());
}

void TestPicture::emptyTextGivesBlankPicture() {
    const auto made =
        picture::MakePicture({QStringLiteral("  "), "Sample 93 d HR", "24", 600, false});
    QVERIFY2(made, qPrintable(made.error()));
    QCOMPARE(made->width(), 240);
    QImage white(made->size(), QImage::Format_Grayscale8);
    white.fill(255);
    QCOMPARE(*made, white);
}

void TestPicture::refusals_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<double>("reduction");
    QTest::newRow("not a number") << "Sample 93 d"
                                  << "abc" << Barcode << "'abc' is not a valid integer value"
                                  << false << 0.0;
    QTest::newRow("zero points") << "Sample 93 d"
                                 << "0" << Barcode
                                 << "The point size 0 gives no picture: the font size must be at "
                                    "least 1 point"
                                 << false << 0.0;
    QTest::newRow("typeface missing")
        << "Sample 93 z"
        << "24" << Barcode << "The typeface \"Sample 93 z\" is not installed" << false << 0.0;
    QTest::newRow("font too large")
        << "Sample 93 d"
        << "2000" << Barcode
        << "The export font would be 42,667 pixels high; the largest font is 12,000 pixels. "
           "Choose a lower resolution or a smaller point size."
        << false << 0.0;
    QTest::newRow("picture too large")
        << "Sample 93 a"
        << "562" << QString(250000, u'A') << "The picture would be" << false << 0.0;
    QTest::newRow("over a million pixels wide")
        << "Sample 93 d"
        << "24" << QString(20000, u'A')
        << "; a picture is at most 1,000,000 pixels a side and 1,073,741,824 pixels in all."
        << false << 0.0;
    QTest::newRow("over 2^30 pixels in all")
        << "Sample 93 d"
        << "500" << QStringLiteral("(ABCDEFGHIJKLMNOPQRST)")
        << "; a picture is at most 1,000,000 pixels a side and 1,073,741,824 pixels in all."
        << false << 0.0;
    QTest::newRow("modules under a pixel")
        << "Sample 93 f"
        << "1" << Barcode << "At 21 pixels the modules of \"Sample 93 f\" are narrower than a pixel"
        << true << 0.0;
    QTest::newRow("reduction leaves no bar")
        << "Sample 93 d"
        << "24" << Barcode
        << "A bar reduction of 15.5 pixels would leave the narrowest bars 0.884 pixels wide"
        << false << 15.5;
    QTest::newRow("fraction with exact modules")
        << "Sample 93 d"
        << "24" << Barcode << "The bar reduction must be a number of pixels of 0 or more, whole"
        << true << 0.5;
}

void TestPicture::refusals() {
    QFETCH(QString, face);
    QFETCH(QString, points);
    QFETCH(QString, text);
    QFETCH(QString, error);
    QFETCH(bool, exact);
    QFETCH(double, reduction);
    picture::ExportRequest request{text, face, points, 1200, false};
    request.exact = exact;
    request.barReduction = reduction;
    const Result<QImage> made = picture::MakePicture(request);
    QVERIFY(!made);
    QVERIFY2(made.error().contains(error), qPrintable(made.error()));
}

void TestPicture::fileNameRule_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<PictureFormat>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("replaced") << "label.png" << PictureFormat::Jpeg << "label.jpg";
    QTest::newRow("last dot") << "my.label" << PictureFormat::Jpeg << "my.jpg";
    QTest::newRow("added") << "label" << PictureFormat::Jpeg << "label.jpg";
    QTest::newRow("dot in a folder") << "dir.v2/label" << PictureFormat::Jpeg << "dir.v2/label.jpg";
    QTest::newRow("several dots") << "/tmp/a.b/c.d.gif" << PictureFormat::Bmp << "/tmp/a.b/c.d.bmp";
    QTest::newRow("trailing dot") << "label." << PictureFormat::Png << "label.png";
    QTest::newRow("same type") << "label.gif" << PictureFormat::Gif << "label.gif";
}

void TestPicture::fileNameRule() {
    QFETCH(QString, name);
    QFETCH(PictureFormat, format);
    QFETCH(QString, expected);
    QCOMPARE(picture::ExportFileName(name, format), expected);
}

void TestPicture::writtenWithoutResolution_data() {
    QTest::addColumn<PictureFormat>("format");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<int>("bits"); // a pixel
    QTest::newRow("bmp") << PictureFormat::Bmp << false << 8;
    QTest::newRow("gif") << PictureFormat::Gif << false << 8;
    QTest::newRow("jpg") << PictureFormat::Jpeg << false << 8;
    QTest::newRow("png") << PictureFormat::Png << false << 8;
    QTest::newRow("bmp, exact") << PictureFormat::Bmp << true << 1;
    QTest::newRow("gif, exact") << PictureFormat::Gif << true << 1;
    QTest::newRow("png, exact") << PictureFormat::Png << true << 1;
}

void TestPicture::writtenWithoutResolution() {
    QFETCH(PictureFormat, format);
    QFETCH(bool, exact);
    QFETCH(int, bits);
    picture::ExportRequest request{Barcode, "Sample 93 b HR", "24", 300, false};
    request.exact = exact;
    const QImage image = Picture(request);
    const QString name = dir_.filePath("res" + picture::FormatExtension(format));
    QCOMPARE(picture::WritePicture(*picture::LayoutPicture(request), format, name).error(),
             QString());
    const QByteArray bytes = ReadAll(name);
    QImage back;
    QVERIFY(back.loadFromData(bytes));
    QCOMPARE(back.size(), image.size());
    switch (format) {
    case PictureFormat::Bmp:
        QCOMPARE(bytes.at(28), char(bits));
        QCOMPARE(bytes.mid(38, 8), QByteArray(8, '\0')); // no pixels per metre
        QCOMPARE(back.convertToFormat(QImage::Format_Grayscale8), image);
        break;
    case PictureFormat::Png:
        QVERIFY(!bytes.contains("pHYs"));
        QCOMPARE(bytes.at(24), char(bits));
        QCOMPARE(back.convertToFormat(QImage::Format_Grayscale8), image);
        break;
    case PictureFormat::Jpeg:
        QCOMPARE(bytes.mid(6, 5), QByteArray("JFIF\0", 5));
        QCOMPARE(bytes.mid(13, 5), QByteArray("\0\0\1\0\1", 5)); // no units, 1:1
        QVERIFY(!bytes.contains("\xFF\xC2"));                    // not progressive
        // Baseline frame header: 8-bit samples, height, width, three components (full colour).
        QVERIFY(bytes.contains(QByteArray("\xFF\xC0\x00\x11\x08", 5)));
        QCOMPARE(bytes.at(bytes.indexOf("\xFF\xC0") + 9), char(3));
        // Quality 90: the luminance table's first entries are 16 and 11 scaled to 20 %.
        QCOMPARE(bytes.mid(bytes.indexOf("\xFF\xDB") + 5, 2), QByteArray("\x03\x02", 2));
        break;
    case PictureFormat::Gif:
        QVERIFY(bytes.startsWith("GIF8"));
        QCOMPARE((bytes.at(10) & 7) + 1 == 1, exact); // a palette of 2 colours, 1 bit
        QCOMPARE(back.convertToFormat(QImage::Format_Grayscale8), image);
        break;
    }
}

void TestPicture::writtenPixelsReadBack_data() {
    QTest::addColumn<PictureFormat>("format");
    QTest::addColumn<QImage>("image");
    QTest::newRow("gif, a palette of every grey") << PictureFormat::Gif << AllGreys();
    QTest::newRow("png, every grey") << PictureFormat::Png << AllGreys();
    for (const char* kind : {"noise", "runs", "repeated rows", "black and white"}) {
        QTest::addRow("png, %s", kind) << PictureFormat::Png << Generated(kind);
    }
    QTest::newRow("bmp, black and white") << PictureFormat::Bmp << Generated("black and white");
}

void TestPicture::writtenPixelsReadBack() {
    QFETCH(PictureFormat, format);
    QFETCH(QImage, image);
    const QString name = dir_.filePath("pixels" + picture::FormatExtension(format));
    ImageRows rows(image);
    QCOMPARE(picture::WriteRows(rows, format, name).error(), QString());
    const QImage back(name);
    QCOMPARE(back.convertToFormat(QImage::Format_Grayscale8), image);
}

void TestPicture::formatLimits_data() {
    QTest::addColumn<PictureFormat>("format");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("error");
    QTest::newRow("jpg wider than 65,500")
        << PictureFormat::Jpeg << QSize(65501, 2)
        << "The picture would be 65,501 x 2 pixels; a JPG file holds at most 65,500 pixels in "
           "each direction. Choose a lower resolution, a smaller point size or another format.";
    QTest::newRow("gif wider than 65,535") << PictureFormat::Gif << QSize(65536, 2)
                                           << "The picture would be 65,536 x 2 pixels; a GIF "
                                              "file holds at most 65,535 pixels";
    QTest::newRow("bmp beyond 4 GB")
        << PictureFormat::Bmp << QSize(70000, 70000)
        << "The picture would be 70,000 x 70,000 pixels; a BMP file holds at most 4,294,967,295 "
           "bytes.";
    QTest::newRow("gif at its limit") << PictureFormat::Gif << QSize(65535, 2) << "";
    QTest::newRow("png 1,000,001 wide") << PictureFormat::Png << QSize(1000001, 2) << "";
}

void TestPicture::formatLimits() {
    QFETCH(PictureFormat, format);
    QFETCH(QSize, size);
    QFETCH(QString, error);
    QImage image;
    if (error.isEmpty()) {
        image = QImage(size, QImage::Format_Grayscale8);
        image.fill(255);
    }
    ImageRows rows = error.isEmpty() ? ImageRows(image) : ImageRows(size);
    const QString name = dir_.filePath("limit" + picture::FormatExtension(format));
    QFile::remove(name);
    const QString written = picture::WriteRows(rows, format, name).error();
    QVERIFY2(error.isEmpty() ? written.isEmpty() : written.startsWith(error), qPrintable(written));
    QCOMPARE(QFile::exists(name), error.isEmpty());
}

void TestPicture::writeFailures_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("error");
    QTest::newRow("no such folder")
        << "/nonexistent-stria/label.png"
        << "Cannot create file \"/nonexistent-stria/label.png\". No such file or directory";
    // procfs refuses new files even to root, who may write into any read-only folder.
    QTest::newRow("read-only folder") << "/proc/label.png"
                                      << "Cannot create file \"/proc/label.png\". ";
    QTest::newRow("disk full") << "/dev/full"
                               << "Cannot create file \"/dev/full\". No space left on device";
    QTest::newRow("a folder") << "/tmp"
                              << "Cannot create file \"/tmp\". ";
}

void TestPicture::writeFailures() {
    QFETCH(QString, name);
    QFETCH(QString, error);
    const picture::PictureLayout layout = Layout("Sample 93 d", "24", 600);
    for (auto format :
         {PictureFormat::Bmp, PictureFormat::Gif, PictureFormat::Jpeg, PictureFormat::Png}) {
        const QString written = picture::WritePicture(layout, format, name).error();
        QVERIFY2(written.startsWith(error) && !written.endsWith(u' '), qPrintable(written));
    }
    QVERIFY(QFileInfo(QStringLiteral("/dev/full")).exists());
}

// The old file stays byte for byte, the system's reason is reported and no temporary file is
// left: on a full disk (a small tmpfs, which only root may mount) and past a file size limit.
void TestPicture::failedWriteKeepsOldFile_data() {
    QTest::addColumn<bool>("fullDisk");
    QTest::addColumn<QString>("reason");
    QTest::newRow("full disk") << true << "No space left on device";
    QTest::newRow("file size limit") << false << "File too large";
}

void TestPicture::failedWriteKeepsOldFile() {
    QFETCH(bool, fullDisk);
    QFETCH(QString, reason);
    const QTemporaryDir folder(dir_.filePath("full"));
    if (fullDisk && (geteuid() != 0 || QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k",
                                                                   "tmpfs", folder.path()}) != 0)) {
        QSKIP("mounting a small tmpfs needs root");
    }
    const auto unmount = qScopeGuard([&] {
        if (fullDisk) {
            QProcess::execute("umount", {folder.path()});
        }
    });
    const QString name = folder.filePath("keep.png");
    QFile old(name);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("the old file");
    old.close();
    if (fullDisk) {
        QFile filler(folder.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
        }
    }
    // Writes beyond 512 bytes fail as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = fullDisk ? saved.rlim_cur : 512;
    setrlimit(RLIMIT_FSIZE, &small);
    const QString error =
        picture::WritePicture(Layout("Sample 93 d", "24", 600), PictureFormat::Png, name).error();
    setrlimit(RLIMIT_FSIZE, &saved);
    QCOMPARE(error, QStringLiteral("Cannot create file \"%1\". %2").arg(name, reason));
    QCOMPARE(ReadAll(name), QByteArray("the old file"));
    QCOMPARE(QDir(folder.path()).entryList({"keep*"}, QDir::Files | QDir::Hidden),
             QStringList{"keep.png"});
}

void TestPicture::replacesExistingFile() {
    const QString name = dir_.filePath("twice.png");
    const auto first = Layout("Sample 93 d", "24", 300);
    const auto second = Layout("Sample 93 d", "24", 600);
    QCOMPARE(picture::WritePicture(first, PictureFormat::Png, name).error(), QString());
    QCOMPARE(picture::WritePicture(second, PictureFormat::Png, name).error(), QString());
    QCOMPARE(QImage(name).size(), second.size);
}

// A batch's file: written under a temporary name, nothing replaced until it is put in place.
void TestPicture::stagedFiles_data() {
    QTest::addColumn<QString>("happens");
    QTest::addColumn<QString>("reason");
    QTest::newRow("placed over the old file") << "placed"
                                              << "";
    QTest::newRow("a folder put in its way") << "folder"
                                             << "Is a directory";
    QTest::newRow("dropped unplaced") << "dropped"
                                      << "";
}

void TestPicture::stagedFiles() {
    QFETCH(QString, happens);
    QFETCH(QString, reason);
    const QTemporaryDir folder(dir_.filePath("staged"));
    const QString name = folder.filePath("label.png");
    if (happens != "folder") {
        QFile old(name);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the old file");
    }
    const auto layout = Layout("Sample 93 d", "24", 300);
    Result<files::StagedFile> written =
        picture::WritePicture(layout, PictureFormat::Png, name, picture::Placement::Staged);
    QVERIFY2(written, qPrintable(written.error()));
    if (happens == "folder") {
        QVERIFY(QDir(folder.path()).mkdir("label.png"));
    } else {
        QCOMPARE(ReadAll(name), QByteArray("the old file"));
    }
    if (happens == "dropped") {
        *written = files::StagedFile();
        QCOMPARE(ReadAll(name), QByteArray("the old file"));
    } else {
        const std::vector<QString> messages = files::PlaceStagedFiles({&*written});
        QCOMPARE(messages.front(),
                 reason.isEmpty() ? QString() : files::CannotCreateFile(name, reason));
    }
    if (happens == "placed") {
        QCOMPARE(QImage(name).size(), layout.size);
    }
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"label.png"});
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    TestPicture test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_picture.moc"
