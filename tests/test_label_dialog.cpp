// The label dialog on the recording platform: the copy that comes first, the template of each
// button (or its filled copy), the two missing-template messages and the paste note.
#include "dialogs/label_dialog.h"
#include "picture/barcode_fonts.h"
#include "platform/window_frame.h"
#include "tests/window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <sys/stat.h>

namespace {

const QString PasteNote = QStringLiteral("To add your bar code to a label, place\n"
                                         "the cursor in any label on the form,\n"
                                         "then on the menu bar click on Edit, Paste\n"
                                         "or just enter a Ctrl-V.");

QString At(const TStriaInput& window) {
    const QPoint at = platform::FramePosition(window) + QPoint(100, 100);
    return QStringLiteral("%1,%2").arg(at.x()).arg(at.y());
}

// The warnings and shell requests, in the order they came.
QList<platform::Request> Shown(const platform::RecordingPlatform& desktop) {
    QList<platform::Request> shown;
    for (const platform::Request& request : desktop.requests()) {
        if (request.kind == platform::RequestKind::Warning ||
            request.kind == platform::RequestKind::ShellOpen) {
            shown.append(request);
        }
    }
    return shown;
}

void Touch(const QString& fileName) {
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1 }");
}

// The data folder as the dialog names it, without its trailing separator.
QString Folder(const WindowFixture& fixture) {
    return fixture.dataFolder().chopped(1);
}

// After Make of the data, the dialog set to the button's sheet, with a template file there.
void ReadyToPrint(WindowFixture& fixture, int button, const QString& file, const QString& data,
                  bool explain, bool fill) {
    TStriaInput& window = *fixture.window;
    Touch(Folder(fixture) + QLatin1Char('/') + file);
    WindowFixture::Make(window, data);
    window.Form3->labelButtons()[button - 1]->setChecked(true);
    window.Form3->ExplainPaste->setChecked(explain);
    window.Form3->FillLabels->setChecked(fill);
}

} // namespace

class TestLabelDialog : public QObject {
    Q_OBJECT
private slots:
    // The window loads the barcode faces at start, and the fill check measures with them.
    void initTestCase() { QCOMPARE(LoadBarcodeFonts().error(), QString()); }
    void init() { QApplication::clipboard()->setText(QStringLiteral("untouched")); }
    void opensAfterMake();
    void templates_data();
    void templates();
    void missing_data();
    void missing();
    void fillTooLarge_data();
    void fillTooLarge();
    void afterInsertion();
    void returnButton();
};

void TestLabelDialog::opensAfterMake() {
    WindowFixture fixture;
    fixture.startUp();
    WindowFixture::Make(*fixture.window, QStringLiteral("ABC123"));
    fixture.window->PrintLabels->click();
    QCOMPARE(fixture.desktop.requestsOf(platform::RequestKind::ExecDialog).value(0).arguments,
             QStringList({QStringLiteral("Form3")}));
}

void TestLabelDialog::templates_data() {
    QTest::addColumn<int>("button"); // 1..9
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("explain");
    QTest::addColumn<bool>("fill");
    QTest::addColumn<int>("labels"); // in the filled copy; 0: the template itself opens
    const char* files[] = {"lz167.rtf", "lz570.rtf", "lz060.rtf", "lz161.rtf", "lz162.rtf",
                           "lz197.rtf", "lz163.rtf", "lz164.rtf", "custom.rtf"};
    const int perSheet[] = {80, 32, 30, 20, 14, 12, 10, 6, 0};
    for (int i = 0; i < 9; ++i) {
        // L9's custom template is the user's own: it opens as it is.
        const bool fill = i == 3 || i == 4 || i == 8;
        QTest::addRow("L%d%s", i + 1, fill ? " filled" : "")
            << i + 1 << QString::fromLatin1(files[i]) << (i % 2 == 0) << fill
            << (fill ? perSheet[i] : 0);
    }
}

void TestLabelDialog::templates() {
    QFETCH(int, button);
    QFETCH(QString, file);
    QFETCH(bool, explain);
    QFETCH(bool, fill);
    QFETCH(int, labels);
    WindowFixture fixture;
    fixture.startUp();
    TStriaInput& window = *fixture.window;
    const QString folder = Folder(fixture);
    ReadyToPrint(fixture, button, file, QStringLiteral("ABC123"), explain, fill);
    QCOMPARE(window.Form3->FillLabels->isEnabled(), button != 9);
    window.Form3->PrintLabels->click();

    const QString opened = labels > 0 ? QString(file).replace(".rtf", "-filled.rtf") : file;
    QList<platform::Request> expected;
    if (explain) {
        expected.append({platform::RequestKind::Warning, {PasteNote, At(window)}});
    }
    expected.append({platform::RequestKind::ShellOpen, {opened, folder}});
    QCOMPARE(Shown(fixture.desktop), expected);
    if (labels > 0) {
        QFile filled(folder + QLatin1Char('/') + opened);
        QVERIFY(filled.open(QIODevice::ReadOnly));
        const QByteArray rtf = filled.readAll();
        QVERIFY(rtf.contains("{\\f1\\fnil\\fcharset0 Sample 93 d HR;}"));
        QCOMPARE(rtf.count("\\f1\\fs48 (ABC123W9)\\cell"), qsizetype(labels));
    }
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QCOMPARE(data->text(), QStringLiteral("(ABC123W9)  "));
    QVERIFY(data->data(QStringLiteral("text/rtf")).contains("Sample 93 d HR"));
    QVERIFY(window.BarTextInput->hasFocus() || !window.isActiveWindow());
}

