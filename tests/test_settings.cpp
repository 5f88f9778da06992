// The settings file dialect, the data folder rules and the first contents of the data folder.
#include "files/data_folder_setup.h"
#include "settings/data_folder.h"
#include "settings/ini_file.h"
#include "settings/setting_keys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using settings::IniFile;

namespace {

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString path_;

private slots:
    void init() { path_ = dir_.filePath(QStringLiteral("striatips.ini")); }
    void cleanup() { QFile::remove(path_); }

    void settingsFileName_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no extension") << "stria"
                                      << "striatips.ini";
        QTest::newRow("with folder") << "/usr/bin/stria"
                                     << "striatips.ini";
        QTest::newRow("exe") << "abc.exe"
                             << "abctips.ini";
        QTest::newRow("plain") << "abc"
                               << "abctips.ini";
        QTest::newRow("last dot only") << "/opt/a.b/c.d.exe"
                                       << "c.dtips.ini";
    }
    void settingsFileName() {
        QFETCH(QString, program);
        QFETCH(QString, expected);
        QCOMPARE(settings::SettingsFileName(program), expected);
    }

    void dataFolderKeepsTrailingSeparator_data() {
        QTest::addColumn<QString>("documents");
        QTest::newRow("plain") << "/home/ann/Documents";
        QTest::newRow("trailing slash") << "/home/ann/Documents/";
    }
    void dataFolderKeepsTrailingSeparator() {
        QFETCH(QString, documents);
        QCOMPARE(settings::DataFolder(documents), QStringLiteral("/home/ann/Documents/Stria/"));
        QCOMPARE(settings::DataFolder(documents) +
                     settings::SettingsFileName(QStringLiteral("stria")),
                 QStringLiteral("/home/ann/Documents/Stria/striatips.ini"));
    }

    void sectionExistsOnlyWithAKey_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::newRow("header without keys") << QByteArray("[Settings]\n[Other]\nA=1\n") << false;
        QTest::newRow("header and comment only") << QByteArray("[Settings]\n; note\n\n") << false;
        QTest::newRow("one key") << QByteArray("[Settings]\nData=\n") << true;
        QTest::newRow("other letter case") << QByteArray("[sETTINGS]\nx=1\n") << true;
        QTest::newRow("second header has the key")
            << QByteArray("[Settings]\n[Tips]\n0=a\n[settings]\nLeft=3\n") << true;
        QTest::newRow("no file") << QByteArray() << false;
        // Unicode blanks around a name are blanks: NEL (0x85) and NBSP in a Latin-1 line.
        QTest::newRow("latin-1 blanks") << QByteArray("\xa0[Settings\x85]\nx=1\n") << true;
    }
    void sectionExistsOnlyWithAKey() {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        if (!content.isEmpty()) {
            WriteBytes(path_, content);
        }
        QCOMPARE(IniFile(path_).sectionExists(QStringLiteral("Settings")), exists);
    }

    void readInteger_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("zero") << QByteArray("0") << 0;
        QTest::newRow("ten") << QByteArray("10") << 10;
        QTest::newRow("negative") << QByteArray("-1") << -1;
        QTest::newRow("hex") << QByteArray("0x1F") << 31;
        QTest::newRow("hex upper X") << QByteArray("0X10") << 16;
        QTest::newRow("blanks around") << QByteArray(" 7 ") << 7;
        QTest::newRow("letters") << QByteArray("abc") << 99;
        QTest::newRow("digits then letters") << QByteArray("12abc") << 99;
        QTest::newRow("empty") << QByteArray("") << 99;
        QTest::newRow("bare 0x") << QByteArray("0x") << 99;
        QTest::newRow("too large") << QByteArray("99999999999") << 99;
    }
    void readInteger() {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        WriteBytes(path_, "[Settings]\nLabelSize=" + value + "\n");
        QCOMPARE(
            IniFile(path_).readInteger(QStringLiteral("settings"), QStringLiteral("labelsize"), 99),
            expected);
    }

    void readBool_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("defaultValue");
        QTest::addColumn<bool>("expected");
        QTest::newRow("yes is no integer") << QByteArray("DisplayChecksums=yes") << false << false;
        QTest::newRow("2 is true") << QByteArray("DisplayChecksums=2") << false << true;
        QTest::newRow("0 is false") << QByteArray("DisplayChecksums=0") << true << false;
        QTest::newRow("missing gives default") << QByteArray("Other=0") << true << true;
    }
    void readBool() {
        QFETCH(QByteArray, line);
        QFETCH(bool, defaultValue);
        QFETCH(bool, expected);
        WriteBytes(path_, "[Settings]\n" + line + "\n");
        QCOMPARE(IniFile(path_).readBool(QStringLiteral("Settings"),
                                         QStringLiteral("DisplayChecksums"), defaultValue),
                 expected);
    }

    void readTextMissingAndEmpty() {
        WriteBytes(path_, "[Settings]\nData=\n");
        const IniFile file(path_);
        QCOMPARE(file.readText(QStringLiteral("Settings"), QStringLiteral("Data"),
                               QStringLiteral("ABC123")),
                 QString());
        QCOMPARE(file.readText(QStringLiteral("Settings"), QStringLiteral("PointSize"),
                               QStringLiteral("24")),
                 QStringLiteral("24"));
        QCOMPARE(
            file.readText(QStringLiteral("Nowhere"), QStringLiteral("Data"), QStringLiteral("x")),
            QStringLiteral("x"));
    }

    void textSurvivesWriteAndRead_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("leading blank") << QStringLiteral(" ABC");
        QTest::newRow("trailing blanks") << QStringLiteral("ABC  ");
        QTest::newRow("only blanks") << QStringLiteral("   ");
        QTest::newRow("markers") << QStringLiteral("AB\u00AAI\u00A9U");
        QTest::newRow("quoted") << QStringLiteral("\"quoted\"");
        QTest::newRow("equals and semicolon") << QStringLiteral("a=b;c");
        QTest::newRow("brackets") << QStringLiteral("[Tips]");
        QTest::newRow("empty") << QString();
        QTest::newRow("long") << QString(5000, QLatin1Char('Z'));
        QTest::newRow("non latin") << QStringLiteral("\u0100\u20AC");
        QTest::newRow("starts with U+FEFF") << QStringLiteral("\uFEFFx");
    }
    void textSurvivesWriteAndRead() {
        QFETCH(QString, value);
        IniFile file(path_);
        file.setText(QStringLiteral("Settings"), QStringLiteral("Data"), value);
        QVERIFY(file.save());
        QCOMPARE(IniFile(path_).readText(QStringLiteral("Settings"), QStringLiteral("Data"),
                                         QStringLiteral("default")),
                 value);
        QCOMPARE(IniFile(path_).sectionExists(QStringLiteral("Tips")), false);
    }

    void lineBreaksCannotInjectKeys() {
        IniFile file(path_);
        file.setText(QStringLiteral("Settings"), QStringLiteral("Data"),
                     QStringLiteral("A\n[TipoftheDay]\nEnabled=0"));
        QVERIFY(!file.sectionExists(QStringLiteral("TipoftheDay")));
        QCOMPARE(file.readText(QStringLiteral("Settings"), QStringLiteral("Data"), QString()),
                 QStringLiteral("A [TipoftheDay] Enabled=0"));
    }

    void writesChangeOnlyTheirLine() {
        const QByteArray before = "; Stria settings\n"
                                  "[TipoftheDay]\nPosition=3\nMaximum=1\n\n"
                                  "[Tips]\n0=First tip\n1=Second tip\n"
                                  "[Settings]\nleft=5\nData=old\n";
        WriteBytes(path_, before);
        IniFile file(path_);
        file.setInteger(QStringLiteral("SETTINGS"), QStringLiteral("Left"), -2000);
        file.setText(QStringLiteral("Settings"), QStringLiteral("Type"), QStringLiteral("S"));
        file.setBool(QStringLiteral("TipoftheDay"), QStringLiteral("Enabled"), false);
        file.setBool(QStringLiteral("New"), QStringLiteral("Flag"), true);
        // Nothing reaches the file before the save.
        QCOMPARE(ReadBytes(path_), before);
        QVERIFY(file.save());
        QCOMPARE(ReadBytes(path_), QByteArray("; Stria settings\n"
                                              "[TipoftheDay]\nPosition=3\nMaximum=1\nEnabled=0\n\n"
                                              "[Tips]\n0=First tip\n1=Second tip\n"
                                              "[Settings]\nleft=-2000\nData=old\nType=S\n"
                                              "[New]\nFlag=1\n"));
    }

    void untouchedLinesKeepTheirBytes_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("key"); // in section X, written with the value "w"
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("BOM and CRLF") << QByteArray("\xEF\xBB\xBF[X]\r\nk=v\r\n") << "k"
                                      << QByteArray("\xEF\xBB\xBF[X]\r\nk=w\r\n");
        QTest::newRow("stray CR kept")
            << QByteArray("[X]\nk=v\r\r\n") << "n" << QByteArray("[X]\nk=v\r\r\nn=w\n");
        QTest::newRow("mixed line ends")
            << QByteArray("[X]\r\nk=v\nm=1\r\n") << "k" << QByteArray("[X]\r\nk=w\nm=1\r\n");
        QTest::newRow("rewritten last line keeps having no newline")
            << QByteArray("[X]\nk=v") << "k" << QByteArray("[X]\nk=w");
        QTest::newRow("added after a last line without newline")
            << QByteArray("[X]\nk=v") << "n" << QByteArray("[X]\nk=v\nn=w\n");
        QTest::newRow("latin-1 and invalid lines untouched")
            << QByteArray("[T]\n0=caf\xE9\n1=\xC3(\n[X]\nk=AB\xC2\xAAI\n") << "n"
            << QByteArray("[T]\n0=caf\xE9\n1=\xC3(\n[X]\nk=AB\xC2\xAAI\nn=w\n");
        QTest::newRow("U+FEFF starting a key is part of its name")
            << QByteArray("[X]\n\xEF\xBB\xBFk=v\n") << QStringLiteral("\uFEFFk")
            << QByteArray("[X]\n\xEF\xBB\xBFk=w\n");
        QTest::newRow("changed latin-1 line becomes UTF-8")
            << QByteArray("[X]\nk\xE9=v\n") << "k\u00E9" << QByteArray("[X]\nk\xC3\xA9=w\n");
    }
    void untouchedLinesKeepTheirBytes() {
        QFETCH(QByteArray, before);
        QFETCH(QString, key);
        QFETCH(QByteArray, after);
        WriteBytes(path_, before);
        IniFile file(path_);
        file.setText(QStringLiteral("X"), key, QStringLiteral("w"));
        QVERIFY(file.save());
        QCOMPARE(ReadBytes(path_), after);
    }

    void decodesEachLineOnItsOwn_data() {
        QTest::addColumn<QByteArray>("tip");
        QTest::addColumn<QByteArray>("dataBytes");
        QTest::addColumn<QString>("tipText");
        QTest::newRow("all utf-8") << QByteArray("caf\xC3\xA9") << QByteArray("AB\xC2\xAAI")
                                   << QStringLiteral("caf\u00E9");
        QTest::newRow("all latin-1")
            << QByteArray("caf\xE9") << QByteArray("AB\xAAI") << QStringLiteral("caf\u00E9");
        // One stray byte in a tip once made the whole file Latin-1: "AB\u00C2\u00AAI".
        QTest::newRow("utf-8 with one latin-1 tip")
            << QByteArray("caf\xE9") << QByteArray("AB\xC2\xAAI") << QStringLiteral("caf\u00E9");
    }
    void decodesEachLineOnItsOwn() {
        QFETCH(QByteArray, tip);
        QFETCH(QByteArray, dataBytes);
        QFETCH(QString, tipText);
        WriteBytes(path_, "[Tips]\n0=" + tip + "\n[Settings]\nData=" + dataBytes + "\n");
        IniFile file(path_);
        const QString marked = QStringLiteral("AB\u00AAI");
        QCOMPARE(file.readText(QStringLiteral("Settings"), QStringLiteral("Data"), QString()),
                 marked);
        QCOMPARE(file.readText(QStringLiteral("Tips"), QStringLiteral("0"), QString()), tipText);
        // What the close routine does: the data written back, as UTF-8, reads the same.
        file.setText(QStringLiteral("Settings"), QStringLiteral("Data"), marked);
        QVERIFY(file.save());
        QCOMPARE(
            IniFile(path_).readText(QStringLiteral("Settings"), QStringLiteral("Data"), QString()),
            marked);
        QCOMPARE(file.readText(QStringLiteral("Tips"), QStringLiteral("0"), QString()), tipText);
    }

    void failedWriteLeavesFileIntact() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("striatips.ini"));
        const QByteArray before = "[Tips]\n0=keep me\n";
        WriteBytes(path, before);
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool folderWritable = access(folder.path().toLocal8Bit().constData(), W_OK) == 0;
        IniFile file(path);
        file.setText(QStringLiteral("Settings"), QStringLiteral("Data"), QStringLiteral("x"));
        const bool written = file.save().ok();
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
        if (folderWritable) {
            QSKIP("the folder stays writable for this user (root)");
        }
        QVERIFY(!written);
        QCOMPARE(ReadBytes(path), before);
    }

    void unreadableFileIsNotOverwritten_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
        QTest::newRow("fifo") << "fifo";           // opening it for reading would wait for ever
        QTest::newRow("over 16 MB") << "large";    // no start can be made to take minutes
        QTest::newRow("read-only") << "read-only"; // root included
    }
    void unreadableFileIsNotOverwritten() {
        QFETCH(QString, kind);
        const QByteArray name = QFile::encodeName(path_);
        if (kind == QLatin1String("large") || kind == QLatin1String("read-only")) {
            const QByteArray before = kind == QLatin1String("large")
                                          ? "[Settings]\nData=" + QByteArray(16 << 20, 'x')
                                          : QByteArray("[Settings]\nData=old\n");
            WriteBytes(path_, before);
            QVERIFY(::chmod(name.constData(), kind == QLatin1String("large") ? 0600 : 0444) == 0);
            IniFile file(path_);
            QCOMPARE(file.readText(QStringLiteral("Settings"), QStringLiteral("Data"),
                                   QStringLiteral("default")),
                     kind == QLatin1String("large") ? QStringLiteral("default")
                                                    : QStringLiteral("old"));
            file.setText(QStringLiteral("Settings"), QStringLiteral("Data"), QStringLiteral("x"));
            QVERIFY(!file.save());
            QCOMPARE(ReadBytes(path_), before);
            return;
        }
        QVERIFY(kind == QLatin1String("fifo") ? mkfifo(name.constData(), 0600) == 0
                                              : mkdir(name.constData(), 0700) == 0);
        IniFile file(path_);
        QVERIFY(!file.sectionExists(QStringLiteral("Settings")));
        QCOMPARE(file.readText(QStringLiteral("Settings"), QStringLiteral("Data"),
                               QStringLiteral("default")),
                 QStringLiteral("default"));
        file.setText(QStringLiteral("Settings"), QStringLiteral("Data"), QStringLiteral("x"));
        QVERIFY(!file.save());
        QVERIFY(QFileInfo(path_).exists() && !QFileInfo(path_).isFile());
        QVERIFY(kind == QLatin1String("fifo") ? QFile::remove(path_)
                                              : QDir(path_).removeRecursively());
    }

    // Replaced as root, another user's settings file stays theirs, with its mode.
    void ownerAndModeKept() {
        if (::geteuid() != 0) {
            QSKIP("only root may give a file to another user");
        }
        WriteBytes(path_, "[Settings]\nData=old\n");
        const QByteArray name = QFile::encodeName(path_);
        QVERIFY(::chown(name.constData(), 65534, 65534) == 0 &&
                ::chmod(name.constData(), 0640) == 0);
        IniFile file(path_);
        file.setText(QStringLiteral("Settings"), QStringLiteral("Data"), QStringLiteral("new"));
        QVERIFY(file.save());
        struct stat status {};
        QCOMPARE(::stat(name.constData(), &status), 0);
        QCOMPARE(status.st_mode & 07777, mode_t(0640));
        QCOMPARE(status.st_uid, uid_t(65534));
        QCOMPARE(status.st_gid, gid_t(65534));
        QCOMPARE(ReadBytes(path_), QByteArray("[Settings]\nData=new\n"));
    }

    // A settings file kept elsewhere and linked in (as dotfile tools do) stays linked: the file
    // the link names is replaced, with its mode.
    void linkedFileIsWrittenThrough() {
        const QString target = dir_.filePath(QStringLiteral("kept/striatips.ini"));
        QVERIFY(QDir().mkpath(QFileInfo(target).path()));
        WriteBytes(target, "[Settings]\nData=old\n");
        QVERIFY(::chmod(QFile::encodeName(target).constData(), 0640) == 0);
        QVERIFY(QFile::link(target, path_));
        IniFile file(path_);
        file.setText(QStringLiteral("Settings"), QStringLiteral("Data"), QStringLiteral("new"));
        QVERIFY(file.save());
        QCOMPARE(QFileInfo(path_).symLinkTarget(), target);
        QCOMPARE(ReadBytes(target), QByteArray("[Settings]\nData=new\n"));
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &status), 0);
        QCOMPARE(status.st_mode & 07777, mode_t(0640));
        QCOMPARE(QDir(QFileInfo(target).path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("striatips.ini")});
    }

    // Every key reads as a value of its type: its default when the file lacks it, or holds what
    // its type cannot read, and what was written otherwise. (What the defaults mean to the user,
    // the window's first start shows.)
    void everyKeyReadsAfterItsType() {
        IniFile file(path_);
        for (const settings::SettingKey& key : settings::SettingKeys()) {
            const QString name = key.section + u'/' + key.name;
            const QMetaType::Type type = key.type == settings::ValueType::Text ? QMetaType::QString
                                         : key.type == settings::ValueType::Integer
                                             ? QMetaType::Int
                                             : QMetaType::Bool;
            QVERIFY2(key.defaultValue.typeId() == type, qPrintable(name));
            QCOMPARE(settings::ReadSetting(file, key.id), key.defaultValue);
            if (key.type != settings::ValueType::Text) {
                file.setText(key.section, key.name, QStringLiteral("x"));
                QVERIFY2(settings::ReadSetting(file, key.id) == key.defaultValue, qPrintable(name));
            }
            const QVariant other =
                key.type == settings::ValueType::Text ? QVariant(key.defaultValue.toString() + u'x')
                : key.type == settings::ValueType::Integer ? QVariant(key.defaultValue.toInt() + 1)
                                                           : QVariant(!key.defaultValue.toBool());
            settings::SetSetting(file, key.id, other);
            QVERIFY2(settings::ReadSetting(file, key.id) == other, qPrintable(name));
        }
    }

    void fillDataFolderNeverOverwrites() {
        QTemporaryDir source;
        QTemporaryDir documents;
        WriteBytes(source.filePath(QStringLiteral("striatips.ini")), "[Tips]\n0=installed\n");
        WriteBytes(source.filePath(QStringLiteral("lz161.rtf")), "{\\rtf1}");
        const QString dataFolder = settings::DataFolder(documents.path());

        const files::DataFolderSetup first = files::FillDataFolder(source.path(), dataFolder);
        QVERIFY(first.failures.isEmpty());
        QVERIFY(first.createdFolder);
        QCOMPARE(first.copied, QStringList({"lz161.rtf", "striatips.ini"}));

        WriteBytes(dataFolder + QStringLiteral("striatips.ini"), "[Settings]\nData=mine\n");
        // What a copy onto a full disk once left behind is copied again.
        WriteBytes(dataFolder + QStringLiteral("lz161.rtf"), QByteArray());
        const files::DataFolderSetup second = files::FillDataFolder(source.path(), dataFolder);
        QVERIFY(!second.createdFolder);
        QCOMPARE(second.copied, QStringList({"lz161.rtf"}));
        QCOMPARE(second.kept, QStringList({"striatips.ini"}));
        QCOMPARE(ReadBytes(dataFolder + QStringLiteral("striatips.ini")),
                 QByteArray("[Settings]\nData=mine\n"));
    }

    void fillDataFolderReportsMissingSource() {
        QTemporaryDir documents;
        const files::DataFolderSetup setup = files::FillDataFolder(
            documents.filePath(QStringLiteral("nowhere")), settings::DataFolder(documents.path()));
        QCOMPARE(setup.failures.size(), 1);
        QVERIFY(setup.failures.first().contains(QStringLiteral("nowhere")));
        QVERIFY(!QFileInfo::exists(settings::DataFolder(documents.path())));
    }

    void installedTipsFileIsComplete() {
        const IniFile file(QStringLiteral(STRIA_SOURCE_DIR "/data/striatips.ini"));
        const int maximum =
            file.readInteger(QStringLiteral("TipoftheDay"), QStringLiteral("Maximum"), -1);
        QVERIFY(maximum >= 19);
        QCOMPARE(file.readInteger(QStringLiteral("TipoftheDay"), QStringLiteral("Position"), -1),
                 0);
        QVERIFY(file.readBool(QStringLiteral("TipoftheDay"), QStringLiteral("Enabled"), false));
        for (int i = 0; i <= maximum; ++i) {
            QVERIFY2(
                !file.readText(QStringLiteral("Tips"), QString::number(i), QString()).isEmpty(),
                qPrintable(QStringLiteral("tip %1 missing").arg(i)));
        }
        QVERIFY(file.readText(QStringLiteral("Tips"), QString::number(maximum + 1), QString())
                    .isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
