#include "dialogs/about_box.h"

#include "dialogs/accessible_name.h"
#include "dialogs/clickable_label.h"
#include "links/help_files.h"
#include "links/vendor_address.h"
#include "links/vendor_links.h"
#include "platform/platform.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A text on the box's picture, which keeps its colours whatever the desktop's: black, on a white
// panel where the picture behind is not light enough for it.
QLabel* TextOnPicture(const char* name, const QString& text, QWidget* parent, bool onPanel) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignHCenter);
    label->setAutoFillBackground(onPanel);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

} // namespace

TForm2::TForm2(QWidget& mainWindow, platform::Platform& platform, QWidget& dataBox)
    : PlacedDialog(mainWindow, QPoint(129, 109)), platform_(platform), dataBox_(dataBox) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("About"));

    // Behind the texts; the picture comes with the about box's own behaviour.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap(QStringLiteral(":/backgrounds/about_background.png")));

    // The picture's top band is dark: the title reads on a panel of its own.
    StaticText7 =
        TextOnPicture("StaticText7", QStringLiteral("Stria: Code 93 bar codes"), this, true);
    StaticText7->setMargin(2);
    QFont bold = StaticText7->font();
    bold.setBold(true);
    StaticText7->setFont(bold);

    CurVersion = new ClickableLabel(QString(), this);
    CurVersion->setObjectName(QStringLiteral("CurVersion"));
    CurVersion->setToolTip(QStringLiteral("Check the web for an update"));
    CurVersion->setAlignment(Qt::AlignHCenter);
    CurVersion->setAutoFillBackground(true);
    QPalette white = CurVersion->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::blue);
    CurVersion->setPalette(white);

    StaticText1 = TextOnPicture("StaticText1", QString::fromLatin1(vendor::Name), this, true);
    StaticText2 = TextOnPicture("StaticText2", QString::fromLatin1(vendor::Street), this, true);
    StaticText3 = TextOnPicture("StaticText3", QString::fromLatin1(vendor::Town), this, true);
    StaticText4 = TextOnPicture(
        "StaticText4", QStringLiteral("Tel. ") + QString::fromLatin1(vendor::Phone), this, true);
    StaticText6 = TextOnPicture("StaticText6", vendor::SiteText(), this, false);

    BitBtn1 = new QPushButton(this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setIcon(QIcon::fromTheme(QStringLiteral("window-close"),
                                      QIcon(QStringLiteral(":/icons/close.svg"))));
    BitBtn1->setToolTip(QStringLiteral("Return to the program"));
    NameForScreenReaders(BitBtn1, QStringLiteral("Close"));

    BitBtn2 = new QPushButton(QStringLiteral("Manual"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setToolTip(QStringLiteral("Display the product manual"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addStretch();
    buttons->addWidget(BitBtn2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(2);
    layout->addWidget(StaticText7);
    layout->addSpacing(6);
    layout->addWidget(CurVersion);
    layout->addSpacing(6);
    for (QLabel* line : {StaticText1, StaticText2, StaticText3, StaticText4}) {
        layout->addWidget(line);
    }
    layout->addStretch();
    layout->addWidget(StaticText6);
    layout->addLayout(buttons);
    // 200 by 200 pixels unless the desktop's type needs more.
    setFixedSize(sizeHint().expandedTo(QSize(200, 200)));
    Image1->setGeometry(rect());
    Image1->lower();

    connect(CurVersion, &ClickableLabel::clicked, this, &TForm2::CurVersionClick);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm2::showVersion(const QString& version) {
    CurVersion->setText(version);
}

void TForm2::CurVersionClick() {
    dataBox_.setFocus();
    platform_.shellOpen(vendor::UpdateCheckPage().toString(QUrl::FullyEncoded), QString());
}

void TForm2::BitBtn2Click() {
    platform_.shellOpen(helpfiles::Locate(QString::fromLatin1(helpfiles::PdfManual)), QString());
}
