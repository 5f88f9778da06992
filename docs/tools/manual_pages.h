// The help manual's pages as the help contents file orders them, and their HTML made fit for one
// printed document.
#pragma once

#include <QList>
#include <QString>

namespace manual {

struct Page {
    QString title;
    QString file; // relative to the contents file's folder
};

// The topics of an HTML Help contents (.hhc) file, in order.
QList<Page> PagesFromContents(const QString& hhcText);

// The files a page links to inside the manual (href="x.html") and the pictures it shows.
QStringList LinkedPages(const QString& pageHtml);
QStringList Pictures(const QString& pageHtml);

// The body of one page for the printed manual: links between pages lose their target (a PDF page
// has no "options.html"), and the page starts on a new sheet.
QString PrintableBody(const QString& pageHtml);

} // namespace manual
