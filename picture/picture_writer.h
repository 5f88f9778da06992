// Writes the export picture as BMP, GIF, JPG or PNG, rendering and encoding it a row at a time.
// The files carry no resolution, the dpi choice being nominal (it only scales the drawing),
// unless the picture has its true size: then PNG, JPEG and BMP store the resolution.
#pragma once

#include "files/output_file.h"
#include "picture/barcode_picture.h"
#include "picture/picture_format.h"
#include "picture/row_source.h"
#include "result/result.h"

#include <QString>

namespace picture {

enum class Placement {
    Now,    // synced and in place when the writing returns
    Staged, // left for files::PlaceStagedFiles, which syncs many files at once
};

// Writes the picture of the layout under exactly this name (apply ExportFileName first), on the
// calling thread. An existing file is replaced only by a complete new one; on failure nothing
// is left behind. With Placement::Staged the file to put in place comes back; with
// Placement::Now an empty one does.
Result<files::StagedFile> WritePicture(const PictureLayout& layout, PictureFormat format,
                                       const QString& fileName,
                                       Placement placement = Placement::Now);

// The same for any rows.
Result<files::StagedFile> WriteRows(RowSource& rows, PictureFormat format, const QString& fileName,
                                    Placement placement = Placement::Now);

} // namespace picture
