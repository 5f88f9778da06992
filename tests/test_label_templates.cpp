// The generated label-sheet templates: each RTF file is read back and its table measured against
// the sheet's geometry in label_sheets.csv, in twips from the page edge.
#include <QDir>
#include <QFile>
#include <QMap>
#include <QTest>
#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

const QString SheetsCsv = QStringLiteral(STRIA_LABEL_SHEETS_CSV);
const QString DataDir = QStringLiteral(STRIA_BUILD_DATA_DIR);
const QByteArray Invitation = "Paste your bar code here (Ctrl+V)";
constexpr int LetterWidth = 12240;
constexpr int LetterHeight = 15840;

struct Sheet {
    QString file;
    int labelNumber = 0;
    double width = 0, height = 0;
    int columns = 0, rows = 0;
    double left = 0, top = 0, hPitch = 0, vPitch = 0;
};

double Twips(double inches) {
    return inches * 1440.0;
}

QList<Sheet> ReadSheets() {
    QList<Sheet> sheets;
    QFile file(SheetsCsv);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return sheets;
    }
    file.readLine(); // the header
    while (!file.atEnd()) {
        const QList<QByteArray> f = file.readLine().trimmed().split(',');
        if (f.size() != 10) {
            continue;
        }
        sheets.append({QString::fromLatin1(f[0]), f[1].toInt(), f[2].toDouble(), f[3].toDouble(),
                       f[4].toInt(), f[5].toInt(), f[6].toDouble(), f[7].toDouble(),
                       f[8].toDouble(), f[9].toDouble()});
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
    int invitationSize = 0;  // \fs in half points where the invitation stands
};

struct Document {
    QMap<QByteArray, int> page; // first value of each page-level control word
    QList<Row> rows;
    QStringList faults;
};

bool IsHex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// Border selectors may only ever be followed by \brdrnone; any other border word would print.
bool IsBorderSelector(const QByteArray& word) {
    return word.startsWith("clbrdr") || word.startsWith("trbrdr") || word == "box" ||
           word == "brdrt" || word == "brdrl" || word == "brdrb" || word == "brdrr";
}

Document Parse(const QByteArray& rtf) {
    Document doc;
    Row row;
    QByteArray cell;
    int fontSize = 24;
    int depth = 0;
    int skipDepth = 0; // inside the font table or an ignorable destination
    bool expectBrdrnone = false;
    bool middle = false;
    bool centred = false;
    for (int i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (static_cast<unsigned char>(c) > 0x7e || (c < 0x20 && c != '\r' && c != '\n')) {
            doc.faults << QStringLiteral("byte 0x%1 at %2 is not plain ASCII")
                              .arg(static_cast<unsigned char>(c), 2, 16)
                              .arg(i);
            continue;
        }
        if (c == '{') {
            ++depth;
            continue;
        }
        if (c == '}') {
            if (skipDepth == depth) {
                skipDepth = 0;
            }
            if (--depth < 0) {
                doc.faults << QStringLiteral("unbalanced } at %1").arg(i);
            }
            continue;
        }
        if (c == '\r' || c == '\n') {
            continue;
        }
        if (c != '\\') {
            if (!skipDepth) {
                cell += c;
            }
            continue;
        }
        if (++i >= rtf.size()) {
            doc.faults << QStringLiteral("the file ends in a backslash");
            break;
        }
        if (!std::isalpha(static_cast<unsigned char>(rtf[i]))) {
            const char symbol = rtf[i];
            if (symbol == '\'') {
                if (i + 2 >= rtf.size() || !IsHex(rtf[i + 1]) || !IsHex(rtf[i + 2])) {
                    doc.faults << QStringLiteral("\\' without two hex digits at %1").arg(i);
                }
                i += 2;
                cell += '?';
            } else if (symbol == '*') {
                skipDepth = skipDepth ? skipDepth : depth;
            } else if (QByteArray("\\{}~-_").contains(symbol)) {
                cell += symbol;
            } else {
                doc.faults
                    << QStringLiteral("unknown control symbol \\%1 at %2").arg(symbol).arg(i);
            }
            continue;
        }
        int end = i;
        while (end < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[end]))) {
            ++end;
        }
        const QByteArray word = rtf.mid(i, end - i);
        int paramEnd = end;
        if (paramEnd < rtf.size() && rtf[paramEnd] == '-') {
            ++paramEnd;
        }
        while (paramEnd < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[paramEnd]))) {
            ++paramEnd;
        }
        const bool hasParam = paramEnd > end && rtf.mid(end, paramEnd - end) != "-";
        const int param = hasParam ? rtf.mid(end, paramEnd - end).toInt() : 0;
        i = paramEnd - 1;
        if (paramEnd < rtf.size() && rtf[paramEnd] == ' ') {
            ++i; // the delimiting space belongs to the control word
        }

        const bool selector = IsBorderSelector(word);
        if (expectBrdrnone && word != "brdrnone") {
            doc.faults << QStringLiteral("a border is drawn: \\%1").arg(QString::fromLatin1(word));
        } else if (!selector && word.contains("brdr") && word != "brdrnone") {
            doc.faults << QStringLiteral("border word \\%1").arg(QString::fromLatin1(word));
        }
        expectBrdrnone = selector;
        if (word == "fonttbl") {
            skipDepth = skipDepth ? skipDepth : depth;
        } else if (word == "trowd") {
            row = Row();
        } else if (word.startsWith("tr") && hasParam) {
            row.controls[word] = param;
        } else if (word == "clvertalc") {
            middle = true;
        } else if (word == "cellx") {
            row.cellx.append(param);
            row.cellMiddle.append(middle);
            middle = false;
        } else if (word == "pard") {
            centred = false;
        } else if (word == "qc") {
            centred = true;
        } else if (word == "fs") {
            fontSize = param;
        } else if (word == "cell") {
            if (cell.contains(Invitation)) {
                row.invitationSize = fontSize;
            }
            row.cellText.append(cell.trimmed());
            row.textCentred.append(centred);
            cell.clear();
        } else if (word == "row") {
            doc.rows.append(row);
        } else if (word == "par") {
            cell.clear();
        } else if (hasParam && !doc.page.contains(word)) {
            doc.page[word] = param;
        }
    }
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

} // namespace

