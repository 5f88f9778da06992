// The start-up routine at the first activation and the close routine: the data folder, the
// settings file and the tip of the day.
#include "dialogs/about_box.h"
#include "dialogs/label_dialog.h"
#include "dialogs/tip_window.h"
#include "main/hint_control.h"
#include "main/stria_input.h"
#include "platform/platform.h"
#include "platform/window_frame.h"
#include "settings/data_folder.h"
#include "files/data_folder_setup.h"
#include "settings/ini_file.h"
#include "settings/stored_face.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

using settings::KeyId;

namespace {

constexpr int HintTime = 6000;

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
    Form2->showVersion(QStringLiteral("V" STRIA_VERSION));
    BarTextInput->setFocus();
    hints_->setHintTime(HintTime);

    dataFolder_ = settings::DataFolder(platform_.documentsFolder());
    // A first start: the same set-up as `stria93 setup`. Only an installation without its data
    // leaves the folder missing. (An empty name would be the current folder.)
    if (const QString installed = platform_.installedDataFolder();
        !installed.isEmpty() && !QFileInfo(dataFolder_).isDir()) {
        static_cast<void>(files::FillDataFolder(installed, dataFolder_));
    }
    dataFolderFound_ = QFileInfo(dataFolder_).isDir();
    Tip->setSettingsFile(settingsFilePath());
    if (!dataFolderFound_) {
        warn(QStringLiteral("The folder %1 is missing, please re-install this product.")
                 .arg(dataFolder_));
    }
    if (dataFolderFound_) {
        settings::IniFile file(settingsFilePath());
        if (!file.readFailure().isEmpty()) {
            warn(QStringLiteral("The settings file %1 cannot be read: %2. Stria leaves it as it "
                                "is and does not keep your options.")
                     .arg(settingsFilePath(), file.readFailure()));
        } else {
            if (file.sectionExists(settings::SettingsSection)) {
                restoreSettings(file);
            } else {
                writeFirstRunSettings(file);
            }
            checkTipOfTheDay(file);
        }
    }
    // Typing replaces the restored data.
    BarTextInput->selectAll();
    BarTextInput->setFocus();
}

void TStriaInput::FormClose() {
    if (!dataFolderFound_) {
        return;
    }
    // One write for all the options, so that no failure can leave half of them.
    settings::IniFile file(settingsFilePath());
    for (const KeyId key : settings::CloseOrder()) {
        // Where the desktop keeps window positions to itself, the stored ones stay for the next
        // start on one that does not.
        if (platform_.placesWindows() || (key != KeyId::Left && key != KeyId::Top)) {
            settings::SetSetting(file, key, controlValue(key));
        }
    }
    // A file that could not be read was said at the start and is left alone; a failed write
    // would lose the session's options without a word.
    if (const Result<> saved = file.save(); !saved && file.readFailure().isEmpty()) {
        warn(QStringLiteral("Your options could not be saved in %1: %2")
                 .arg(settingsFilePath(), saved.error()));
    }
}

QString TStriaInput::settingsFilePath() const {
    return dataFolder_ + settings::SettingsFileName(platform_.programFileName());
}

void TStriaInput::warn(const QString& text) {
    platform_.warningBeside(*this, text);
}

void TStriaInput::restoreSettings(const settings::IniFile& file) {
    for (const settings::SettingKey& key : settings::SettingKeys()) {
        if (key.section == settings::SettingsSection) {
            applyToControl(key.id, settings::ReadSetting(file, key.id));
        }
    }
    if (restoredPosition_) {
        placeRestoredWindow();
    }
}

void TStriaInput::placeRestoredWindow() {
    // A size or position stored on a screen that is gone, or off every edge, would lose the
    // window.
    const QMargins frameMargins = platform::FrameMargins(*this);
    const QScreen* screen = QGuiApplication::screenAt(*restoredPosition_);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    resize(size().boundedTo(screen->availableSize().shrunkBy(frameMargins)));
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

void TStriaInput::writeFirstRunSettings(settings::IniFile& file) {
    for (const settings::SettingKey& key : settings::SettingKeys()) {
        switch (key.firstRun) {
        case settings::FirstRun::NotWritten:
            break;
        case settings::FirstRun::Fixed:
            settings::SetSetting(file, key.id, key.firstRunValue);
            break;
        case settings::FirstRun::FromControl:
            settings::SetSetting(file, key.id, controlValue(key.id));
            break;
        }
    }
    static_cast<void>(file.save());
}

QPoint TStriaInput::positionToStore() const {
    return platform_.placesWindows() ? platform::FramePosition(*this) : FirstPosition;
}

void TStriaInput::checkTipOfTheDay(const settings::IniFile& file) {
    if (!file.sectionExists(settings::TipSection)) {
        warn(TipFileMissingMessage());
        return;
    }
    applyToControl(KeyId::TipEnabled, settings::ReadSetting(file, KeyId::TipEnabled));
    if (TipCheckBox->isChecked()) {
        platform_.execDialog(*Tip);
    }
}

QVariant TStriaInput::controlValue(KeyId key) const {
    switch (key) {
    case KeyId::HintsOff:
        return hints_->hintsOff();
    case KeyId::Left:
        return positionToStore().x();
    case KeyId::Top:
        return positionToStore().y();
    case KeyId::Width:
        return width();
    case KeyId::Height:
        return height();
    case KeyId::Type:
        return RadioButton2->isChecked() ? QStringLiteral("H") : QStringLiteral("S");
    case KeyId::FontSize:
        return QString(QChar(sizeLetter())).toUpper();
    case KeyId::PointSize:
        return PointSize->currentText();
    case KeyId::Data:
        return BarTextInput->text();
    case KeyId::DisplayChecksums:
        return DispSums->isChecked();
    case KeyId::LabelSize:
        return Form3->labelSize();
    case KeyId::LabelExplain:
        return Form3->explainPaste();
    case KeyId::LabelFill:
        return Form3->fillLabels();
    case KeyId::TipEnabled:
        return TipCheckBox->isChecked();
    case KeyId::TipPosition:
    case KeyId::TipMaximum:
        break; // the tip window's own
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
    case KeyId::Width:
        if (value.toInt() > 0) {
            resize(value.toInt(), height());
        }
        break;
    case KeyId::Height:
        if (value.toInt() > 0) {
            resize(width(), value.toInt());
        }
        break;
    case KeyId::Type:
        (settings::HumanReadableFromSetting(value.toString()) ? RadioButton2 : RadioButton1)
            ->setChecked(true);
        break;
    case KeyId::FontSize:
        sizeButtons()[settings::SizeLetterFromSetting(value.toString()) - u'a']->setChecked(true);
        break;
    case KeyId::PointSize:
        PointSize->setEditText(value.toString());
        break;
    case KeyId::Data:
        BarTextInput->setText(value.toString());
        break;
    case KeyId::DisplayChecksums:
        DispSums->setChecked(value.toBool());
        break;
    case KeyId::LabelSize:
        Form3->setLabelSize(value.toInt());
        break;
    case KeyId::LabelExplain:
        Form3->setExplainPaste(value.toBool());
        break;
    case KeyId::LabelFill:
        Form3->setFillLabels(value.toBool());
        break;
    case KeyId::TipEnabled:
        TipCheckBox->setChecked(value.toBool());
        break;
    case KeyId::TipPosition:
    case KeyId::TipMaximum:
        break;
    }
}
