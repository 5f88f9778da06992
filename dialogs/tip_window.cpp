#include "dialogs/tip_window.h"

#include "platform/platform.h"
#include "settings/ini_file.h"
#include "settings/setting_keys.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <limits>

namespace {

using settings::KeyId;

// What a missing tip reads as; a tip with exactly this text counts as missing too.
const QString MissingTip = QStringLiteral("XXXX");
// The longest tip text a step reads.
constexpr qsizetype TipTextLimit = 2047;

// A position outside the integers the file holds restarts the list instead of overflowing.
int StoredPosition(qint64 position) {
    return position < std::numeric_limits<int>::min() || position > std::numeric_limits<int>::max()
               ? 0
               : int(position);
}

QString ReadTip(const settings::IniFile& file, int index) {
    return file.readText(settings::TipsSection, QString::number(index), MissingTip)
        .left(TipTextLimit);
}

QPushButton* FlatButton(const char* name, const QString& caption, const QString& hint,
                        QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFlat(true);
    button->setToolTip(hint);
    return button;
}

int CaptionWidth(const QWidget* widget, QString caption) {
    return QFontMetrics(widget->font()).horizontalAdvance(caption.remove(QLatin1Char('&')));
}

} // namespace

QString TipFileMissingMessage() {
    return QStringLiteral(
        "The Tip-of-the-Day file could not be found! Please re-install this product.");
}

TTip::TTip(QWidget& mainWindow, platform::Platform& platform)
    : PlacedDialog(mainWindow, QPoint(78, 100)), platform_(platform) {
    setObjectName(QStringLiteral("Tip"));
    setWindowTitle(QStringLiteral("Tip of the Day"));
    setFixedSize(300, 180);

    // The tip window is a picture with texts and buttons on it, so it keeps fixed positions.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 300, 180);
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap(QStringLiteral(":/backgrounds/tip_background.png")));
    // Below the picture's line the counter and the buttons stand on the desktop's window colour,
    // so that their texts, in the desktop's colours, read in a dark colour scheme too.
    auto* buttonBar = new QWidget(this);
    buttonBar->setObjectName(QStringLiteral("ButtonBar"));
    buttonBar->setGeometry(0, 140, 300, 40);
    buttonBar->setAutoFillBackground(true);

    Memo1 = new QPlainTextEdit(QStringLiteral("A helpfull hint goes here."), this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(8, 44, 280, 89);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    TipLabel = new QLabel(this);
    TipLabel->setObjectName(QStringLiteral("TipLabel"));
    TipLabel->setAttribute(Qt::WA_TranslucentBackground);
    TipLabel->setGeometry(8, 152, CaptionWidth(TipLabel, QStringLiteral("Tip 999 of 999")), 20);

    SpeedButton1 = FlatButton("SpeedButton1", QStringLiteral("&Previous"), QString(), this);
    NextTip =
        FlatButton("NextTip", QStringLiteral("&Next"), QStringLiteral("Show the next tip"), this);
    ExitTips = FlatButton("ExitTips", QStringLiteral("E&xit"),
                          QStringLiteral("Return back to the program"), this);
    // From the right edge, each button only as wide as its caption: the style's usual button
    // width would leave the counter no room.
    int right = 300 - 4;
    for (QPushButton* button : {ExitTips, NextTip, SpeedButton1}) {
        const int width = CaptionWidth(button, button->text()) + 16;
        right -= width;
        button->setGeometry(right, 145, width, 25);
        right -= 4;
    }

    connect(NextTip, &QPushButton::clicked, this, &TTip::DisplayTip);
    connect(SpeedButton1, &QPushButton::clicked, this, &TTip::PreviousTip);
    connect(ExitTips, &QPushButton::clicked, this, &QDialog::reject);
}

void TTip::showEvent(QShowEvent* event) {
    // Once per opening, before the first paint, so the window never shows a stale tip. Coming
    // back from another window only renews the placement.
    DisplayTip();
    PlacedDialog::showEvent(event);
}

bool TTip::hasTips(const settings::IniFile& file) {
    if (!file.sectionExists(settings::TipSection)) {
        platform_.warningBeside(mainWindow_, TipFileMissingMessage());
        return false;
    }
    return true;
}

void TTip::DisplayTip() {
    settings::IniFile file(settingsFile_);
    if (!hasTips(file)) {
        return;
    }
    showStoredTip(file);
    // A file that cannot take the position shows the same tip again next time, nothing worse.
    static_cast<void>(file.save());
}

void TTip::showStoredTip(settings::IniFile& file) {
    Memo1->clear();
    int position = settings::ReadSetting(file, KeyId::TipPosition).toInt();
    const int maximum = settings::ReadSetting(file, KeyId::TipMaximum).toInt();
    QString tip = ReadTip(file, position);
    if (tip == MissingTip) {
        // The list ran out (or the stored position never was valid): start again at the first.
        position = 0;
        settings::SetSetting(file, KeyId::TipPosition, 0);
        tip = ReadTip(file, 0);
        if (tip == MissingTip) {
            platform_.warningBeside(
                mainWindow_,
                QStringLiteral("The Tip-of-the-Day file is bad! Please re-install this product."));
            return;
        }
    }
    TipLabel->setText(
        QStringLiteral("Tip %1 of %2").arg(qint64(position) + 1).arg(qint64(maximum) + 1));
    Memo1->appendPlainText(tip);
    settings::SetSetting(file, KeyId::TipPosition, StoredPosition(qint64(position) + 1));
}

void TTip::PreviousTip() {
    settings::IniFile file(settingsFile_);
    if (!hasTips(file)) {
        return;
    }
    const int position = settings::ReadSetting(file, KeyId::TipPosition).toInt();
    // Stepping back from the first tip goes to the last; a missing Maximum counts as 0 here.
    const settings::SettingKey& maximumKey = settings::Key(KeyId::TipMaximum);
    const qint64 last = file.readInteger(maximumKey.section, maximumKey.name, 0);
    qint64 previous = qint64(position) - 2;
    if (position == 1) {
        previous = last;
    } else if (position == 0) {
        previous = last - 1;
    }
    settings::SetSetting(file, KeyId::TipPosition, StoredPosition(previous));
    showStoredTip(file);
    static_cast<void>(file.save());
}
