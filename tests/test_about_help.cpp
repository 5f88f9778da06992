// The about box and the main window's help, link, about, tips and tip-at-start controls: what
// they ask of the desktop, in which order, and where the focus goes.
#include "dialogs/about_box.h"
#include "dialogs/clickable_label.h"
#include "links/help_files.h"
#include "links/vendor_links.h"
#include "settings/ini_file.h"
#include "tests/window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using Action = std::function<void(TStriaInput&)>;
Q_DECLARE_METATYPE(Action)

namespace {

QStringList Requests(const platform::RecordingPlatform& desktop) {
    QStringList list;
    for (const platform::Request& request : desktop.requests()) {
        list << (QStringList{platform::KindName(request.kind)} + request.arguments)
                    .join(QLatin1Char('|'));
    }
    return list;
}

QString Open(const QString& document) {
    return QStringLiteral("shellOpen|%1|").arg(document);
}

} // namespace

class TestAboutHelp : public QObject {
    Q_OBJECT
private slots:
    void requests_data();
    void requests();
    void aboutBox();
    void tipCheckBox_data();
    void tipCheckBox();
};

void TestAboutHelp::requests_data() {
    QTest::addColumn<Action>("action");
    QTest::addColumn<QStringList>("expected");
    // How many requests were made when BarTextInput got the focus; -1: it never did.
    QTest::addColumn<int>("focusedAfter");

    const QString help = Open(helpfiles::Locate("stria.chm"));
    const auto key = [](Qt::KeyboardModifiers modifiers) {
        return Action([modifiers](TStriaInput& w) {
            QTest::keyClick(w.BarTextInput, Qt::Key_F1, modifiers);
        });
    };
    QTest::newRow("help button") << Action([](TStriaInput& w) { w.HelpButtonClick->click(); })
                                 << QStringList{help} << 1;
    QTest::newRow("F1") << key(Qt::NoModifier) << QStringList{help} << 1;
    QTest::newRow("shift F1") << key(Qt::ShiftModifier) << QStringList{help} << 1;
    QTest::newRow("ctrl F1") << key(Qt::ControlModifier) << QStringList{help} << 1;
    QTest::newRow("alt F1") << key(Qt::AltModifier) << QStringList{help} << 1;
    QTest::newRow("ctrl alt F1") << key(Qt::ControlModifier | Qt::AltModifier) << QStringList{help}
                                 << 1;
    QTest::newRow("F1 elsewhere") << Action([](TStriaInput& w) {
        QTest::keyClick(w.BarTextOut, Qt::Key_F1);
    }) << QStringList{} << -1;
    QTest::newRow("vendor link") << Action([](TStriaInput& w) { emit w.StaticText2->clicked(); })
                                 << QStringList{Open("https://www.quorinfont.example/stria.htm")}
                                 << 0;
    QTest::newRow("about button") << Action([](TStriaInput& w) { w.SpeedButton2->click(); })
                                  << QStringList{"execDialog|Form2"} << 1;
    QTest::newRow("tips button") << Action([](TStriaInput& w) { w.ShowTip->click(); })
                                 << QStringList{"execDialog|Tip"} << 1;
    // The commands without a caption, and the focusless Tips button, from wherever the focus is.
    const auto keys = [](int key) {
        return Action([key](TStriaInput&) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
            QTest::qWait(200); // a button's key shows it pressed for 100 ms before the click
        });
    };
    QTest::newRow("alt A") << keys(Qt::Key_A) << QStringList{"execDialog|Form2"} << 1;
    QTest::newRow("alt T") << keys(Qt::Key_T) << QStringList{"execDialog|Tip"} << 1;
    QTest::newRow("alt W") << keys(Qt::Key_W)
                           << QStringList{Open("https://www.quorinfont.example/stria.htm")} << 0;
    QTest::newRow("update check") << Action([](TStriaInput& w) {
        emit w.Form2->CurVersion->clicked();
    }) << QStringList{Open("https://www.quorinfont.example/file/update.php?v=QFSTRI93-7.0")}
                                  << 0;
    QTest::newRow("manual") << Action([](TStriaInput& w) { w.Form2->BitBtn2->click(); })
                            << QStringList{Open(helpfiles::Locate("Strias.pdf"))} << -1;
}

void TestAboutHelp::requests() {
    QFETCH(Action, action);
    QFETCH(QStringList, expected);
    QFETCH(int, focusedAfter);

    WindowFixture fixture;
    fixture.startUp();
    TStriaInput& window = *fixture.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // Wherever the user left the focus, so that a move to BarTextInput shows.
    window.BarTextOut->setFocus();
    fixture.desktop.clear();

    int requestsWhenFocused = -1;
    connect(qApp, &QApplication::focusChanged, &window, [&](QWidget*, QWidget* now) {
        if (now == window.BarTextInput && requestsWhenFocused < 0) {
            requestsWhenFocused = int(fixture.desktop.requests().size());
        }
    });
    action(window);
    QCOMPARE(Requests(fixture.desktop), expected);
    QCOMPARE(requestsWhenFocused, focusedAfter);
}

// Its place is tested with the other dialogs' (TestMainWindow::dialogsPlaceThemselves).
void TestAboutHelp::aboutBox() {
    WindowFixture fixture;
    fixture.startUp();
    TStriaInput& window = *fixture.window;
    fixture.desktop.setDialogHandler([&](QDialog& dialog) {
        dialog.show();
        static_cast<TForm2&>(dialog).BitBtn1->click();
        return dialog.result();
    });
    window.SpeedButton2->click();
    QVERIFY(!window.Form2->isVisible());
    QCOMPARE(window.Form2->windowTitle(), QStringLiteral("About"));
    QCOMPARE(window.Form2->CurVersion->text(), QStringLiteral("V7.0"));
    QVERIFY(window.Form2->CurVersion->font().underline());
}

void TestAboutHelp::tipCheckBox_data() {
    QTest::addColumn<bool>("dataFolder");
    QTest::addColumn<QString>("stored"); // after clearing the box
    QTest::newRow("data folder") << true << "0";
    QTest::newRow("no data folder") << false << "not written";
}

void TestAboutHelp::tipCheckBox() {
    QFETCH(bool, dataFolder);
    QFETCH(QString, stored);
    WindowFixture fixture({}, dataFolder);
    fixture.startUp();
    TStriaInput& window = *fixture.window;
    QVERIFY(window.TipCheckBox->isChecked());
    window.TipCheckBox->click();
    // Read before any close routine could write it.
    QCOMPARE(settings::IniFile(fixture.settingsPath())
                 .readText("TipoftheDay", "Enabled", QStringLiteral("not written")),
             stored);
    QVERIFY(!window.TipCheckBox->isChecked());
}

QTEST_MAIN(TestAboutHelp)
#include "test_about_help.moc"
