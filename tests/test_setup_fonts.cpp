// stria93 setup-fonts run as a process against a private XDG_DATA_HOME.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString FontDir = QStringLiteral(STRIA_FONT_DIR);

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run SetupFonts(const QString& program, const QString& dataHome, const QStringList& args = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    env.insert(QStringLiteral("XDG_CACHE_HOME"), dataHome + QStringLiteral("/cache"));
    p.setProcessEnvironment(env);
    p.start(program, QStringList{QStringLiteral("setup-fonts")} + args);
    if (!p.waitForFinished(60000)) {
        return {};
    }
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList ShippedFiles() {
    return QDir(FontDir).entryList({QStringLiteral("*.ttf"), QStringLiteral("LICENSE*.txt")},
                                   QDir::Files, QDir::Name);
}

} // namespace

class TestSetupFonts : public QObject {
    Q_OBJECT
private slots:
    void copies_data();
    void copies();
    void unusableTarget();
    void noFontsToCopy();
};

void TestSetupFonts::copies_data() {
    QTest::addColumn<QString>("before"); // what the user's font folder holds beforehand
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("copiedLines");
    QTest::newRow("first time") << "nothing" << QStringList{} << 13;
    QTest::newRow("again") << "all" << QStringList{} << 0;
    QTest::newRow("one face changed") << "one changed" << QStringList{} << 1;
    QTest::newRow("one face missing") << "one missing" << QStringList{} << 1;
    QTest::newRow("quiet") << "nothing" << QStringList{"--quiet"} << 0;
}

void TestSetupFonts::copies() {
    QFETCH(QString, before);
    QFETCH(QStringList, args);
    QFETCH(int, copiedLines);
    QCOMPARE(ShippedFiles().size(), 13);

    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString target = home.path() + QStringLiteral("/fonts/stria");
    if (before != QLatin1String("nothing")) {
        QCOMPARE(SetupFonts(qEnvironmentVariable("STRIA93"), home.path(), {"--quiet"}).exitCode, 0);
    }
    if (before == QLatin1String("one changed")) {
        QFile face(target + QStringLiteral("/sample93c.ttf"));
        QVERIFY(face.open(QIODevice::WriteOnly | QIODevice::Truncate));
        face.write("an older face");
    } else if (before == QLatin1String("one missing")) {
        QVERIFY(QFile::remove(target + QStringLiteral("/sample93f-hr.ttf")));
    }

    const Run run = SetupFonts(qEnvironmentVariable("STRIA93"), home.path(), args);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.out.count(QStringLiteral("copied ") + target), copiedLines);
    QCOMPARE(run.out.isEmpty(), args.contains(QStringLiteral("--quiet")));
    for (const QString& name : ShippedFiles()) {
        QVERIFY2(Contents(target + u'/' + name) == Contents(FontDir + u'/' + name),
                 qPrintable(name));
    }
}

void TestSetupFonts::unusableTarget() {
    QTemporaryDir home;
    QVERIFY(home.isValid());
    // A file where the fonts folder should be.
    QFile blocker(home.path() + QStringLiteral("/fonts"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    const Run run = SetupFonts(qEnvironmentVariable("STRIA93"), home.path());
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QString());
    QVERIFY2(run.err.contains(home.path() + QStringLiteral("/fonts/stria")), qPrintable(run.err));
}

// A program outside the build tree looks for <prefix>/share/fonts/truetype/stria.
void TestSetupFonts::noFontsToCopy() {
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    QVERIFY(QDir().mkpath(prefix.path() + QStringLiteral("/bin")));
    const QString program = prefix.path() + QStringLiteral("/bin/stria93");
    QVERIFY(QFile::copy(qEnvironmentVariable("STRIA93"), program));

    const Run run = SetupFonts(program, prefix.path() + QStringLiteral("/home"));
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(prefix.path() + QStringLiteral("/share/fonts/truetype/stria")),
             qPrintable(run.err));
    QVERIFY(!QDir(prefix.path() + QStringLiteral("/home/fonts")).exists());
}

QTEST_GUILESS_MAIN(TestSetupFonts)
#include "test_setup_fonts.moc"
