// Files of vector documents (PDF, SVG, RTF), each written whole: an existing file is replaced only
// by a complete new one, and a failed write leaves it as it was.
#pragma once

#include "result/result.h"

#include <QByteArray>
#include <QFont>
#include <QPageSize>
#include <QString>
#include <functional>

class QPainter;

namespace picture {

// Draws page number page (from 0) of the document.
using PageDrawer = std::function<void(QPainter& painter, int page)>;

// Writes a PDF of pageCount pages of this size, without margins, painted in points from each
// page's top-left corner, the typefaces embedded. Needs a QGuiApplication.
Result<> WritePdfFile(const QString& fileName, const QPageSize& pageSize, const QString& title,
                      int pageCount, const PageDrawer& drawPage);

// A font of this size for the painter of a PDF page, whose unit is the point (QFont's point sizes
// count device pixels there).
QFont PdfPageFont(const QString& family, double points);

// Writes the bytes under exactly this name.
Result<> WriteDocumentFile(const QString& fileName, const QByteArray& bytes);

} // namespace picture
