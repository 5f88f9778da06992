#include "dialogs/placed_dialog.h"

#include "platform/window_frame.h"

#include <QEvent>

PlacedDialog::PlacedDialog(QWidget& mainWindow, QPoint offset)
    : QDialog(&mainWindow, FixedDialogFlags()), mainWindow_(mainWindow), offset_(offset) {}

QPoint PlacedDialog::placement() const {
    return platform::FramePosition(mainWindow_) + offset_;
}

void PlacedDialog::FormActivate() {
    platform::MoveFrameTo(*this, placement());
}

void PlacedDialog::setVisible(bool visible) {
    // Placed while still hidden, so that it appears in its place and does not jump.
    if (visible && !isVisible()) {
        FormActivate();
    }
    QDialog::setVisible(visible);
}

bool PlacedDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        FormActivate();
    }
    return QDialog::event(event);
}

Qt::WindowFlags FixedDialogFlags() {
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}
