// The about box: the program, its maker, the version label (a link to the update check) and
// the manual button. Placed at +129/+109 from the main window on every activation.
#pragma once

#include "dialogs/placed_dialog.h"

class ClickableLabel;
class QLabel;
class QPushButton;

namespace platform {
class Platform;
}

class TForm2 : public PlacedDialog {
    Q_OBJECT
public:
    // The version label gives the focus back to the data box before the browser comes up.
    TForm2(QWidget& mainWindow, platform::Platform& platform, QWidget& dataBox);

    QLabel* Image1;
    QLabel* StaticText7;
    ClickableLabel* CurVersion; // "V7.0", from the main window's start-up on
    QLabel* StaticText1;
    QLabel* StaticText2;
    QLabel* StaticText3;
    QLabel* StaticText4;
    QLabel* StaticText6;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    // What the version label shows.
    void showVersion(const QString& version);

    // The version label: the vendor's update check for this version.
    void CurVersionClick();
    // Manual: the PDF manual with the desktop's default action.
    void BitBtn2Click();

private:
    platform::Platform& platform_;
    QWidget& dataBox_;
};
