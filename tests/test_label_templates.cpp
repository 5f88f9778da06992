// The label-sheet table against the label databases Debian ships, and the RTF sheets: each
// generated template and a filled two-page sheet are read back and their tables measured against
// the sheet's geometry in label_sheets.csv, in twips from the page edge.
#include "sheet/label_stock.h"
#include "sheet/sheet_rtf.h"
#include "tests/rtf_reader.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTest>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>

namespace {

const QString DataDir = QStringLiteral(STRIA_BUILD_DATA_DIR);
const QString LibreOfficeLabels = QStringLiteral(STRIA_LIBREOFFICE_LABELS);
const QString GlabelsTemplates = QStringLiteral(STRIA_GLABELS_TEMPLATES);

// Lengths in inches, whatever unit the table gives them in.
struct Sheet {
    QString file;
    QString labelNumber;
    QString paper;
    double width = 0, height = 0;
    int columns = 0, rows = 0;
    double left = 0, top = 0, hPitch = 0, vPitch = 0;
    QString source;

    QSize paperTwips() const { return paper == u"a4" ? QSize(11906, 16838) : QSize(12240, 15840); }
};

double Twips(double inches) {
    return inches * 1440.0;
}

Sheet InInches(const sheet::LabelStock& stock) {
    const auto in = [](double points) { return points / 72; };
    return {stock.templateFile,
            stock.name,
            stock.paper == sheet::Paper::A4 ? QStringLiteral("a4") : QStringLiteral("letter"),
            in(stock.labelSize.width()),
            in(stock.labelSize.height()),
            stock.columns,
            stock.rows,
            in(stock.firstLabel.x()),
            in(stock.firstLabel.y()),
            in(stock.pitch.width()),
            in(stock.pitch.height()),
            stock.source};
}

// The program's own stock table.
QList<Sheet> ReadSheets() {
    QList<Sheet> sheets;
    for (const sheet::LabelStock& stock : sheet::LabelStocks()) {
        sheets.append(InInches(stock));
    }
    return sheets;
}

// What the word processor will see: the page, each table row and the text of each cell.
struct Row {
    QMap<QByteArray, int> controls; // \trrh, \trleft, \trgaph, \trpadd...
    QList<int> cellx;
    QList<QByteArray> cellText;
    QList<bool> cellMiddle;  // \clvertalc given for the cell
    QList<bool> textCentred; // the cell's paragraph is \qc
};

struct Document {
    QMap<QByteArray, int> page; // first value of each page-level control word
    QList<Row> rows;
    QStringList faults;
};

// Border selectors may only ever be followed by \brdrnone; any other border word would print.
bool IsBorderSelector(const QByteArray& word) {
    return word.startsWith("clbrdr") || word.startsWith("trbrdr") || word == "box" ||
           word == "brdrt" || word == "brdrl" || word == "brdrb" || word == "brdrr";
}

Document ParseSheet(const QByteArray& rtf) {
    using Kind = RtfToken::Kind;
    Document doc;
    Row row;
    QByteArray cell;
    int depth = 0;
    int skipDepth = 0; // inside the font table or an ignorable destination
    bool expectBrdrnone = false;
    bool middle = false;
    bool centred = false;
    auto word = [&](const RtfToken& t) {
        const bool selector = IsBorderSelector(t.word);
        if (expectBrdrnone && t.word != "brdrnone") {
            doc.faults
                << QStringLiteral("a border is drawn: \\%1").arg(QString::fromLatin1(t.word));
        } else if (!selector && t.word.contains("brdr") && t.word != "brdrnone") {
            doc.faults << QStringLiteral("border word \\%1").arg(QString::fromLatin1(t.word));
        }
        expectBrdrnone = selector;
        if (t.word == "fonttbl") {
            skipDepth = skipDepth ? skipDepth : depth;
        } else if (t.word == "trowd") {
            row = Row();
        } else if (t.word.startsWith("tr") && t.hasValue) {
            row.controls[t.word] = t.value;
        } else if (t.word == "clvertalc") {
            middle = true;
        } else if (t.word == "cellx") {
            row.cellx.append(t.value);
            row.cellMiddle.append(middle);
            middle = false;
        } else if (t.word == "pard") {
            centred = false;
        } else if (t.word == "qc") {
            centred = true;
        } else if (t.word == "cell") {
            row.cellText.append(cell.trimmed());
            row.textCentred.append(centred);
            cell.clear();
        } else if (t.word == "row") {
            doc.rows.append(row);
        } else if (t.word == "par") {
            cell.clear();
        } else if (t.hasValue && !doc.page.contains(t.word)) {
            doc.page[t.word] = t.value;
        }
    };
    ForEachRtfToken(rtf, [&](const RtfToken& t) {
        switch (t.kind) {
        case Kind::GroupStart:
            ++depth;
            break;
        case Kind::GroupEnd:
            if (skipDepth == depth) {
                skipDepth = 0;
            }
            if (--depth < 0) {
                doc.faults << QStringLiteral("unbalanced } at %1").arg(t.at);
            }
            break;
        case Kind::Text:
            if (static_cast<unsigned char>(t.c) > 0x7e || t.c < 0x20) {
                doc.faults << QStringLiteral("byte 0x%1 at %2 is not plain ASCII")
                                  .arg(static_cast<unsigned char>(t.c), 2, 16)
                                  .arg(t.at);
            } else if (!skipDepth) {
                cell += t.c;
            }
            break;
        case Kind::EndsInBackslash:
            doc.faults << QStringLiteral("the file ends in a backslash");
            break;
        case Kind::Hex:
            if (!t.validHex) {
                doc.faults << QStringLiteral("\\' without two hex digits at %1").arg(t.at);
            }
            cell += '?';
            break;
        case Kind::Symbol:
            if (t.c == '*') {
                skipDepth = skipDepth ? skipDepth : depth;
            } else if (QByteArray("\\{}~-_").contains(t.c)) {
                cell += t.c;
            } else {
                doc.faults
                    << QStringLiteral("unknown control symbol \\%1 at %2").arg(t.c).arg(t.at);
            }
            break;
        case Kind::Word:
            word(t);
            break;
        case Kind::LineEnd:
            break;
        }
        return true;
    });
    if (depth != 0) {
        doc.faults << QStringLiteral("%1 group(s) left open").arg(depth);
    }
    return doc;
}

// The cell whose two edges, from the page edge, lie within a twip of left and right; -1 if none.
int CellAt(const QList<int>& cellEdges, int origin, double left, double right) {
    for (int c = 0; c + 1 < cellEdges.size(); ++c) {
        if (std::abs(origin + cellEdges[c] - left) <= 1 &&
            std::abs(origin + cellEdges[c + 1] - right) <= 1) {
            return c;
        }
    }
    return -1;
}

// One entry of a label database, in millimetres: what the table's row must agree with.
struct Entry {
    bool found = false;
    QString paper;
    double width = 0, height = 0, left = 0, top = 0, hPitch = 0, vPitch = 0;
    int columns = 0, rows = 0;
};

// LibreOffice's labels.xml: <manufacturer name><label><name>..</name><measure>S;hDist;vDist;
// width;height;left;upper;columns;rows;paperWidth;paperHeight</measure>, in 1/100 mm.
Entry LibreOfficeEntry(const QString& manufacturer, const QString& name) {
    QFile file(LibreOfficeLabels);
    Entry entry;
    if (!file.open(QIODevice::ReadOnly)) {
        return entry;
    }
    QXmlStreamReader xml(&file);
    QString maker;
    QString label;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == u"manufacturer") {
            maker = xml.attributes().value(QLatin1String("name")).toString();
        } else if (xml.name() == u"name") {
            label = xml.readElementText();
        } else if (xml.name() == u"measure" && maker == manufacturer && label == name) {
            const QStringList m = xml.readElementText().split(u';');
            auto mm = [&](int i) { return m.value(i).toDouble() / 100; };
            entry = {true,
                     mm(9) < 212 ? QStringLiteral("a4") : QStringLiteral("letter"),
                     mm(3),
                     mm(4),
                     mm(5),
                     mm(6),
                     mm(1),
                     mm(2),
                     m.value(7).toInt(),
                     m.value(8).toInt()};
            return entry;
        }
    }
    return entry;
}

