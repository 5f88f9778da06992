// Writes the export picture as BMP, GIF, JPG or PNG. The files carry no resolution: the dpi
// choice is nominal and only scales the drawing.
#pragma once

#include "picture_format.h"

#include <QImage>
#include <QString>

namespace picture {

struct WriteResult {
    QString error; // empty when the file was written
};

// Writes the 8-bit grey picture under exactly this name (apply ExportFileName first). An
// existing file is replaced only by a complete new one; on failure nothing is left behind.
WriteResult WritePicture(const QImage& greyPicture, PictureFormat format, const QString& fileName);

} // namespace picture
