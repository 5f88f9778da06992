// GIF through giflib, which Qt cannot write.
#pragma once

#include <QIODevice>
#include <QImage>
#include <QString>

namespace picture {

// Writes an 8-bit grey picture with a palette of exactly the grey levels it uses (at most
// 256, so nothing is lost). Returns the reason on failure, else an empty text.
QString WriteGif(const QImage& greyPicture, QIODevice& device);

} // namespace picture