// glabels: a length with its unit ("2.625in", "126pt", "63.5mm"; points when none), in mm.
double GlabelsLength(QStringView text) {
    for (const auto& [unit, mm] :
         {std::pair{u"in", 25.4}, std::pair{u"mm", 1.0}, std::pair{u"pt", 25.4 / 72}}) {
        if (text.endsWith(unit)) {
            return text.chopped(2).toDouble() * mm;
        }
    }
    return text.toDouble() * 25.4 / 72;
}

// glabels' <Template part size><Label-rectangle width height><Layout nx ny x0 y0 dx dy>.
Entry GlabelsEntry(const QString& fileName, const QString& part) {
    QFile file(QDir(GlabelsTemplates).filePath(fileName));
    Entry entry;
    if (!file.open(QIODevice::ReadOnly)) {
        return entry;
    }
    QXmlStreamReader xml(&file);
    bool inPart = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"Template") {
            inPart = a.value(QLatin1String("part")) == part;
            entry.paper = a.value(QLatin1String("size")) == u"A4" ? QStringLiteral("a4")
                                                                  : QStringLiteral("letter");
        } else if (inPart && xml.name() == u"Label-rectangle") {
            entry.width = GlabelsLength(a.value(QLatin1String("width")));
            entry.height = GlabelsLength(a.value(QLatin1String("height")));
        } else if (inPart && xml.name() == u"Layout") {
            entry.found = true;
            entry.columns = a.value(QLatin1String("nx")).toInt();
            entry.rows = a.value(QLatin1String("ny")).toInt();
            entry.left = GlabelsLength(a.value(QLatin1String("x0")));
            entry.top = GlabelsLength(a.value(QLatin1String("y0")));
            entry.hPitch = GlabelsLength(a.value(QLatin1String("dx")));
            entry.vPitch = GlabelsLength(a.value(QLatin1String("dy")));
            return entry;
        }
    }
    return entry;
}

