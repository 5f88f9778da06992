// The temporary files of OutputFile, kept where a signal handler can remove them: a program
// stopped by SIGTERM, SIGINT, SIGHUP or SIGPIPE leaves none behind. Each is named
// ".NAME.stria93-XXXXXX" beside the file it becomes, so that one left by a program killed
// outright (SIGKILL, a power cut) is recognised and removed by a later program.
#pragma once

#include <QByteArray>

namespace files {

// Holds the four signals in this thread while it lives, so that no handler runs between a file's
// placing and the line that says so.
class SignalsHeld {
public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    unsigned char saved_[128]; // the thread's former signal mask (a sigset_t)
};

// For a program that lists the files it places: from now on the thread that places a file keeps
// the four signals held until it calls ReleaseHeldSignals, after listing it.
void HoldSignalsFromPlacing();
void ReleaseHeldSignals();

// The temporary name for a file: ".NAME.stria93-XXXXXX" in the same folder, NAME cut short when
// the whole would pass the file system's 255 bytes.
QByteArray StagedName(const QByteArray& name);

// Creates the temporary file (O_EXCL) and keeps its name for RemoveStagedFiles; the descriptor,
// or -1 with errno set. slot is what PlaceStagedFile and DiscardStagedFile take.
int CreateStagedFile(const QByteArray& temporaryName, int& slot);
// Renames it over its name (0, or -1 with errno set) and forgets it.
int PlaceStagedFile(int slot, const QByteArray& temporaryName, const QByteArray& name);
// Removes it and forgets it.
void DiscardStagedFile(int slot, const QByteArray& temporaryName);

// Async-signal-safe: removes every temporary file and lets no more be made. For a handler that
// then ends the program.
void RemoveStagedFiles();

// Removes the temporary files of this kind in the folder that are older than a minute and belong
// to this user: those of a program killed outright. Touches no other file.
void RemoveStaleStagedFiles(const QByteArray& folder);

} // namespace files
