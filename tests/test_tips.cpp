// The tip window against real settings files: which tip each step shows, what it stores, how it
// wraps and steps back, and the two failure messages.
#include "dialogs/tip_window.h"
#include "settings/ini_file.h"
#include "tests/window_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// "[TipoftheDay]" with the given keys, then "[Tips]" with "Tip number i" for i in [0, count).
QByteArray TipFile(const QByteArray& tipOfTheDay, int count) {
    QByteArray text = "[TipoftheDay]\n" + tipOfTheDay + "\n[Tips]\n";
    for (int i = 0; i < count; ++i) {
        text += QByteArray::number(i) + "=Tip number " + QByteArray::number(i) + "\n";
    }
    return text;
}

QString StoredPosition(const QString& path) {
    return settings::IniFile(path).readText(QStringLiteral("TipoftheDay"),
                                            QStringLiteral("Position"), QStringLiteral("none"));
}

const QString NotFound =
    QStringLiteral("The Tip-of-the-Day file could not be found! Please re-install this product.");
const QString Bad =
    QStringLiteral("The Tip-of-the-Day file is bad! Please re-install this product.");

} // namespace

class TestTips : public QObject {
    Q_OBJECT
private slots:
    void steps_data();
    void steps();
    void everyOpeningShowsTheNextTipInPlace();
    void startUpShowsATip();
};

void TestTips::steps_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("buttons"); // N: Next, P: Previous
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("warning");

    const QByteArray ten = TipFile("Position=0\nMaximum=9\nEnabled=0", 10);
    QTest::newRow("fresh file") << ten << "N"
                                << "Tip number 0"
                                << "Tip 1 of 10"
                                << "1"
                                << "";
    QTest::newRow("two steps") << ten << "NN"
                               << "Tip number 1"
                               << "Tip 2 of 10"
                               << "2"
                               << "";
    QTest::newRow("past the end wraps") << TipFile("Position=10\nMaximum=9", 10) << "N"
                                        << "Tip number 0"
                                        << "Tip 1 of 10"
                                        << "1"
                                        << "";
    QTest::newRow("maximum larger than the list wraps at the first gap")
        << TipFile("Position=3\nMaximum=9", 3) << "N"
        << "Tip number 0"
        << "Tip 1 of 10"
        << "1"
        << "";
    QTest::newRow("maximum smaller than the list keeps going")
        << TipFile("Position=11\nMaximum=9", 12) << "N"
        << "Tip number 11"
        << "Tip 12 of 10"
        << "12"
        << "";
    QTest::newRow("XXXX marks the end")
        << QByteArray("[TipoftheDay]\nPosition=1\nMaximum=3\n[Tips]\n0=first\n1=XXXX\n2=third\n")
        << "N"
        << "first"
        << "Tip 1 of 4"
        << "1"
        << "";
    QTest::newRow("previous from the first tip shows the last")
        << TipFile("Position=1\nMaximum=4", 5) << "P"
        << "Tip number 4"
        << "Tip 5 of 5"
        << "5"
        << "";
    QTest::newRow("previous from stored 0") << TipFile("Position=0\nMaximum=4", 5) << "P"
                                            << "Tip number 3"
                                            << "Tip 4 of 5"
                                            << "4"
                                            << "";
    QTest::newRow("previous after tip 5") << TipFile("Position=6\nMaximum=9", 10) << "P"
                                          << "Tip number 4"
                                          << "Tip 5 of 10"
                                          << "5"
                                          << "";
    QTest::newRow("next then previous shows the same tip") << ten << "NNP"
                                                           << "Tip number 0"
                                                           << "Tip 1 of 10"
                                                           << "1"
                                                           << "";
    QTest::newRow("maximum missing counts two") << TipFile("Position=0", 4) << "N"
                                                << "Tip number 0"
                                                << "Tip 1 of 2"
                                                << "1"
                                                << "";
    QTest::newRow("maximum missing: previous from the first goes to 0")
        << TipFile("Position=1", 4) << "P"
        << "Tip number 0"
        << "Tip 1 of 2"
        << "1"
        << "";
    QTest::newRow("position not a number") << TipFile("Position=two\nMaximum=9", 10) << "N"
                                           << "Tip number 0"
                                           << "Tip 1 of 10"
                                           << "1"
                                           << "";
    QTest::newRow("negative position restarts") << TipFile("Position=-3\nMaximum=9", 10) << "N"
                                                << "Tip number 0"
                                                << "Tip 1 of 10"
                                                << "1"
                                                << "";
    QTest::newRow("largest position does not overflow")
        << QByteArray("[TipoftheDay]\nPosition=2147483647\n[Tips]\n0=first\n2147483647=last\n")
        << "N"
        << "last"
        << "Tip 2147483648 of 2"
        << "0"
        << "";
    const QByteArray noSection("[Settings]\nData=abc\n[Tips]\n0=first\n");
    QTest::newRow("section missing: next") << noSection << "N"
                                           << "A helpfull hint goes here."
                                           << ""
                                           << "none" << NotFound;
    QTest::newRow("section missing: previous") << noSection << "P"
                                               << "A helpfull hint goes here."
                                               << ""
                                               << "none" << NotFound;
    QTest::newRow("no first tip") << TipFile("Position=5\nMaximum=9", 0) << "N"
                                  << ""
                                  << ""
                                  << "0" << Bad;
}

