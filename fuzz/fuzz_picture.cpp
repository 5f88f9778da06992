// The export picture's layout at any text, face, point size and resolution, extreme ones
// included: either a clear refusal or a picture inside every limit; and the export file-name rule
// on any name.
#include "fuzz/fuzz_check.h"
#include "picture/barcode_fonts.h"
#include "picture/barcode_picture.h"
#include "picture/picture_format.h"

#include <QFileInfo>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

void CheckLayout(FuzzedDataProvider& input) {
    QStringList faces = BarcodeFamilies();
    faces.append(QStringLiteral("No Such Face"));
    const int dpis[] = {300, 600, 900, 1200};
    picture::ExportRequest request;
    request.faceName = faces[input.ConsumeIntegralInRange<qsizetype>(0, faces.size() - 1)];
    request.dpi = input.PickValueInArray(dpis);
    request.sizeA = input.ConsumeBool();
    switch (input.ConsumeIntegralInRange(0, 2)) {
    case 0: // any text the point-size box may hold
        request.pointSizeText = QString::fromStdString(input.ConsumeRandomLengthString(16));
        break;
    case 1: // any whole number
        request.pointSizeText = QString::number(input.ConsumeIntegral<int>());
        break;
    default: // the usual range and a little beyond
        request.pointSizeText = QString::number(input.ConsumeIntegralInRange(-10, 2000));
        break;
    }
    request.outputText = QString::fromStdString(input.ConsumeRandomLengthString(4096));

    const Result<picture::PictureLayout> laid = picture::LayoutPicture(request);
    if (!laid) {
        return;
    }
    const picture::PictureLayout& layout = *laid;
    const QSize size = layout.size;
    FUZZ_CHECK(size.width() > 0 && size.height() > 0);
    FUZZ_CHECK(layout.cellHeight > 0 && layout.textWidth >= 0 && layout.raise >= 0);
    // Size a raises the cell by its empty top quarter, which may leave the picture at the top.
    FUZZ_CHECK(layout.cellOrigin.x() >= 0 && layout.cellOrigin.y() + layout.raise >= 0);
    FUZZ_CHECK(layout.cellOrigin.x() + layout.textWidth <= size.width());
    FUZZ_CHECK(layout.baseline > layout.cellOrigin.y() && layout.baseline <= size.height());
}

void CheckFileName(FuzzedDataProvider& input) {
    const picture::PictureFormat formats[] = {
        picture::PictureFormat::Bmp, picture::PictureFormat::Gif, picture::PictureFormat::Jpeg,
        picture::PictureFormat::Png};
    const picture::PictureFormat format = input.PickValueInArray(formats);
    const QString name = QString::fromStdString(input.ConsumeRandomLengthString(256));
    const QString named = picture::ExportFileName(name, format);
    const qsizetype folderEnd = name.lastIndexOf(u'/') + 1;
    FUZZ_CHECK(named.startsWith(name.left(folderEnd))); // the folder is never changed
    FUZZ_CHECK(named.endsWith(picture::FormatExtension(format)));
    FUZZ_CHECK(picture::FormatFromExtension(QFileInfo(named).suffix()) == format);
    FUZZ_CHECK(picture::ExportFileName(named, format) == named);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    StartGuiApplication();
    if (const Result<> fonts = LoadBarcodeFonts(); !fonts) {
        std::fprintf(stderr, "%s\n", qPrintable(fonts.error()));
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    CheckFileName(input);
    CheckLayout(input);
    return 0;
}
