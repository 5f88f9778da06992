#include "picture_encoders.h"
#include "row_conversion.h"

#include <climits>
#include <csetjmp>
#include <png.h>
#include <zlib.h>

namespace picture {

namespace {

struct PngFailure {
    char message[256] = {};
};

void OnError(png_structp png, png_const_charp message) {
    auto* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
    qstrncpy(failure->message, message, sizeof failure->message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void WriteToDevice(png_structp png, png_bytep bytes, size_t length) {
    auto* device = static_cast<QIODevice*>(png_get_io_ptr(png));
    if (device->write(reinterpret_cast<const char*>(bytes), static_cast<qint64>(length)) !=
        static_cast<qint64>(length)) {
        png_error(png, "write failed");
    }
}

void FlushNothing(png_structp) {}

// Kept apart from its caller so that no C++ object lives across the longjmp of a failure.
bool Encode(png_structp png, png_infop info, RowSource& rows, RowConversion& packed) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    const QSize size = rows.size();
    const bool bits = rows.blackAndWhite();
    png_set_user_limits(png, INT_MAX, INT_MAX);
    png_set_IHDR(png, info, static_cast<png_uint_32>(size.width()),
                 static_cast<png_uint_32>(size.height()), bits ? 1 : 8, PNG_COLOR_TYPE_GRAY,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Most rows repeat the one above: the Up filter turns them into zeros, which the fastest
    // zlib level packs as well as the slowest, and far quicker.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_level(png, 1);
    png_set_compression_strategy(png, Z_DEFAULT_STRATEGY);
    png_write_info(png, info);
    const int width = size.width();
    const std::size_t packedBytes = (static_cast<std::size_t>(width) + 7) / 8;
    for (int y = 0; y < size.height(); ++y) {
        png_write_row(png, bits ? packed.Get(rows, y,
                                             [&](const uchar* grey, uchar* out) {
                                                 PackBlackAndWhite(grey, width, out, packedBytes);
                                             })
                                : rows.row(y));
    }
    png_write_end(png, info);
    return true;
}

} // namespace

QString WritePng(RowSource& rows, QIODevice& device) {
    PngFailure failure;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, OnError, OnWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return QStringLiteral("out of memory");
    }
    png_set_write_fn(png, &device, WriteToDevice, FlushNothing);
    RowConversion packed(
        rows.blackAndWhite() ? (static_cast<std::size_t>(rows.size().width()) + 7) / 8 : 0);
    const bool ok = Encode(png, info, rows, packed);
    png_destroy_write_struct(&png, &info);
    return ok ? QString() : QString::fromUtf8(failure.message);
}

} // namespace picture
