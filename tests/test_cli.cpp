// stria93 run as a process: arguments, standard input, exit codes and refusals.
#include "tests/stria93_process.h"

#include <QTemporaryDir>
#include <QTest>

class TestCli : public QObject {
    Q_OBJECT
    QTemporaryDir pictures_;
private slots:
    void initTestCase();
    void encodeArguments_data();
    void encodeArguments();
    void encodeStandardInput_data();
    void encodeStandardInput();
    void manyLinesInOrder();
    void outputErrors_data();
    void outputErrors();
    void usageErrors_data();
    void usageErrors();
    void helpAndVersion();
};

void TestCli::initTestCase() {
    QVERIFY(!qEnvironmentVariable("STRIA93").isEmpty());
}

void TestCli::encodeArguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::newRow("worked examples")
        << QStringList{"encode", "ABC123", "Code 93", "F8", "TEST 1"} << 0
        << QByteArray("(ABC123W9)\n(C?O?D?E~93<8)\n(F8~5)\n(TEST~134)\n") << QByteArray();
    QTest::newRow("sums") << QStringList{"encode", "--sums", "ABC123"} << 0
                          << QByteArray(
                                 "(ABC123W9)   CSum: 173  Ksum: 244  CCheck: 32  KCheck: 9\n")
                          << QByteArray();
    QTest::newRow("markers as typed in the window")
        << QStringList{"encode", QString("AB") + QChar(0xAA) + "I",
                       QString(QChar(0xAB)) + QChar(0xAC)}
        << 0 << QByteArray("(AB<I-D)\n(00)\n") << QByteArray();
    QTest::newRow("refusal goes on with the next one")
        << QStringList{"encode", QString("caf") + QChar(0xE9), "ABC123", ""} << 1
        << QByteArray("(ABC123W9)\n")
        << QByteArray("Error: input character \"\xC3\xA9\" not legal in bar code 93\n"
                      "Error:- no input data\n");
    QTest::newRow("data after --")
        << QStringList{"encode", "--", "-5"} << 0 << QByteArray("(-5U7)\n") << QByteArray();
}

void TestCli::encodeArguments() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    const Stria93Run r = Stria93(args);
    QCOMPARE(r.out, out);
    QCOMPARE(r.err, err);
    QCOMPARE(r.exitCode, exitCode);
}

void TestCli::encodeStandardInput_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::newRow("LF, last line without newline")
        << QByteArray("ABC123\nF8") << 0 << QByteArray("(ABC123W9)\n(F8~5)\n") << QByteArray();
    QTest::newRow("CRLF") << QByteArray("ABC123\r\nTEST 1\r\n") << 0
                          << QByteArray("(ABC123W9)\n(TEST~134)\n") << QByteArray();
    QTest::newRow("empty input, nothing to do")
        << QByteArray() << 0 << QByteArray() << QByteArray();
    QTest::newRow("refused lines are numbered")
        << QByteArray("ABC123\n\nA\tB\nF8\n") << 1 << QByteArray("(ABC123W9)\n(F8~5)\n")
        << QByteArray("line 2: Error:- no input data\n"
                      "line 3: Error: input character \"U+0009\" not legal in bar code 93\n");
    QTest::newRow("invalid UTF-8 never crashes")
        << QByteArray("caf\xE9\nF8\n\xC0\x80\n") << 1 << QByteArray("(F8~5)\n")
        << QByteArray("line 1: Error: input is not valid UTF-8\n"
                      "line 3: Error: input is not valid UTF-8\n");
    QTest::newRow("marker in UTF-8")
        << QByteArray("\xC2\xA9U\n") << 0 << QByteArray("(=UOS)\n") << QByteArray();
    QTest::newRow("control characters shown, never sent raw")
        << QByteArray("A\0B\n\x1B[31m\n\xC2\x85\nF8\n", 16) << 1 << QByteArray("(F8~5)\n")
        << QByteArray("line 1: Error: input character \"U+0000\" not legal in bar code 93\n"
                      "line 2: Error: input character \"U+001B\" not legal in bar code 93\n"
                      "line 3: Error: input character \"U+0085\" not legal in bar code 93\n");
    // The rest of a refused line is skipped unread into memory, whatever its length.
    QTest::newRow("refused at its first illegal character")
        << QByteArray("\x01") + QByteArray(3 << 20, 'A') + "\nF8" << 1 << QByteArray("(F8~5)\n")
        << QByteArray("line 1: Error: input character \"U+0001\" not legal in bar code 93\n");
    QTest::newRow("over the length limit")
        << QByteArray((1 << 20) + 1, 'A') + "\r\nF8\n"
        << 1 << QByteArray("(F8~5)\n")
        << QByteArray("line 1: Error: input longer than 1048576 bytes\n");
    QTest::newRow("at the length limit, CRLF") << QByteArray(1 << 20, '-') + "\r\n"
                                               << 0 << "(" + QByteArray(1 << 20, '-') + "Z<)\n"
                                               << QByteArray();
}

void TestCli::encodeStandardInput() {
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    const Stria93Run r = Stria93({"encode"}, input);
    QCOMPARE(r.out, out);
    QCOMPARE(r.err, err);
    QCOMPARE(r.exitCode, exitCode);
}

void TestCli::manyLinesInOrder() {
    QByteArray input;
    QByteArray expected;
    const QByteArray lines[] = {"ABC123", "Code 93", "F8"};
    const QByteArray strings[] = {"(ABC123W9)", "(C?O?D?E~93<8)", "(F8~5)"};
    for (int i = 0; i < 30000; ++i) {
        input += lines[i % 3] + "\n";
        expected += strings[i % 3] + "\n";
    }
    const Stria93Run r = Stria93({"encode"}, input);
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out == expected);
}

void TestCli::outputErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QByteArray lines;
    for (int i = 0; i < 100000; ++i) {
        lines += "ABC123\n";
    }
    QTest::newRow("encode arguments") << QStringList{"encode", "ABC"} << QByteArray();
    QTest::newRow("encode standard input") << QStringList{"encode"} << lines;
    QTest::newRow("help") << QStringList{"--help"} << QByteArray();
    QTest::newRow("export's list of files")
        << QStringList{"export", "-o", pictures_.filePath("label-{n}.png")} << QByteArray("A\nB\n");
}

// /dev/full refuses every write as a full disk does.
void TestCli::outputErrors() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    const Stria93Run r = Stria93(args, input, QStringLiteral("/dev/full"));
    QCOMPARE(r.err, QByteArray("stria93: write error: No space left on device\n"));
    QCOMPARE(r.exitCode, 1);
}

void TestCli::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no command") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"decode", "X"};
    QTest::newRow("unknown option") << QStringList{"encode", "--sum", "X"};
}

void TestCli::usageErrors() {
    QFETCH(QStringList, args);
    const Stria93Run r = Stria93(args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.contains("stria93: ") && r.err.contains("stria93 --help"), r.err.constData());
}

void TestCli::helpAndVersion() {
    const Stria93Run version = Stria93({"--version"});
    QCOMPARE(version.out, QByteArray("stria93 7.0\n"));
    QCOMPARE(version.exitCode, 0);
    const Stria93Run help = Stria93({"--help"});
    QCOMPARE(help.exitCode, 0);
    for (const char* word : {"encode", "--sums", "--help", "--version"}) {
        QVERIFY2(help.out.contains(word), word);
    }
}

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
