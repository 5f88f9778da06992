#include "platform/termination.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {
namespace {

int signalPipe[2] = {-1, -1};

// Only what is safe in a signal handler: one byte into the pipe; the event loop does the rest.
void Notify(int /*signal*/) {
    const char byte = 1;
    static_cast<void>(::write(signalPipe[1], &byte, 1));
}

} // namespace

void CloseOnTermination(QWidget& window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, notifier] {
        notifier->setEnabled(false);
        for (int open = 0; open < 10 && QApplication::activeModalWidget() != nullptr; ++open) {
            QApplication::activeModalWidget()->close();
        }
        window.close();
        QApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = Notify;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        sigaction(signal, &action, nullptr);
    }
}

} // namespace platform
