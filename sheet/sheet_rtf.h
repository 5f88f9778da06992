// A stock sheet as an RTF document for a word processor: one table per page whose label cells lie
// exactly on the labels, with narrow empty cells for the gaps between them. The empty sheet is
// the label template; a filled one carries a barcode in its labels.
#pragma once

#include "sheet/label_stock.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sheet {

// The typeface the labels' texts are set in.
struct RtfFace {
    QString family; // e.g. "Sample 93 d HR"
    double points = 24;
};

// labels holds the text of each label in reading order, from the first label of the first page
// on; an empty text leaves its label empty. As many pages as the texts need, at least one.
// showBorders draws thin lines round the labels, to measure where a word processor prints them.
QByteArray SheetRtf(const LabelStock& stock, const QStringList& labels, const RtfFace& face,
                    bool showBorders = false);

// The empty template of the stock.
QByteArray TemplateRtf(const LabelStock& stock, bool showBorders = false);

} // namespace sheet
