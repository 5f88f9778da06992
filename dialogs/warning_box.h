// The clipboard note: explains how to fix a pasted barcode whose font was not kept. Centred on
// the main window; the tick in NoWarningBox lasts for the run only.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

class TWarningBox : public QDialog {
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

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget& mainWindow_;
};
