#include "office/current_face.h"

#include "encoding/code93.h"
#include "settings/data_folder.h"
#include "settings/ini_file.h"
#include "settings/stored_face.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace office {
namespace {

// The window's program file, whose name names the settings file.
const QString WindowProgram = QStringLiteral("stria");

constexpr double DefaultPoints = 24;
constexpr double LargestPoints = 1000;

} // namespace

CurrentFace ReadCurrentFace() {
    const QString path =
        settings::DataFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)) +
        settings::SettingsFileName(WindowProgram);
    settings::StoredFace stored;
    if (QFileInfo(path).isFile()) {
        stored = settings::ReadStoredFace(settings::IniFile(path));
    }
    bool ok = false;
    double points = stored.pointSize.trimmed().toDouble(&ok);
    if (!ok || points < 1 || points > LargestPoints) {
        points = DefaultPoints;
    }
    const code93::Style style =
        stored.humanReadable ? code93::Style::HumanReadable : code93::Style::Standard;
    return {code93::FaceName(style, stored.sizeLetter), points};
}

} // namespace office
