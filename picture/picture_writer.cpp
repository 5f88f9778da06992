#include "picture_writer.h"

#include "gif_writer.h"
#include "output_file.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

namespace picture {

namespace {

// Qt puts its screen resolution into every file (96 dpi when there is none); these take it
// out again. Offsets are those of the headers Qt's writers always start with.
constexpr qint64 BmpPixelsPerMetreOffset = 38; // biXPelsPerMeter, biYPelsPerMeter
constexpr qint64 JfifDensityOffset = 13;       // units, X density, Y density of the APP0

// The BMP writer takes 8-bit pictures with a colour table; this one shares the grey pixels.
QImage IndexedView(const QImage& greyPicture) {
    QImage view(greyPicture.constBits(), greyPicture.width(), greyPicture.height(),
                greyPicture.bytesPerLine(), QImage::Format_Indexed8);
    QList<QRgb> greys(256);
    for (int level = 0; level < 256; ++level) {
        greys[level] = qRgb(level, level, level);
    }
    view.setColorTable(greys);
    return view;
}

bool Overwrite(QIODevice& device, qint64 offset, const QByteArray& bytes) {
    return device.seek(offset) && device.write(bytes) == bytes.size();
}

// Drops the pHYs chunk from a PNG file.
QByteArray WithoutPhysicalSize(const QByteArray& png) {
    QByteArray out = png.left(8);
    qsizetype at = 8;
    while (at + 12 <= png.size()) {
        const auto* p = reinterpret_cast<const uchar*>(png.constData() + at);
        const qsizetype length = (qsizetype(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
        const qsizetype chunkSize = 12 + length;
        if (png.mid(at + 4, 4) != "pHYs") {
            out += png.mid(at, chunkSize);
        }
        at += chunkSize;
    }
    return out;
}

QString Encode(const QImage& greyPicture, PictureFormat format, QIODevice& device) {
    switch (format) {
    case PictureFormat::Gif:
        return WriteGif(greyPicture, device);
    case PictureFormat::Bmp: {
        QImageWriter writer(&device, "bmp");
        if (!writer.write(IndexedView(greyPicture)) ||
            !Overwrite(device, BmpPixelsPerMetreOffset, QByteArray(8, '\0'))) {
            return writer.errorString();
        }
        return {};
    }
    case PictureFormat::Jpeg: {
        QImageWriter writer(&device, "jpeg");
        writer.setQuality(90);
        writer.setProgressiveScanWrite(false);
        // Units 0 (none), density 1:1: only the aspect ratio of the pixels.
        if (!writer.write(greyPicture) ||
            !Overwrite(device, JfifDensityOffset, QByteArray("\0\0\1\0\1", 5))) {
            return writer.errorString();
        }
        return {};
    }
    case PictureFormat::Png:
        break;
    }
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    QImageWriter writer(&encoded, "png");
    if (!writer.write(greyPicture)) {
        return writer.errorString();
    }
    const QByteArray png = WithoutPhysicalSize(encoded.data());
    if (device.write(png) != png.size()) {
        return device.errorString();
    }
    return {};
}

} // namespace

WriteResult WritePicture(const QImage& greyPicture, PictureFormat format, const QString& fileName) {
    const QString limit = CheckFormatLimit(greyPicture.size(), format);
    if (!limit.isEmpty()) {
        return {limit};
    }
    const QString fullName = QFileInfo(fileName).absoluteFilePath();
    auto cannotCreate = [&](const QString& reason) {
        return WriteResult{QStringLiteral("Cannot create file \"%1\". %2").arg(fullName, reason)};
    };
    OutputFile file(fullName);
    if (!file.open()) {
        return cannotCreate(file.errorString());
    }
    const QString encodeError = Encode(greyPicture, format, *file.device());
    if (!encodeError.isEmpty()) {
        return cannotCreate(file.failed() ? file.errorString() : encodeError);
    }
    if (!file.commit()) {
        return cannotCreate(file.errorString());
    }
    return {};
}

} // namespace picture
