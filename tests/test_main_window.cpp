// The main window driven as a user would: start-up and close with the settings file, Make,
// the options and the preview, Insert and F1, through the recording platform.
#include "dialogs/about_box.h"
#include "dialogs/clickable_label.h"
#include "dialogs/export_dialog.h"
#include "dialogs/label_dialog.h"
#include "dialogs/tip_window.h"
#include "dialogs/warning_box.h"
#include "main/hint_control.h"
#include "main/stria_input.h"
#include "platform/recording_platform.h"
#include "platform/window_frame.h"
#include "settings/ini_file.h"
#include "tests/file_writes.h"
#include "tests/text_contrast.h"
#include "tests/window_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using platform::Request;

namespace {

const QString TipsOnly = QStringLiteral("[TipoftheDay]\nPosition=0\nMaximum=1\nEnabled=0\n"
                                        "[Tips]\n0=First tip\n1=Second tip\n");

const char* const SixWindows[] = {"StriaInput", "WarningBox", "Form2", "Tip", "Form3", "Convert2"};

// Family and point size of the preview's character at position (the one after it).
QPair<QString, qreal> FaceAt(QTextEdit* box, int position) {
    QTextCursor cursor(box->document());
    cursor.setPosition(position + 1);
    const QTextCharFormat format = cursor.charFormat();
    return {format.fontFamilies().toStringList().value(0), format.fontPointSize()};
}

// Where the widget's text would not show whole at its font, the widget and the text; else empty.
QString CutText(QWidget* widget) {
    QString text;
    QRect room;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        text = label->text();
        const int margin = label->margin() + qMax(label->indent(), 0);
        room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        text = button->text();
        room = ButtonTextRoom(button);
        if (qobject_cast<QPushButton*>(button) && !button->icon().isNull()) {
            room.setWidth(room.width() - button->iconSize().width() - 4);
        }
    }
    const QSize needed = QFontMetrics(widget->font()).size(Qt::TextShowMnemonic, text);
    if (text.isEmpty() || (needed.width() <= room.width() && needed.height() <= room.height())) {
        return {};
    }
    return QStringLiteral("%1 \"%2\" needs %3x%4 in %5x%6")
        .arg(widget->objectName(), text)
        .arg(needed.width())
        .arg(needed.height())
        .arg(room.width())
        .arg(room.height());
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> fixture_;

    platform::RecordingPlatform& desktop() { return fixture_->desktop; }
    QString dataFolder() const { return fixture_->dataFolder(); }
    QString settingsPath() const { return fixture_->settingsPath(); }
    void writeSettingsFile(const QString& content) {
        fixture_->writeSettingsFile(content.toUtf8());
    }

    QString settingsText() const {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QString setting(const QString& key) const {
        return settings::IniFile(settingsPath())
            .readText(QStringLiteral("Settings"), key, QStringLiteral("<missing>"));
    }

    // A fresh window, shown, with its start-up routine done.
    TStriaInput& start() {
        TStriaInput& window = fixture_->reopen();
        window.show();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitFor([&window] { return window.startedUp(); })) {
            QTest::qFail("the start-up routine did not run", __FILE__, __LINE__);
        }
        return window;
    }

    void close() { fixture_->window->close(); }

    TStriaInput& startWithData(const QString& data) {
        writeSettingsFile(TipsOnly);
        TStriaInput& w = start();
        w.BarTextInput->setFocus();
        w.BarTextInput->clear();
        QTest::keyClicks(w.BarTextInput, data);
        return w;
    }

    void make(TStriaInput& w) { QTest::mouseClick(w.MakeButtonClick, Qt::LeftButton); }

    void typeIntoTheList(TStriaInput& w, const QString& text) {
        w.ComboBox1->setFocus();
        w.ComboBox1->lineEdit()->selectAll();
        QTest::keyClick(w.ComboBox1->lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(w.ComboBox1->lineEdit(), text);
    }

    // Typed as a user types: each key goes wherever the focus is by then.
    void setPointSize(TStriaInput& w, const QString& text) {
        w.PointSize->setFocus();
        w.PointSize->lineEdit()->selectAll();
        QTest::keyClick(w.PointSize->lineEdit(), Qt::Key_Delete);
        for (const QChar key : text) {
            QTest::keyClicks(QApplication::focusWidget(), key);
        }
    }

private slots:
    void init() {
        fixture_ = std::make_unique<WindowFixture>(QByteArray(), false);
        desktop().setProgramFileName(QStringLiteral("/usr/bin/stria"));
    }
    void cleanup() { fixture_.reset(); }

    void createsTheDialogsHidden() {
        TStriaInput w(desktop());
        QCOMPARE(w.windowTitle(), QStringLiteral("Make a bar code 93"));
        const QList<QDialog*> dialogs = {w.WarningBox, w.Form2, w.Tip, w.Form3, w.Convert2};
        QStringList names;
        for (QDialog* dialog : w.findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
            names.append(dialog->objectName());
            QVERIFY(!dialog->isVisible());
        }
        QCOMPARE(names, QStringList({"WarningBox", "Form2", "Tip", "Form3", "Convert2"}));
        QCOMPARE(w.WarningBox->windowTitle(), QStringLiteral("Clip Board Warning"));
        QCOMPARE(w.Form2->windowTitle(), QStringLiteral("About"));
        QCOMPARE(w.Tip->windowTitle(), QStringLiteral("Tip of the Day"));
        QCOMPARE(w.Form3->windowTitle(), QStringLiteral("Label Printing"));
        QCOMPARE(w.Convert2->windowTitle(), QStringLiteral("Convert to bmp, gif, jpg, or png"));
    }

    void dialogsPlaceThemselves_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("offset");
        QTest::newRow("labels") << "Form3" << QPoint(81, 25);
        QTest::newRow("tip") << "Tip" << QPoint(78, 100);
        QTest::newRow("export") << "Convert2" << QPoint(55, 160);
        QTest::newRow("about") << "Form2" << QPoint(129, 109);
    }
    void dialogsPlaceThemselves() {
        QFETCH(QString, name);
        QFETCH(QPoint, offset);
        TStriaInput w(desktop());
        w.move(300, 200);
        auto* dialog = w.findChild<PlacedDialog*>(name);
        QVERIFY(dialog);
        dialog->move(5, 5);
        dialog->show();
        QCOMPARE(dialog->pos(), QPoint(300, 200) + offset);
        dialog->hide();
        w.move(10, 20);
        dialog->show();
        QCOMPARE(dialog->pos(), QPoint(10, 20) + offset);
    }

