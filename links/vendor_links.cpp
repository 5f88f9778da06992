#include "links/vendor_links.h"

#include <QUrlQuery>

namespace vendor {

QUrl Site() {
    return QUrl(QStringLiteral("https://www.quorinfont.example/"));
}

QString SiteText() {
    return Site().host();
}

QUrl SymbologyPage() {
    return Site().resolved(QUrl(QStringLiteral("stria.htm")));
}

QUrl UpdateCheckPage(const QString& productCode, const QString& version) {
    QUrl page = Site().resolved(QUrl(QStringLiteral("file/update.php")));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("v"), productCode + QLatin1Char('-') + version);
    page.setQuery(query);
    return page;
}

} // namespace vendor
