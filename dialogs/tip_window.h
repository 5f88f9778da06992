// The tip-of-the-day window: one tip at a time over a background picture. Placed at +78/+100
// from the main window on every activation.
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

protected:
    TStriaInput& StriaInput;
};
