// Takes the manual's and the README's pictures of the windows from the program itself, on the
// offscreen platform, with a real barcode made from "ABC123".
#include "dialogs/about_box.h"
#include "dialogs/export_dialog.h"
#include "dialogs/label_dialog.h"
#include "dialogs/tip_window.h"
#include "dialogs/warning_box.h"
#include "main/stria_input.h"
#include "picture/barcode_fonts.h"
#include "platform/recording_platform.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>

namespace {

bool Save(QWidget& window, const QString& folder, const QString& name) {
    window.ensurePolished();
    window.adjustSize();
    const QString path = folder + QLatin1Char('/') + name;
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "grab_windows: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: grab_windows OUTPUT_FOLDER\n");
        return 2;
    }
    QApplication application(argc, argv);
    if (const Result<> fonts = LoadBarcodeFonts(); !fonts) {
        std::fprintf(stderr, "grab_windows: %s\n", qPrintable(fonts.error()));
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    // A documents folder of its own, so that no user's settings show up in the pictures.
    QTemporaryDir documents;
    platform::RecordingPlatform desktop;
    desktop.setDocumentsFolder(documents.path());
    TStriaInput window(desktop);
    window.show();
    QApplication::processEvents();
    window.BarTextInput->setText(QStringLiteral("ABC123"));
    window.MakeButtonClickClick();
    QApplication::processEvents();

    const bool saved = Save(window, folder, QStringLiteral("main_window.png")) &&
                       Save(*window.WarningBox, folder, QStringLiteral("clipboard_note.png")) &&
                       Save(*window.Form2, folder, QStringLiteral("about_box.png")) &&
                       Save(*window.Tip, folder, QStringLiteral("tip_window.png")) &&
                       Save(*window.Form3, folder, QStringLiteral("label_dialog.png")) &&
                       Save(*window.Convert2, folder, QStringLiteral("export_dialog.png"));
    return saved ? 0 : 1;
}
