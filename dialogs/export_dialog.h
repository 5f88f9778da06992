// The picture export dialog: the resolution and the save-file dialog. Placed at +55/+160 from
// the main window on every activation.
#pragma once

#include "dialogs/placed_dialog.h"
#include "picture/barcode_picture.h"
#include "picture/picture_format.h"

#include <QList>
#include <functional>
#include <optional>
#include <utility>

class QFileDialog;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace platform {
class Platform;
}

class TConvert2 : public PlacedDialog {
    Q_OBJECT
public:
    // The main window's barcode as it stands at the moment it is asked for; the dialog sets the
    // resolution.
    using BarcodeSource = std::function<picture::ExportRequest()>;

    TConvert2(QWidget& mainWindow, platform::Platform& platform, BarcodeSource barcode);

    QGroupBox* GroupBox1;
    // RB300, RB600, RB900, RB1200: one button a resolution of picture::Resolutions, in order.
    QList<QRadioButton*> resolutionButtons;
    QPushButton* BitBtn1; // "E&xit"
    QPushButton* MakeGraphic;
    QFileDialog* SaveDialog1;

    // Save As: makes the picture from the main window's current state, asks for the file and
    // writes it; the dialog stays open.
    void MakeGraphicClick();

private:
    int chosenDpi() const;
    // The user's file choice, with the type of its filter; nothing when cancelled.
    std::optional<std::pair<QString, picture::PictureFormat>> chooseFile();

    platform::Platform& platform_;
    BarcodeSource barcode_;

    QString lastFileName_; // the full name of the last file chosen in this run
};
