// The export dialog on the recording platform: the type taken from the chosen filter, the
// picture made from the window as it stands at Save As, the errors, and where the file
// dialog opens.
#include "dialogs/export_dialog.h"
#include "dialogs/export_folder.h"
#include "picture/barcode_fonts.h"
#include "picture/barcode_picture.h"
#include "tests/barcode_decoders.h"
#include "tests/window_fixture.h"

#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

namespace {

QByteArray FileStart(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.read(4) : QByteArray();
}

} // namespace

class TestExportDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        const Result<> fonts = LoadBarcodeFonts();
        QVERIFY2(fonts, qPrintable(fonts.error()));
    }
    void opensAfterMake();
    void typeFromFilter_data();
    void typeFromFilter();
    void currentState();
    void errors_data();
    void errors();
    void cancelled();
    void keepsLastChoice();
    void initialFolder_data();
    void initialFolder();
};

void TestExportDialog::opensAfterMake() {
    WindowFixture fixture;
    fixture.startUp();
    WindowFixture::Make(*fixture.window, QStringLiteral("ABC123"));
    fixture.window->BuildGraphic->click();
    QCOMPARE(fixture.desktop.requestsOf(platform::RequestKind::ExecDialog).value(0).arguments,
             QStringList({QStringLiteral("Convert2")}));
    QVERIFY(fixture.window->BarTextInput->hasFocus() || !fixture.window->isActiveWindow());
}

void TestExportDialog::typeFromFilter_data() {
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("BMP over png") << 1 << "label.png"
                                  << "label.bmp" << QByteArray("BM");
    QTest::newRow("GIF, no extension") << 2 << "label"
                                       << "label.gif" << QByteArray("GIF8");
    QTest::newRow("JPG over png") << 3 << "label.png"
                                  << "label.jpg" << QByteArray("\xff\xd8\xff");
    QTest::newRow("JPG, dotted name") << 3 << "my.label"
                                      << "my.jpg" << QByteArray("\xff\xd8\xff");
    QTest::newRow("PNG over gif") << 4 << "x.gif"
                                  << "x.png" << QByteArray("\x89PNG");
}

void TestExportDialog::typeFromFilter() {
    QFETCH(int, filter);
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(QByteArray, magic);
    WindowFixture fixture;
    fixture.startUp();
    WindowFixture::Make(*fixture.window, QStringLiteral("ABC123"));
    const QString folder = fixture.documents.path() + QLatin1Char('/');
    fixture.desktop.answerSaveFile(platform::SaveFileChoice{folder + chosen, filter});
    fixture.window->Convert2->MakeGraphic->click();

    QVERIFY(fixture.desktop.requestsOf(platform::RequestKind::ErrorDialog).isEmpty());
    QVERIFY(FileStart(folder + written).startsWith(magic));
    if (chosen != written) {
        QVERIFY(!QFile::exists(folder + chosen));
    }
}

// The picture follows the output box, the options and the resolution as they stand at Save As,
// not as they stood at the Make: here the output box was edited by hand afterwards.
void TestExportDialog::currentState() {
    WindowFixture fixture;
    fixture.startUp();
    TStriaInput& window = *fixture.window;
    WindowFixture::Make(window, QStringLiteral("TEST"));
    window.BarTextOut->setText(QStringLiteral("  (ABC123W9)"));
    window.SizeF->click();
    window.PointSize->setEditText(QStringLiteral("20"));
    window.Convert2->findChild<QRadioButton*>(QStringLiteral("RB300"))->setChecked(true);
    const QString fileName = fixture.documents.path() + QStringLiteral("/edited.png");
    fixture.desktop.answerSaveFile(platform::SaveFileChoice{fileName, 4});
    window.Convert2->MakeGraphic->click();

    const QImage written(fileName);
    picture::ExportRequest expected{QStringLiteral("(ABC123W9)"), QStringLiteral("Sample 93 f HR"),
                                    QStringLiteral("20"), 300, false};
    QCOMPARE(written.size(), picture::LayoutPicture(expected)->size);
    QCOMPARE(decoders::ReadWithZbar(written), QStringList({QStringLiteral("ABC123")}));

    // A second save at another resolution makes a fresh, larger picture of the same string.
    window.Convert2->findChild<QRadioButton*>(QStringLiteral("RB1200"))->setChecked(true);
    fixture.desktop.answerSaveFile(platform::SaveFileChoice{fileName, 4});
    window.Convert2->MakeGraphic->click();
    expected.dpi = 1200;
    QCOMPARE(QImage(fileName).size(), picture::LayoutPicture(expected)->size);
}