Q_DECLARE_METATYPE(Sheet)

class TestLabelTemplates : public QObject {
    Q_OBJECT
private slots:
    void sheetTable_data();
    void sheetTable();
    void generatedFiles();
    void geometry_data();
    void geometry();
};

// The table against the sizes, counts and numbers the label dialog shows for each template.
void TestLabelTemplates::sheetTable_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("labelNumber");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("perSheet");
    QTest::newRow("5167") << "lz167.rtf" << 5167 << 1.75 << 0.50 << 80;
    QTest::newRow("6570") << "lz570.rtf" << 6570 << 1.75 << 1.25 << 32;
    QTest::newRow("5160") << "lz060.rtf" << 5160 << 2.625 << 1.00 << 30;
    QTest::newRow("5161") << "lz161.rtf" << 5161 << 4.00 << 1.00 << 20;
    QTest::newRow("5162") << "lz162.rtf" << 5162 << 4.00 << 1.33 << 14;
    QTest::newRow("5197") << "lz197.rtf" << 5197 << 4.00 << 1.50 << 12;
    QTest::newRow("5163") << "lz163.rtf" << 5163 << 4.00 << 2.00 << 10;
    QTest::newRow("5164") << "lz164.rtf" << 5164 << 4.00 << 3.33 << 6;
}

void TestLabelTemplates::sheetTable() {
    QFETCH(QString, file);
    QFETCH(int, labelNumber);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(int, perSheet);
    const QList<Sheet> sheets = ReadSheets();
    QCOMPARE(sheets.size(), qsizetype(8));
    const auto it =
        std::find_if(sheets.begin(), sheets.end(), [&](const Sheet& s) { return s.file == file; });
    QVERIFY2(it != sheets.end(), qPrintable(file + " is not in the table"));
    const Sheet& s = *it;
    QCOMPARE(s.labelNumber, labelNumber);
    QVERIFY2(std::abs(s.width - width) < 0.005 && std::abs(s.height - height) < 0.005,
             qPrintable(QStringLiteral("label %1 x %2").arg(s.width).arg(s.height)));
    QCOMPARE(s.columns * s.rows, perSheet);
    QVERIFY(s.hPitch >= s.width && s.vPitch >= s.height);
    QVERIFY(s.left >= 0 && s.top >= 0);
    QVERIFY(s.left + (s.columns - 1) * s.hPitch + s.width <= 8.5);
    QVERIFY(s.top + s.rows * s.vPitch <= 11.0);
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

void TestLabelTemplates::geometry_data() {
    QTest::addColumn<Sheet>("sheet");
    for (const Sheet& s : ReadSheets()) {
        QTest::newRow(qPrintable(s.file)) << s;
    }
}

void TestLabelTemplates::geometry() {
    QFETCH(Sheet, sheet);
    QFile file(QDir(DataDir).filePath(sheet.file));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QByteArray rtf = file.readAll();
    QVERIFY(rtf.startsWith("{\\rtf1"));
    const Document doc = Parse(rtf);
    QVERIFY2(doc.faults.isEmpty(), qPrintable(doc.faults.join(QStringLiteral("; "))));

    QCOMPARE(doc.page.value("paperw"), LetterWidth);
    QCOMPARE(doc.page.value("paperh"), LetterHeight);
    const int margl = doc.page.value("margl", -1);
    const int margt = doc.page.value("margt", -1);
    const int margr = doc.page.value("margr", -1);
    const int margb = doc.page.value("margb", -1);
    QVERIFY2(std::abs(margl - Twips(sheet.left)) <= 1, qPrintable(QString::number(margl)));
    QVERIFY2(std::abs(margt - Twips(sheet.top)) <= 1, qPrintable(QString::number(margt)));
    QVERIFY(margr >= 0 && margb >= 0);

    QCOMPARE(doc.rows.size(), qsizetype(sheet.rows));
    int rowTop = margt;
    for (int r = 0; r < doc.rows.size(); ++r) {
        const Row& row = doc.rows[r];
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
        QVERIFY2(std::abs(rowTop - Twips(sheet.top + (r + 1) * sheet.vPitch)) <= 1,
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
        QVERIFY(origin + row.cellx.last() <= LetterWidth - margr);

        for (int c = 0; c < row.cellText.size(); ++c) {
            const bool first = r == 0 && c == 0;
            QCOMPARE(row.cellText[c], first ? Invitation : QByteArray());
        }
    }
    QVERIFY2(rowTop <= LetterHeight - margb,
             qPrintable(QStringLiteral("the table ends at %1 twips").arg(rowTop)));

    // Two lines of the invitation, at 1.2 times the font size, stay inside the first label.
    const int size = doc.rows.first().invitationSize;
    QVERIFY(size > 0);
    QVERIFY2(2 * 1.2 * size * 10 <= -doc.rows.first().controls.value("trrh"),
             qPrintable(QStringLiteral("invitation at %1 half points").arg(size)));
}

QTEST_GUILESS_MAIN(TestLabelTemplates)
#include "test_label_templates.moc"
