#include "cli/gui_session.h"

#include "files/install_paths.h"

#include <cstdio>

namespace cli {
namespace {

int argc = 1;
char programName[] = "stria93";
char* argv[] = {programName, nullptr};

// A command-line program's standard error is for its own messages.
void DropQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    }
}

} // namespace

GuiSession::GuiSession() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(DropQtMessages);
    app_ = std::make_unique<QGuiApplication>(argc, argv);
    families_ = RegisterBarcodeFonts(installpaths::FontDirectory());
    fonts_ = CheckBarcodeFonts(families_, installpaths::FontDirectory());
}

GuiSession::~GuiSession() = default;

QString GuiSession::missingFaceNote(const QString& face) const {
    return families_.contains(face) ? QString() : fonts_.error();
}

} // namespace cli
