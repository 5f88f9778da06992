#include "recording_platform.h"

#include <QDialog>
#include <QFileDialog>
#include <QStandardPaths>

namespace platform {

RecordingPlatform::RecordingPlatform()
    : documentsFolder_(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)),
      programFileName_(QStringLiteral("/usr/bin/stria")) {}

void RecordingPlatform::shellOpen(const QString& verb, const QString& document,
                                  const QString& workingFolder) {
    requests_.append({QStringLiteral("shellOpen"), {verb, document, workingFolder}});
}

void RecordingPlatform::beep() {
    requests_.append({QStringLiteral("beep"), {}});
}

void RecordingPlatform::warning(const QString& text, QPoint topLeft) {
    requests_.append({QStringLiteral("warning"),
                      {text, QStringLiteral("%1,%2").arg(topLeft.x()).arg(topLeft.y())}});
}

void RecordingPlatform::errorDialog(const QString& text) {
    requests_.append({QStringLiteral("errorDialog"), {text}});
}

bool RecordingPlatform::printDialog(QPrinter* /*printer*/) {
    requests_.append({QStringLiteral("printDialog"), {}});
    if (printAnswers_.empty()) {
        return false;
    }
    const bool answer = printAnswers_.front();
    printAnswers_.pop_front();
    return answer;
}

int RecordingPlatform::execDialog(QDialog& dialog) {
    requests_.append({QStringLiteral("execDialog"), {dialog.objectName()}});
    return dialogHandler_ ? dialogHandler_(dialog) : int(QDialog::Rejected);
}

std::optional<SaveFileChoice> RecordingPlatform::saveFile(QFileDialog& dialog) {
    requests_.append({QStringLiteral("saveFile"), dialog.nameFilters()});
    if (saveAnswers_.empty()) {
        return std::nullopt;
    }
    const std::optional<SaveFileChoice> answer = saveAnswers_.front();
    saveAnswers_.pop_front();
    return answer;
}

QList<Request> RecordingPlatform::requestsOf(const QString& kind) const {
    QList<Request> matching;
    for (const Request& request : requests_) {
        if (request.kind == kind) {
            matching.append(request);
        }
    }
    return matching;
}

} // namespace platform
