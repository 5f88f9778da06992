// The main window: data in, barcode string out, options, preview, and the start-up and close
// routines that carry the options from one run to the next. The desktop is reached only through
// platform(); every command ends with the focus in BarTextInput.
#pragma once

#include "settings/setting_keys.h"

#include <QString>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

class ClickableLabel;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTextEdit;
class QToolButton;
class TConvert2;
class TForm2;
class TForm3;
class TTip;
class TWarningBox;

namespace picture {
struct ExportRequest;
}
namespace platform {
class Platform;
}
namespace settings {
class IniFile;
}
namespace stria {
class HintControl;
}

class TStriaInput : public QWidget {
    Q_OBJECT
public:
    // Builds the window and, after it, the five dialogs, all hidden.
    explicit TStriaInput(platform::Platform& platform, QWidget* parent = nullptr);
    ~TStriaInput() override;

    // Controls, named as on the form. The options panel:
    QFrame* Panel1;
    QLabel* Label1;
    QGroupBox* GroupBox1;
    QRadioButton* RadioButton1; // Standard
    QRadioButton* RadioButton2; // Human Readable
    QGroupBox* GroupBox2;
    QRadioButton* SizeA;
    QRadioButton* SizeB;
    QRadioButton* SizeC;
    QRadioButton* SizeD;
    QRadioButton* SizeE;
    QRadioButton* SizeF;
    QGroupBox* GroupBox3;
    QComboBox* PointSize;
    QCheckBox* DispSums;
    QCheckBox* TipCheckBox;
    QPushButton* ShowTip;
    QToolButton* SpeedButton2; // about box
    QPushButton* HelpButtonClick;
    // Data and commands:
    QLabel* StaticText4;
    QLineEdit* BarTextInput;
    QPushButton* AddButtonClick; // Insert
    QComboBox* ComboBox1;        // special characters
    QPushButton* MakeButtonClick;
    QPushButton* CopyButtonClick;
    QPushButton* PrintLabels;
    QPushButton* PrintButtonClick; // Sample
    QPushButton* BuildGraphic;     // Export
    // Results:
    QLabel* StaticText5;
    QLineEdit* BarTextOut;
    QLabel* StaticText7;
    QTextEdit* BarCodeOut;
    ClickableLabel* StaticText2; // the vendor's web address

    // The printer the sample page prints on; it keeps the print dialog's choices for the run.
    QPrinter& PrintDialog1();

    // The dialogs, created after the main window in this order.
    TWarningBox* WarningBox;
    TForm2* Form2;
    TTip* Tip;
    TForm3* Form3;
    TConvert2* Convert2;

    // Barcode state, for the commands and the dialogs.
    bool made() const { return made_; }
    // Refuses an action: the message in the preview in Arial 12, the output box emptied, a beep,
    // the made flag cleared, the focus back in BarTextInput.
    void ErrorDisplay(const QString& message);
    // The typeface of the current options ("Sample 93 d HR" for the initial ones).
    QString currentFaceName() const;
    // The size letter 'a'..'f' of the checked size button.
    char16_t sizeLetter() const;
    // A warning dialog at the main window's frame corner plus 100 pixels each way.
    void warn(const QString& text);

    // The data folder ("<Documents>/Stria/", empty before start-up) and whether start-up found
    // it; the settings file is read and written only while dataFolderFound() is true.
    const QString& dataFolder() const { return dataFolder_; }
    bool dataFolderFound() const { return dataFolderFound_; }
    QString settingsFilePath() const;

    // Where the window appears when no position is stored.
    static constexpr QPoint FirstPosition{250, 118};

    platform::Platform& platform() { return platform_; }
    stria::HintControl& hints() { return *hints_; }
    bool startedUp() const { return startedUp_; }

    // Handlers, connected by connectHandlers().
    void FormActivate(); // the start-up routine; runs once, when the window first comes on screen
    void FormClose();    // the close routine: one write of the settings file
    void MakeButtonClickClick();
    void RadioButton1Click(); // every option control, and PointSize on leaving and on Enter
    void PointSizeChange();   // PointSize as the user types: restyles, keeps the focus
    void AddButtonClickClick();
    void BarTextInputKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void CopyButtonClickClick();
    void PrintButtonClickClick();
    void HelpButtonClickClick(); // also F1 in BarTextInput
    void StaticText2Click();
    void SpeedButton2Click();
    void ShowTipClick();
    void TipCheckBoxClick();
    void PrintLabelsClick();
    void BuildGraphicClick();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void arrangeControls();
    void setTabOrder();
    void connectHandlers();
    void createDialogs();

    std::array<QRadioButton*, 6> sizeButtons() const;
    // What the export dialog draws: the output box, face and point size as they stand now.
    picture::ExportRequest exportRequest() const;

    void restoreSettings(const settings::IniFile& file);
    // Moves the window to the position restoreSettings() read, or onto the nearest screen when
    // there its title bar would not show.
    void placeRestoredWindow();
    void writeFirstRunSettings(settings::IniFile& file);
    // The frame corner to store; where the desktop keeps it to itself, the first place.
    QPoint positionToStore() const;
    void checkTipOfTheDay(const settings::IniFile& file);
    QVariant controlValue(settings::KeyId key) const;
    void applyToControl(settings::KeyId key, const QVariant& value);

    // The whole preview in one face and size.
    void setPreview(const QString& family, int pointSize, const QString& text);
    std::optional<int> pointSizeNumber() const;
    // The typed size when the option handler can use it; marks the box when not.
    std::optional<int> acceptedPointSize();
    void restyleBarcode(int pointSize);

    platform::Platform& platform_;
    std::unique_ptr<stria::HintControl> hints_;
    std::unique_ptr<QPrinter> printer_;
    bool made_ = false;
    bool startUpQueued_ = false;
    bool startedUp_ = false;
    bool inOptionHandler_ = false;
    QString dataFolder_;
    bool dataFolderFound_ = false;
    // Read from the settings file, until the window stands there with its frame known.
    std::optional<QPoint> restoredPosition_;
};
