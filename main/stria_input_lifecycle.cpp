// The start-up routine at the first activation and the close routine: the data folder, the
// settings file and the tip of the day.
#include "data_folder.h"
#include "dialogs/about_box.h"
#include "dialogs/clickable_label.h"
#include "dialogs/label_dialog.h"
#include "dialogs/tip_window.h"
#include "hint_control.h"
#include "ini_file.h"
#include "platform.h"
#include "stria_input.h"
#include "window_frame.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

using settings::KeyId;

namespace {

constexpr int HintTime = 6000;

const char* const SizeLetters = "ABCDE";

} // namespace

bool TStriaInput::event(QEvent* event) {
    // The first activation, or the first showing where no window manager activates windows.
    // Queued, so that modal boxes of the start-up open over a window already on screen.
    const bool firstChance =
        event->type() == QEvent::WindowActivate || event->type() == QEvent::Show;
    if (firstChance && !startUpQueued_) {
        startUpQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            if (!startedUp_) {
                FormActivate();
            }
        });
    } else if (event->type() == QEvent::WindowActivate && startedUp_ && restoredPosition_) {
        placeRestoredWindow();
        restoredPosition_.reset();
    }
    return QWidget::event(event);
}

void TStriaInput::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TStriaInput::FormActivate() {
    startedUp_ = true;
    Form2->CurVersion->setText(QStringLiteral("V" STRIA_VERSION));
    BarTextInput->setFocus();
    hints_->setHintTime(HintTime);

    dataFolder_ = settings::DataFolder(platform_.documentsFolder());
    dataFolderFound_ = QFileInfo(dataFolder_).isDir();
    if (!dataFolderFound_) {
        warn(QStringLiteral("The folder %1 is missing, please re-install this product.")
                 .arg(dataFolder_));
    }
    if (dataFolderFound_) {
        if (settings::IniFile(settingsFilePath()).sectionExists(settings::SettingsSection)) {
            restoreSettings();
        } else {
            writeFirstRunSettings();
        }
        checkTipOfTheDay();
    }
    // Typing replaces the restored data.
    BarTextInput->selectAll();
    BarTextInput->setFocus();
}

void TStriaInput::FormClose() {
    if (!dataFolderFound_) {
        return;
    }
    settings::IniFile file(settingsFilePath());
    for (const KeyId key : settings::CloseOrder()) {
        settings::WriteSetting(file, settings::Key(key), controlValue(key));
    }
}

QString TStriaInput::settingsFilePath() const {
    return dataFolder_ + settings::SettingsFileName(platform_.programFileName());
}

QPoint TStriaInput::warningPosition() const {
    return platform::FramePosition(*this) + QPoint(100, 100);
}

void TStriaInput::warn(const QString& text) {
    platform_.warning(text, warningPosition());
}

void TStriaInput::restoreSettings() {
    const settings::IniFile file(settingsFilePath());
    for (const settings::SettingKey& key : settings::SettingKeys()) {
        if (key.section == settings::SettingsSection) {
            applyToControl(key.id, settings::ReadSetting(file, key));
        }
    }
    if (restoredPosition_) {
        placeRestoredWindow();
    }
}

void TStriaInput::placeRestoredWindow() {
    // A position stored on a screen that is gone, or off every edge, would lose the window.
    const QMargins frameMargins = platform::FrameMargins(*this);
    const QRect frame(*restoredPosition_, size().grownBy(frameMargins));
    const QPoint onScreen =
        platform::OnScreenFramePosition(frame, frameMargins.top(), platform::ScreenAreas());
    if (onScreen != platform::FramePosition(*this)) {
        platform::MoveFrameTo(*this, onScreen);
    }
    // Before the window manager has framed the window its frame is a guess: the first
    // activation checks again.
    if (!frameMargins.isNull()) {
        restoredPosition_.reset();
    }
}

void TStriaInput::writeFirstRunSettings() {
    settings::IniFile file(settingsFilePath());
    for (const settings::SettingKey& key : settings::SettingKeys()) {
        switch (key.firstRun) {
        case settings::FirstRun::NotWritten:
            break;
        case settings::FirstRun::Fixed:
            settings::WriteSetting(file, key, key.firstRunValue);
            break;
        case settings::FirstRun::FromControl:
            settings::WriteSetting(file, key, controlValue(key.id));
            break;
        }
    }
}

