// The verifier's grading against values worked out by hand for small reflectance profiles, and
// on pictures stria93 export makes, spoilt the ways print spoils them.
#include "tests/stria93_process.h"
#include "verify/profile_grade.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using verify::Parameter;

Q_DECLARE_METATYPE(std::vector<double>)

namespace {

constexpr int SamplesPerModule = 10;
constexpr double Bar = 0.1;
constexpr double Space = 0.8;
// "A": start, A, C = A, K = U, stop, termination bar; elements numbered from the start's first.
const QString SymbolA = QStringLiteral("111141"
                                       "211113"
                                       "211113"
                                       "221121"
                                       "111141"
                                       "1");
constexpr int FirstBarOfA = 6;
constexpr int SpaceAfterIt = 7;
constexpr int WideSpaceOfA = 11; // three modules

// The profile of "A" with 10 modules of quiet zone each side, bars at bar, spaces at space,
// and the elements of levels at their own reflectance.
std::vector<double> Profile(double bar = Bar, double space = Space,
                            const QMap<int, double>& levels = {}) {
    std::vector<double> p(10 * SamplesPerModule, space);
    for (int e = 0; e < SymbolA.size(); ++e) {
        const double level = levels.value(e, e % 2 == 0 ? bar : space);
        p.insert(p.end(), SymbolA[e].digitValue() * SamplesPerModule, level);
    }
    p.insert(p.end(), 10 * SamplesPerModule, space);
    return p;
}

int StartOf(int element) {
    int start = 10 * SamplesPerModule;
    for (int e = 0; e < element; ++e) {
        start += SymbolA[e].digitValue() * SamplesPerModule;
    }
    return start;
}

std::vector<double> WithSamples(std::vector<double> p, int from, int count, double level) {
    std::fill_n(p.begin() + from, count, level);
    return p;
}

QJsonArray VerifyJson(const QStringList& args) {
    const Stria93Run run =
        Stria93(QStringList{QStringLiteral("verify"), QStringLiteral("--json")} + args);
    return QJsonDocument::fromJson(run.out).array();
}

double ParameterOf(const QJsonObject& symbol, const QString& name, const QString& what) {
    return symbol[QStringLiteral("parameters")][name][what].toDouble();
}

// Every pixel through f(x, y, grey) into a grey picture.
template <typename F> QImage Mapped(const QImage& source, F f) {
    const QImage grey = source.convertToFormat(QImage::Format_Grayscale8);
    QImage out(grey.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            out.scanLine(y)[x] = uchar(std::clamp(f(grey, x, y), 0, 255));
        }
    }
    return out;
}

int At(const QImage& g, int x, int y) {
    return g.constScanLine(std::clamp(y, 0, g.height() - 1))[std::clamp(x, 0, g.width() - 1)];
}

QImage Blurred(const QImage& source, int radius) {
    return Mapped(source, [&](const QImage& g, int x, int y) {
        int sum = 0;
        for (int dy = -radius; dy <= radius; ++dy) {
            for (int dx = -radius; dx <= radius; ++dx) {
                sum += At(g, x + dx, y + dy);
            }
        }
        return sum / ((2 * radius + 1) * (2 * radius + 1));
    });
}

// Uneven ink spread: every other bar of a row grows by pixels on its right. Spread that is even
// cancels out of the edge-to-similar-edge widths; spread that is not is what decodability sees.
QImage Spread(const QImage& source, int pixels) {
    QImage out = source.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < out.height(); ++y) {
        uchar* row = out.scanLine(y);
        std::transform(row, row + out.width(), row, [](uchar v) { return v < 128 ? 0 : 255; });
        int bars = 0;
        for (int x = 1; x < out.width(); ++x) {
            const bool barEnds = row[x - 1] == 0 && row[x] == 255;
            if (barEnds && ++bars % 2 == 1) {
                std::fill_n(row + x, std::min(pixels, int(out.width()) - x), uchar(0));
                x += pixels;
            }
        }
    }
    return out;
}

