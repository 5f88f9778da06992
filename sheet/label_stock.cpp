#include "sheet/label_stock.h"

#include "sheet/generated/label_sheets_table.h"

#include <algorithm>
#include <cmath>

namespace sheet {
namespace {

constexpr double PointsPerInch = 72.0;
constexpr double PointsPerMillimetre = 72.0 / 25.4;

double PointsPerUnit(const QString& unit) {
    return unit == QLatin1String("mm") ? PointsPerMillimetre : PointsPerInch;
}

LabelStock FromRow(const table::Row& row) {
    LabelStock stock;
    stock.name = QString::fromUtf8(row.labelNumber);
    stock.templateFile = QString::fromUtf8(row.templateFile);
    stock.paper = QLatin1String(row.paper) == QLatin1String("a4") ? Paper::A4 : Paper::Letter;
    stock.unit = QString::fromUtf8(row.unit);
    stock.pageSize = stock.paper == Paper::A4
                         ? QSizeF(210 * PointsPerMillimetre, 297 * PointsPerMillimetre)
                         : QSizeF(8.5 * PointsPerInch, 11 * PointsPerInch);
    const double k = PointsPerUnit(stock.unit);
    stock.labelSize = QSizeF(row.labelWidth * k, row.labelHeight * k);
    stock.columns = row.columns;
    stock.rows = row.rows;
    stock.firstLabel = QPointF(row.left * k, row.top * k);
    stock.pitch = QSizeF(row.horizontalPitch * k, row.verticalPitch * k);
    stock.safeMargin = row.safeMargin * k;
    stock.source = QString::fromUtf8(row.source);
    return stock;
}

} // namespace

QRectF LabelStock::labelRect(int index) const {
    const int column = index % columns;
    const int row = index / columns;
    return {firstLabel + QPointF(column * pitch.width(), row * pitch.height()), labelSize};
}

QRectF LabelStock::safeRect(int index) const {
    return labelRect(index).adjusted(safeMargin, safeMargin, -safeMargin, -safeMargin);
}

const std::vector<LabelStock>& LabelStocks() {
    static const std::vector<LabelStock> stocks = [] {
        std::vector<LabelStock> all;
        for (const table::Row& row : table::Rows) {
            all.push_back(FromRow(row));
        }
        return all;
    }();
    return stocks;
}

std::vector<LabelStock> DialogStocks() {
    const std::vector<LabelStock>& all = LabelStocks();
    return {all.begin(), all.begin() + std::min<std::size_t>(8, all.size())};
}

const LabelStock* FindStock(const QString& name) {
    for (const LabelStock& stock : LabelStocks()) {
        if (stock.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &stock;
        }
    }
    return nullptr;
}

const LabelStock* FindStockByTemplate(const QString& templateFile) {
    for (const LabelStock& stock : LabelStocks()) {
        if (stock.templateFile == templateFile) {
            return &stock;
        }
    }
    return nullptr;
}

QString InTableUnit(const LabelStock& stock, double points) {
    // Five decimals give back every value of the table (0.28125 in, 21.17 mm) without float noise.
    const double value = std::round(points / PointsPerUnit(stock.unit) * 100000) / 100000;
    return QString::number(value, 'g', 10);
}

} // namespace sheet
