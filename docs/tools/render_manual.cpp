// render_manual CONTENTS.hhc STYLESHEET.css OUTPUT.pdf
// Prints the help pages, in the order of the help contents, into the PDF manual: a title sheet
// with the contents, then one section per page, with page numbers.
#include "docs/tools/manual_pages.h"
#include "links/vendor_links.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>
#include <cstdio>

namespace {

bool ReadText(const QString& path, QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "render_manual: cannot read %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return false;
    }
    text = QString::fromUtf8(file.readAll());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: render_manual CONTENTS.hhc STYLESHEET.css OUTPUT.pdf\n");
        return 2;
    }
    const QString contentsPath = QString::fromLocal8Bit(argv[1]);
    const QString folder = QFileInfo(contentsPath).absolutePath();
    QString contents;
    QString styleSheet;
    if (!ReadText(contentsPath, contents) ||
        !ReadText(QString::fromLocal8Bit(argv[2]), styleSheet)) {
        return 1;
    }
    const QList<manual::Page> pages = manual::PagesFromContents(contents);
    if (pages.isEmpty()) {
        std::fprintf(stderr, "render_manual: %s lists no pages\n", argv[1]);
        return 1;
    }

    QString html = QStringLiteral("<h1 style=\"font-size: 28pt\">Stria " STRIA_VERSION "</h1>"
                                  "<p style=\"font-size: 14pt\">User manual</p>"
                                  "<p>Code 93 barcodes for the Sample 93 typefaces, from %1.</p>"
                                  "<h2>Contents</h2><ol>")
                       .arg(QString::fromUtf8(vendor::Name).toHtmlEscaped());
    for (const manual::Page& page : pages) {
        html += QStringLiteral("<li>") + page.title.toHtmlEscaped() + QStringLiteral("</li>");
    }
    html += QStringLiteral("</ol>");
    for (const manual::Page& page : pages) {
        QString pageHtml;
        if (!ReadText(folder + QLatin1Char('/') + page.file, pageHtml)) {
            return 1;
        }
        html += manual::PrintableBody(pageHtml);
    }

    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(folder + QLatin1Char('/')));
    document.setDefaultStyleSheet(styleSheet);
    document.setHtml(html);

    const QString output = QString::fromLocal8Bit(argv[3]);
    QPdfWriter pdf(output);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
    pdf.setResolution(300);
    pdf.setTitle(QStringLiteral("Stria " STRIA_VERSION " manual"));
    pdf.setCreator(QStringLiteral("Stria"));
    document.print(&pdf);
    if (!QFileInfo(output).exists() || QFileInfo(output).size() == 0) {
        std::fprintf(stderr, "render_manual: %s was not written\n", qPrintable(output));
        return 1;
    }
    return 0;
}