// Turned 1.5 degrees, as a page lies on a scanner, on white.
QImage Askew(const QImage& source) {
    QImage turned = source.convertToFormat(QImage::Format_RGB32)
                        .transformed(QTransform().rotate(1.5), Qt::SmoothTransformation);
    QImage out(turned.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter(&out).drawImage(0, 0, turned);
    return out;
}

QImage LowContrast(const QImage& source) {
    return Mapped(source,
                  [](const QImage& g, int x, int y) { return 70 + At(g, x, y) * 120 / 255; });
}

// Grey spots down the middle of every space of three modules or more.
QImage Spotted(const QImage& source, double module) {
    QImage out = source.convertToFormat(QImage::Format_Grayscale8);
    const int middle = out.height() / 2;
    QPainter painter(&out);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(150, 150, 150));
    int lightFrom = -1;
    bool seenBar = false;
    for (int x = 0; x < out.width(); ++x) {
        const bool light = At(out, x, middle) > 128;
        if (light && lightFrom < 0) {
            lightFrom = x;
        } else if (!light && lightFrom >= 0) {
            if (seenBar && x - lightFrom >= 2.5 * module) {
                for (double y = 0; y < out.height(); y += 1.5 * module) {
                    painter.drawEllipse(QPointF((lightFrom + x) / 2.0, y), module / 2, module / 2);
                }
            }
            lightFrom = -1;
        }
        seenBar = seenBar || !light;
    }
    return out;
}

} // namespace

class TestVerify : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void profileParameters_data();
    void profileParameters();
    void gradeLetters_data();
    void gradeLetters();
    void spoiltPictures_data();
    void spoiltPictures();
    void exitStatus_data();
    void exitStatus();

private:
    QTemporaryDir dir_;
};

void TestVerify::initTestCase() {
    QVERIFY(!qEnvironmentVariable("STRIA93").isEmpty());
    QVERIFY(dir_.isValid());
}

// Worked out by hand: GT = Rmin + SC/2; edges where the profile crosses GT between samples.
void TestVerify::profileParameters_data() {
    QTest::addColumn<std::vector<double>>("profile");
    QTest::addColumn<double>("contrast");
    QTest::addColumn<double>("edgeContrast");
    QTest::addColumn<double>("modulation");
    QTest::addColumn<double>("defects");
    QTest::addColumn<double>("decodability"); // NaN: not worked out
    QTest::addColumn<int>("grade");
    const double nan = std::nan("");

    QTest::newRow("clean") << Profile() << 0.7 << 0.7 << 1.0 << 0.0 << 1.0 << 4;
    // Edges 0.278 samples into the grey bar: e2 of the first A is 20.278 of S = 89.722,
    // 2.0341 modules.
    QTest::newRow("grey bar: modulation B") << Profile(Bar, Space, {{FirstBarOfA, 0.35}}) << 0.7
                                            << 0.45 << 0.45 / 0.7 << 0.0 << 1 - 2 * 0.0341 << 3;
    QTest::newRow("spot in a space: defects C")
        << WithSamples(Profile(), StartOf(WideSpaceOfA) + 12, 6, 0.65) << 0.7 << 0.7 << 1.0
        << 0.15 / 0.7 << 1.0 << 2;
    // e1 of the first A is 33 samples of 90: 3.3 modules, 0.3 off.
    QTest::newRow("one bar spread: decodability C")
        << WithSamples(Profile(), StartOf(SpaceAfterIt), 3, Bar) << 0.7 << 0.7 << 1.0 << 0.0 << 0.4
        << 2;
    QTest::newRow("low contrast: symbol contrast C")
        << Profile(0.3, 0.75) << 0.45 << 0.45 << 1.0 << 0.0 << 1.0 << 2;
    QTest::newRow("dark paper: Rmin above half Rmax")
        << Profile(0.5, 0.95) << 0.45 << 0.45 << 1.0 << 0.0 << 1.0 << 0;
    QTest::newRow("grey space between grey bars: edge contrast fails")
        << Profile(Bar, Space, {{FirstBarOfA, 0.4}, {SpaceAfterIt, 0.5}, {FirstBarOfA + 2, 0.4}})
        << 0.7 << 0.1 << 0.1 / 0.7 << 0.0 << nan << 0;
    QTest::newRow("wrong K: no decode") <<
        [] {
            std::vector<double> p = Profile();
            std::fill_n(p.begin() + StartOf(22), SamplesPerModule, Space); // U 221121 to E 221211
            return p;
        }() << 0.7 << 0.7 << 1.0 << 0.0 << 0.0
                                        << 0;
}

