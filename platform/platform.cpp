#include "platform/platform.h"

#include "platform/window_frame.h"

namespace platform {

void Platform::warningBeside(const QWidget& window, const QString& text) {
    warning(text, FramePosition(window) + QPoint(100, 100));
}

bool Platform::warningChoiceBeside(const QWidget& window, const QString& text,
                                   const QString& goOn) {
    return warningChoice(text, goOn, FramePosition(window) + QPoint(100, 100));
}

} // namespace platform
