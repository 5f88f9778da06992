#include "dialogs/warning_box.h"

#include "platform/window_frame.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* NoteLine(const char* name, const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = label->font();
    font.setPixelSize(13);
    label->setFont(font);
    return label;
}

} // namespace

TWarningBox::TWarningBox(QWidget& mainWindow) : PlacedDialog(mainWindow, QPoint()) {
    setObjectName(QStringLiteral("WarningBox"));
    setWindowTitle(QStringLiteral("Clip Board Warning"));

    Label1 = new QLabel(QStringLiteral("Note!"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    Label1->setFont(bold);
    Label1->setAlignment(Qt::AlignHCenter);

    // Separate labels, so that the text breaks exactly here.
    Label2 = NoteLine("Label2", "We copy both the bar code font and data to the", this);
    Label3 = NoteLine("Label3", "clip board, but not all Windows applications", this);
    Label4 = NoteLine("Label4", "support pasting font information. Once you paste", this);
    Label5 = NoteLine("Label5", "this bar code into your application, if you do not", this);
    Label6 = NoteLine("Label6", "see a bar code (you only see the data) you will", this);
    Label7 = NoteLine("Label7", "need to highlight the bar code data and then", this);
    Label8 = NoteLine("Label8", "select one of our bar code 93 fonts for it.", this);

    NoWarningBox = new QCheckBox(QStringLiteral("Don't show this warning box again"), this);
    NoWarningBox->setObjectName(QStringLiteral("NoWarningBox"));

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    OKBtn->setMinimumSize(75, 25);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 3, 8, 8);
    layout->setSpacing(0);
    layout->addWidget(Label1);
    layout->addSpacing(4);
    for (QLabel* line : {Label2, Label3, Label4, Label5, Label6, Label7, Label8}) {
        layout->addWidget(line);
    }
    layout->addSpacing(4);
    layout->addWidget(NoWarningBox, 0, Qt::AlignHCenter);
    layout->addSpacing(2);
    layout->addWidget(OKBtn, 0, Qt::AlignHCenter);

    setFixedSize(sizeHint().expandedTo(QSize(295, 191)));
}

bool TWarningBox::suppressed() const {
    return NoWarningBox->isChecked();
}

QPoint TWarningBox::placement() const {
    // Before its first showing the note's frame is not known yet: the main window's is a close
    // guess, and the activation that follows the showing puts it right.
    QMargins frameMargins = platform::FrameMargins(*this);
    if (frameMargins.isNull()) {
        frameMargins = platform::FrameMargins(mainWindow_);
    }
    QRect frame(QPoint(), size().grownBy(frameMargins));
    frame.moveCenter(platform::FrameGeometry(mainWindow_).center());
    return frame.topLeft();
}
