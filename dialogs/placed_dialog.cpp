#include "placed_dialog.h"

#include <QEvent>

PlacedDialog::PlacedDialog(QWidget& mainWindow, QPoint offset)
    : QDialog(&mainWindow, FixedDialogFlags()), mainWindow_(mainWindow), offset_(offset) {}

QPoint PlacedDialog::placement() const {
    return mainWindow_.pos() + offset_;
}

void PlacedDialog::FormActivate() {
    move(placement());
}

void PlacedDialog::showEvent(QShowEvent* event) {
    // Placed before it appears, so that it does not jump after the first paint.
    move(placement());
    QDialog::showEvent(event);
}

bool PlacedDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        FormActivate();
    }
    return QDialog::event(event);
}

Qt::WindowFlags FixedDialogFlags() {
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
           Qt::MSWindowsFixedSizeDialogHint;
}
