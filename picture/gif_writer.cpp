#include "gif_writer.h"

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

Palette PaletteOf(const QImage& picture) {
    std::array<bool, 256> used{};
    for (int y = 0; y < picture.height(); ++y) {
        const uchar* row = picture.constScanLine(y);
        for (int x = 0; x < picture.width(); ++x) {
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
    std::size_t size = 2;
    while (size < palette.colours.size()) {
        size *= 2;
    }
    palette.colours.resize(size, GifColorType{255, 255, 255});
    return palette;
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

} // namespace

QString WriteGif(const QImage& greyPicture, QIODevice& device) {
    Palette palette = PaletteOf(greyPicture);
    const std::unique_ptr<ColorMapObject, MapDeleter> map(
        GifMakeMapObject(static_cast<int>(palette.colours.size()), palette.colours.data()));
    int error = 0;
    GifFileType* gif = EGifOpen(&device, WriteToDevice, &error);
    if (!gif || !map) {
        return QString::fromUtf8(GifErrorString(error));
    }
    const int width = greyPicture.width();
    const int height = greyPicture.height();
    bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, map.get()) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    for (int y = 0; ok && y < height; ++y) {
        const uchar* row = greyPicture.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            line[static_cast<std::size_t>(x)] = palette.indexOfGrey[row[x]];
        }
        ok = EGifPutLine(gif, line.data(), width) == GIF_OK;
    }
    const int failure = gif->Error;
    if (EGifCloseFile(gif, &error) != GIF_OK && ok) {
        ok = false;
    } else if (!ok) {
        error = failure;
    }
    return ok ? QString() : QString::fromUtf8(GifErrorString(error));
}

} // namespace picture
