// "Fill every label": a copy of a stock sheet's template with the preview's barcode in every
// label, written beside the template as <template>-filled.rtf and replaced each time.
#pragma once

#include "result/result.h"

#include <QString>

class QTextDocument;

// The preview's text, face and point size in every label of the stock whose template is
// templateFile. An empty preview gives the empty sheet. Gives the file's name, e.g.
// "lz161-filled.rtf", in the folder the template is in.
Result<QString> WriteFilledTemplate(const QString& folder, const QString& templateFile,
                                    const QTextDocument& preview);

// Whether the program knows the template's sheet, so that it can fill it.
bool CanFillTemplate(const QString& templateFile);

// Whether the preview's barcode, in its face and size, fits one label of the template's sheet
// as a label sheet must hold it; if not, the warning that names the largest point size that
// does. A word processor would wrap a barcode too wide for its label over two lines, and
// nothing on the sheet would scan.
Result<> CheckFillFits(const QString& templateFile, const QTextDocument& preview);
