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

inline Stria93Run Stria93(const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(qEnvironmentVariable("STRIA93"), args);
    if (!p.waitForStarted()) {
        return {};
    }
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}