void TestLabelDialog::missing_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("message"); // %1: the data folder without its trailing separator
    QTest::addColumn<bool>("fifo");       // a FIFO of the template's name, which no reader opens
    const char* stockSheet = "The label template lz161.rtf is missing from the folder\n"
                             "%1\n"
                             "Please re-install this product.";
    QTest::newRow("stock sheet") << 4 << stockSheet << false;
    QTest::newRow("stock sheet as a FIFO") << 4 << stockSheet << true;
    QTest::newRow("custom") << 9
                            << "You have not yet defined a custom template. Make your\n"
                               "own label template, name the file custom.rtf, and place\n"
                               "this file in the:\n"
                               "%1 folder."
                            << false;
}

// The barcode is on the clipboard even so, and neither the paste note nor the template comes.
void TestLabelDialog::missing() {
    QFETCH(int, button);
    QFETCH(QString, message);
    QFETCH(bool, fifo);
    WindowFixture fixture;
    fixture.startUp();
    TStriaInput& window = *fixture.window;
    const QString folder = Folder(fixture);
    if (fifo) {
        QCOMPARE(mkfifo(QFile::encodeName(folder + QStringLiteral("/lz161.rtf")).constData(), 0600),
                 0);
    }
    WindowFixture::Make(window, QStringLiteral("ABC123"));
    window.Form3->labelButtons()[button - 1]->setChecked(true);
    window.Form3->ExplainPaste->setChecked(true);
    window.Form3->PrintLabels->click();

    QCOMPARE(Shown(fixture.desktop),
             QList<platform::Request>(
                 {{platform::RequestKind::Warning, {message.arg(folder), At(window)}}}));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("(ABC123W9)  "));
}

void TestLabelDialog::fillTooLarge_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("message");
    QTest::newRow("5167, too tall at 24 points")
        << 1 << "lz167.rtf"
        << "ABC123"
        << "At 24 points this bar code is 1.18 x 0.46 in; a 1.75 x 0.50 in label of 5167 holds "
           "1.63 x 0.38 in clear of its edges.\nThe largest point size that fits is 19: choose "
           "it, or a larger label, and print the labels again.";
    QTest::newRow("6570, Code 93 and a Tab too wide")
        << 2 << "lz570.rtf" << QString::fromUtf8("Code 93\u00aaI")
        << "At 24 points this bar code is 1.76 x 0.46 in; a 1.75 x 1.25 in label of 6570 holds "
           "1.50 x 1.00 in clear of its edges.\nThe largest point size that fits is 20:";
}

// One warning with the size that fits; nothing written, nothing opened.
void TestLabelDialog::fillTooLarge() {
    QFETCH(int, button);
    QFETCH(QString, file);
    QFETCH(QString, data);
    QFETCH(QString, message);
    WindowFixture fixture;
    fixture.startUp();
    TStriaInput& window = *fixture.window;
    const QString folder = Folder(fixture);
    ReadyToPrint(fixture, button, file, data, true, true);
    const QStringList before = QDir(folder).entryList(QDir::Files);
    window.Form3->PrintLabels->click();

    const QList<platform::Request> shown = Shown(fixture.desktop);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, platform::RequestKind::Warning);
    QVERIFY2(shown[0].arguments.value(0).contains(message),
             qPrintable(shown[0].arguments.value(0)));
    QCOMPARE(shown[0].arguments.value(1), At(window));
    QCOMPARE(QDir(folder).entryList(QDir::Files), before);
}

// An insertion empties the preview but keeps the made flag: nothing to copy, the template opens.
void TestLabelDialog::afterInsertion() {
    WindowFixture fixture;
    fixture.startUp();
    TStriaInput& window = *fixture.window;
    Touch(Folder(fixture) + QStringLiteral("/lz161.rtf"));
    WindowFixture::Make(window, QStringLiteral("ABC123"));
    window.ComboBox1->setEditText(QStringLiteral("TAB"));
    window.AddButtonClick->click();
    QVERIFY(window.BarCodeOut->toPlainText().isEmpty());
    window.Form3->ExplainPaste->setChecked(false);
    window.PrintLabels->click();
    window.Form3->PrintLabels->click();
    QCOMPARE(fixture.desktop.requestsOf(platform::RequestKind::ShellOpen).size(), 1);
    QVERIFY(fixture.desktop.requestsOf(platform::RequestKind::Warning).isEmpty());
}

void TestLabelDialog::returnButton() {
    WindowFixture fixture;
    fixture.startUp();
    WindowFixture::Make(*fixture.window, QStringLiteral("ABC123"));
    fixture.window->Form3->ExitLabels->click();
    QVERIFY(fixture.desktop.requests().isEmpty());
    QCOMPARE(fixture.window->Form3->result(), int(QDialog::Rejected));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("untouched"));
}

QTEST_MAIN(TestLabelDialog)
#include "test_label_dialog.moc"
