// The desktop as Qt offers it: xdg-open (DesktopOpener), QMessageBox, QPrintDialog.
#pragma once

#include "platform/desktop_opener.h"
#include "platform/platform.h"

#include <QRect>
#include <QSize>

class QWidget;

namespace platform {

class QtPlatform final : public Platform {
public:
    // A shell-open that fails shows a warning dialog saying what to install.
    QtPlatform();

    // Message boxes are owned by the given window so that they stay on top of it.
    void setOwner(QWidget* owner) { owner_ = owner; }
    // The manual's HTML pages, shown in the browser when no program opens the compiled help file.
    void setHtmlHelp(const QString& indexPage) { opener_.setHtmlHelp(indexPage); }

    void shellOpen(const QString& document, const QString& workingFolder) override;
    void beep() override;
    void warning(const QString& text, QPoint topLeft) override;
    bool warningChoice(const QString& text, const QString& goOn, QPoint topLeft) override;
    void errorDialog(const QString& text) override;
    QString documentsFolder() override;
    QString picturesFolder() override;
    QString programFileName() override;
    QString installedDataFolder() override;
    bool placesWindows() override;
    bool printDialog(QPrinter* printer) override;
    int execDialog(QDialog& dialog) override;
    std::optional<SaveFileChoice> saveFile(QFileDialog& dialog) override;

private:
    QWidget* owner_ = nullptr;
    DesktopOpener opener_;
};

// Where a box of the given size goes when asked for topLeft on a screen with the given
// available area, from the place it would take by default.
QPoint WarningPosition(QPoint topLeft, QPoint defaultPlace, QSize boxSize, QRect screen);

} // namespace platform