void TestExportDialog::errors_data() {
    QTest::addColumn<QString>("pointSize");
    QTest::addColumn<QString>("folder"); // where the file is to go
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("asked"); // whether the file dialog came up
    QTest::newRow("not a number") << "2x4"
                                  << ""
                                  << "'2x4' is not a valid integer value" << false;
    QTest::newRow("too large") << "5000"
                               << ""
                               << "The export font would be" << false;
    QTest::newRow("missing folder") << "24"
                                    << "/no/such/folder"
                                    << "Cannot create file \"/no/such/folder/x.gif\"." << true;
}

void TestExportDialog::errors() {
    QFETCH(QString, pointSize);
    QFETCH(QString, folder);
    QFETCH(QString, message);
    QFETCH(bool, asked);
    WindowFixture fixture;
    fixture.startUp();
    TStriaInput& window = *fixture.window;
    WindowFixture::Make(window, QStringLiteral("ABC123"));
    window.PointSize->setEditText(pointSize);
    const QString target = (folder.isEmpty() ? fixture.documents.path() : folder) + "/x.gif";
    fixture.desktop.answerSaveFile(platform::SaveFileChoice{target, 2});
    window.Convert2->MakeGraphic->click();

    const QList<platform::Request> errors =
        fixture.desktop.requestsOf(platform::RequestKind::ErrorDialog);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].arguments.value(0).startsWith(message),
             qPrintable(errors[0].arguments.value(0)));
    QCOMPARE(fixture.desktop.requestsOf(platform::RequestKind::SaveFile).size(), asked ? 1 : 0);
    QVERIFY(!QFile::exists(target));
}

void TestExportDialog::cancelled() {
    WindowFixture fixture;
    fixture.startUp();
    WindowFixture::Make(*fixture.window, QStringLiteral("ABC123"));
    fixture.window->Convert2->MakeGraphic->click();
    QCOMPARE(fixture.desktop.requestsOf(platform::RequestKind::SaveFile).size(), 1);
    QVERIFY(fixture.desktop.requestsOf(platform::RequestKind::ErrorDialog).isEmpty());
    QCOMPARE(QDir(fixture.documents.path()).entryList(QDir::Files), QStringList());
}

// The dialog starts on GIF; after a save it offers the type and the file last chosen.
void TestExportDialog::keepsLastChoice() {
    WindowFixture fixture;
    fixture.startUp();
    WindowFixture::Make(*fixture.window, QStringLiteral("ABC123"));
    QFileDialog& dialog = *fixture.window->Convert2->SaveDialog1;
    QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("Windows GIF file (*.gif)"));
    QCOMPARE(dialog.defaultSuffix(), QStringLiteral("gif"));
    QVERIFY(dialog.testOption(QFileDialog::DontConfirmOverwrite));

    const QString sub = fixture.documents.path() + QStringLiteral("/pictures");
    QVERIFY(QDir().mkpath(sub));
    fixture.desktop.answerSaveFile(platform::SaveFileChoice{sub + "/label.png", 3});
    fixture.window->Convert2->MakeGraphic->click();
    fixture.window->Convert2->MakeGraphic->click(); // opens the dialog again, then cancelled
    QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("Windows JPG file (*.jpg)"));
    QCOMPARE(dialog.selectedFiles().value(0), sub + QStringLiteral("/label.jpg"));
}

void TestExportDialog::initialFolder_data() {
    QTest::addColumn<bool>("programFolder");
    QTest::addColumn<bool>("picturesFolder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("program folder writable") << true << true << "program";
    QTest::newRow("installed program") << false << true << "pictures";
    QTest::newRow("no pictures folder") << false << false << "documents";
}

void TestExportDialog::initialFolder() {
    QFETCH(bool, programFolder);
    QFETCH(bool, picturesFolder);
    QFETCH(QString, expected);
    QTemporaryDir root;
    const QString missing = root.filePath(QStringLiteral("missing"));
    for (const char* name : {"program", "pictures", "documents"}) {
        QVERIFY(QDir(root.path()).mkpath(QString::fromLatin1(name)));
    }
    const QString result = exportfolder::InitialExportFolder(
        programFolder ? root.filePath("program") : missing,
        picturesFolder ? root.filePath("pictures") : missing, root.filePath("documents"));
    QCOMPARE(result, root.filePath(expected));
}

QTEST_MAIN(TestExportDialog)
#include "test_export_dialog.moc"
