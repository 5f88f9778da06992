// The four picture file formats, their extensions and the largest picture each can hold.
#pragma once

#include "result/result.h"

#include <QSize>
#include <QString>
#include <optional>

namespace picture {

enum class PictureFormat { Bmp, Gif, Jpeg, Png };

// ".bmp", ".gif", ".jpg" or ".png".
QString FormatExtension(PictureFormat format);

// "BMP", "GIF", "JPG" or "PNG", for messages.
QString FormatName(PictureFormat format);

// The format whose extension (with or without the dot, any case) is given; "jpeg" is JPG too.
std::optional<PictureFormat> FormatFromExtension(const QString& extension);

// The file name with the extension of its last path component (from its last dot on)
// replaced by the format's extension, or with that extension added when it has none.
QString ExportFileName(const QString& fileName, PictureFormat format);

// Numbers as the export's messages write them, the same on every locale: "65,535", "2.5".
QString EnglishNumber(long long n);
QString EnglishDecimal(double value);

// The largest width and height the format can store.
int MaxSide(PictureFormat format);

// Fails, saying why, when a picture of this size and depth cannot be written in the format.
Result<> CheckFormatLimit(QSize size, PictureFormat format, int bitsPerPixel = 8);

} // namespace picture
