#include "platform/qt_platform.h"

#include "platform/window_frame.h"
#include "files/install_paths.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

namespace platform {
namespace {

// A message box whose frame goes to a given point. It takes its final size only as it appears,
// and that resize asks for the client area's corner at the point: the frame's corner is asked
// for once more after it.
class PlacedMessageBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

    void placeFrameAt(QPoint frameTopLeft) {
        frameTopLeft_ = frameTopLeft;
        move(frameTopLeft);
    }

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        MoveFrameTo(*this, frameTopLeft_);
    }

private:
    QPoint frameTopLeft_;
};

// Web addresses and other URLs go as they are; everything else is a file.
QUrl DocumentUrl(const QString& document, const QString& workingFolder) {
    const QUrl url(document, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1) {
        return url;
    }
    const QDir folder(workingFolder.isEmpty() ? QDir::currentPath() : workingFolder);
    return QUrl::fromLocalFile(QDir::cleanPath(folder.absoluteFilePath(document)));
}

// Shows the box modally with its frame corner at topLeft, as Platform::warning() says.
void ExecPlaced(PlacedMessageBox& box, QPoint topLeft, const QWidget* owner) {
    box.adjustSize();
    const QSize size = box.frameGeometry().size();
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QPoint defaultPlace = screen.center() - QPoint(size.width() / 2, size.height() / 2);
    if (owner != nullptr) {
        const QRect ownerFrame = FrameGeometry(*owner);
        defaultPlace = ownerFrame.center() - QPoint(size.width() / 2, size.height() / 2);
        if (const QScreen* ownerScreen = owner->screen()) {
            screen = ownerScreen->availableGeometry();
        }
    }
    box.placeFrameAt(WarningPosition(topLeft, defaultPlace, size, screen));
    box.exec();
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
        if (owner_ != nullptr) {
            warningBeside(*owner_, text);
        } else {
            warning(text, QPoint(-1, -1));
        }
    });
}

void QtPlatform::shellOpen(const QString& document, const QString& workingFolder) {
    opener_.open(DocumentUrl(document, workingFolder));
}

void QtPlatform::beep() {
    QApplication::beep();
}

void QtPlatform::warning(const QString& text, QPoint topLeft) {
    PlacedMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text, QMessageBox::Ok,
                         owner_);
    ExecPlaced(box, topLeft, owner_);
}

bool QtPlatform::warningChoice(const QString& text, const QString& goOn, QPoint topLeft) {
    PlacedMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text,
                         QMessageBox::NoButton, owner_);
    QPushButton* go = box.addButton(goOn, QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    ExecPlaced(box, topLeft, owner_);
    return box.clickedButton() == go;
}

void QtPlatform::errorDialog(const QString& text) {
    // Captioned like the program's task-bar entry: the main window's caption.
    QMessageBox::critical(owner_, owner_ != nullptr ? owner_->windowTitle() : QString(), text);
}

QString QtPlatform::documentsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString QtPlatform::picturesFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
}

QString QtPlatform::programFileName() {
    return QCoreApplication::applicationFilePath();
}

QString QtPlatform::installedDataFolder() {
    return installpaths::DataDirectory();
}

bool QtPlatform::placesWindows() {
    // Qt's Wayland plugin reports a position it was never told and ignores every move.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
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
