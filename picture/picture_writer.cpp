#include "picture/picture_writer.h"

#include "files/native_file_name.h"
#include "files/output_file.h"
#include "picture/picture_encoders.h"
#include "picture/picture_rows.h"

#include <QDir>
#include <cstdlib>
#include <unistd.h>

namespace picture {

namespace {

Result<> Encode(RowSource& rows, PictureFormat format, QIODevice& device) {
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
        files::DecodeFileName(folder ? QByteArray(folder) : QByteArray(".")) + u'/' + fileName;
    std::free(folder);
    return QDir::cleanPath(absolute);
}

} // namespace

Result<files::StagedFile> WriteRows(RowSource& rows, PictureFormat format, const QString& fileName,
                                    Placement placement) {
    if (Result<> limit = CheckFormatLimit(rows.size(), format, rows.blackAndWhite() ? 1 : 8);
        !limit) {
        return Failure{limit.error()};
    }
    const QString fullName = AbsoluteName(fileName);
    auto cannotCreate = [&](const QString& reason) {
        return Failure{files::CannotCreateFile(fullName, reason)};
    };
    files::OutputFile file(fullName);
    if (const Result<> opened = file.open(); !opened) {
        return cannotCreate(opened.error());
    }
    if (const Result<> encoded = Encode(rows, format, *file.device()); !encoded) {
        const Result<> written = file.written(); // a full disk says more than the encoder
        return cannotCreate(written ? encoded.error() : written.error());
    }
    if (placement == Placement::Staged) {
        Result<files::StagedFile> staged = file.stage();
        if (!staged) {
            return cannotCreate(staged.error());
        }
        return staged;
    }
    if (const Result<> committed = file.commit(); !committed) {
        return cannotCreate(committed.error());
    }
    return files::StagedFile();
}

Result<files::StagedFile> WritePicture(const PictureLayout& layout, PictureFormat format,
                                       const QString& fileName, Placement placement) {
    Result<PictureRows> rows = PictureRows::Make(layout);
    if (!rows) {
        return Failure{rows.error()};
    }
    return WriteRows(*rows, format, fileName, placement);
}

} // namespace picture
