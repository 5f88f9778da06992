// The settings file dialect, the data folder rules and the first contents of the data folder.
#include "data_folder.h"
#include "data_folder_setup.h"
#include "ini_file.h"
#include "setting_keys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
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
        QCOMPARE(settings::SettingsFilePath(documents, QStringLiteral("stria")),
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
    }
    void textSurvivesWriteAndRead() {
        QFETCH(QString, value);
        IniFile file(path_);
        QVERIFY(file.writeText(QStringLiteral("Settings"), QStringLiteral("Data"), value));
        QCOMPARE(IniFile(path_).readText(QStringLiteral("Settings"), QStringLiteral("Data"),
                                         QStringLiteral("default")),
                 value);
        QCOMPARE(IniFile(path_).sectionExists(QStringLiteral("Tips")), false);
    }

    void lineBreaksCannotInjectKeys() {
        IniFile file(path_);
        file.writeText(QStringLiteral("Settings"), QStringLiteral("Data"),
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
        QVERIFY(file.writeInteger(QStringLiteral("SETTINGS"), QStringLiteral("Left"), -2000));
        QVERIFY(file.writeText(QStringLiteral("Settings"), QStringLiteral("Type"),
                               QStringLiteral("S")));
        QVERIFY(file.writeBool(QStringLiteral("TipoftheDay"), QStringLiteral("Enabled"), false));
        QVERIFY(file.writeBool(QStringLiteral("New"), QStringLiteral("Flag"), true));
        QCOMPARE(ReadBytes(path_), QByteArray("; Stria settings\n"
                                              "[TipoftheDay]\nPosition=3\nMaximum=1\nEnabled=0\n\n"
                                              "[Tips]\n0=First tip\n1=Second tip\n"
                                              "[Settings]\nleft=-2000\nData=old\nType=S\n"
                                              "[New]\nFlag=1\n"));
    }

    void keepsWindowsLineEndingsAndBom() {
        WriteBytes(path_, "\xEF\xBB\xBF[Settings]\r\nData=x\r\n");
        IniFile file(path_);
        QCOMPARE(file.readText(QStringLiteral("Settings"), QStringLiteral("Data"), QString()),
                 QStringLiteral("x"));
        file.writeText(QStringLiteral("Settings"), QStringLiteral("Data"), QStringLiteral("y"));
        QCOMPARE(ReadBytes(path_), QByteArray("\xEF\xBB\xBF[Settings]\r\nData=y\r\n"));
    }

    void readsUtf8AndFallsBackToLatin1_data() {
        QTest::addColumn<QByteArray>("dataBytes");
        QTest::newRow("utf-8") << QByteArray("AB\xC2\xAAI");
        QTest::newRow("latin-1") << QByteArray("AB\xAAI");
    }
    void readsUtf8AndFallsBackToLatin1() {
        QFETCH(QByteArray, dataBytes);
        WriteBytes(path_, "[Tips]\n0=caf\xC3\xA9\n[Settings]\nData=" + dataBytes + "\n");
        if (!dataBytes.contains("\xC2")) {
            // The whole file is Latin-1 then; its tip must be Latin-1 too.
            WriteBytes(path_, "[Tips]\n0=caf\xE9\n[Settings]\nData=" + dataBytes + "\n");
        }
        IniFile file(path_);
        const QString marked = QStringLiteral("AB\u00AAI");
        QCOMPARE(file.readText(QStringLiteral("Settings"), QStringLiteral("Data"), QString()),
                 marked);
        // A write keeps every character of the other lines; the file is UTF-8 from then on.
        QVERIFY(file.writeText(QStringLiteral("Settings"), QStringLiteral("Type"),
                               QStringLiteral("H")));
        QCOMPARE(file.readText(QStringLiteral("Settings"), QStringLiteral("Data"), QString()),
                 marked);
        QCOMPARE(file.readText(QStringLiteral("Tips"), QStringLiteral("0"), QString()),
                 QStringLiteral("caf\u00E9"));
    }

    void failedWriteLeavesFileIntact() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("striatips.ini"));
        const QByteArray before = "[Tips]\n0=keep me\n";
        WriteBytes(path, before);
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool folderWritable = access(folder.path().toLocal8Bit().constData(), W_OK) == 0;
        IniFile file(path);
        const bool written =
            file.writeText(QStringLiteral("Settings"), QStringLiteral("Data"), QStringLiteral("x"));
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
        if (folderWritable) {
            QSKIP("the folder stays writable for this user (root)");
        }
        QVERIFY(!written);
        QCOMPARE(ReadBytes(path), before);
    }

    void unreadableFileIsNotOverwritten() {
        // A file that exists but cannot be read (here a folder of that name) is never replaced.
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("striatips.ini")));
        IniFile file(path_);
        QVERIFY(!file.writeText(QStringLiteral("Settings"), QStringLiteral("Data"),
                                QStringLiteral("x")));
        QVERIFY(QFileInfo(path_).isDir());
        QDir(path_).removeRecursively();
    }

    void keyTableDefaultsForAnEmptyFile() {
        const IniFile file(path_);
        QCOMPARE(settings::ReadSetting(file, settings::Key(settings::KeyId::Type)),
                 QVariant(QStringLiteral("H")));
        QCOMPARE(settings::ReadSetting(file, settings::Key(settings::KeyId::FontSize)),
                 QVariant(QStringLiteral("C")));
        QCOMPARE(settings::ReadSetting(file, settings::Key(settings::KeyId::LabelSize)),
                 QVariant(4));
        QCOMPARE(settings::ReadSetting(file, settings::Key(settings::KeyId::LabelExplain)),
                 QVariant(true));
        QCOMPARE(settings::ReadSetting(file, settings::Key(settings::KeyId::HintsOff)),
                 QVariant(false));
        QCOMPARE(settings::ReadSetting(file, settings::Key(settings::KeyId::TipEnabled)),
                 QVariant(true));
    }

    void fillDataFolderNeverOverwrites() {
        QTemporaryDir source;
        QTemporaryDir documents;
        WriteBytes(source.filePath(QStringLiteral("striatips.ini")), "[Tips]\n0=installed\n");
        WriteBytes(source.filePath(QStringLiteral("lz161.rtf")), "{\\rtf1}");
        const QString dataFolder = settings::DataFolder(documents.path());

        const settings::DataFolderSetup first = settings::FillDataFolder(source.path(), dataFolder);
        QVERIFY(first.error.isEmpty());
        QVERIFY(first.createdFolder);
        QCOMPARE(first.copied, QStringList({"lz161.rtf", "striatips.ini"}));

        WriteBytes(dataFolder + QStringLiteral("striatips.ini"), "[Settings]\nData=mine\n");
        QFile::remove(dataFolder + QStringLiteral("lz161.rtf"));
        const settings::DataFolderSetup second =
            settings::FillDataFolder(source.path(), dataFolder);
        QVERIFY(!second.createdFolder);
        QCOMPARE(second.copied, QStringList({"lz161.rtf"}));
        QCOMPARE(second.kept, QStringList({"striatips.ini"}));
        QCOMPARE(ReadBytes(dataFolder + QStringLiteral("striatips.ini")),
                 QByteArray("[Settings]\nData=mine\n"));
    }

    void fillDataFolderReportsMissingSource() {
        QTemporaryDir documents;
        const settings::DataFolderSetup setup = settings::FillDataFolder(
            documents.filePath(QStringLiteral("nowhere")), settings::DataFolder(documents.path()));
        QVERIFY(setup.error.contains(QStringLiteral("nowhere")));
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
