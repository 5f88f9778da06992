#include "tip_window.h"

#include "main/stria_input.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

QPushButton* FlatButton(const char* name, const QString& caption, const QString& hint,
                        QPoint topLeft, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFlat(true);
    button->setToolTip(hint);
    button->move(topLeft);
    button->resize(button->sizeHint().width(), 25);
    return button;
}

} // namespace

TTip::TTip(TStriaInput& stria) : PlacedDialog(stria, QPoint(78, 100)), StriaInput(stria) {
    setObjectName(QStringLiteral("Tip"));
    setWindowTitle(QStringLiteral("Tip of the Day"));
    setFixedSize(300, 180);

    // The tip window is a picture with texts and buttons on it, so it keeps fixed positions.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 300, 180);
    Image1->setScaledContents(true);

    Memo1 = new QPlainTextEdit(QStringLiteral("A helpfull hint goes here."), this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(8, 44, 280, 89);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    TipLabel = new QLabel(this);
    TipLabel->setObjectName(QStringLiteral("TipLabel"));
    TipLabel->setAttribute(Qt::WA_TranslucentBackground);
    TipLabel->setGeometry(8, 152, 60, 20);

    SpeedButton1 =
        FlatButton("SpeedButton1", QStringLiteral("&Previous"), QString(), QPoint(70, 145), this);
    NextTip = FlatButton("NextTip", QStringLiteral("&Next"), QStringLiteral("Show the next tip"),
                         QPoint(158, 145), this);
    ExitTips = FlatButton("ExitTips", QStringLiteral("E&xit"),
                          QStringLiteral("Return back to the program"), QPoint(237, 145), this);
    ExitTips->resize(qMin(ExitTips->width(), 300 - 237 - 4), 25);
}
