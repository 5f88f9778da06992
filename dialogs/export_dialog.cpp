#include "dialogs/export_dialog.h"

#include "dialogs/radio_group_focus.h"

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
    const auto resolution = [&](const char* name, const char* caption, const char* hint) {
        auto* button = new QRadioButton(QString::fromLatin1(caption), GroupBox1);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(QString::fromLatin1(hint));
        resolutions->addWidget(button);
        return button;
    };
    RB300 = resolution("RB300", "300 dpi", "Set to 300 dpi");
    RB600 = resolution("RB600", "600 dpi", "Set to 600 dpi");
    RB900 = resolution("RB900", "900 dpi", "");
    RB1200 = resolution("RB1200", "1200 dpi", "");
    RB600->setChecked(true);
    EnterGroupAtCheckedButton({RB300, RB600, RB900, RB1200});

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
