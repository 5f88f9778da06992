// A full disk costs no file and is never reported as success: the settings file, stria93 setup
// and standard output on a 64 KiB tmpfs filled to its last block.
#include "settings/ini_file.h"
#include "tests/stria93_process.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Every file under the folder with its contents.
QMap<QString, QByteArray> Snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), ReadBytes(path));
    }
    return files;
}

} // namespace

class TestFullDisk : public QObject {
    Q_OBJECT
    QTemporaryDir mountPoint_;
    bool mounted_ = false;

    QString path(const QString& name) const { return mountPoint_.filePath(name); }

    // Takes every free block with a file of its own.
    void fill() {
        const int fd = ::open(QFile::encodeName(path(QStringLiteral("filler"))).constData(),
                              O_WRONLY | O_CREAT | O_TRUNC, 0600);
        QVERIFY(fd >= 0);
        const QByteArray block(4096, 'x');
        for (qsizetype size = block.size(); size > 0; size /= 2) {
            while (::write(fd, block.constData(), size_t(size)) == size) {
            }
        }
        const int error = errno;
        ::close(fd);
        QCOMPARE(error, ENOSPC);
    }

private slots:
    void initTestCase() {
        mounted_ = Run(QStringLiteral("mount"),
                       {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                        QStringLiteral("size=64k"), QStringLiteral("tmpfs"), mountPoint_.path()});
    }
    void cleanupTestCase() {
        if (mounted_) {
            Run(QStringLiteral("umount"), {mountPoint_.path()});
        }
    }
    void init() {
        if (!mounted_) {
            QSKIP("mounting a 64 KiB tmpfs needs root; test_cli covers standard output on "
                  "/dev/full");
        }
        for (const QString& name :
             QDir(mountPoint_.path())
                 .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
            QFileInfo(path(name)).isDir() ? QDir(path(name)).removeRecursively()
                                          : QFile::remove(path(name));
        }
    }

    void settingsWriteKeepsTheOldFile() {
        const QString settings = path(QStringLiteral("Stria/striatips.ini"));
        WriteBytes(settings, ReadBytes(QStringLiteral(STRIA_SOURCE_DIR "/data/striatips.ini")));
        fill();
        const QMap<QString, QByteArray> before = Snapshot(mountPoint_.path());

        settings::IniFile file(settings);
        file.setText(QStringLiteral("Settings"), QStringLiteral("Data"), QStringLiteral("ABC123"));
        QVERIFY(!file.save());
        QCOMPARE(Snapshot(mountPoint_.path()), before);
    }

    void setupKeepsEveryOldFileAndFails() {
        const QString home = path(QStringLiteral("home"));
        const QString data = home + QStringLiteral("/Documents/Stria/");
        WriteBytes(data + QStringLiteral("striatips.ini"), "[Settings]\nData=mine\n");
        WriteBytes(data + QStringLiteral("lz161.rtf"), QByteArray()); // left by an earlier setup
        fill();
        const QMap<QString, QByteArray> before = Snapshot(mountPoint_.path());

        QProcess setup;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
        setup.setProcessEnvironment(env);
        setup.start(qEnvironmentVariable("STRIA93"), {QStringLiteral("setup")});
        QVERIFY(setup.waitForFinished(30000));
        const QByteArray err = setup.readAllStandardError();
        QVERIFY2(err.contains("No space left on device"), err.constData());
        // Every item is tried and each failure said: the other data files, then the typefaces.
        QVERIFY2(err.count("stria93: setup: cannot write") > 1, err.constData());
        QVERIFY2(err.contains("stria93: setup-fonts: cannot write"), err.constData());
        QVERIFY(!setup.readAllStandardOutput().contains("installed"));
        QCOMPARE(setup.exitCode(), 1);
        QCOMPARE(Snapshot(mountPoint_.path()), before);
    }

    // A batch and a sheet on a full disk: every old file kept, no temporary file left.
    void exportAndSheetKeepEveryOldFile() {
        WriteBytes(path(QStringLiteral("f1.png")), "old picture");
        WriteBytes(path(QStringLiteral("s.pdf")), "old sheet");
        fill();
        const QMap<QString, QByteArray> before = Snapshot(mountPoint_.path());
        const QByteArray lines = QByteArray("ABC123\n").repeated(50);
        const Stria93Run batch = Stria93(
            {QStringLiteral("export"), QStringLiteral("-o"), path(QStringLiteral("f{n}.png"))},
            lines);
        QCOMPARE(batch.exitCode, 1);
        QVERIFY2(batch.err.contains("No space left on device"), batch.err.constData());
        const Stria93Run sheet =
            Stria93({QStringLiteral("sheet"), QStringLiteral("--stock"), QStringLiteral("5160"),
                     QStringLiteral("-o"), path(QStringLiteral("s.pdf"))},
                    lines);
        QCOMPARE(sheet.exitCode, 1);
        QCOMPARE(Snapshot(mountPoint_.path()), before);
    }

    void encodeReportsTheWriteError() {
        const QByteArray lines = QByteArray("ABC123\n").repeated(100000);
        const Stria93Run r = Stria93({QStringLiteral("encode")}, lines, path("out.txt"));
        QCOMPARE(r.err, QByteArray("stria93: write error: No space left on device\n"));
        QCOMPARE(r.exitCode, 1);
    }
};

QTEST_GUILESS_MAIN(TestFullDisk)
#include "test_full_disk.moc"
