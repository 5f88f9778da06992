#include "platform/desktop_opener.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace platform {
namespace {

constexpr char CompiledHelpType[] = "application/vnd.ms-htmlhelp";
// xdg-mime answers at once on every desktop; a hung one may hold the window a second at most.
constexpr int QueryMilliseconds = 1000;

QString TypeOf(const QUrl& target) {
    if (!target.isLocalFile()) {
        return QStringLiteral("x-scheme-handler/") + target.scheme();
    }
    return QMimeDatabase()
        .mimeTypeForFile(target.toLocalFile(), QMimeDatabase::MatchExtension)
        .name();
}

// The desktop file of the program the desktop opens the type with; empty when there is none or
// xdg-mime cannot tell.
QString DefaultProgram(const QString& type) {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) {
        return {};
    }
    QProcess query;
    query.setStandardInputFile(QProcess::nullDevice());
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(QueryMilliseconds)) {
        query.kill();
        query.waitForFinished();
        return {};
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) {
        return {};
    }
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

QString WhatToInstall(const QString& type) {
    if (type == QLatin1String(CompiledHelpType)) {
        return QStringLiteral("a web browser, such as Firefox, to read the manual's HTML pages, "
                              "or a CHM viewer, such as xCHM");
    }
    if (type == u"application/rtf" || type == u"text/rtf") {
        return QStringLiteral("a word processor, such as LibreOffice Writer");
    }
    if (type == u"application/pdf") {
        return QStringLiteral("a PDF viewer, such as Evince or Okular");
    }
    if (type == u"text/html" || type.startsWith(u"x-scheme-handler/http")) {
        return QStringLiteral("a web browser, such as Firefox");
    }
    return QStringLiteral("a program that opens it");
}

QString Shown(const QUrl& target) {
    return target.isLocalFile() ? QDir::toNativeSeparators(target.toLocalFile())
                                : target.toDisplayString();
}

} // namespace

DesktopOpener::~DesktopOpener() {
    for (QProcess* process : findChildren<QProcess*>()) {
        process->disconnect();
        process->kill();
        process->waitForFinished();
    }
}

bool DesktopOpener::showsHelpPages(const QUrl& requested, const QString& type) const {
    if (type != QLatin1String(CompiledHelpType) || !QFileInfo::exists(htmlHelp_)) {
        return false;
    }
    // A compiled manual that is missing is no reason to show no manual.
    return !QFileInfo::exists(requested.toLocalFile()) || DefaultProgram(type).isEmpty();
}

void DesktopOpener::open(const QUrl& requested) {
    const QString shown = Shown(requested);
    const QString type = TypeOf(requested);
    const QUrl target =
        showsHelpPages(requested, type) ? QUrl::fromLocalFile(htmlHelp_) : requested;
    if (target.isLocalFile() && !QFileInfo::exists(target.toLocalFile())) {
        fail(QStringLiteral("The file %1 is missing.\nPlease re-install this product.").arg(shown));
        return;
    }
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) {
        fail(QStringLiteral("\"%1\" could not be opened: xdg-open, which opens files with the "
                            "desktop's programs, is missing.\nInstall the package xdg-utils.")
                 .arg(shown));
        return;
    }
    launch(xdgOpen, target,
           QStringLiteral("\"%1\" could not be opened: no program on this desktop opens it.\n"
                          "Install %2.")
               .arg(shown, WhatToInstall(type)));
}

void DesktopOpener::launch(const QString& xdgOpen, const QUrl& target, const QString& failure) {
    // A child rather than a detached process, so that its exit status tells whether anything
    // opened: xdg-open ends with a failure when it finds no program for the file.
    auto* process = new QProcess(this);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    connect(process, &QProcess::finished, this,
            [this, process, failure](int exitCode, QProcess::ExitStatus status) {
                process->deleteLater();
                if (status == QProcess::NormalExit && exitCode == 0) {
                    emit finished();
                } else {
                    fail(failure);
                }
            });
    connect(process, &QProcess::errorOccurred, this,
            [this, process, failure](QProcess::ProcessError error) {
                if (error == QProcess::FailedToStart) {
                    process->deleteLater();
                    fail(failure);
                }
            });
    process->start(xdgOpen, {target.isLocalFile() ? target.toLocalFile()
                                                  : target.toString(QUrl::FullyEncoded)});
}

void DesktopOpener::fail(const QString& message) {
    emit failed(message);
    emit finished();
}

} // namespace platform