void TestTips::steps() {
    QFETCH(QByteArray, file);
    QFETCH(QString, buttons);
    QFETCH(QString, memo);
    QFETCH(QString, label);
    QFETCH(QString, stored);
    QFETCH(QString, warning);

    WindowFixture fixture(file);
    fixture.startUp();
    TTip& tip = *fixture.window->Tip;
    for (const QChar button : buttons) {
        (button == QLatin1Char('N') ? tip.NextTip : tip.SpeedButton1)->click();
    }
    QCOMPARE(tip.Memo1->toPlainText(), memo);
    QCOMPARE(tip.TipLabel->text(), label);
    QCOMPARE(StoredPosition(fixture.settingsPath()), stored);

    const QList<platform::Request> warnings =
        fixture.desktop.requestsOf(platform::RequestKind::Warning);
    if (warning.isEmpty()) {
        QVERIFY(warnings.isEmpty());
    } else {
        const QPoint at = fixture.window->pos() + QPoint(100, 100);
        QCOMPARE(warnings.size(), buttons.size());
        QCOMPARE(warnings.first().arguments,
                 QStringList({warning, QStringLiteral("%1,%2").arg(at.x()).arg(at.y())}));
    }
}

void TestTips::everyOpeningShowsTheNextTipInPlace() {
    WindowFixture fixture(TipFile("Position=0\nMaximum=2\nEnabled=0", 3));
    fixture.startUp();
    TStriaInput& window = *fixture.window;
    QStringList shown;
    QList<QPoint> places;
    fixture.desktop.setDialogHandler([&](QDialog& dialog) {
        dialog.show();
        shown << window.Tip->Memo1->toPlainText();
        places << dialog.pos();
        // The user drags it away; the next opening puts it back.
        dialog.move(10, 10);
        dialog.hide();
        return int(QDialog::Rejected);
    });
    for (int i = 0; i < 4; ++i) {
        window.ShowTip->click();
    }
    QCOMPARE(shown, QStringList({"Tip number 0", "Tip number 1", "Tip number 2", "Tip number 0"}));
    for (const QPoint& place : places) {
        QCOMPARE(place, window.pos() + QPoint(78, 100));
    }
    QVERIFY(window.BarTextInput->hasFocus() || !window.isActiveWindow());
    QCOMPARE(fixture.desktop.requestsOf(platform::RequestKind::ExecDialog).size(), 4);
}

void TestTips::startUpShowsATip() {
    WindowFixture fixture(TipFile("Position=2\nMaximum=2\nEnabled=1", 3));
    QString shown;
    fixture.desktop.setDialogHandler([&](QDialog& dialog) {
        dialog.show();
        shown = fixture.window->Tip->Memo1->toPlainText();
        dialog.hide();
        return int(QDialog::Rejected);
    });
    fixture.window->FormActivate();
    QCOMPARE(shown, QStringLiteral("Tip number 2"));
    QCOMPARE(StoredPosition(fixture.settingsPath()), QStringLiteral("3"));
}

QTEST_MAIN(TestTips)
#include "test_tips.moc"
