#include "sheet/sheet_rtf.h"

#include "rtf/rtf_text.h"

#include <cmath>

namespace sheet {
namespace {

// Below each page's table the word processor keeps one closing paragraph, exactly 1 point high;
// this much room stays for it where the sheet leaves it, and never less than the paragraph needs
// (a sheet whose labels reach the page's foot leaves a millimetre).
constexpr int ClosingRoom = 288;
constexpr int SmallestClosingRoom = 40;
constexpr const char* ClosingParagraph = "\\pard\\plain\\f0\\fs2\\sl-20\\slmult0";

// Edges are turned into twips from the page edge one by one, so that rounding never
// accumulates down or across the sheet.
int Twips(double points) {
    return static_cast<int>(std::lround(points * 20));
}

struct Cell {
    int right = 0; // right edge, from the table's left edge
    bool label = false;
};

QList<Cell> RowCells(const LabelStock& stock) {
    const int margin = Twips(stock.firstLabel.x());
    QList<Cell> cells;
    for (int k = 0; k < stock.columns; ++k) {
        const QRectF label = stock.labelRect(k);
        if (!cells.isEmpty() && Twips(label.left()) - margin > cells.last().right) {
            cells.append({Twips(label.left()) - margin, false}); // the gap before this label
        }
        cells.append({Twips(label.right()) - margin, true});
    }
    return cells;
}

QList<int> RowHeights(const LabelStock& stock) {
    QList<int> heights;
    for (int r = 0; r < stock.rows; ++r) {
        heights.append(Twips(stock.firstLabel.y() + (r + 1) * stock.pitch.height()) -
                       Twips(stock.firstLabel.y() + r * stock.pitch.height()));
    }
    return heights;
}

QByteArray Number(int n) {
    return QByteArray::number(n);
}

// The page and its margins in twips; the table starts at the top-left margin corner.
struct PageFormat {
    int paperWidth = 0;
    int paperHeight = 0;
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;

    // The document's defaults (prefix "") or a section's (suffix "sxn", page size "pgwsxn").
    QByteArray controls(bool section) const {
        const QByteArray sxn = section ? "sxn" : "";
        return (section ? "\\pgwsxn" : "\\paperw") + Number(paperWidth) +
               (section ? "\\pghsxn" : "\\paperh") + Number(paperHeight) + "\\margl" + sxn +
               Number(left) + "\\margr" + sxn + Number(right) + "\\margt" + sxn + Number(top) +
               "\\margb" + sxn + Number(bottom);
    }
};

PageFormat FormatOf(const LabelStock& stock, int tableWidth, int tableHeight) {
    PageFormat page;
    page.paperWidth = Twips(stock.pageSize.width());
    page.paperHeight = Twips(stock.pageSize.height());
    page.left = Twips(stock.firstLabel.x());
    page.top = Twips(stock.firstLabel.y());
    page.right = std::max(0, page.paperWidth - page.left - tableWidth);
    const int room = page.paperHeight - page.top - tableHeight;
    page.bottom = std::max(0, room - std::max(SmallestClosingRoom, std::min(ClosingRoom, room)));
    return page;
}

// The cells of a table row: labels centred down, with their borders when asked, and the gaps.
QByteArray CellDefinitions(const QList<Cell>& cells, bool showBorders) {
    const QByteArray border = "\\clbrdrt\\brdrs\\brdrw5\\clbrdrl\\brdrs\\brdrw5"
                              "\\clbrdrb\\brdrs\\brdrw5\\clbrdrr\\brdrs\\brdrw5";
    QByteArray definitions;
    for (const Cell& cell : cells) {
        if (cell.label) {
            definitions += "\\clvertalc" + (showBorders ? border : QByteArray());
        }
        definitions += "\\cellx" + Number(cell.right);
    }
    return definitions;
}

} // namespace

QByteArray SheetRtf(const LabelStock& stock, const QStringList& labels, const RtfFace& face,
                    bool showBorders) {
    const QList<Cell> cells = RowCells(stock);
    const QList<int> heights = RowHeights(stock);
    int tableHeight = 0;
    for (int height : heights) {
        tableHeight += height;
    }
    const PageFormat page = FormatOf(stock, cells.last().right, tableHeight);
    const QByteArray cellDefinitions = CellDefinitions(cells, showBorders);
    const QByteArray barcodeRun =
        "\\plain\\f1\\fs" + Number(static_cast<int>(std::lround(face.points * 2))) + ' ';

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\r\n"
                     "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}";
    if (!labels.isEmpty()) {
        out += "{\\f1\\fnil\\fcharset0 ";
        rtf::AppendEscapedText(out, face.family);
        out += ";}";
    }
    out += "}\r\n" + page.controls(false) + "\r\n";

    const int perSheet = stock.labelsPerSheet();
    const int pages = std::max<int>(1, (labels.size() + perSheet - 1) / perSheet);
    for (int pageIndex = 0; pageIndex < pages; ++pageIndex) {
        out += (pageIndex == 0 ? "\\sectd" : "\\sectd\\sbkpage") + page.controls(true) + "\r\n";
        int place = pageIndex * perSheet;
        for (int height : heights) {
            out += "\\trowd\\trgaph0\\trleft0\\trrh-" + Number(height) +
                   "\\trpaddl0\\trpaddr0\\trpaddt0\\trpaddb0"
                   "\\trpaddfl3\\trpaddfr3\\trpaddft3\\trpaddfb3\r\n" +
                   cellDefinitions + "\r\n";
            for (const Cell& cell : cells) {
                out += "\\pard\\intbl";
                const QString text = cell.label ? labels.value(place++) : QString();
                if (cell.label) {
                    out += "\\qc";
                }
                if (text.isEmpty()) {
                    out += "\\plain\\f0\\fs16";
                } else {
                    out += barcodeRun;
                    rtf::AppendEscapedText(out, text);
                }
                out += "\\cell";
            }
            out += "\\row\r\n";
        }
        // The closing paragraph of the last page ends the document, the others their page.
        out += ClosingParagraph;
        out += pageIndex + 1 == pages ? "\\par\r\n" : "\\sect\r\n";
    }
    out += "}\r\n";
    return out;
}

QByteArray TemplateRtf(const LabelStock& stock, bool showBorders) {
    return SheetRtf(stock, {}, {}, showBorders);
}

} // namespace sheet
