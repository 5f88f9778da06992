#include "platform/recording_platform.h"

#include <QDialog>
#include <QFileDialog>
#include <QStandardPaths>

namespace platform {
namespace {

bool NextAnswer(std::deque<bool>& answers) {
    if (answers.empty()) {
        return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

QString KindName(RequestKind kind) {
    switch (kind) {
    case RequestKind::ShellOpen:
        return QStringLiteral("shellOpen");
    case RequestKind::Beep:
        return QStringLiteral("beep");
    case RequestKind::Warning:
        return QStringLiteral("warning");
    case RequestKind::WarningChoice:
        return QStringLiteral("warningChoice");
    case RequestKind::ErrorDialog:
        return QStringLiteral("errorDialog");
    case RequestKind::PrintDialog:
        return QStringLiteral("printDialog");
    case RequestKind::ExecDialog:
        return QStringLiteral("execDialog");
    case RequestKind::SaveFile:
        return QStringLiteral("saveFile");
    }
    return {};
}

RecordingPlatform::RecordingPlatform()
    : documentsFolder_(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)),
      picturesFolder_(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)),
      programFileName_(QStringLiteral("/usr/bin/stria")) {}

void RecordingPlatform::shellOpen(const QString& document, const QString& workingFolder) {
    requests_.append({RequestKind::ShellOpen, {document, workingFolder}});
}

void RecordingPlatform::beep() {
    requests_.append({RequestKind::Beep, {}});
}

void RecordingPlatform::warning(const QString& text, QPoint topLeft) {
    requests_.append(
        {RequestKind::Warning, {text, QStringLiteral("%1,%2").arg(topLeft.x()).arg(topLeft.y())}});
}

bool RecordingPlatform::warningChoice(const QString& text, const QString& goOn, QPoint topLeft) {
    requests_.append({RequestKind::WarningChoice,
                      {text, goOn, QStringLiteral("%1,%2").arg(topLeft.x()).arg(topLeft.y())}});
    return NextAnswer(choiceAnswers_);
}

void RecordingPlatform::errorDialog(const QString& text) {
    requests_.append({RequestKind::ErrorDialog, {text}});
}

bool RecordingPlatform::printDialog(QPrinter* /*printer*/) {
    requests_.append({RequestKind::PrintDialog, {}});
    return NextAnswer(printAnswers_);
}

int RecordingPlatform::execDialog(QDialog& dialog) {
    requests_.append({RequestKind::ExecDialog, {dialog.objectName()}});
    return dialogHandler_ ? dialogHandler_(dialog) : int(QDialog::Rejected);
}

std::optional<SaveFileChoice> RecordingPlatform::saveFile(QFileDialog& dialog) {
    requests_.append({RequestKind::SaveFile, dialog.nameFilters()});
    if (saveAnswers_.empty()) {
        return std::nullopt;
    }
    const std::optional<SaveFileChoice> answer = saveAnswers_.front();
    saveAnswers_.pop_front();
    return answer;
}

QList<Request> RecordingPlatform::requestsOf(RequestKind kind) const {
    QList<Request> matching;
    for (const Request& request : requests_) {
        if (request.kind == kind) {
            matching.append(request);
        }
    }
    return matching;
}

} // namespace platform
