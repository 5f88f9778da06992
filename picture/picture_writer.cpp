#include "picture_writer.h"

#include "native_file_name.h"
#include "output_file.h"
#include "picture_encoders.h"
#include "picture_rows.h"

#include <QDir>
#include <cstdlib>
#include <unistd.h>

namespace picture {

namespace {

QString Encode(RowSource& rows, PictureFormat format, QIODevice& device) {
    switch (format) {
    case PictureFormat::Bmp:
        return WriteBmp(rows, device);
    case PictureFormat::Gif:
        return WriteGif(rows, device);
    case PictureFormat::Jpeg:
        return WriteJpeg(rows, device);
    case PictureFormat::Png:
        break;
    }
    return WritePng(rows, device);
}

// By bytes, not through QFileInfo: neither the name nor the current folder need be UTF-8.
QString AbsoluteName(const QString& fileName) {
    if (fileName.startsWith(u'/')) {
        return QDir::cleanPath(fileName);
    }
    char* folder = ::getcwd(nullptr, 0);
    const QString absolute =
        DecodeFileName(folder ? QByteArray(folder) : QByteArray(".")) + u'/' + fileName;
    std::free(folder);
    return QDir::cleanPath(absolute);
}

} // namespace

WriteResult WriteRows(RowSource& rows, PictureFormat format, const QString& fileName,
                      Placement placement) {
    const QString limit = CheckFormatLimit(rows.size(), format, rows.blackAndWhite() ? 1 : 8);
    if (!limit.isEmpty()) {
        return {limit, {}};
    }
    const QString fullName = AbsoluteName(fileName);
    auto cannotCreate = [&](const QString& reason) {
        return WriteResult{CannotCreateFile(fullName, reason), {}};
    };
    OutputFile file(fullName);
    if (!file.open()) {
        return cannotCreate(file.errorString());
    }
    const QString encodeError = Encode(rows, format, *file.device());
    if (!encodeError.isEmpty()) {
        const QString reason = file.errorString();
        return cannotCreate(reason.isEmpty() ? encodeError : reason);
    }
    WriteResult result;
    const bool done = placement == Placement::Now ? file.commit() : file.stage(result.staged);
    if (!done) {
        return cannotCreate(file.errorString());
    }
    return result;
}

WriteResult WritePicture(const PictureLayout& layout, PictureFormat format, const QString& fileName,
                         Placement placement) {
    PictureRows rows(layout);
    if (!rows.error().isEmpty()) {
        return {rows.error(), {}};
    }
    return WriteRows(rows, format, fileName, placement);
}

} // namespace picture
