// What stria93 does when it is told to stop (SIGTERM, SIGINT, SIGHUP, or SIGPIPE when whoever
// reads its output has gone) while it writes files.
#pragma once

#include <QString>

namespace cli {

// From now on such a signal removes every file not yet complete and ends the program with exit
// status 128 + the signal. The names of the files already in place have been printed: the
// commands hold the signals between placing a file and printing its name (picture::SignalsHeld).
void EndCleanlyOnSignals();

// Before a batch or a sheet writes into the folder of this file: removes what a program killed
// outright left there (picture::RemoveStaleStagedFiles).
void RemoveStaleFilesBeside(const QString& fileName);

} // namespace cli
