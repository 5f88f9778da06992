// The label-template dialog: the stock label sheets L1..L8 and a custom one, and whether to
// explain the paste. Placed at +81/+25 from the main window on every activation.
#pragma once

#include "dialogs/placed_dialog.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTextEdit;

namespace platform {
class Platform;
}

class TForm3 : public PlacedDialog {
    Q_OBJECT
public:
    // Print Labels copies the preview and gives the focus back to the data box.
    TForm3(QWidget& mainWindow, platform::Platform& platform, QTextEdit& preview, QWidget& dataBox);

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

    // The choices the settings file keeps: the checked button as 1..9 (1..8 L1..L8; any other
    // number checks L9), and the two check boxes.
    int labelSize() const;
    void setLabelSize(int size);
    bool explainPaste() const;
    void setExplainPaste(bool explain);
    bool fillLabels() const;
    void setFillLabels(bool fill);

    // Copies the barcode, then opens the checked sheet's template from the data folder, or
    // says why it cannot; the dialog closes either way.
    void PrintLabelsClick();
    void ExitLabelsClick();

    // The template of the checked button: L1..L8 their stock sheets, otherwise "custom.rtf".
    QString templateFileName() const;

private:
    void buildSheetColumns();
    // The copy of the stock template with the barcode in every label, or the template itself;
    // empty after a failure the user has been told of.
    QString documentToOpen(const QString& folder, const QString& fileName);

    platform::Platform& platform_;
    QTextEdit& preview_;
    QWidget& dataBox_;
};
