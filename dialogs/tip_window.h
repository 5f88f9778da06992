// The tip-of-the-day window: one tip at a time over a background picture. Every opening places
// it at +78/+100 from the main window and shows the next tip of the settings file's list.
#pragma once

#include "dialogs/placed_dialog.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace platform {
class Platform;
}
namespace settings {
class IniFile;
}

// The warning of the start-up and of the tip window when the settings file holds no tips.
QString TipFileMissingMessage();

class TTip : public PlacedDialog {
    Q_OBJECT
public:
    TTip(QWidget& mainWindow, platform::Platform& platform);

    // The settings file that holds the tips and the stored position; set by the main window's
    // start-up. Before it, there are no tips to show.
    void setSettingsFile(const QString& path) { settingsFile_ = path; }

    QLabel* Image1;
    QPlainTextEdit* Memo1;
    QLabel* TipLabel;
    QPushButton* SpeedButton1; // "&Previous"
    QPushButton* NextTip;
    QPushButton* ExitTips;

    // Shows the tip at the stored position and stores the position after it.
    void DisplayTip();
    // Steps the stored position back to the tip before the one on show, then shows it.
    void PreviousTip();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Whether the file has its tip section; warns when it has not.
    bool hasTips(const settings::IniFile& file);
    // Shows the tip at the position the file holds and sets the position after it.
    void showStoredTip(settings::IniFile& file);

    platform::Platform& platform_;
    QString settingsFile_;
};
