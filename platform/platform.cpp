#include "platform/platform.h"

#include "platform/window_frame.h"

namespace platform {

void Platform::warningBeside(const QWidget& window, const QString& text) {
    warning(text, FramePosition(window) + QPoint(100, 100));
}

} // namespace platform
