#include "picture/picture_encoders.h"
#include "picture/row_conversion.h"

#include <array>
#include <gif_lib.h>
#include <memory>
#include <vector>

namespace picture {

namespace {

int WriteToDevice(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* device = static_cast<QIODevice*>(gif->UserData);
    return static_cast<int>(device->write(reinterpret_cast<const char*>(bytes), length));
}

struct Palette {
    std::vector<GifColorType> colours; // a power of two long, as GIF requires
    std::array<GifPixelType, 256> indexOfGrey{};
};

// The grey levels in use, from one row of each run of equal rows.
Palette PaletteOf(RowSource& rows) {
    std::array<bool, 256> used{};
    const QSize size = rows.size();
    int lastKey = -1;
    for (int y = 0; y < size.height(); ++y) {
        if (rows.keyOf(y) == lastKey) {
            continue;
        }
        lastKey = rows.keyOf(y);
        const uchar* row = rows.row(y);
        for (int x = 0; x < size.width(); ++x) {
            used[row[x]] = true;
        }
    }
    Palette palette;
    for (int grey = 0; grey < 256; ++grey) {
        if (used[grey]) {
            palette.indexOfGrey[grey] = static_cast<GifPixelType>(palette.colours.size());
            const auto level = static_cast<GifByteType>(grey);
            palette.colours.push_back({level, level, level});
        }
    }
    std::size_t length = 2;
    while (length < palette.colours.size()) {
        length *= 2;
    }
    palette.colours.resize(length, GifColorType{255, 255, 255});
    return palette;
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

} // namespace

Result<> WriteGif(RowSource& rows, QIODevice& device) {
    Palette palette = PaletteOf(rows);
    const std::unique_ptr<ColorMapObject, MapDeleter> map(
        GifMakeMapObject(static_cast<int>(palette.colours.size()), palette.colours.data()));
    int error = 0;
    GifFileType* gif = EGifOpen(&device, WriteToDevice, &error);
    if (!gif || !map) {
        return Failure{QString::fromUtf8(GifErrorString(error))};
    }
    const int width = rows.size().width();
    const int height = rows.size().height();
    bool ok = EGifPutScreenDesc(gif, width, height, map->BitsPerPixel, 0, map.get()) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    RowConversion indexes(static_cast<std::size_t>(width));
    for (int y = 0; ok && y < height; ++y) {
        const uchar* line = indexes.Get(rows, y, [&](const uchar* grey, uchar* out) {
            for (int x = 0; x < width; ++x) {
                out[x] = palette.indexOfGrey[grey[x]];
            }
        });
        ok = EGifPutLine(gif, const_cast<GifPixelType*>(line), width) == GIF_OK;
    }
    const int failure = gif->Error;
    if (EGifCloseFile(gif, &error) != GIF_OK && ok) {
        ok = false;
    } else if (!ok) {
        error = failure;
    }
    if (!ok) {
        return Failure{QString::fromUtf8(GifErrorString(error))};
    }
    return {};
}

} // namespace picture
