// The four file formats, each written row by row from a RowSource into a device. Each returns
// the encoder's reason on failure, else an empty text; a failed write to the device is in the
// device's own error.
#pragma once

#include "row_source.h"

#include <QIODevice>
#include <QString>
#include <cstddef>

namespace picture {

// Bytes a BMP row takes: whole 32-bit words.
std::size_t BmpRowBytes(int width, int bitsPerPixel);

// 8-bit grey with a grey palette, or 1 bit a pixel for black-and-white pictures; bottom-up.
QString WriteBmp(RowSource& rows, QIODevice& device);

// giflib, with a palette of exactly the grey levels the picture uses.
QString WriteGif(RowSource& rows, QIODevice& device);

// libjpeg-turbo: three components (full colour), quality 90, baseline.
QString WriteJpeg(RowSource& rows, QIODevice& device);

// libpng: 8-bit grey, or 1-bit for black-and-white pictures.
QString WritePng(RowSource& rows, QIODevice& device);

} // namespace picture
