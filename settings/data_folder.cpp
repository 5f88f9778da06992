#include "settings/data_folder.h"

#include <QFileInfo>

namespace settings {

QString DataFolder(const QString& documentsFolder) {
    QString folder = documentsFolder;
    if (!folder.endsWith(QLatin1Char('/'))) {
        folder += QLatin1Char('/');
    }
    return folder + QStringLiteral("Stria/");
}

QString SettingsFileName(const QString& programFileName) {
    const QString name = QFileInfo(programFileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return (dot < 0 ? name : name.left(dot)) + QStringLiteral("tips.ini");
}

} // namespace settings
