// Opening documents and web addresses with the desktop's programs, through xdg-open. A compiled
// help file (.chm) that no program on the desktop shows is opened as the HTML pages of the same
// manual instead, in the browser. When nothing can be opened at all (no xdg-open, no program for
// the file, a missing file) failed() names the file and what to install, so that a click that
// does nothing never goes unexplained.
#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

namespace platform {

class DesktopOpener final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // xdg-open may still wait for the program it started (it does outside the big desktops);
    // that program stays open, only the waiting ends.
    ~DesktopOpener() override;

    // The first page of the manual's HTML pages, opened when no program shows compiled help.
    void setHtmlHelp(const QString& indexPage) { htmlHelp_ = indexPage; }

    // Starts opening the file or address and returns at once; the result comes as failed() (on
    // failure) and finished().
    void open(const QUrl& requested);

signals:
    void failed(const QString& message);
    // Every open() ends with one finished(), whatever became of it.
    void finished();

private:
    // Whether the HTML pages stand in for the requested compiled help file of the given type.
    bool showsHelpPages(const QUrl& requested, const QString& type) const;
    void launch(const QString& xdgOpen, const QUrl& target, const QString& failure);
    void fail(const QString& message);

    QString htmlHelp_;
};

} // namespace platform
