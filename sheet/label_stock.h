// The stock label sheets: page, label size, grid and margins of each, from label_sheets.csv.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

namespace sheet {

enum class Paper { Letter, A4 };

// Every length in points (1/72 in), measured from the page's top-left corner.
struct LabelStock {
    QString name;         // the label number the stock is sold under: "5160", "L7160"
    QString templateFile; // its RTF template in the data folder: "lz060.rtf"
    Paper paper = Paper::Letter;
    QString unit; // "in" or "mm": how the table measures the sheet, used to list it
    QSizeF pageSize;
    QSizeF labelSize;
    int columns = 0;
    int rows = 0;
    QPointF firstLabel;    // top-left corner of the first label
    QSizeF pitch;          // from one label's top-left corner to the next one's, across and down
    double safeMargin = 0; // how far a barcode stays from the label's edges
    QString source;        // the label database entry the geometry comes from

    int labelsPerSheet() const { return columns * rows; }
    // The label at this place on the page, counted from 0 in reading order.
    QRectF labelRect(int index) const;
    // The part of the label a barcode may use: the label less the safe margin all round.
    QRectF safeRect(int index) const;
};

// Every stock, in the order of the table.
const std::vector<LabelStock>& LabelStocks();

// The stocks the label dialog offers on its buttons L1..L8: the first eight of the table.
std::vector<LabelStock> DialogStocks();

// The stock with this label number (any case), or nullptr.
const LabelStock* FindStock(const QString& name);

// The stock whose RTF template has this file name, or nullptr.
const LabelStock* FindStockByTemplate(const QString& templateFile);

// A length in points as the stock's table unit gives it: "2.625" (in) or "63.5" (mm).
QString InTableUnit(const LabelStock& stock, double points);

} // namespace sheet
