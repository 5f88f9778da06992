#include "docs/tools/manual_pages.h"

#include <QRegularExpression>
#include <QStringList>

namespace manual {
namespace {

QString ParamValue(const QString& object, const QString& name) {
    const QRegularExpression param(
        QStringLiteral(R"re(<param\s+name="%1"\s+value="([^"]*)")re").arg(name),
        QRegularExpression::CaseInsensitiveOption);
    return param.match(object).captured(1);
}

QStringList Captures(const QString& html, const QRegularExpression& pattern) {
    QStringList found;
    for (auto it = pattern.globalMatch(html); it.hasNext();) {
        const QString value = it.next().captured(1);
        if (!found.contains(value)) {
            found.append(value);
        }
    }
    return found;
}

const QRegularExpression& InternalLink() {
    static const QRegularExpression link(QStringLiteral(R"re(<a\s+href="([^":#]+\.html)">)re"),
                                         QRegularExpression::CaseInsensitiveOption);
    return link;
}

} // namespace

QList<Page> PagesFromContents(const QString& hhcText) {
    static const QRegularExpression sitemap(
        QStringLiteral(R"re(<object\s+type="text/sitemap">(.*?)</object>)re"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QList<Page> pages;
    for (auto it = sitemap.globalMatch(hhcText); it.hasNext();) {
        const QString object = it.next().captured(1);
        Page page{ParamValue(object, QStringLiteral("Name")),
                  ParamValue(object, QStringLiteral("Local"))};
        if (!page.file.isEmpty()) {
            pages.append(page);
        }
    }
    return pages;
}

QStringList LinkedPages(const QString& pageHtml) {
    return Captures(pageHtml, InternalLink());
}

QStringList Pictures(const QString& pageHtml) {
    static const QRegularExpression image(QStringLiteral(R"re(<img\s+src="([^"]+)")re"),
                                          QRegularExpression::CaseInsensitiveOption);
    return Captures(pageHtml, image);
}

QString PrintableBody(const QString& pageHtml) {
    static const QRegularExpression body(QStringLiteral("<body[^>]*>(.*)</body>"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = body.match(pageHtml);
    QString html = match.hasMatch() ? match.captured(1) : pageHtml;

    // Keep the words of a link to another page, drop the link itself.
    static const QRegularExpression linkedText(
        QStringLiteral(R"re(<a\s+href="[^":#]+\.html">(.*?)</a>)re"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    html.replace(linkedText, QStringLiteral("<i>\\1</i>"));
    html.replace(
        QRegularExpression(QStringLiteral("<h1>"), QRegularExpression::CaseInsensitiveOption),
        QStringLiteral("<h1 style=\"page-break-before: always\">"));
    return html;
}

} // namespace manual
