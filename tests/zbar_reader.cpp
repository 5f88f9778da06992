// zbar reader, through its C interface.
#include "tests/barcode_decoders.h"

#include <memory>
#include <zbar.h>

namespace decoders {

using namespace zbar;

QStringList ReadWithZbar(const QImage& picture) {
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    // zbar wants the rows packed, one byte a pixel.
    QByteArray packed;
    packed.reserve(qsizetype(grey.width()) * grey.height());
    for (int y = 0; y < grey.height(); ++y) {
        packed.append(reinterpret_cast<const char*>(grey.constScanLine(y)), grey.width());
    }
    const std::unique_ptr<zbar_image_scanner_t, decltype(&zbar_image_scanner_destroy)> scanner(
        zbar_image_scanner_create(), zbar_image_scanner_destroy);
    zbar_image_scanner_set_config(scanner.get(), ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
    zbar_image_scanner_set_config(scanner.get(), ZBAR_CODE93, ZBAR_CFG_ENABLE, 1);
    zbar_image_scanner_set_config(scanner.get(), ZBAR_CODE93, ZBAR_CFG_ASCII, 1);
    // The bars are vertical: scan every row, no columns.
    zbar_image_scanner_set_config(scanner.get(), ZBAR_NONE, ZBAR_CFG_X_DENSITY, 0);
    zbar_image_scanner_set_config(scanner.get(), ZBAR_NONE, ZBAR_CFG_Y_DENSITY, 1);

    const std::unique_ptr<zbar_image_t, decltype(&zbar_image_destroy)> image(zbar_image_create(),
                                                                             zbar_image_destroy);
    zbar_image_set_format(image.get(), zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(image.get(), static_cast<unsigned>(grey.width()),
                        static_cast<unsigned>(grey.height()));
    zbar_image_set_data(image.get(), packed.constData(), static_cast<unsigned long>(packed.size()),
                        nullptr);
    QStringList texts;
    if (zbar_scan_image(scanner.get(), image.get()) > 0) {
        for (const zbar_symbol_t* symbol = zbar_image_first_symbol(image.get()); symbol;
             symbol = zbar_symbol_next(symbol)) {
            texts << QString::fromUtf8(zbar_symbol_get_data(symbol),
                                       zbar_symbol_get_data_length(symbol));
        }
    }
    return texts;
}

} // namespace decoders
