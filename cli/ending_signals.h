// What stria93 does when it is told to stop (SIGTERM, SIGINT, SIGHUP, or SIGPIPE when whoever
// reads its output has gone) while it writes files.
#pragma once

#include <QString>

namespace cli {

// From now on such a signal removes every file not yet complete and ends the program with exit
// status 128 + the signal. The names of the files already in place have been printed: a thread
// that places a file holds the signals until it has listed it (ListPlacedFile, or for a batch
// files::SignalsHeld around the placing and the list).
void EndCleanlyOnSignals();

// Prints the line about a file just placed, flushed, and lets the signals in again.
void ListPlacedFile(const QString& line);

// Before a batch or a sheet writes into the folder of this file: removes what a program killed
// outright left there (files::RemoveStaleStagedFiles).
void RemoveStaleFilesBeside(const QString& fileName);

} // namespace cli