void TStriaInput::checkTipOfTheDay() {
    const settings::IniFile file(settingsFilePath());
    if (!file.sectionExists(settings::TipSection)) {
        warn(QStringLiteral(
            "The Tip-of-the-Day file could not be found! Please re-install this product."));
        return;
    }
    const settings::SettingKey& enabled = settings::Key(KeyId::TipEnabled);
    applyToControl(KeyId::TipEnabled, settings::ReadSetting(file, enabled));
    if (TipCheckBox->isChecked()) {
        platform_.execDialog(*Tip);
    }
}

QVariant TStriaInput::controlValue(KeyId key) const {
    switch (key) {
    case KeyId::HintsOff:
        return hints_->hintsOff();
    case KeyId::Left:
        return platform::FramePosition(*this).x();
    case KeyId::Top:
        return platform::FramePosition(*this).y();
    case KeyId::Type:
        return RadioButton2->isChecked() ? QStringLiteral("H") : QStringLiteral("S");
    case KeyId::FontSize: {
        const QRadioButton* sizes[] = {SizeA, SizeB, SizeC, SizeD, SizeE};
        for (int i = 0; i < 5; ++i) {
            if (sizes[i]->isChecked()) {
                return QString(QLatin1Char(SizeLetters[i]));
            }
        }
        return QStringLiteral("F");
    }
    case KeyId::PointSize:
        return PointSize->currentText();
    case KeyId::Data:
        return BarTextInput->text();
    case KeyId::DisplayChecksums:
        return DispSums->isChecked();
    case KeyId::LabelSize: {
        const auto buttons = Form3->labelButtons();
        for (int i = 0; i < 8; ++i) {
            if (buttons[i]->isChecked()) {
                return i + 1;
            }
        }
        return 9;
    }
    case KeyId::LabelExplain:
        return Form3->ExplainPaste->isChecked();
    case KeyId::LabelFill:
        return Form3->FillLabels->isChecked();
    case KeyId::TipEnabled:
        return TipCheckBox->isChecked();
    }
    return {};
}

void TStriaInput::applyToControl(KeyId key, const QVariant& value) {
    switch (key) {
    case KeyId::HintsOff:
        hints_->setHintsOff(value.toBool());
        break;
    case KeyId::Left:
        restoredPosition_ =
            QPoint(value.toInt(), restoredPosition_.value_or(platform::FramePosition(*this)).y());
        break;
    case KeyId::Top:
        restoredPosition_ =
            QPoint(restoredPosition_.value_or(platform::FramePosition(*this)).x(), value.toInt());
        break;
    case KeyId::Type:
        (value.toString() == QLatin1String("H") ? RadioButton2 : RadioButton1)->setChecked(true);
        break;
    case KeyId::FontSize: {
        QRadioButton* sizes[] = {SizeA, SizeB, SizeC, SizeD, SizeE};
        const QString letter = value.toString();
        const qsizetype index =
            letter.size() == 1 ? QString::fromLatin1(SizeLetters).indexOf(letter) : -1;
        (index < 0 ? SizeF : sizes[index])->setChecked(true);
        break;
    }
    case KeyId::PointSize:
        PointSize->setEditText(value.toString());
        break;
    case KeyId::Data:
        BarTextInput->setText(value.toString());
        break;
    case KeyId::DisplayChecksums:
        DispSums->setChecked(value.toBool());
        break;
    case KeyId::LabelSize: {
        const int size = value.toInt();
        Form3->labelButtons()[size >= 1 && size <= 8 ? size - 1 : 8]->setChecked(true);
        break;
    }
    case KeyId::LabelExplain:
        Form3->ExplainPaste->setChecked(value.toBool());
        break;
    case KeyId::LabelFill:
        Form3->FillLabels->setChecked(value.toBool());
        break;
    case KeyId::TipEnabled:
        TipCheckBox->setChecked(value.toBool());
        break;
    }
}
