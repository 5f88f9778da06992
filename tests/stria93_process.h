// Runs the stria93 built with the tests (path in $STRIA93) as a process.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

struct Stria93Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Standard output goes to outputFile when one is given (its out is then empty).
inline Stria93Run Stria93(const QStringList& args, const QByteArray& input = {},
                          const QString& outputFile = {}) {
    QProcess p;
    if (!outputFile.isEmpty()) {
        p.setStandardOutputFile(outputFile);
    }
    p.start(qEnvironmentVariable("STRIA93"), args);
    if (!p.waitForStarted()) {
        return {};
    }
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}
