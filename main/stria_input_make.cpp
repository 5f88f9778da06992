// The Make action, the error display, the option handler with its restyle of the preview, and
// the Insert action with the data box's keys.
#include "control_characters/control_character_list.h"
#include "encoding/barcode_builder.h"
#include "encoding/code93.h"
#include "encoding/point_size.h"
#include "main/stria_input.h"
#include "picture/export_font_size.h"
#include "platform/platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolTip>

namespace {

const QString MessageFace = QStringLiteral("Arial");
constexpr int MessagePointSize = 12;
constexpr int OutputPointSize = 10;
constexpr int OutputWithSumsPointSize = 8;

QString FromU16(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

QTextCharFormat FaceFormat(const QString& family, int pointSize) {
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(pointSize);
    return format;
}

QString PointSizeRange() {
    return QStringLiteral("%1 to %2 points")
        .arg(code93::SmallestPointSize)
        .arg(code93::LargestPointSize);
}

const QString RefusedFrame = QStringLiteral("QComboBox { border: 2px solid #d00000; }");

QString TooLargeMessage(const QString& pointSize) {
    return QStringLiteral("Point size %1 is too large: the largest is %2.")
        .arg(pointSize)
        .arg(code93::LargestPointSize);
}

void SetPointSize(QWidget* widget, int pointSize) {
    QFont font = widget->font();
    font.setPointSize(pointSize);
    widget->setFont(font);
}

} // namespace

QString TStriaInput::currentFaceName() const {
    const code93::Style style =
        RadioButton2->isChecked() ? code93::Style::HumanReadable : code93::Style::Standard;
    return FromU16(code93::FaceName(style, sizeLetter()));
}

void TStriaInput::setPreview(const QString& family, int pointSize, const QString& text) {
    // The face is set on the box as a whole and on every character, so that each run carries it
    // explicitly (a copy of the preview names it) and typing into the box keeps it.
    const QTextCharFormat format = FaceFormat(family, pointSize);
    BarCodeOut->document()->setDefaultFont(format.font());
    BarCodeOut->setPlainText(text);
    QTextCursor all(BarCodeOut->document());
    all.select(QTextCursor::Document);
    all.setCharFormat(format);
    BarCodeOut->setCurrentCharFormat(format);
}

void TStriaInput::ErrorDisplay(const QString& message) {
    setPreview(MessageFace, MessagePointSize, message);
    BarTextOut->clear();
    platform_.beep();
    made_ = false;
    BarTextInput->setFocus();
}

std::optional<int> TStriaInput::pointSizeNumber() const {
    bool ok = false;
    const int number = PointSize->currentText().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

void TStriaInput::MakeButtonClickClick() {
    const QString data = BarTextInput->text();
    BarTextInput->setFocus();
    const code93::BuildResult result = code93::BuildBarcode(data.toStdU16String());
    if (const auto* refusal = std::get_if<code93::Refusal>(&result)) {
        ErrorDisplay(FromU16(refusal->message));
        return;
    }
    const auto& barcode = std::get<code93::Barcode>(result);
    const std::optional<int> pointSize = pointSizeNumber();
    // A font cannot have a size below one point; such a text is no usable number either.
    if (!pointSize || *pointSize < 1) {
        platform_.errorDialog(picture::NotAnIntegerMessage(PointSize->currentText()));
        return;
    }
    if (*pointSize > code93::LargestPointSize) {
        platform_.errorDialog(TooLargeMessage(PointSize->currentText()));
        return;
    }
    setPreview(currentFaceName(), *pointSize,
               FromU16(barcode.barcodeString) + QStringLiteral("  "));
    SetPointSize(BarTextOut, DispSums->isChecked() ? OutputWithSumsPointSize : OutputPointSize);
    BarTextOut->setText(FromU16(code93::OutputText(barcode, DispSums->isChecked())));
    BarTextOut->setCursorPosition(0);
    made_ = true;
    BarTextInput->setFocus();
}

void TStriaInput::RadioButton1Click() {
    // Moving the focus below leaves PointSize, which runs this handler again.
    if (inOptionHandler_) {
        return;
    }
    inOptionHandler_ = true;
    if (const std::optional<int> pointSize = acceptedPointSize()) {
        if (made_) {
            restyleBarcode(*pointSize);
        }
        BarTextInput->setFocus();
    } else {
        PointSize->setFocus();
        QToolTip::showText(PointSize->mapToGlobal(QPoint(0, PointSize->height())),
                           PointSize->toolTip(), PointSize);
    }
    inOptionHandler_ = false;
}

void TStriaInput::PointSizeChange() {
    // The user may still be typing: "250" passes through "25", so the focus stays.
    if (const std::optional<int> pointSize = acceptedPointSize(); pointSize && made_) {
        restyleBarcode(*pointSize);
    }
}

std::optional<int> TStriaInput::acceptedPointSize() {
    const QString text = PointSize->currentText();
    const std::optional<int> number = pointSizeNumber();
    const bool accepted = text.size() >= 2 && number && *number >= code93::SmallestPointSize &&
                          *number <= code93::LargestPointSize;
    // A refused size says why, on the box itself.
    PointSize->setToolTip(accepted ? QString() : PointSizeRange());
    PointSize->setStyleSheet(accepted ? QString() : RefusedFrame);
    return accepted ? number : std::nullopt;
}

void TStriaInput::restyleBarcode(int pointSize) {
    // Only the run that equals the output box changes: the spaces after it keep the Make's face.
    // With the sums shown, the output box's barcode string ends at its stop character, and the
    // preview starts with that string.
    QString barcode = BarTextOut->text();
    const qsizetype stop = barcode.indexOf(QChar(code93::StopChar));
    if (stop >= 0) {
        barcode.truncate(stop + 1);
    }
    if (barcode.isEmpty()) {
        return;
    }
    QTextCursor found =
        BarCodeOut->document()->find(barcode, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull()) {
        return;
    }
    found.mergeCharFormat(FaceFormat(currentFaceName(), pointSize));
}

void TStriaInput::AddButtonClickClick() {
    setPreview(MessageFace, MessagePointSize, QString());
    BarTextOut->clear();
    const QString pair = stria::SpecialCharacterPair(ComboBox1->currentText());
    if (pair.isEmpty()) {
        // A text too short to name a control character: nothing to add, and the user hears it.
        platform_.beep();
    }
    BarTextInput->setText(BarTextInput->text() + pair);
    BarTextInput->setFocus();
    BarTextInput->end(false);
}

void TStriaInput::BarTextInputKeyDown(int key, Qt::KeyboardModifiers /*modifiers*/) {
    // F1 asks for help with any of Shift, Ctrl or Alt held; the key still reaches the box.
    if (key == Qt::Key_F1) {
        HelpButtonClickClick();
    }
}

bool TStriaInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched == BarTextInput && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        BarTextInputKeyDown(key->key(), key->modifiers());
    } else if (watched == PointSize && event->type() == QEvent::KeyPress &&
               (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter)) {
        RadioButton1Click();
        return true;
    } else if (watched == PointSize && event->type() == QEvent::FocusOut) {
        // Leaving for another window (a message box, the list's popup) is not leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            RadioButton1Click();
        }
    }
    return QWidget::eventFilter(watched, event);
}
