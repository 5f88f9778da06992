// The label-template dialog: the stock label sheets L1..L8 and a custom one, and whether to
// explain the paste. Placed at +81/+25 from the main window on every activation.
#pragma once

#include "placed_dialog.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TStriaInput;

class TForm3 : public PlacedDialog {
    Q_OBJECT
public:
    explicit TForm3(TStriaInput& stria);

    QLabel* Label1;
    QGroupBox* LabelSizeGroup; // the radio-group frame "Label Size "
    QRadioButton* L1;
    QRadioButton* L2;
    QRadioButton* L3;
    QRadioButton* L4;
    QRadioButton* L5;
    QRadioButton* L6;
    QRadioButton* L7;
    QRadioButton* L8;
    QRadioButton* L9;
    QGroupBox* SheetGroup;  // "Labels / Sheet "
    QGroupBox* NumberGroup; // "Label Number "
    QCheckBox* ExplainPaste;
    // "Fill every label": open a copy of the stock sheet's template with the barcode in every
    // label; the custom template is the user's own and opens as it is.
    QCheckBox* FillLabels;
    QPushButton* ExitLabels;
    QPushButton* PrintLabels;

    // L1..L9 in order.
    std::array<QRadioButton*, 9> labelButtons() const;

    // Copies the barcode, then opens the checked sheet's template from the data folder, or
    // says why it cannot; the dialog closes either way.
    void PrintLabelsClick();
    void ExitLabelsClick();

    // The template of the checked button: L1..L8 their stock sheets, otherwise "custom.rtf".
    QString templateFileName() const;

protected:
    TStriaInput& StriaInput;
};
