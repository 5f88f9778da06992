// The settings file's work at a start and a close of the window, on large files: the start reads
// every key of section Settings and the tip switch, the close reads the file again, sets the keys
// it writes and saves. Prints the time of each and the peak memory above the baseline.
#include "settings/ini_file.h"
#include "settings/setting_keys.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sys/resource.h>

namespace {

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Processor time, which a machine busy with other work does not inflate as it does wall time.
qint64 ProcessorMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return qint64(t.tv_sec) * 1000 + t.tv_usec / 1000; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void Measure(const char* what, const QString& path) {
    const long before = PeakKilobytes();
    QElapsedTimer clock;
    clock.start();
    const qint64 processorAtStart = ProcessorMilliseconds();
    // The window keeps what the start read in its controls and writes it back at the close.
    std::map<settings::KeyId, QVariant> controls;
    {
        const settings::IniFile file(path);
        for (const settings::SettingKey& key : settings::SettingKeys()) {
            controls[key.id] = settings::ReadSetting(file, key.id);
        }
        static_cast<void>(file.sectionExists(QStringLiteral("TipoftheDay")));
    }
    const qint64 start = clock.restart();
    const qint64 processorAtClose = ProcessorMilliseconds();
    {
        settings::IniFile file(path);
        for (const settings::KeyId key : settings::CloseOrder()) {
            settings::SetSetting(file, key, controls[key]);
        }
        static_cast<void>(file.save());
    }
    const qint64 close = clock.elapsed();
    const qint64 processorEnd = ProcessorMilliseconds();
    std::printf("%-36s %9lld bytes  start %5lld ms (processor %4lld)  close %5lld ms (processor "
                "%4lld)  peak +%ld MB\n",
                what, static_cast<long long>(QFile(path).size()), start,
                processorAtClose - processorAtStart, close, processorEnd - processorAtClose,
                (PeakKilobytes() - before) / 1024);
}

// Written a megabyte at a time, so that the baseline stays small.
void WriteSettings(const QString& path, qint64 dataBytes, qint64 keyBytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("[Settings]\nData=");
    const QByteArray megabyte(1 << 20, 'x');
    for (qint64 left = dataBytes; left > 0; left -= megabyte.size()) {
        file.write(megabyte.left(qsizetype(std::min<qint64>(left, megabyte.size()))));
    }
    file.write("\n");
    QByteArray keys;
    for (qint64 i = 0, written = 0; written < keyBytes; ++i) {
        keys += "Key" + QByteArray::number(i) + "=v\n";
        if (keys.size() >= megabyte.size() || written + keys.size() >= keyBytes) {
            written += file.write(keys);
            keys.clear();
        }
    }
    file.write("[TipoftheDay]\nEnabled=1\n");
}

} // namespace

// Each case in a process of its own, so that each peak is its own: bench_settings_file runs them.
int main(int argc, char** argv) {
    struct Case {
        const char* what;
        qint64 dataBytes;
        qint64 keyBytes;
    };
    const Case cases[] = {{"16 MB Data value", (16 << 20) - 64, 0},
                          {"16 MB of short keys, ours missing", 0, (16 << 20) - 64},
                          {"100 MB Data value (refused)", 100 << 20, 0}};
    if (argc == 1) {
        for (int i = 0; i < 3; ++i) {
            const QByteArray command = QByteArray(argv[0]) + ' ' + QByteArray::number(i);
            if (std::system(command.constData()) != 0) {
                return 1;
            }
        }
        return 0;
    }
    const Case& chosen = cases[std::atoi(argv[1]) % 3];
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("striatips.ini"));
    WriteSettings(path, chosen.dataBytes, chosen.keyBytes);
    Measure(chosen.what, path);
    return 0;
}
