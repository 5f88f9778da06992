// ZXing-C++ reader; apart from zbar's, whose headers clash with its macros.
#include "tests/barcode_decoders.h"

#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>

namespace decoders {

QStringList ReadWithZxing(const QImage& picture) {
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                                ZXing::ImageFormat::Lum, static_cast<int>(grey.bytesPerLine()));
    const auto hints = ZXing::DecodeHints()
                           .setFormats(ZXing::BarcodeFormat::Code93)
                           .setTryHarder(true)
                           .setTryRotate(false)
                           .setTryDownscale(false);
    QStringList texts;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(view, hints)) {
        if (result.isValid()) {
            texts << QString::fromStdString(result.text());
        }
    }
    return texts;
}

} // namespace decoders