    // One row for each of the six windows.
    static void sixWindows() {
        QTest::addColumn<QString>("window");
        for (const char* window : SixWindows) {
            QTest::newRow(window) << window;
        }
    }

    // The window of that name on screen, over a main window with a barcode made.
    QWidget* showWindow(const QString& window) {
        writeSettingsFile(TipsOnly);
        TStriaInput& w = start();
        w.BarTextInput->setText(QStringLiteral("ABC123"));
        make(w);
        QWidget* shown = window == w.objectName() ? &w : w.findChild<QWidget*>(window);
        if (shown != nullptr) {
            shown->show();
        }
        return shown;
    }

    void everyTextShowsWhole_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<qreal>("points"); // the desktop's type size; 0: Qt's own
        for (const char* window : SixWindows) {
            QTest::newRow(window) << window << 0.0;
        }
        QTest::newRow("Form2 in large type") << "Form2" << 16.0;
    }
    void everyTextShowsWhole() {
        QFETCH(QString, window);
        QFETCH(qreal, points);
        const QFont desktopType = QApplication::font();
        const auto restore = qScopeGuard([&] { QApplication::setFont(desktopType); });
        if (points > 0) {
            QFont large = desktopType;
            large.setPointSizeF(points);
            QApplication::setFont(large);
        }
        QWidget* shown = showWindow(window);
        QVERIFY(shown);
        // The longest count the tip window must show.
        fixture_->window->Tip->TipLabel->setText(QStringLiteral("Tip 999 of 999"));
        QStringList cut;
        for (QWidget* widget : shown->findChildren<QWidget*>()) {
            if (widget->window() == shown && widget->isVisible() && !CutText(widget).isEmpty()) {
                cut.append(CutText(widget));
            }
        }
        QCOMPARE(cut, QStringList());
    }

    // What a screen reader says: a name for every control, and a description for the ones that
    // show only a picture.
    void everyControlHasAName_data() { sixWindows(); }
    void everyControlHasAName() {
        QFETCH(QString, window);
        QWidget* shown = showWindow(window);
        QVERIFY(shown);
        QStringList unnamed;
        for (QWidget* widget : shown->findChildren<QWidget*>()) {
            auto* button = qobject_cast<QAbstractButton*>(widget);
            const bool control = (widget->focusPolicy() & Qt::TabFocus) || button != nullptr ||
                                 qobject_cast<ClickableLabel*>(widget) != nullptr;
            if (!control || widget->window() != shown || !widget->isVisible() ||
                widget->focusProxy() != nullptr) {
                continue;
            }
            const QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(widget);
            const bool pictureOnly = button != nullptr && button->text().isEmpty();
            if (spoken->text(QAccessible::Name).trimmed().isEmpty() ||
                (pictureOnly && spoken->text(QAccessible::Description).isEmpty())) {
                unnamed.append(widget->objectName());
            }
        }
        QCOMPARE(unnamed.join(QStringLiteral(", ")), QString());
        QCOMPARE(QAccessible::queryAccessibleInterface(fixture_->window->BarTextInput)
                     ->text(QAccessible::Name),
                 QStringLiteral("Type in the data to bar code here:"));
    }

    void everyTextContrasts_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("dark");
        for (const char* window : SixWindows) {
            QTest::addRow("%s", window) << window << false;
            QTest::addRow("%s dark", window) << window << true;
        }
    }
    void everyTextContrasts() {
        QFETCH(QString, window);
        QFETCH(bool, dark);
        const QPalette desktop = QApplication::palette();
        if (dark) {
            QApplication::setPalette(DarkPalette());
        }
        const auto restore = qScopeGuard([&] { QApplication::setPalette(desktop); });
        QWidget* shown = showWindow(window);
        QVERIFY(shown);
        QList<QWidget*> texts;
        for (QWidget* widget : shown->findChildren<QWidget*>()) {
            if (widget->window() == shown && widget->isVisible() && widget->isEnabled() &&
                !TextArea(widget).isEmpty()) {
                texts.append(widget);
            }
        }
        const auto picture = [shown] {
            return shown->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        const QImage asShown = picture();
        ColourTexts(texts, Qt::black);
        const QImage black = picture();
        ColourTexts(texts, Qt::white);
        const QImage white = picture();
        QStringList faint;
        for (QWidget* widget : texts) {
            const double contrast = LowestTextContrast(asShown, black, white, TextArea(widget));
            if (contrast < 4.5) {
                faint.append(
                    QStringLiteral("%1 %2:1").arg(widget->objectName()).arg(contrast, 0, 'f', 1));
            }
        }
        QCOMPARE(faint.join(QStringLiteral(", ")), QString());
    }

    void previewTakesTheExtraHeight() {
        TStriaInput w(desktop());
        w.show();
        QCOMPARE(w.BarCodeOut->height(), 65);
        const QRect output = w.BarTextOut->geometry();
        const QPoint link = w.StaticText2->pos();
        w.resize(w.width(), w.height() + 200);
        QTRY_COMPARE(w.BarCodeOut->height(), 265);
        QCOMPARE(w.BarTextOut->geometry(), output);
        QCOMPARE(w.StaticText2->pos(), link + QPoint(0, 200));
    }

    void storedPositionsStayReachable_data() {
        QTest::addColumn<QPoint>("stored");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QPoint>("placed");
        const QList<QRect> one = {QRect(0, 0, 1600, 1200)};
        const QList<QRect> two = {QRect(0, 0, 1600, 1200), QRect(1600, 100, 1280, 1024)};
        QTest::newRow("on screen") << QPoint(300, 200) << one << QPoint(300, 200);
        QTest::newRow("only the title bar on screen")
            << QPoint(300, 1180) << one << QPoint(300, 1180);
        QTest::newRow("title bar past the right edge")
            << QPoint(1400, 1000) << one << QPoint(988, 753);
        QTest::newRow("left of the screen") << QPoint(-2000, 100) << one << QPoint(0, 100);
        QTest::newRow("on a screen now gone") << QPoint(2000, 300) << one << QPoint(988, 300);
        QTest::newRow("on the second screen") << QPoint(2000, 300) << two << QPoint(2000, 300);
        QTest::newRow("across both screens") << QPoint(1300, 300) << two << QPoint(1300, 300);
        QTest::newRow("above the lower screen") << QPoint(2000, 50) << two << QPoint(2000, 100);
        QTest::newRow("far away") << QPoint(9000, 9000) << two << QPoint(2268, 677);
    }
    void storedPositionsStayReachable() {
        QFETCH(QPoint, stored);
        QFETCH(QList<QRect>, screens);
        QFETCH(QPoint, placed);
        // The main window with an openbox frame: 1 pixel borders, a 20-pixel title bar.
        QCOMPARE(platform::OnScreenFramePosition(QRect(stored, QSize(612, 447)), 20, screens),
                 placed);
    }

    void firstRunWritesFirstRunValues() {
        writeSettingsFile(TipsOnly);
        TStriaInput& w = start();
        QCOMPARE(w.Form2->CurVersion->text(), QStringLiteral("V7.0"));
        QCOMPARE(w.hints().hintTime(), 6000);
        QVERIFY(w.dataFolderFound());
        QCOMPARE(w.dataFolder(), dataFolder());
        QVERIFY(w.RadioButton2->isChecked());
        QVERIFY(w.SizeD->isChecked());
        QCOMPARE(w.PointSize->currentText(), QStringLiteral("24"));
        QCOMPARE(w.BarTextInput->text(), QString());
        QVERIFY(w.Form3->L4->isChecked());
        QCOMPARE(setting(QStringLiteral("FontSize")), QStringLiteral("C"));
        QCOMPARE(setting(QStringLiteral("Data")), QStringLiteral("ABC123"));
        QCOMPARE(setting(QStringLiteral("Type")), QStringLiteral("H"));
        QCOMPARE(setting(QStringLiteral("LabelSize")), QStringLiteral("4"));
        QCOMPARE(setting(QStringLiteral("LabelExplain")), QStringLiteral("1"));
        QCOMPARE(setting(QStringLiteral("LabelFill")), QStringLiteral("0"));
        QCOMPARE(setting(QStringLiteral("DisplayChecksums")), QStringLiteral("0"));
        QCOMPARE(setting(QStringLiteral("Left")), QString::number(w.pos().x()));
        QCOMPARE(setting(QStringLiteral("HintsOff")), QStringLiteral("<missing>"));
        QVERIFY(desktop().requestsOf(platform::RequestKind::Warning).isEmpty());
        QVERIFY(desktop().requestsOf(platform::RequestKind::ExecDialog).isEmpty()); // Enabled=0

        close();
        QCOMPARE(setting(QStringLiteral("FontSize")), QStringLiteral("D"));
        QCOMPARE(setting(QStringLiteral("Data")), QString());
        const QString text = settingsText();
        QVERIFY(text.contains(QStringLiteral("0=First tip\n1=Second tip\n")));
        QVERIFY(text.contains(QStringLiteral("Position=0\nMaximum=1\nEnabled=0\n")));
    }

    void tipWindowOpensWhenEnabled() {
        writeSettingsFile(
            QString(TipsOnly).replace(QStringLiteral("Enabled=0"), QStringLiteral("Enabled=1")));
        start();
        QCOMPARE(desktop().requestsOf(platform::RequestKind::ExecDialog),
                 QList<Request>({{platform::RequestKind::ExecDialog, {QStringLiteral("Tip")}}}));
        QVERIFY(fixture_->window->TipCheckBox->isChecked());
    }

    void secondRunRestoresEverything() {
        writeSettingsFile(TipsOnly +
                          QStringLiteral("[Settings]\nLeft=40\nTop=30\nType=S\n"
                                         "FontSize=B\nPointSize=abc\nData=\" AB\u00AAI \"\n"
                                         "DisplayChecksums=1\nLabelSize=7\n"
                                         "LabelExplain=0\nLabelFill=1\nHintsOff=1\n"));
        TStriaInput& w = start();
        QCOMPARE(w.pos(), QPoint(40, 30));
        QVERIFY(w.RadioButton1->isChecked());
        QVERIFY(w.SizeB->isChecked());
        QCOMPARE(w.PointSize->currentText(), QStringLiteral("abc"));
        QCOMPARE(w.BarTextInput->text(), QStringLiteral(" AB\u00AAI "));
        QCOMPARE(w.BarTextInput->selectedText(), w.BarTextInput->text());
        QVERIFY(w.DispSums->isChecked());
        QVERIFY(w.Form3->L7->isChecked());
        QVERIFY(!w.Form3->ExplainPaste->isChecked());
        QVERIFY(w.Form3->FillLabels->isChecked());
        QVERIFY(!w.TipCheckBox->isChecked());
        QVERIFY(w.hints().hintsOff());
        QCOMPARE(w.BarTextOut->text(), QString());
        QCOMPARE(w.BarCodeOut->toPlainText(), QString());
        QVERIFY(!w.made());
        QVERIFY(desktop().requests().isEmpty());

        close();
        QCOMPARE(setting(QStringLiteral("Data")), QStringLiteral(" AB\u00AAI "));
        QCOMPARE(setting(QStringLiteral("Type")), QStringLiteral("S"));
        QCOMPARE(setting(QStringLiteral("FontSize")), QStringLiteral("B"));
        QCOMPARE(setting(QStringLiteral("PointSize")), QStringLiteral("abc"));
        QCOMPARE(setting(QStringLiteral("LabelSize")), QStringLiteral("7"));
        QCOMPARE(setting(QStringLiteral("LabelFill")), QStringLiteral("1"));
        QCOMPARE(setting(QStringLiteral("Left")), QStringLiteral("40"));
    }

    // The close routine writes every option in one replacement of the file: a failure or a crash
    // leaves the options of the last run or of this one, never half of each.
    void closeWritesTheSettingsFileOnce() {
        writeSettingsFile(TipsOnly + QStringLiteral("[Settings]\nData=old\nLabelSize=2\n"));
        TStriaInput& w = start();
        w.BarTextInput->setText(QStringLiteral("NEW"));
        w.SizeA->click();
        w.DispSums->click();
        FileWrites writes(dataFolder());
        close();
        QCOMPARE(writes.of(QStringLiteral("striatips.ini")), 1);
        QCOMPARE(setting(QStringLiteral("Data")), QStringLiteral("NEW"));
        QCOMPARE(setting(QStringLiteral("FontSize")), QStringLiteral("A"));
        QCOMPARE(setting(QStringLiteral("DisplayChecksums")), QStringLiteral("1"));
        QCOMPARE(setting(QStringLiteral("LabelSize")), QStringLiteral("2"));
    }

    // Copy, Labels, Sample and Export without a barcode, also after a Make that was refused:
    // the error display and nothing else.
    void commandsNeedABarcode_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("refusedMakeBefore");
        QTest::addColumn<QString>("message");
        QTest::newRow("Copy") << "CopyButtonClick" << false
                              << "Error: Nothing to copy to clip board";
        QTest::newRow("Labels") << "PrintLabels" << false
                                << "Make a bar code before printing labels";
        QTest::newRow("Export") << "BuildGraphic" << false
                                << "Error: Click the \"Make\" button before exporting a graphic";
        QTest::newRow("Sample") << "PrintButtonClick" << false
                                << "Error: Must click \"Make\" before printing a sample";
        QTest::newRow("Sample after a refused Make")
            << "PrintButtonClick" << true << "Error: Must click \"Make\" before printing a sample";
        QTest::newRow("Copy after a refused Make")
            << "CopyButtonClick" << true << "Error: Nothing to copy to clip board";
    }
    void commandsNeedABarcode() {
        QFETCH(QString, button);
        QFETCH(bool, refusedMakeBefore);
        QFETCH(QString, message);
        TStriaInput& w = startWithData(QStringLiteral("ABC123"));
        if (refusedMakeBefore) {
            make(w);
            w.BarTextInput->clear();
            make(w);
        }
        QApplication::clipboard()->setText(QStringLiteral("untouched"));
        desktop().clear();
        desktop().answerPrintDialog(true);
        w.findChild<QPushButton*>(button)->click();
        QCOMPARE(w.BarCodeOut->toPlainText(), message);
        QCOMPARE(w.BarCodeOut->currentFont().family(), QStringLiteral("Arial"));
        QVERIFY(w.BarTextOut->text().isEmpty());
        QVERIFY(!w.made());
        QCOMPARE(desktop().requests(), QList<Request>({{platform::RequestKind::Beep, {}}}));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("untouched"));
    }

    void unusualStoredValues_data() {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("checked"); // object name of the control that must be checked
        QTest::addColumn<QString>("writtenKey");
        QTest::addColumn<QString>("written");
        QTest::newRow("Type h") << "Type=h"
                                << "RadioButton1"
                                << "Type"
                                << "S";
        QTest::newRow("Type empty") << "Type="
                                    << "RadioButton1"
                                    << "Type"
                                    << "S";
        QTest::newRow("FontSize a") << "FontSize=a"
                                    << "SizeF"
                                    << "FontSize"
                                    << "F";
        QTest::newRow("FontSize G") << "FontSize=G"
                                    << "SizeF"
                                    << "FontSize"
                                    << "F";
        QTest::newRow("LabelSize 0") << "LabelSize=0"
                                     << "L9"
                                     << "LabelSize"
                                     << "9";
        QTest::newRow("LabelSize 10") << "LabelSize=10"
                                      << "L9"
                                      << "LabelSize"
                                      << "9";
        QTest::newRow("LabelSize -1") << "LabelSize=-1"
                                      << "L9"
                                      << "LabelSize"
                                      << "9";
        QTest::newRow("no Left and Top") << "Data=x"
                                         << "RadioButton2"
                                         << "Left"
                                         << "0";
    }
    void unusualStoredValues() {
        QFETCH(QString, lines);
        QFETCH(QString, checked);
        QFETCH(QString, writtenKey);
        QFETCH(QString, written);
        writeSettingsFile(TipsOnly + QStringLiteral("[Settings]\n") + lines + QLatin1Char('\n'));
        TStriaInput& w = start();
        auto* button = w.findChild<QRadioButton*>(checked);
        QVERIFY(button);
        QVERIFY(button->isChecked());
        close();
        QCOMPARE(setting(writtenKey), written);
    }

    void headerWithoutKeysCountsAsFirstRun() {
        writeSettingsFile(TipsOnly + QStringLiteral("[Settings]\n"));
        TStriaInput& w = start();
        QCOMPARE(w.BarTextInput->text(), QString());
        QCOMPARE(setting(QStringLiteral("Data")), QStringLiteral("ABC123"));
    }

    void missingDataFolderWarnsOnceAndWritesNothing() {
        TStriaInput& w = start();
        QVERIFY(!w.dataFolderFound());
        const QPoint at = w.pos() + QPoint(100, 100);
        QCOMPARE(desktop().requests(),
                 QList<Request>({{platform::RequestKind::Warning,
                                  {QStringLiteral("The folder %1 is missing, please re-install "
                                                  "this product.")
                                       .arg(dataFolder()),
                                   QStringLiteral("%1,%2").arg(at.x()).arg(at.y())}}}));
        QVERIFY(dataFolder().endsWith(QStringLiteral("/Stria/")));
        close();
        QVERIFY(!QFileInfo::exists(dataFolder()));
    }

    void firstStartSetsItselfUp() {
        QTemporaryDir installed;
        for (const auto& [name, text] :
             {std::pair{"striatips.ini", QString(TipsOnly).replace(QStringLiteral("Enabled=0"),
                                                                   QStringLiteral("Enabled=1"))},
              std::pair{"lz161.rtf", QStringLiteral("{\\rtf1}")}}) {
            QFile file(installed.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text.toUtf8());
        }
        desktop().setInstalledDataFolder(installed.path());
        TStriaInput& w = start();
        QVERIFY(w.dataFolderFound());
        QVERIFY(QFileInfo(dataFolder() + QStringLiteral("lz161.rtf")).isFile());
        QCOMPARE(desktop().requests(),
                 QList<Request>({{platform::RequestKind::ExecDialog, {QStringLiteral("Tip")}}}));
        QCOMPARE(setting(QStringLiteral("Data")), QStringLiteral("ABC123"));
    }

    // Width and Height come back within the screen; where the desktop keeps window positions
    // to itself (Wayland), the close leaves the stored Left and Top alone.
    void windowSizeAndPlace_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("placesWindows");
        QTest::addColumn<QSize>("size"); // invalid: the size the controls need; 0 x 0: the screen's
        QTest::addColumn<QString>("written");
        const QString both = QStringLiteral("Left=40\nTop=30\nWidth=700\nHeight=500");
        QTest::newRow("size stored") << both << true << QSize(700, 500) << "200,100,650,480";
        QTest::newRow("no size stored")
            << "Left=40\nTop=30" << true << QSize() << "200,100,650,480";
        QTest::newRow("larger than the screen")
            << "Width=5000\nHeight=4000" << true << QSize(0, 0) << "200,100,650,480";
        QTest::newRow("positions unknown") << both << false << QSize(700, 500) << "40,30,650,480";
        QTest::newRow("positions unknown, first run")
            << "" << false << QSize() << "250,118,650,480";
    }
    void windowSizeAndPlace() {
        QFETCH(QString, stored);
        QFETCH(bool, placesWindows);
        QFETCH(QSize, size);
        QFETCH(QString, written);
        desktop().setPlacesWindows(placesWindows);
        writeSettingsFile(TipsOnly + QStringLiteral("[Settings]\n") + stored + QLatin1Char('\n'));
        const QSize needed = TStriaInput(desktop()).size();
        TStriaInput& w = start();
        const QSize screen = w.screen()->availableSize().shrunkBy(platform::FrameMargins(w));
        QCOMPARE(w.size(), !size.isValid() ? needed : size.isEmpty() ? screen : size);
        w.move(200, 100);
        w.resize(650, 480);
        close();
        QStringList keys;
        for (const char* key : {"Left", "Top", "Width", "Height"}) {
            keys.append(setting(QLatin1String(key)));
        }
        QCOMPARE(keys.join(QLatin1Char(',')), written);
    }

    // Black bars on white whatever the colour scheme, and no selection colours after a copy.
    void previewStaysPaper_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("Copy") << "CopyButtonClick";
        QTest::newRow("Labels") << "PrintLabels";
    }
    void previewStaysPaper() {
        QFETCH(QString, button);
        const QPalette desktopColours = QApplication::palette();
        QApplication::setPalette(DarkPalette());
        const auto restore = qScopeGuard([&] { QApplication::setPalette(desktopColours); });
        TStriaInput& w = startWithData(QStringLiteral("ABC123"));
        make(w);
        desktop().setDialogHandler([&w](QDialog& dialog) {
            if (&dialog == w.Form3) {
                w.Form3->PrintLabels->click();
            }
            return int(QDialog::Rejected);
        });
        w.findChild<QPushButton*>(button)->click();
        QVERIFY(!w.BarCodeOut->textCursor().hasSelection());
        const QImage shown = w.BarCodeOut->viewport()->grab().toImage();
        int black = 0;
        int white = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const int grey = qGray(shown.pixel(x, y));
                black += grey < 64 ? 1 : 0;
                white += grey > 192 ? 1 : 0;
            }
        }
        QCOMPARE(qGray(shown.pixel(1, 1)), 255);
        QVERIFY2(black > 200 && black + white > shown.width() * shown.height() * 9 / 10,
                 qPrintable(QStringLiteral("%1 black, %2 white").arg(black).arg(white)));
    }

    void missingTipSectionWarnsUntilTheCloseWritesIt() {
        writeSettingsFile(QStringLiteral("[Settings]\nData=x\n"));
        start();
        const QList<Request> warnings = desktop().requestsOf(platform::RequestKind::Warning);
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(warnings.first().arguments.first(),
                 QStringLiteral("The Tip-of-the-Day file could not be found! Please re-install "
                                "this product."));
        close();
        desktop().clear();
        start();
        QVERIFY(desktop().requestsOf(platform::RequestKind::Warning).isEmpty());
    }

    // A FIFO would block the start-up in open() for ever: it counts as a file that cannot be read.
    void fifoAsSettingsFileWarnsAndIsLeftAlone() {
        QDir().mkpath(dataFolder());
        QCOMPARE(mkfifo(QFile::encodeName(settingsPath()).constData(), 0600), 0);
        start();
        const QList<Request> warnings = desktop().requestsOf(platform::RequestKind::Warning);
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(warnings.first().arguments.first(),
                 QStringLiteral("The settings file %1 cannot be read: it is not a regular file. "
                                "Stria leaves it as it is and does not keep your options.")
                     .arg(settingsPath()));
        close();
        QCOMPARE(desktop().requestsOf(platform::RequestKind::Warning).size(), 1);
        QVERIFY(QFileInfo(settingsPath()).exists() && !QFileInfo(settingsPath()).isFile());
    }

    // A write that fails at close is said once, with the file and the reason; the file stays.
    void failedWriteAtCloseWarns() {
        writeSettingsFile(QStringLiteral("[Settings]\nData=kept\n[TipoftheDay]\nEnabled=0\n"));
        QVERIFY(QFile::setPermissions(settingsPath(), QFile::ReadOwner | QFile::ReadGroup));
        TStriaInput& w = start();
        w.BarTextInput->setText(QStringLiteral("lost"));
        close();
        const QList<Request> warnings = desktop().requestsOf(platform::RequestKind::Warning);
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(warnings.first().arguments.first(),
                 QStringLiteral("Your options could not be saved in %1: The file is read-only.")
                     .arg(settingsPath()));
        QCOMPARE(setting(QStringLiteral("Data")), QStringLiteral("kept"));
        QVERIFY(!(QFileInfo(settingsPath()).permissions() & QFile::WriteOwner));
    }

    void makeShowsTheBarcode_data() {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ABC123") << "ABC123"
                                << "(ABC123W9)";
        QTest::newRow("Code 93") << "Code 93"
                                 << "(C?O?D?E~93<8)";
        QTest::newRow("TEST 1") << "TEST 1"
                                << "(TEST~134)";
        QTest::newRow("F8") << "F8"
                            << "(F8~5)";
        QTest::newRow("two spaces") << "  "
                                    << "(~~KM)";
        QTest::newRow("both restarts") << "ABCDEFGHIJKLMNOPQRSTU"
                                       << "(ABCDEFGHIJKLMNOPQRSTUVM)";
    }
    void makeShowsTheBarcode() {
        QFETCH(QString, data);
        QFETCH(QString, expected);
        TStriaInput& w = startWithData(data);
        // The accelerator animates the click, which lands a moment later.
        QTest::keyClick(w.BarTextInput, Qt::Key_M, Qt::AltModifier);
        QTRY_VERIFY(w.made());
        QCOMPARE(w.BarTextOut->text(), expected);
        QCOMPARE(w.BarTextOut->font().pointSize(), 10);
        QCOMPARE(w.BarCodeOut->toPlainText(), expected + QStringLiteral("  "));
        for (int i = 0; i < expected.size() + 2; ++i) {
            QCOMPARE(FaceAt(w.BarCodeOut, i), qMakePair(QStringLiteral("Sample 93 d HR"), 24.0));
        }
        QVERIFY(w.made());
        QCOMPARE(QApplication::focusWidget(), w.BarTextInput);
        QVERIFY(desktop().requestsOf(platform::RequestKind::Beep).isEmpty());
    }

    void makeWithSumsShowsThemInTheOutputOnly() {
        TStriaInput& w = startWithData(QStringLiteral("ABC123"));
        QTest::mouseClick(w.DispSums, Qt::LeftButton);
        make(w);
        QCOMPARE(w.BarTextOut->text(),
                 QStringLiteral("(ABC123W9)   CSum: 173  Ksum: 244  CCheck: 32  KCheck: 9"));
        QCOMPARE(w.BarTextOut->font().pointSize(), 8);
        QCOMPARE(w.BarCodeOut->toPlainText(), QStringLiteral("(ABC123W9)  "));
        // Clearing the box only decides the next Make.
        QTest::mouseClick(w.DispSums, Qt::LeftButton);
        QCOMPARE(w.BarTextOut->text().size(), 56);
        make(w);
        QCOMPARE(w.BarTextOut->text(), QStringLiteral("(ABC123W9)"));
        QCOMPARE(w.BarTextOut->font().pointSize(), 10);
    }

    void refusalsGoThroughTheErrorDisplay_data() {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << ""
                               << "Error:- no input data";
        QTest::newRow("first illegal character")
            << "AB\u0100C\u0101"
            << "Error: input character \"\u0100\" not legal in bar code 93";
    }
    void refusalsGoThroughTheErrorDisplay() {
        QFETCH(QString, data);
        QFETCH(QString, message);
        TStriaInput& w = startWithData(QStringLiteral("OK"));
        make(w);
        QVERIFY(w.made());
        w.BarTextInput->setText(data);
        make(w);
        QCOMPARE(w.BarCodeOut->toPlainText(), message);
        QCOMPARE(FaceAt(w.BarCodeOut, 0), qMakePair(QStringLiteral("Arial"), 12.0));
        QCOMPARE(w.BarTextOut->text(), QString());
        QVERIFY(!w.made());
        QCOMPARE(desktop().requests(), QList<Request>({{platform::RequestKind::Beep, {}}}));
        QCOMPARE(QApplication::focusWidget(), w.BarTextInput);
    }

    void makeWithAPointSizeItCannotUseChangesNothing_data() {
        QTest::addColumn<QString>("pointSize");
        QTest::addColumn<QString>("message");
        const QString notANumber = QStringLiteral("'%1' is not a valid integer value");
        QTest::newRow("letters") << "ab" << notANumber.arg("ab");
        QTest::newRow("empty") << "" << notANumber.arg("");
        QTest::newRow("zero") << "0" << notANumber.arg("0");
        // The clipboard's rich text would carry another size.
        QTest::newRow("above 16383") << "16384"
                                     << "Point size 16384 is too large: the largest is 16383.";
    }
    void makeWithAPointSizeItCannotUseChangesNothing() {
        QFETCH(QString, pointSize);
        QFETCH(QString, message);
        TStriaInput& w = startWithData(QStringLiteral("ABC123"));
        make(w);
        w.BarTextInput->setText(QStringLiteral("XYZ"));
        w.PointSize->setEditText(pointSize);
        make(w);
        QCOMPARE(desktop().requests(),
                 QList<Request>({{platform::RequestKind::ErrorDialog, {message}}}));
        QCOMPARE(w.BarTextOut->text(), QStringLiteral("(ABC123W9)"));
        QCOMPARE(w.BarCodeOut->toPlainText(), QStringLiteral("(ABC123W9)  "));
        QVERIFY(w.made());
    }

    void pointSizeRestylesOnlyTheBarcodeRun() {
        TStriaInput& w = startWithData(QStringLiteral("ABC123"));
        make(w);
        w.PointSize->setFocus();
        w.PointSize->setCurrentIndex(w.PointSize->findText(QStringLiteral("48")));
        emit w.PointSize->activated(w.PointSize->currentIndex()); // as a choice from the list
        QCOMPARE(FaceAt(w.BarCodeOut, 0), qMakePair(QStringLiteral("Sample 93 d HR"), 48.0));
        QCOMPARE(FaceAt(w.BarCodeOut, 9), qMakePair(QStringLiteral("Sample 93 d HR"), 48.0));
        QCOMPARE(FaceAt(w.BarCodeOut, 10), qMakePair(QStringLiteral("Sample 93 d HR"), 24.0));
        QCOMPARE(FaceAt(w.BarCodeOut, 11), qMakePair(QStringLiteral("Sample 93 d HR"), 24.0));
        QCOMPARE(w.BarTextOut->text(), QStringLiteral("(ABC123W9)"));
        QCOMPARE(QApplication::focusWidget(), w.BarTextInput);

        QTest::mouseClick(w.RadioButton1, Qt::LeftButton);
        QTest::mouseClick(w.SizeA, Qt::LeftButton);
        QCOMPARE(FaceAt(w.BarCodeOut, 0), qMakePair(QStringLiteral("Sample 93 a"), 48.0));
        QCOMPARE(FaceAt(w.BarCodeOut, 10), qMakePair(QStringLiteral("Sample 93 d HR"), 24.0));
        QCOMPARE(w.BarCodeOut->toPlainText(), QStringLiteral("(ABC123W9)  "));
        QCOMPARE(w.currentFaceName(), QStringLiteral("Sample 93 a"));
    }

    // The focus stays while the user types; Enter (or leaving the box) takes it to the data
    // when the size is usable. A refused size says why on the box, without a message box.
    void typedPointSizes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<qreal>("previewSize");
        QTest::newRow("9") << "9" << false << false << 24.0;
        QTest::newRow("17") << "17" << false << false << 24.0;
        QTest::newRow("18") << "18" << false << true << 18.0;
        // "250" passes through "25", a usable size: the "0" still belongs to the box.
        QTest::newRow("250") << "250" << false << true << 250.0;
        QTest::newRow("letters") << "ab" << false << false << 24.0;
        QTest::newRow("above 16383") << "20000" << true << false << 24.0;
    }
    void typedPointSizes() {
        QFETCH(QString, typed);
        QFETCH(bool, pasted);
        QFETCH(bool, accepted);
        QFETCH(qreal, previewSize);
        TStriaInput& w = startWithData(QStringLiteral("ABC123"));
        make(w);
        desktop().clear();
        if (pasted) {
            QApplication::clipboard()->setText(typed);
            w.PointSize->setFocus();
            w.PointSize->lineEdit()->selectAll();
            w.PointSize->lineEdit()->paste();
        } else {
            setPointSize(w, typed);
        }
        QCOMPARE(w.PointSize->currentText(), typed);
        QCOMPARE(w.BarTextInput->text(), QStringLiteral("ABC123"));
        QCOMPARE(QApplication::focusWidget(), w.PointSize);
        QCOMPARE(FaceAt(w.BarCodeOut, 0).second, previewSize);
        QCOMPARE(w.PointSize->toolTip(),
                 accepted ? QString() : QStringLiteral("18 to 16383 points"));
        QCOMPARE(w.PointSize->styleSheet().contains(QStringLiteral("border")), !accepted);
        QTest::keyClick(w.PointSize, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(),
                 accepted ? static_cast<QWidget*>(w.BarTextInput) : w.PointSize);
        QCOMPARE(desktop().requests(), QList<Request>());
    }

    void leavingAShortPointSizeComesBack() {
        TStriaInput& w = startWithData(QStringLiteral("ABC123"));
        // Not completed to the listed "30" on the way out.
        setPointSize(w, QStringLiteral("3"));
        QCOMPARE(QApplication::focusWidget(), w.PointSize);
        QTest::mouseClick(w.SizeC, Qt::LeftButton);
        QCOMPARE(w.PointSize->currentText(), QStringLiteral("3"));
        QCOMPARE(QApplication::focusWidget(), w.PointSize);
        w.BarTextInput->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), w.PointSize);
    }

    void optionsWithoutABarcodeOnlyMoveTheFocus() {
        TStriaInput& w = startWithData(QStringLiteral("ABC123"));
        QTest::mouseClick(w.SizeF, Qt::LeftButton);
        QCOMPARE(w.BarCodeOut->toPlainText(), QString());
        QCOMPARE(QApplication::focusWidget(), w.BarTextInput);
    }

    void restyleAfterASumsMakeRestylesTheBarcode() {
        TStriaInput& w = startWithData(QStringLiteral("ABC123"));
        QTest::mouseClick(w.DispSums, Qt::LeftButton);
        make(w);
        QTest::mouseClick(w.RadioButton1, Qt::LeftButton);
        QTest::mouseClick(w.SizeF, Qt::LeftButton);
        QCOMPARE(FaceAt(w.BarCodeOut, 0), qMakePair(QStringLiteral("Sample 93 f"), 24.0));
        QCOMPARE(FaceAt(w.BarCodeOut, 9), qMakePair(QStringLiteral("Sample 93 f"), 24.0));
        QCOMPARE(FaceAt(w.BarCodeOut, 10), qMakePair(QStringLiteral("Sample 93 d HR"), 24.0));
        QCOMPARE(w.BarCodeOut->toPlainText(), QStringLiteral("(ABC123W9)  "));
        QVERIFY(w.BarTextOut->text().endsWith(QStringLiteral("KCheck: 9")));
    }

    void longBarcodesStayWhole() {
        // Longer than a line edit's usual 32,767 characters, both the data and the string.
        const QString data(40000, QLatin1Char('A'));
        writeSettingsFile(TipsOnly + QStringLiteral("[Settings]\nData=") + data +
                          QLatin1Char('\n'));
        TStriaInput& w = start();
        QCOMPARE(w.BarTextInput->text(), data);
        make(w);
        const QString barcode = w.BarTextOut->text();
        QCOMPARE(barcode.size(), data.size() + 4);
        QVERIFY(barcode.startsWith(QLatin1Char('(') + data) && barcode.endsWith(QLatin1Char(')')));
        QCOMPARE(w.BarCodeOut->toPlainText(), barcode + QStringLiteral("  "));
        QTest::mouseClick(w.SizeA, Qt::LeftButton);
        QCOMPARE(FaceAt(w.BarCodeOut, barcode.size() - 1),
                 qMakePair(QStringLiteral("Sample 93 a HR"), 24.0));
    }

    void insertAppendsThePair_data() {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QStringList>("listTexts");
        QTest::addColumn<QString>("expectedData");
        QTest::addColumn<QString>("expectedBarcode");
        QTest::newRow("Tab") << "AB" << QStringList{"Tab"} << "AB\u00AAI"
                             << "(AB<I-D)";
        QTest::newRow("CR LF") << "ABC123" << QStringList{"Carriage Return", "Line Feed"}
                               << "ABC123\u00AAM\u00AAJ"
                               << "(ABC123<M<JE6)";
        QTest::newRow("typed Ctrl-o") << "A" << QStringList{"Ctrl-o"} << "A\u00AAo"
                                      << "";
        QTest::newRow("Null") << "" << QStringList{"Null"} << "\u00A9U"
                              << "";
        QTest::newRow("Ctrl-Z") << "" << QStringList{"Ctrl-Z"} << "\u00AAZ"
                                << "";
        QTest::newRow("letter case matters") << "" << QStringList{"Tab   Z"} << "\u00AA "
                                             << "";
        // The list neither completes nor corrects what is typed into it.
        QTest::newRow("carriage return") << "" << QStringList{"carriage return"} << "\u00AAa"
                                         << "";
        QTest::newRow("ctrl-a") << "" << QStringList{"ctrl-a"} << "\u00AAa"
                                << "";
    }
    void insertAppendsThePair() {
        QFETCH(QString, data);
        QFETCH(QStringList, listTexts);
        QFETCH(QString, expectedData);
        QFETCH(QString, expectedBarcode);
        TStriaInput& w = startWithData(data);
        w.BarTextInput->setCursorPosition(0);
        for (const QString& text : listTexts) {
            typeIntoTheList(w, text);
            QTest::mouseClick(w.AddButtonClick, Qt::LeftButton);
        }
        QCOMPARE(w.BarTextInput->text(), expectedData);
        QCOMPARE(w.BarTextInput->cursorPosition(), expectedData.size());
        QCOMPARE(QApplication::focusWidget(), w.BarTextInput);
        if (!expectedBarcode.isEmpty()) {
            make(w);
            QCOMPARE(w.BarTextOut->text(), expectedBarcode);
        }
    }

    void insertKeepsASelectionAndTheMadeFlag() {
        TStriaInput& w = startWithData(QStringLiteral("ABC123"));
        make(w);
        w.BarTextInput->setSelection(1, 2);
        QTest::mouseClick(w.AddButtonClick, Qt::LeftButton);
        QCOMPARE(w.BarTextInput->text(), QStringLiteral("ABC123\u00AAI"));
        QCOMPARE(w.BarCodeOut->toPlainText(), QString());
        QCOMPARE(w.BarCodeOut->document()->defaultFont().family(), QStringLiteral("Arial"));
        QCOMPARE(w.BarTextOut->text(), QString());
        QVERIFY(w.made());
        QVERIFY(desktop().requests().isEmpty());
    }

    void insertOfAShortUnknownTextAddsNothingAndBeeps_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("TAB") << "TAB";
        QTest::newRow("Ctrl-") << "Ctrl-";
    }
    void insertOfAShortUnknownTextAddsNothingAndBeeps() {
        QFETCH(QString, typed);
        TStriaInput& w = startWithData(QStringLiteral("AB"));
        typeIntoTheList(w, typed);
        QTest::mouseClick(w.AddButtonClick, Qt::LeftButton);
        QCOMPARE(w.ComboBox1->currentText(), typed);
        QCOMPARE(w.BarTextInput->text(), QStringLiteral("AB"));
        QCOMPARE(desktop().requests(), QList<Request>({{platform::RequestKind::Beep, {}}}));
    }

    void accelerators_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("Make") << "MakeButtonClick" << QKeySequence(Qt::ALT | Qt::Key_M);
        QTest::newRow("Copy") << "CopyButtonClick" << QKeySequence(Qt::ALT | Qt::Key_C);
        QTest::newRow("Insert") << "AddButtonClick" << QKeySequence(Qt::ALT | Qt::Key_I);
        QTest::newRow("Labels") << "PrintLabels" << QKeySequence(Qt::ALT | Qt::Key_L);
        QTest::newRow("Sample") << "PrintButtonClick" << QKeySequence(Qt::ALT | Qt::Key_S);
        QTest::newRow("Export") << "BuildGraphic" << QKeySequence(Qt::ALT | Qt::Key_E);
        QTest::newRow("Tips") << "ShowTip" << QKeySequence(Qt::ALT | Qt::Key_T);
        QTest::newRow("Help") << "HelpButtonClick" << QKeySequence(Qt::ALT | Qt::Key_H);
    }
    void accelerators() {
        QFETCH(QString, button);
        QFETCH(QKeySequence, keys);
        TStriaInput w(desktop());
        auto* control = w.findChild<QPushButton*>(button);
        QVERIFY(control);
        QCOMPARE(control->shortcut(), keys);
    }

    void tabOrderFollowsTheForm() {
        writeSettingsFile(TipsOnly + QStringLiteral("[Settings]\nFontSize=B\n"));
        TStriaInput& w = start();
        // Each group is entered at its checked button; leaving PointSize runs the option
        // handler, which sends the focus back to the data.
        const QList<QWidget*> expected = {w.BarTextOut,      w.ComboBox1,       w.PrintButtonClick,
                                          w.MakeButtonClick, w.CopyButtonClick, w.AddButtonClick,
                                          w.BarCodeOut,      w.RadioButton2,    w.SizeB,
                                          w.PointSize,       w.BarTextInput};
        QCOMPARE(QApplication::focusWidget(), w.BarTextInput);
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QTest::mouseClick(w.SizeE, Qt::LeftButton);
        w.BarCodeOut->setFocus();
        QTest::keyClick(w.BarCodeOut, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.SizeE);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), w.RadioButton2);
    }
};

int main(int argc, char** argv) {
    // Nothing of the tester's own desktop is read or written.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    qputenv("XDG_DOCUMENTS_DIR", (home.path() + QStringLiteral("/Documents")).toLocal8Bit());
    QApplication application(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_main_window.moc"
