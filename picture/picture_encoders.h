// The four file formats, each written row by row from a RowSource into a device, with the
// source's resolution where the format has room for it (not GIF). Each fails with the encoder's
// reason; a failed write to the device is in the device's own error.
#pragma once

#include "picture/row_source.h"
#include "result/result.h"

#include <QIODevice>
#include <QString>
#include <cstddef>

namespace picture {

// Bytes a BMP row takes: whole 32-bit words.
std::size_t BmpRowBytes(int width, int bitsPerPixel);

// 8-bit grey with a grey palette, or 1 bit a pixel for black-and-white pictures; bottom-up.
Result<> WriteBmp(RowSource& rows, QIODevice& device);

// giflib, with a palette of exactly the grey levels the picture uses.
Result<> WriteGif(RowSource& rows, QIODevice& device);

// libjpeg-turbo: three components (full colour), quality 90, baseline.
Result<> WriteJpeg(RowSource& rows, QIODevice& device);

// libpng: 8-bit grey, or 1-bit for black-and-white pictures.
Result<> WritePng(RowSource& rows, QIODevice& device);

} // namespace picture
