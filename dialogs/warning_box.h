// The clipboard note: explains how to fix a pasted barcode whose font was not kept. Centred on
// the main window whenever it is shown or becomes active; the tick in NoWarningBox lasts for the
// run only.
#pragma once

#include "dialogs/placed_dialog.h"

class QCheckBox;
class QLabel;
class QPushButton;

class TWarningBox : public PlacedDialog {
    Q_OBJECT
public:
    explicit TWarningBox(QWidget& mainWindow);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QCheckBox* NoWarningBox;
    QPushButton* OKBtn;

    // Whether the user asked not to see the note again in this run.
    bool suppressed() const;

    // The frame corner that centres the note's frame on the main window's.
    QPoint placement() const override;
};
