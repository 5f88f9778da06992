#include "qt_platform.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

namespace platform {
namespace {

// Web addresses and other URLs go as they are; everything else is a file.
QUrl DocumentUrl(const QString& document, const QString& workingFolder) {
    const QUrl url(document, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1) {
        return url;
    }
    const QDir folder(workingFolder.isEmpty() ? QDir::currentPath() : workingFolder);
    return QUrl::fromLocalFile(QDir::cleanPath(folder.absoluteFilePath(document)));
}

} // namespace

QPoint WarningPosition(QPoint topLeft, QPoint defaultPlace, QSize boxSize, QRect screen) {
    if (topLeft.x() < 0 && topLeft.y() < 0) {
        return screen.center() - QPoint(boxSize.width() / 2, boxSize.height() / 2);
    }
    return {topLeft.x() < 0 ? defaultPlace.x() : topLeft.x(),
            topLeft.y() < 0 ? defaultPlace.y() : topLeft.y()};
}

QtPlatform::QtPlatform() {
    QObject::connect(&opener_, &DesktopOpener::failed, &opener_, [this](const QString& text) {
        // Where every warning dialog goes: 100 pixels right of and below the window's corner.
        warning(text, owner_ != nullptr ? owner_->pos() + QPoint(100, 100) : QPoint(-1, -1));
    });
}

void QtPlatform::shellOpen(const QString& /*verb*/, const QString& document,
                           const QString& workingFolder) {
    // The desktop has one default action per type, which is what "open" asks for too.
    opener_.open(DocumentUrl(document, workingFolder));
}

void QtPlatform::beep() {
    QApplication::beep();
}

void QtPlatform::warning(const QString& text, QPoint topLeft) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text, QMessageBox::Ok, owner_);
    box.adjustSize();
    const QSize size = box.frameGeometry().size();
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QPoint defaultPlace = screen.center() - QPoint(size.width() / 2, size.height() / 2);
    if (owner_ != nullptr) {
        const QRect ownerFrame = owner_->frameGeometry();
        defaultPlace = ownerFrame.center() - QPoint(size.width() / 2, size.height() / 2);
        if (const QScreen* ownerScreen = owner_->screen()) {
            screen = ownerScreen->availableGeometry();
        }
    }
    box.move(WarningPosition(topLeft, defaultPlace, size, screen));
    box.exec();
}

void QtPlatform::errorDialog(const QString& text) {
    QMessageBox::critical(owner_, QGuiApplication::applicationDisplayName(), text);
}

QString QtPlatform::documentsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString QtPlatform::programFileName() {
    return QCoreApplication::applicationFilePath();
}

bool QtPlatform::printDialog(QPrinter* printer) {
    QPrintDialog dialog(printer, owner_);
    return dialog.exec() == QDialog::Accepted;
}

int QtPlatform::execDialog(QDialog& dialog) {
    return dialog.exec();
}

std::optional<SaveFileChoice> QtPlatform::saveFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const int filter = static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter()));
    return SaveFileChoice{dialog.selectedFiles().constFirst(), filter < 0 ? 1 : filter + 1};
}

} // namespace platform
