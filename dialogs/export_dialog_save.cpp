// Save As: the picture of the output box as it stands now, written where the user chooses.
#include "dialogs/export_dialog.h"
#include "dialogs/export_folder.h"
#include "picture/barcode_picture.h"
#include "picture/export_font_size.h"
#include "picture/picture_format.h"
#include "picture/picture_writer.h"
#include "platform/platform.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRadioButton>

namespace {

// The type follows the filter the user chose, whatever extension was typed: 1 BMP, 2 GIF,
// 3 JPG, anything else PNG.
picture::PictureFormat FormatOfFilter(int filterIndex) {
    switch (filterIndex) {
    case 1:
        return picture::PictureFormat::Bmp;
    case 2:
        return picture::PictureFormat::Gif;
    case 3:
        return picture::PictureFormat::Jpeg;
    default:
        return picture::PictureFormat::Png;
    }
}

} // namespace

int TConvert2::chosenDpi() const {
    for (qsizetype i = 0; i < resolutionButtons.size(); ++i) {
        if (resolutionButtons[i]->isChecked()) {
            return picture::Resolutions[static_cast<std::size_t>(i)].dpi;
        }
    }
    return picture::Resolutions.front().dpi;
}

void TConvert2::MakeGraphicClick() {
    picture::ExportRequest request = barcode_();
    request.dpi = chosenDpi();
    const Result<picture::PictureLayout> layout = picture::LayoutPicture(request);
    if (!layout) {
        platform_.errorDialog(layout.error());
        return;
    }
    const auto chosen = chooseFile();
    if (!chosen) {
        return;
    }
    const auto written = picture::WritePicture(*layout, chosen->second, chosen->first);
    if (!written) {
        platform_.errorDialog(written.error());
    }
}

std::optional<std::pair<QString, picture::PictureFormat>> TConvert2::chooseFile() {
    SaveDialog1->setDirectory(
        exportfolder::InitialExportFolder(QFileInfo(platform_.programFileName()).absolutePath(),
                                          platform_.picturesFolder(), platform_.documentsFolder()));
    // The last file chosen in this run brings its own folder, as its full name.
    if (!lastFileName_.isEmpty()) {
        SaveDialog1->selectFile(lastFileName_);
    }
    const std::optional<platform::SaveFileChoice> choice = platform_.saveFile(*SaveDialog1);
    if (!choice) {
        return std::nullopt;
    }
    const picture::PictureFormat format = FormatOfFilter(choice->filterIndex);
    const QString fileName = picture::ExportFileName(choice->fileName, format);
    lastFileName_ = QFileInfo(fileName).absoluteFilePath();
    SaveDialog1->selectNameFilter(SaveDialog1->nameFilters().value(choice->filterIndex - 1));
    return std::pair{fileName, format};
}
