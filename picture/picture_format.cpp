#include "picture/picture_format.h"

#include "picture/picture_encoders.h"

#include <QLocale>

namespace picture {

QString FormatExtension(PictureFormat format) {
    switch (format) {
    case PictureFormat::Bmp:
        return QStringLiteral(".bmp");
    case PictureFormat::Gif:
        return QStringLiteral(".gif");
    case PictureFormat::Jpeg:
        return QStringLiteral(".jpg");
    case PictureFormat::Png:
        break;
    }
    return QStringLiteral(".png");
}

QString FormatName(PictureFormat format) {
    return FormatExtension(format).mid(1).toUpper();
}

std::optional<PictureFormat> FormatFromExtension(const QString& extension) {
    QString name = extension.toLower();
    if (name.startsWith(u'.')) {
        name.remove(0, 1);
    }
    if (name == u"jpeg") {
        return PictureFormat::Jpeg;
    }
    for (auto format :
         {PictureFormat::Bmp, PictureFormat::Gif, PictureFormat::Jpeg, PictureFormat::Png}) {
        if (FormatExtension(format).mid(1) == name) {
            return format;
        }
    }
    return std::nullopt;
}

QString ExportFileName(const QString& fileName, PictureFormat format) {
    const qsizetype componentStart = fileName.lastIndexOf(u'/') + 1;
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString stem = dot >= componentStart ? fileName.left(dot) : fileName;
    return stem + FormatExtension(format);
}

QString EnglishNumber(long long n) {
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(n);
}

QString EnglishDecimal(double value) {
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(value, 'g', 4);
}

int MaxSide(PictureFormat format) {
    switch (format) {
    case PictureFormat::Jpeg:
        return 65500; // libjpeg's JPEG_MAX_DIMENSION
    case PictureFormat::Gif:
        return 65535;        // 16-bit sizes in the screen descriptor
    case PictureFormat::Png: // 31-bit sizes in the header
    case PictureFormat::Bmp: // 32-bit signed sizes in the header
        break;
    }
    return 0x7fffffff;
}

Result<> CheckFormatLimit(QSize size, PictureFormat format, int bitsPerPixel) {
    const int limit = MaxSide(format);
    if (size.width() <= limit && size.height() <= limit) {
        // A BMP file states its own length in 32 bits.
        constexpr unsigned long long MaxBmpBytes = 0xffffffffULL;
        const unsigned long long bmpBytes = 54ULL + (4ULL << bitsPerPixel) +
                                            BmpRowBytes(size.width(), bitsPerPixel) *
                                                static_cast<unsigned long long>(size.height());
        if (format != PictureFormat::Bmp || bmpBytes <= MaxBmpBytes) {
            return {};
        }
        return Failure{QStringLiteral("The picture would be %1 x %2 pixels; a BMP file holds at "
                                      "most %3 bytes. Choose a lower resolution, a smaller point "
                                      "size or another format.")
                           .arg(EnglishNumber(size.width()), EnglishNumber(size.height()),
                                EnglishNumber(MaxBmpBytes))};
    }
    return Failure{QStringLiteral("The picture would be %1 x %2 pixels; a %3 file holds at most %4 "
                                  "pixels in each direction. Choose a lower resolution, a smaller "
                                  "point size or another format.")
                       .arg(EnglishNumber(size.width()), EnglishNumber(size.height()),
                            FormatName(format), EnglishNumber(limit))};
}

} // namespace picture
