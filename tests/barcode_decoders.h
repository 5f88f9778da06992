// Two independent barcode readers, so that a test sees what a scanner would read.
#pragma once

#include <QImage>
#include <QStringList>

namespace decoders {

// Every Code 93 symbol found in the picture, decoded to text (Full ASCII pairs resolved).
// Both read the picture as it is: no downscaling, no rotation.
QStringList ReadWithZxing(const QImage& picture);
QStringList ReadWithZbar(const QImage& picture);

} // namespace decoders
