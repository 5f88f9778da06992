// The picture export dialog: the resolution and the save-file dialog. Placed at +55/+160 from
// the main window on every activation.
#pragma once

#include "placed_dialog.h"

class QFileDialog;
class QGroupBox;
class QPushButton;
class QRadioButton;
class TStriaInput;

class TConvert2 : public PlacedDialog {
    Q_OBJECT
public:
    explicit TConvert2(TStriaInput& stria);

    QGroupBox* GroupBox1;
    QRadioButton* RB300;
    QRadioButton* RB600;
    QRadioButton* RB900;
    QRadioButton* RB1200;
    QPushButton* BitBtn1; // "E&xit"
    QPushButton* MakeGraphic;
    QFileDialog* SaveDialog1;

    // Save As: makes the picture from the main window's current state, asks for the file and
    // writes it; the dialog stays open.
    void MakeGraphicClick();

protected:
    TStriaInput& StriaInput;

private:
    int chosenDpi() const;

    QString lastFileName_; // the full name of the last file chosen in this run
};
