// stria: the window that makes Code 93 barcode strings, previews, copies, prints and exports them.
#include "links/help_files.h"
#include "main/stria_input.h"
#include "picture/barcode_fonts.h"
#include "platform/dialog_state.h"
#include "platform/qt_platform.h"
#include "platform/termination.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("stria"));
    // No application display name: Qt would append it to every caption ("About — ...").
    // The task bar shows the main window's own caption, "Make a bar code 93".
    QApplication::setApplicationVersion(QStringLiteral(STRIA_VERSION));
    // The desktop entry's and the AppStream metainfo's name.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.quorinfont.stria"));
    platform::KeepDialogStateForTheRunOnly();
    // The barcode faces are loaded privately, so the preview shows bars even before
    // `stria93 setup-fonts` installed them for other programs.
    if (const Result<> fonts = LoadBarcodeFonts(); !fonts) {
        std::fprintf(stderr, "stria: %s\n", fonts.error().toLocal8Bit().constData());
    }
    try {
        platform::QtPlatform desktop;
        desktop.setHtmlHelp(helpfiles::HtmlManualIndex());
        TStriaInput window(desktop);
        desktop.setOwner(&window);
        platform::CloseOnTermination(window);
        window.show();
        QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Make a bar code 93"),
                              QString::fromLocal8Bit(error.what()));
    }
    return 0;
}
