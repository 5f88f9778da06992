// stria: the window that makes Code 93 barcode strings, previews, copies, prints and exports them.
#include "barcode_fonts.h"
#include "qt_platform.h"
#include "stria_input.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("stria"));
    QApplication::setApplicationDisplayName(QStringLiteral("Make a bar code 93"));
    QApplication::setApplicationVersion(QStringLiteral(STRIA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("stria"));
    try {
        // Privately, so that the preview shows bars even before the typefaces are installed.
        LoadBarcodeFonts();
        platform::QtPlatform desktop;
        TStriaInput window(desktop);
        desktop.setOwner(&window);
        window.show();
        QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QApplication::applicationDisplayName(),
                              QString::fromLocal8Bit(error.what()));
    }
    return 0;
}
