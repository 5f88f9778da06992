// The tip-of-the-day window: one tip at a time over a background picture. Every opening places
// it at +78/+100 from the main window and shows the next tip of the settings file's list.
#pragma once

#include "placed_dialog.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class TStriaInput;

class TTip : public PlacedDialog {
    Q_OBJECT
public:
    explicit TTip(TStriaInput& stria);

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

    TStriaInput& StriaInput;
};
