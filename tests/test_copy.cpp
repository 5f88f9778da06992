// Copy: the clipboard note until it is switched off, and what the clipboard holds after the
// options were changed following a Make.
#include "dialogs/warning_box.h"
#include "tests/window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextEdit>

namespace {

struct RtfRun {
    QString family;
    int halfPoints;
    QString text;
};

// The runs of our own RTF: "{\fN\fsM text}" after a font table of "{\fN\fnil\fcharset0 name;}".
QList<RtfRun> Runs(const QByteArray& rtf) {
    const QString text = QString::fromLatin1(rtf);
    QMap<int, QString> fonts;
    static const QRegularExpression font(
        QStringLiteral(R"(\{\\f(\d+)\\fnil\\fcharset0 ([^;]*);\})"));
    for (const auto& match : font.globalMatch(text)) {
        fonts[match.captured(1).toInt()] = match.captured(2);
    }
    QList<RtfRun> runs;
    static const QRegularExpression run(QStringLiteral(R"(\{\\f(\d+)\\fs(\d+) ([^}]*)\})"));
    for (const auto& match : run.globalMatch(text)) {
        runs.append(
            {fonts.value(match.captured(1).toInt()), match.captured(2).toInt(), match.captured(3)});
    }
    return runs;
}

} // namespace

class TestCopy : public QObject {
    Q_OBJECT
private slots:
    void init() { QApplication::clipboard()->setText(QStringLiteral("untouched")); }
    void note_data();
    void note();
    void restyled_data();
    void restyled();
    void noteCentred();
};

void TestCopy::note_data() {
    QTest::addColumn<bool>("tick");
    QTest::addColumn<int>("notes"); // over three copies
    QTest::newRow("ticked at the first note") << true << 1;
    QTest::newRow("never ticked") << false << 3;
}

void TestCopy::note() {
    QFETCH(bool, tick);
    QFETCH(int, notes);
    WindowFixture fixture;
    fixture.startUp();
    TStriaInput& window = *fixture.window;
    WindowFixture::Make(window, QStringLiteral("ABC123"));
    QStringList clipboardDuringNote;
    fixture.desktop.setDialogHandler([&](QDialog&) {
        clipboardDuringNote << QApplication::clipboard()->text();
        window.WarningBox->NoWarningBox->setChecked(tick);
        return int(QDialog::Accepted);
    });
    for (int i = 0; i < 3; ++i) {
        QApplication::clipboard()->setText(QStringLiteral("untouched"));
        window.CopyButtonClick->click();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("(ABC123W9)  "));
    }
    const QList<platform::Request> shown =
        fixture.desktop.requestsOf(platform::RequestKind::ExecDialog);
    QCOMPARE(shown.size(), notes);
    // The copy waits for the note to close.
    QCOMPARE(clipboardDuringNote, QStringList(notes, QStringLiteral("untouched")));
    QCOMPARE(shown.first().arguments, QStringList({QStringLiteral("WarningBox")}));
    QCOMPARE(window.WarningBox->windowTitle(), QStringLiteral("Clip Board Warning"));
    QVERIFY(window.WarningBox->OKBtn->isDefault());
}

void TestCopy::restyled_data() {
    QTest::addColumn<QString>("option"); // object name of the option clicked after the Make
    QTest::addColumn<QString>("pointSize");
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("halfPoints");
    QTest::newRow("unchanged") << ""
                               << "24"
                               << "Sample 93 d HR" << 48;
    QTest::newRow("larger") << ""
                            << "48"
                            << "Sample 93 d HR" << 96;
    QTest::newRow("other face") << "SizeA"
                                << "24"
                                << "Sample 93 a HR" << 48;
    QTest::newRow("standard, smaller") << "RadioButton1"
                                       << "22"
                                       << "Sample 93 d" << 44;
}

void TestCopy::restyled() {
    QFETCH(QString, option);
    QFETCH(QString, pointSize);
    QFETCH(QString, face);
    QFETCH(int, halfPoints);
    WindowFixture fixture;
    fixture.startUp();
    TStriaInput& window = *fixture.window;
    window.WarningBox->NoWarningBox->setChecked(true);
    WindowFixture::Make(window, QStringLiteral("ABC123"));

    window.PointSize->setEditText(pointSize);
    if (option.isEmpty()) {
        window.RadioButton1Click();
    } else {
        window.findChild<QRadioButton*>(option)->click();
    }
    window.CopyButtonClick->click();

    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data != nullptr);
    for (const char* format : {"text/rtf", "text/richtext", "text/html", "text/plain"}) {
        QVERIFY2(data->hasFormat(QString::fromLatin1(format)), format);
    }
    QVERIFY(!data->hasImage());
    const QList<RtfRun> runs = Runs(data->data(QStringLiteral("text/rtf")));
    // The two spaces keep the Make's face and size; a run in the same style merges with them.
    QStringList expected = {QStringLiteral("%1 %2 (ABC123W9)").arg(face).arg(halfPoints),
                            QStringLiteral("Sample 93 d HR 48   ")};
    if (expected[0].startsWith(QStringLiteral("Sample 93 d HR 48 "))) {
        expected = QStringList{QStringLiteral("Sample 93 d HR 48 (ABC123W9)  ")};
    }
    QStringList actual;
    for (const RtfRun& run : runs) {
        actual << QStringLiteral("%1 %2 %3").arg(run.family).arg(run.halfPoints).arg(run.text);
    }
    QCOMPARE(actual, expected);
}

// Wherever the note was left, it comes back centred on the main window.
void TestCopy::noteCentred() {
    WindowFixture fixture;
    fixture.startUp();
    TStriaInput& window = *fixture.window;
    window.move(140, 90);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TWarningBox& note = *window.WarningBox;
    for (const QPoint& leftAt : {QPoint(0, 0), QPoint(500, 400)}) {
        note.move(leftAt);
        note.show();
        QVERIFY(QTest::qWaitForWindowExposed(&note));
        const QPoint offCentre = note.frameGeometry().center() - window.frameGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
        note.hide();
    }
}

QTEST_MAIN(TestCopy)
#include "test_copy.moc"