// The labels of a filled sheet: a text per label, on as many pages as given.
QStringList FilledLabels(const Sheet& sheet, int pages) {
    QStringList labels;
    for (int i = 0; i < pages * sheet.columns * sheet.rows; ++i) {
        labels << QStringLiteral("(L%1)").arg(i + 1);
    }
    return labels;
}

} // namespace

Q_DECLARE_METATYPE(Sheet)

class TestLabelTemplates : public QObject {
    Q_OBJECT
private slots:
    void sheetTable_data();
    void sheetTable();
    void sources_data();
    void sources();
    void generatedFiles();
    void geometry_data();
    void geometry();
};

// The label dialog's buttons L1..L8 against the sizes, counts and numbers it has always shown.
void TestLabelTemplates::sheetTable_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("labelNumber");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("perSheet");
    QTest::addColumn<int>("button"); // L1..L8
    QTest::newRow("5167") << "lz167.rtf"
                          << "5167" << 1.75 << 0.50 << 80 << 1;
    QTest::newRow("6570") << "lz570.rtf"
                          << "6570" << 1.75 << 1.25 << 32 << 2;
    QTest::newRow("5160") << "lz060.rtf"
                          << "5160" << 2.625 << 1.00 << 30 << 3;
    QTest::newRow("5161") << "lz161.rtf"
                          << "5161" << 4.00 << 1.00 << 20 << 4;
    QTest::newRow("5162") << "lz162.rtf"
                          << "5162" << 4.00 << 1.33 << 14 << 5;
    QTest::newRow("5197") << "lz197.rtf"
                          << "5197" << 4.00 << 1.50 << 12 << 6;
    QTest::newRow("5163") << "lz163.rtf"
                          << "5163" << 4.00 << 2.00 << 10 << 7;
    QTest::newRow("5164") << "lz164.rtf"
                          << "5164" << 4.00 << 3.33 << 6 << 8;
}

void TestLabelTemplates::sheetTable() {
    QFETCH(QString, file);
    QFETCH(QString, labelNumber);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(int, perSheet);
    QFETCH(int, button);
    const std::vector<sheet::LabelStock> buttons = sheet::DialogStocks();
    QCOMPARE(buttons.size(), std::size_t(8));
    const Sheet s = InInches(buttons.at(button - 1));
    QCOMPARE(s.file, file);
    QCOMPARE(s.labelNumber, labelNumber);
    QCOMPARE(s.paper, QStringLiteral("letter"));
    QVERIFY2(std::abs(s.width - width) < 0.005 && std::abs(s.height - height) < 0.005,
             qPrintable(QStringLiteral("label %1 x %2").arg(s.width).arg(s.height)));
    QCOMPARE(s.columns * s.rows, perSheet);
}