void TestVerify::profileParameters() {
    QFETCH(std::vector<double>, profile);
    QFETCH(double, contrast);
    QFETCH(double, edgeContrast);
    QFETCH(double, modulation);
    QFETCH(double, defects);
    QFETCH(double, decodability);
    QFETCH(int, grade);
    const verify::ProfileGrade g = verify::GradeProfile(profile);
    auto value = [&](Parameter p) { return g.values[std::size_t(p)]; };
    constexpr double tolerance = 0.002;
    QVERIFY2(std::abs(value(Parameter::SymbolContrast) - contrast) < tolerance,
             qPrintable(QString::number(value(Parameter::SymbolContrast))));
    QVERIFY2(std::abs(value(Parameter::EdgeContrast) - edgeContrast) < tolerance,
             qPrintable(QString::number(value(Parameter::EdgeContrast))));
    QVERIFY2(std::abs(value(Parameter::Modulation) - modulation) < tolerance,
             qPrintable(QString::number(value(Parameter::Modulation))));
    QVERIFY2(std::abs(value(Parameter::Defects) - defects) < tolerance,
             qPrintable(QString::number(value(Parameter::Defects))));
    if (!std::isnan(decodability)) {
        QVERIFY2(std::abs(value(Parameter::Decodability) - decodability) < tolerance,
                 qPrintable(QString::number(value(Parameter::Decodability))));
    }
    QCOMPARE(g.grade, grade);
    if (value(Parameter::Decode) > 0) {
        QCOMPARE(g.symbol->text, std::u16string(u"A"));
    }
}

void TestVerify::gradeLetters_data() {
    QTest::addColumn<Parameter>("parameter");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("grade");
    QTest::newRow("SC 0.70") << Parameter::SymbolContrast << 0.70 << 4;
    QTest::newRow("SC 0.549") << Parameter::SymbolContrast << 0.549 << 2;
    QTest::newRow("SC 0.19") << Parameter::SymbolContrast << 0.19 << 0;
    QTest::newRow("MOD 0.60") << Parameter::Modulation << 0.60 << 3;
    QTest::newRow("MOD 0.399") << Parameter::Modulation << 0.399 << 0;
    QTest::newRow("defects 0.15") << Parameter::Defects << 0.15 << 4;
    QTest::newRow("defects 0.31") << Parameter::Defects << 0.31 << 0;
    QTest::newRow("V 0.62") << Parameter::Decodability << 0.62 << 4;
    QTest::newRow("V 0.36") << Parameter::Decodability << 0.36 << 1;
    QTest::newRow("ECmin 0.149") << Parameter::EdgeContrast << 0.149 << 0;
    QTest::newRow("Rmin 0.5 Rmax") << Parameter::MinimumReflectance << 0.5 << 4;
}

void TestVerify::gradeLetters() {
    QFETCH(Parameter, parameter);
    QFETCH(double, value);
    QFETCH(int, grade);
    QCOMPARE(verify::GradeOf(parameter, value), grade);
    const char letters[] = "FDCBA";
    QCOMPARE(verify::GradeLetter(grade), letters[grade]);
    QCOMPARE(verify::GradeLetter(grade - 0.51), letters[std::max(0, grade - 1)]);
}

// A 600-dpi export (X about 8 pixels), then spoilt: the parameter that must suffer, and the
// letter the symbol may reach at best.
void TestVerify::spoiltPictures_data() {
    QTest::addColumn<QString>("spoil");
    QTest::addColumn<QString>("suffers"); // empty: nothing does
    QTest::addColumn<QString>("letters");
    QTest::newRow("clean") << ""
                           << ""
                           << "A";
    QTest::newRow("blurred") << "blur"
                             << "modulation"
                             << "BCDF";
    QTest::newRow("bars spread unevenly") << "spread"
                                          << "decodability"
                                          << "BCD";
    QTest::newRow("low contrast") << "contrast"
                                  << "symbol contrast"
                                  << "C";
    QTest::newRow("spots in spaces") << "spots"
                                     << "defects"
                                     << "BCDF";
}

