// Writes the export picture as BMP, GIF, JPG or PNG, rendering and encoding it a row at a time.
// The files carry no resolution: the dpi choice is nominal and only scales the drawing.
#pragma once

#include "barcode_picture.h"
#include "picture_format.h"
#include "result.h"
#include "row_source.h"

#include <QString>

namespace picture {

// Writes the picture of the layout under exactly this name (apply ExportFileName first), on the
// calling thread. An existing file is replaced only by a complete new one; on failure nothing
// is left behind.
Result<> WritePicture(const PictureLayout& layout, PictureFormat format, const QString& fileName);

// The same for any rows.
Result<> WriteRows(RowSource& rows, PictureFormat format, const QString& fileName);

} // namespace picture