// Every row agrees with the entry of LibreOffice's or glabels' label database it names, to
// 0.05 mm, the databases' own precision.
void TestLabelTemplates::sources_data() {
    QTest::addColumn<Sheet>("sheet");
    const QList<Sheet> sheets = ReadSheets();
    QVERIFY(sheets.size() >= 18);
    for (const Sheet& s : sheets) {
        QTest::newRow(qPrintable(s.labelNumber)) << s;
    }
}

void TestLabelTemplates::sources() {
    QFETCH(Sheet, sheet);
    const QStringList source = sheet.source.split(QStringLiteral(": "));
    Entry entry;
    if (source.size() == 3 && source[0] == u"labels.xml") {
        entry = LibreOfficeEntry(source[1], source[2]);
    } else if (source.size() == 2 && source[0].startsWith(u"glabels ")) {
        entry = GlabelsEntry(source[0].mid(8), source[1]);
    }
    QVERIFY2(entry.found, qPrintable(QStringLiteral("no entry '%1'").arg(sheet.source)));
    QCOMPARE(sheet.paper, entry.paper);
    QCOMPARE(sheet.columns, entry.columns);
    QCOMPARE(sheet.rows, entry.rows);
    const QList<std::tuple<const char*, double, double>> lengths = {
        {"width", sheet.width, entry.width},    {"height", sheet.height, entry.height},
        {"left", sheet.left, entry.left},       {"top", sheet.top, entry.top},
        {"hPitch", sheet.hPitch, entry.hPitch}, {"vPitch", sheet.vPitch, entry.vPitch}};
    for (const auto& [name, inches, mm] : lengths) {
        QVERIFY2(std::abs(inches * 25.4 - mm) <= 0.05,
                 qPrintable(QStringLiteral("%1: %2 mm in the table, %3 mm in the database")
                                .arg(name)
                                .arg(inches * 25.4)
                                .arg(mm)));
    }
}

void TestLabelTemplates::generatedFiles() {
    QStringList expected;
    for (const Sheet& s : ReadSheets()) {
        expected << s.file;
    }
    expected.sort();
    QCOMPARE(QDir(DataDir).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name), expected);
    QVERIFY(!QFile::exists(QDir(DataDir).filePath(QStringLiteral("custom.rtf"))));
}

// Each stock twice: its template as installed, and a sheet filled over two pages.
void TestLabelTemplates::geometry_data() {
    QTest::addColumn<Sheet>("sheet");
    QTest::addColumn<int>("filledPages"); // 0: the empty template
    for (const Sheet& s : ReadSheets()) {
        QTest::addRow("%s", qPrintable(s.file)) << s << 0;
        QTest::addRow("%s filled", qPrintable(s.labelNumber)) << s << 2;
    }
}