void TestVerify::spoiltPictures() {
    QFETCH(QString, spoil);
    QFETCH(QString, suffers);
    QFETCH(QString, letters);
    const QString clean = dir_.filePath(QStringLiteral("clean.png"));
    if (!QFile::exists(clean)) {
        QCOMPARE(Stria93({QStringLiteral("export"), QStringLiteral("-o"), clean,
                          QStringLiteral("Lot 7/b")})
                     .exitCode,
                 0);
    }
    const QImage picture(clean);
    const double module =
        VerifyJson({clean})[0][QStringLiteral("symbols")][0][QStringLiteral("moduleWidthPixels")]
            .toDouble();
    QVERIFY(module > 7 && module < 9);
    const QImage spoilt = spoil == u"blur"       ? Blurred(picture, 4)
                          : spoil == u"spread"   ? Spread(picture, 2)
                          : spoil == u"contrast" ? LowContrast(picture)
                          : spoil == u"spots"    ? Spotted(picture, module)
                          : spoil == u"turn"     ? picture.mirrored(true, true)
                          : spoil == u"skew"     ? Askew(picture)
                                                 : picture;
    const QString suffix = spoil == u"jpg" || spoil == u"gif" ? spoil : QStringLiteral("png");
    const QString file = dir_.filePath(spoil + QStringLiteral("-spoilt.") + suffix);
    QVERIFY(spoilt.save(file));

    const QJsonArray symbols = VerifyJson({file})[0][QStringLiteral("symbols")].toArray();
    QCOMPARE(symbols.size(), 1);
    const QJsonObject symbol = symbols[0].toObject();
    QCOMPARE(symbol[QStringLiteral("data")].toString(), QStringLiteral("Lot 7/b"));
    QCOMPARE(symbol[QStringLiteral("upsideDown")].toBool(), spoil == u"turn");
    QVERIFY2(letters.contains(symbol[QStringLiteral("letter")].toString()),
             qPrintable(symbol[QStringLiteral("letter")].toString()));
    if (!suffers.isEmpty()) {
        QCOMPARE(symbol[QStringLiteral("worst")].toString(), suffers);
        QVERIFY(ParameterOf(symbol, suffers, QStringLiteral("grade")) < 4);
    }
}

void TestVerify::exitStatus_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::newRow("grade A") << QStringList{QStringLiteral("--dpi"), QStringLiteral("600"),
                                            QStringLiteral("clean.png")}
                             << 0 << "\"\n  grade A (4.0)";
    QTest::newRow("mils") << QStringList{QStringLiteral("--dpi"), QStringLiteral("600"),
                                         QStringLiteral("clean.png")}
                          << 0 << "mil";
    QTest::newRow("below B") << QStringList{QStringLiteral("--min-grade"), QStringLiteral("b"),
                                            QStringLiteral("contrast-spoilt.png")}
                             << 1 << "grade C";
    QTest::newRow("at C") << QStringList{QStringLiteral("--min-grade"), QStringLiteral("C"),
                                         QStringLiteral("contrast-spoilt.png")}
                          << 0 << "grade C";
    QTest::newRow("no symbol") << QStringList{QStringLiteral("blank.png")} << 1
                               << "no Code 93 symbol found";
    QTest::newRow("no such file") << QStringList{QStringLiteral("missing.png")} << 1 << "";
    QTest::newRow("no picture named") << QStringList{} << 2 << "";
    QTest::newRow("bad grade") << QStringList{QStringLiteral("--min-grade"), QStringLiteral("E"),
                                              QStringLiteral("clean.png")}
                               << 2 << "";
    QTest::newRow("bad dpi") << QStringList{QStringLiteral("--dpi"), QStringLiteral("0"),
                                            QStringLiteral("clean.png")}
                             << 2 << "";
}

void TestVerify::exitStatus() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QImage blank(200, 100, QImage::Format_Grayscale8);
    blank.fill(255);
    QVERIFY(blank.save(dir_.filePath(QStringLiteral("blank.png"))));
    for (QString& arg : args) {
        if (arg.endsWith(QStringLiteral(".png"))) {
            arg = dir_.filePath(arg);
        }
    }
    const Stria93Run run = Stria93(QStringList{QStringLiteral("verify")} + args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(run.out).contains(out), run.out.constData());
    QCOMPARE(run.err.isEmpty(), exitCode == 0 || !out.isEmpty());
}

QTEST_MAIN(TestVerify)
#include "test_verify.moc"
