#include "picture/picture_encoders.h"
#include "picture/row_conversion.h"

#include <QtEndian>
#include <cmath>
#include <cstring>
#include <vector>

namespace picture {

namespace {

constexpr int FileHeaderBytes = 14;
constexpr int InfoHeaderBytes = 40;

QByteArray Headers(QSize size, int bitsPerPixel, std::size_t rowBytes, int dpi) {
    const int colours = 1 << bitsPerPixel;
    const quint32 offset = FileHeaderBytes + InfoHeaderBytes + 4 * colours;
    const auto imageBytes =
        static_cast<quint32>(rowBytes * static_cast<std::size_t>(size.height()));
    QByteArray bytes(static_cast<qsizetype>(offset), '\0');
    auto* out = reinterpret_cast<uchar*>(bytes.data());
    out[0] = 'B';
    out[1] = 'M';
    qToLittleEndian<quint32>(offset + imageBytes, out + 2);
    qToLittleEndian<quint32>(offset, out + 10);
    qToLittleEndian<quint32>(InfoHeaderBytes, out + 14);
    qToLittleEndian<qint32>(size.width(), out + 18);
    qToLittleEndian<qint32>(size.height(), out + 22); // positive: rows from the bottom up
    qToLittleEndian<quint16>(1, out + 26);
    qToLittleEndian<quint16>(static_cast<quint16>(bitsPerPixel), out + 28);
    qToLittleEndian<quint32>(imageBytes, out + 34);
    qToLittleEndian<quint32>(static_cast<quint32>(colours), out + 46);
    // Pixels per metre, 0 when the file carries no resolution.
    const auto perMetre = static_cast<qint32>(std::lround(dpi / 0.0254));
    qToLittleEndian<qint32>(perMetre, out + 38);
    qToLittleEndian<qint32>(perMetre, out + 42);
    uchar* palette = out + FileHeaderBytes + InfoHeaderBytes;
    for (int i = 0; i < colours; ++i) {
        const auto level = static_cast<uchar>(i * 255 / (colours - 1));
        palette[4 * i] = palette[4 * i + 1] = palette[4 * i + 2] = level;
    }
    return bytes;
}

} // namespace

std::size_t BmpRowBytes(int width, int bitsPerPixel) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32 * 4;
}

Result<> WriteBmp(RowSource& rows, QIODevice& device) {
    const QSize size = rows.size();
    const int width = size.width();
    const int bitsPerPixel = rows.blackAndWhite() ? 1 : 8;
    const std::size_t rowBytes = BmpRowBytes(width, bitsPerPixel);
    const QByteArray headers = Headers(size, bitsPerPixel, rowBytes, rows.dotsPerInch());
    if (device.write(headers) != headers.size()) {
        return Failure{device.errorString()};
    }
    RowConversion padded(rowBytes);
    for (int y = size.height() - 1; y >= 0; --y) {
        const uchar* line = padded.Get(rows, y, [&](const uchar* grey, uchar* out) {
            if (bitsPerPixel == 1) {
                PackBlackAndWhite(grey, width, out, rowBytes);
            } else {
                std::memcpy(out, grey, static_cast<std::size_t>(width));
            }
        });
        if (device.write(reinterpret_cast<const char*>(line), static_cast<qint64>(rowBytes)) !=
            static_cast<qint64>(rowBytes)) {
            return Failure{device.errorString()};
        }
    }
    return {};
}

} // namespace picture