void TestLabelTemplates::geometry() {
    QFETCH(Sheet, sheet);
    QFETCH(int, filledPages);
    QByteArray rtf;
    const QStringList labels = FilledLabels(sheet, filledPages);
    if (filledPages == 0) {
        QFile file(QDir(DataDir).filePath(sheet.file));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        rtf = file.readAll();
    } else {
        rtf = sheet::SheetRtf(*sheet::FindStock(sheet.labelNumber), labels,
                              {QStringLiteral("Sample 93 d HR"), 24});
        QVERIFY(rtf.contains("{\\f1\\fnil\\fcharset0 Sample 93 d HR;}"));
        QVERIFY(rtf.contains("\\f1\\fs48 (L1)\\cell"));
    }
    QVERIFY(rtf.startsWith("{\\rtf1"));
    const Document doc = ParseSheet(rtf);
    QVERIFY2(doc.faults.isEmpty(), qPrintable(doc.faults.join(QStringLiteral("; "))));

    const QSize paper = sheet.paperTwips();
    QCOMPARE(doc.page.value("paperw"), paper.width());
    QCOMPARE(doc.page.value("paperh"), paper.height());
    const int margl = doc.page.value("margl", -1);
    const int margt = doc.page.value("margt", -1);
    const int margr = doc.page.value("margr", -1);
    const int margb = doc.page.value("margb", -1);
    QVERIFY2(std::abs(margl - Twips(sheet.left)) <= 1, qPrintable(QString::number(margl)));
    QVERIFY2(std::abs(margt - Twips(sheet.top)) <= 1, qPrintable(QString::number(margt)));
    QVERIFY(margr >= 0 && margb >= 0);

    // Each page a section of its own, its table starting at the top margin.
    const int pages = std::max(1, filledPages);
    QCOMPARE(rtf.count("\\sectd"), qsizetype(pages));
    QCOMPARE(doc.rows.size(), qsizetype(pages * sheet.rows));
    int rowTop = margt;
    for (int r = 0; r < doc.rows.size(); ++r) {
        const Row& row = doc.rows[r];
        const int rowOnPage = r % sheet.rows;
        if (rowOnPage == 0) {
            rowTop = margt;
        }
        const QString where = QStringLiteral("row %1").arg(r + 1);
        QVERIFY2(row.controls.contains("trgaph") && row.controls.value("trgaph") == 0,
                 qPrintable(where));
        for (const char* side : {"trpaddl", "trpaddr", "trpaddt", "trpaddb"}) {
            QVERIFY2(row.controls.value(side) == 0, qPrintable(where + " " + side));
        }

        const int trrh = row.controls.value("trrh");
        QVERIFY2(trrh < 0, qPrintable(where + ": the row height is not exact"));
        QVERIFY2(std::abs(-trrh - Twips(sheet.vPitch)) <= 1,
                 qPrintable(where + QStringLiteral(" height %1").arg(trrh)));
        rowTop -= trrh;
        QVERIFY2(std::abs(rowTop - Twips(sheet.top + (rowOnPage + 1) * sheet.vPitch)) <= 1,
                 qPrintable(where + QStringLiteral(" ends at %1").arg(rowTop)));

        QCOMPARE(row.cellText.size(), row.cellx.size());
        QList<int> cellEdges{0};
        cellEdges += row.cellx;
        QVERIFY2(std::is_sorted(cellEdges.begin(), cellEdges.end()) &&
                     std::adjacent_find(cellEdges.begin(), cellEdges.end()) == cellEdges.end(),
                 qPrintable(where + ": the cell edges do not increase"));
        const int origin = margl + row.controls.value("trleft");
        QList<int> labelCells;
        for (int k = 0; k < sheet.columns; ++k) {
            const double left = Twips(sheet.left + k * sheet.hPitch);
            const int c = CellAt(cellEdges, origin, left, left + Twips(sheet.width));
            QVERIFY2(c >= 0,
                     qPrintable(where + QStringLiteral(": no cell on label %1").arg(k + 1)));
            labelCells << c;
        }
        // A pasted bar code sits in the middle of its label, clear of the edges.
        for (int c : labelCells) {
            QVERIFY2(row.cellMiddle.value(c) && row.textCentred.value(c),
                     qPrintable(where + QStringLiteral(": cell %1 is not centred").arg(c + 1)));
        }
        // Nothing before the first label or after the last one.
        QCOMPARE(labelCells.first(), 0);
        QCOMPARE(labelCells.last(), int(row.cellx.size()) - 1);
        QVERIFY(origin + row.cellx.last() <= paper.width() - margr);

        // A template carries no text inside a label (a paste would print beside it); a filled
        // sheet carries each label's own text, in reading order, and nothing between labels.
        for (int c = 0; c < row.cellText.size(); ++c) {
            const int label = labelCells.indexOf(c);
            const QString expected =
                label < 0 ? QString() : labels.value(r * sheet.columns + label);
            QCOMPARE(QString::fromLatin1(row.cellText[c]), expected);
        }
        QVERIFY2(rowTop <= paper.height() - margb,
                 qPrintable(QStringLiteral("the table ends at %1 twips").arg(rowTop)));
    }
}

QTEST_GUILESS_MAIN(TestLabelTemplates)
#include "test_label_templates.moc"
