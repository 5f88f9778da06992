#include "dialogs/export_dialog.h"

#include "dialogs/radio_group_focus.h"
#include "picture/export_font_size.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TConvert2::TConvert2(QWidget& mainWindow, platform::Platform& platform, BarcodeSource barcode)
    : PlacedDialog(mainWindow, QPoint(55, 160)), platform_(platform), barcode_(std::move(barcode)) {
    setObjectName(QStringLiteral("Convert2"));
    setWindowTitle(QStringLiteral("Convert to bmp, gif, jpg, or png"));

    GroupBox1 = new QGroupBox(QStringLiteral(" Bitmap Resolution "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setToolTip(
        QStringLiteral("Set the resolution of the graphic you are about to make"));
    auto* resolutions = new QHBoxLayout(GroupBox1);
    for (const picture::Resolution& resolution : picture::Resolutions) {
        auto* button = new QRadioButton(QStringLiteral("%1 dpi").arg(resolution.dpi), GroupBox1);
        button->setObjectName(QStringLiteral("RB%1").arg(resolution.dpi));
        // Only the resolutions up to the default have a hint.
        if (resolution.dpi <= picture::DefaultDpi) {
            button->setToolTip(QStringLiteral("Set to %1 dpi").arg(resolution.dpi));
        }
        button->setChecked(resolution.dpi == picture::DefaultDpi);
        resolutions->addWidget(button);
        resolutionButtons << button;
    }
    EnterGroupAtCheckedButton(resolutionButtons);

    BitBtn1 = new QPushButton(QStringLiteral("E&xit"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setToolTip(QStringLiteral("Return to the main program"));
    MakeGraphic = new QPushButton(QStringLiteral("&Save As"), this);
    MakeGraphic->setObjectName(QStringLiteral("MakeGraphic"));
    MakeGraphic->setToolTip(QStringLiteral(
        "Save your bar code as a bmp, gif, or jpg file with the file name of your choice."));
    MakeGraphic->setDefault(true);

    SaveDialog1 = new QFileDialog(this);
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite);
    SaveDialog1->setNameFilters(
        {QStringLiteral("Windows BMP file (*.bmp)"), QStringLiteral("Windows GIF file (*.gif)"),
         QStringLiteral("Windows JPG file (*.jpg)"), QStringLiteral("Windows PNG file (*.png)")});
    SaveDialog1->selectNameFilter(QStringLiteral("Windows GIF file (*.gif)"));
    SaveDialog1->setDefaultSuffix(QStringLiteral("gif"));

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    connect(MakeGraphic, &QPushButton::clicked, this, &TConvert2::MakeGraphicClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addStretch();
    buttons->addWidget(MakeGraphic);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(299, 108)));
}
