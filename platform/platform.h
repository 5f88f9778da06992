// What the windows ask of the desktop. Windows reach the desktop only through this interface,
// so that a test sees every beep, message, shell request and modal dialog, and never blocks.
#pragma once

#include <QPoint>
#include <QString>
#include <optional>

class QDialog;
class QFileDialog;
class QPrinter;
class QWidget;

namespace platform {

// What the user chose in a save-file dialog; filterIndex counts the name filters from 1.
struct SaveFileChoice {
    QString fileName;
    int filterIndex = 1;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Opens a document or a web address with the program the user associates with it (the
    // desktop has one default action per type); a relative document is taken from the working
    // folder, or from the current folder when that is empty. The result is not reported.
    virtual void shellOpen(const QString& document, const QString& workingFolder) = 0;

    virtual void beep() = 0;

    // Modal warning, caption "Warning", one OK button, its top-left corner at topLeft (screen
    // pixels). A negative coordinate is not applied: that axis keeps the default place, and when
    // both are negative the box is centred on the screen.
    virtual void warning(const QString& text, QPoint topLeft) = 0;

    // warning() with its corner 100 pixels right of and below the window's frame corner, where
    // every window of the program puts its warnings.
    void warningBeside(const QWidget& window, const QString& text);

    // warning() with a choice: goOn and "Cancel" instead of OK; true when the user chose goOn.
    virtual bool warningChoice(const QString& text, const QString& goOn, QPoint topLeft) = 0;

    // warningChoice() at the place of warningBeside().
    bool warningChoiceBeside(const QWidget& window, const QString& text, const QString& goOn);

    // The standard error dialog for a failure raised while handling an event.
    virtual void errorDialog(const QString& text) = 0;

    virtual QString documentsFolder() = 0;

    // The desktop's Pictures folder; empty when the desktop names none.
    virtual QString picturesFolder() = 0;

    // The running program's file with its folder.
    virtual QString programFileName() = 0;

    // The first contents of a user's data folder as the installation put them.
    virtual QString installedDataFolder() = 0;

    // False where the desktop neither tells a window where it is nor lets it choose (Wayland).
    virtual bool placesWindows() = 0;

    // Lets the user choose and set up the printer; false when cancelled.
    virtual bool printDialog(QPrinter* printer) = 0;

    // Shows the dialog modally and returns its result (QDialog::Accepted or Rejected).
    virtual int execDialog(QDialog& dialog) = 0;

    // Shows a save-file dialog modally; nothing when cancelled.
    virtual std::optional<SaveFileChoice> saveFile(QFileDialog& dialog) = 0;
};

} // namespace platform
