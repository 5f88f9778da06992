// The maker's web addresses that the windows open, built in one place so they cannot drift.
#pragma once

#include <QString>
#include <QUrl>

namespace vendor {

inline constexpr char Name[] = "Quorin Font";
// Eight letters and digits that tell the update check which product asks.
inline constexpr char ProductCode[] = "QFSTRI93";

QUrl Site();          // https://www.quorinfont.example/
QString SiteText();   // the address as the main window shows it
QUrl SymbologyPage(); // the site's page about these typefaces
// The update-check page for a product and version: <site>file/update.php?v=<code>-<version>.
QUrl UpdateCheckPage(const QString& productCode = QString::fromLatin1(ProductCode),
                     const QString& version = QStringLiteral(STRIA_VERSION));

} // namespace vendor
