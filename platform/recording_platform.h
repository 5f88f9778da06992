// A Platform for tests: lists every request in order and answers modal questions at once from
// scripted answers, so that nothing ever waits for a user. Queries (documents folder, program
// file name) are answered but not listed.
#pragma once

#include "platform/platform.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

namespace platform {

enum class RequestKind {
    ShellOpen,
    Beep,
    Warning,
    WarningChoice,
    ErrorDialog,
    PrintDialog,
    ExecDialog,
    SaveFile
};

// "shellOpen", "beep", ...: the kind as a test's message shows it.
QString KindName(RequestKind kind);

struct Request {
    RequestKind kind;
    QStringList arguments;

    bool operator==(const Request&) const = default;
};

class RecordingPlatform final : public Platform {
public:
    // Runs instead of exec(); its result is what execDialog returns. Without one, a dialog is
    // rejected at once.
    using DialogHandler = std::function<int(QDialog&)>;

    RecordingPlatform();

    void shellOpen(const QString& document, const QString& workingFolder) override;
    void beep() override;
    void warning(const QString& text, QPoint topLeft) override;
    bool warningChoice(const QString& text, const QString& goOn, QPoint topLeft) override;
    void errorDialog(const QString& text) override;
    QString documentsFolder() override { return documentsFolder_; }
    QString picturesFolder() override { return picturesFolder_; }
    QString programFileName() override { return programFileName_; }
    QString installedDataFolder() override { return installedDataFolder_; }
    bool placesWindows() override { return placesWindows_; }
    bool printDialog(QPrinter* printer) override;
    int execDialog(QDialog& dialog) override;
    std::optional<SaveFileChoice> saveFile(QFileDialog& dialog) override;

    // Arguments as listed: shellOpen (document, working folder), warning (text, "x,y"),
    // warningChoice (text, goOn, "x,y"),
    // errorDialog (text), execDialog (object name), saveFile (name filters), printDialog ().
    const QList<Request>& requests() const { return requests_; }
    QList<Request> requestsOf(RequestKind kind) const;
    void clear() { requests_.clear(); }

    void setDocumentsFolder(const QString& folder) { documentsFolder_ = folder; }
    void setPicturesFolder(const QString& folder) { picturesFolder_ = folder; }
    void setProgramFileName(const QString& fileName) { programFileName_ = fileName; }
    // None unless set: a start without a data folder finds no installation to set it up from.
    void setInstalledDataFolder(const QString& folder) { installedDataFolder_ = folder; }
    void setPlacesWindows(bool places) { placesWindows_ = places; }
    // Answers of the next warning choices, in order; false (cancelled) when none is left.
    void answerWarningChoice(bool goOn) { choiceAnswers_.push_back(goOn); }
    void setDialogHandler(DialogHandler handler) { dialogHandler_ = std::move(handler); }
    // Answers of the next print dialogs, in order; false (cancelled) when none is left.
    void answerPrintDialog(bool confirmed) { printAnswers_.push_back(confirmed); }
    // Answers of the next save-file dialogs, in order; cancelled when none is left.
    void answerSaveFile(std::optional<SaveFileChoice> choice) { saveAnswers_.push_back(choice); }

private:
    QList<Request> requests_;
    QString documentsFolder_;
    QString picturesFolder_;
    QString programFileName_;
    QString installedDataFolder_;
    bool placesWindows_ = true;
    DialogHandler dialogHandler_;
    std::deque<bool> printAnswers_;
    std::deque<bool> choiceAnswers_;
    std::deque<std::optional<SaveFileChoice>> saveAnswers_;
};

} // namespace platform
