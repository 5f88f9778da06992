#include "platform/dialog_state.h"

#include <QSettings>

namespace platform {

void KeepDialogStateForTheRunOnly() {
    // A folder no file can be put into, whoever runs the program, root included.
    const QString nowhere = QStringLiteral("/dev/null");
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, nowhere);
    }
}

} // namespace platform
