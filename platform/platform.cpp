#include "platform.h"

namespace platform {

QString InvalidIntegerMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

void Platform::invalidInteger(const QString& text) {
    errorDialog(InvalidIntegerMessage(text));
}

} // namespace platform
