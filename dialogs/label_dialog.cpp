#include "label_dialog.h"

#include "main/stria_input.h"
#include "radio_group_focus.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

struct LabelSheet {
    const char* size;
    const char* perSheet;
    const char* number;
    const char* templateFile;
};

// One row per button, L1..L9; the last, the user's own sheet, is also the fallback.
constexpr std::array<LabelSheet, 9> Sheets = {{
    {"1.75 x 0.50", "80", "5167", "lz167.rtf"},
    {"1.75 x 1.25", "32", "6570", "lz570.rtf"},
    {"2.625 x 1.00", "30", "5160", "lz060.rtf"},
    {"4.00 x 1.00", "20", "5161", "lz161.rtf"},
    {"4.00 x 1.33", "14", "5162", "lz162.rtf"},
    {"4.00 x 1.50", "12", "5197", "lz197.rtf"},
    {"4.00 x 2.00", "10", "5163", "lz163.rtf"},
    {"4.00 x 3.33", "6", "5164", "lz164.rtf"},
    {"Custom", "User defined", "---", "custom.rtf"},
}};

// One height for every row of the three columns, so that each sheet's texts line up.
constexpr int RowHeight = 24;

QVBoxLayout* ColumnLayout(QGroupBox* group) {
    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(0);
    layout->setContentsMargins(8, 4, 8, 4);
    return layout;
}

} // namespace

TForm3::TForm3(TStriaInput& stria) : PlacedDialog(stria, QPoint(81, 25)), StriaInput(stria) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Label Printing"));

    Label1 = new QLabel(QStringLiteral("What size label do you want to print?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);

    LabelSizeGroup = new QGroupBox(QStringLiteral("Label Size "), this);
    SheetGroup = new QGroupBox(QStringLiteral("Labels / Sheet "), this);
    NumberGroup = new QGroupBox(QStringLiteral("Label Number "), this);
    QVBoxLayout* sizes = ColumnLayout(LabelSizeGroup);
    QVBoxLayout* perSheet = ColumnLayout(SheetGroup);
    QVBoxLayout* numbers = ColumnLayout(NumberGroup);

    std::array<QRadioButton**, 9> members = {&L1, &L2, &L3, &L4, &L5, &L6, &L7, &L8, &L9};
    for (std::size_t i = 0; i < Sheets.size(); ++i) {
        auto* button = new QRadioButton(QString::fromLatin1(Sheets[i].size), LabelSizeGroup);
        button->setObjectName(QStringLiteral("L%1").arg(i + 1));
        button->setFixedHeight(RowHeight);
        sizes->addWidget(button);
        *members[i] = button;
        for (auto [text, column, group] : {std::tuple{Sheets[i].perSheet, perSheet, SheetGroup},
                                           std::tuple{Sheets[i].number, numbers, NumberGroup}}) {
            auto* label = new QLabel(QString::fromLatin1(text), group);
            label->setFixedHeight(RowHeight);
            label->setAlignment(Qt::AlignCenter);
            column->addWidget(label);
        }
    }
    L4->setChecked(true);
    EnterGroupAtCheckedButton({L1, L2, L3, L4, L5, L6, L7, L8, L9});

    ExplainPaste =
        new QCheckBox(QStringLiteral("Explain how to paste a bar code on to a label"), this);
    ExplainPaste->setObjectName(QStringLiteral("ExplainPaste"));
    ExplainPaste->setToolTip(QStringLiteral(
        "Pop up a window explaining how to paste your bar code into your word processor"));
    ExplainPaste->setChecked(true);

    FillLabels = new QCheckBox(QStringLiteral("Fill every label"), this);
    FillLabels->setObjectName(QStringLiteral("FillLabels"));
    FillLabels->setToolTip(QStringLiteral(
        "Open a copy of the template with your bar code in every label, ready to print"));
    connect(L9, &QRadioButton::toggled, FillLabels,
            [this](bool custom) { FillLabels->setEnabled(!custom); });

    ExitLabels = new QPushButton(QStringLiteral("&Return"), this);
    ExitLabels->setObjectName(QStringLiteral("ExitLabels"));
    ExitLabels->setToolTip(
        QStringLiteral("Don't open the label template- return back to the utility"));
    PrintLabels = new QPushButton(QStringLiteral("&Print Labels"), this);
    PrintLabels->setObjectName(QStringLiteral("PrintLabels"));
    PrintLabels->setToolTip(
        QStringLiteral("Open the selected label template in your word processor"));
    PrintLabels->setDefault(true);

    connect(PrintLabels, &QPushButton::clicked, this, &TForm3::PrintLabelsClick);
    connect(ExitLabels, &QPushButton::clicked, this, &TForm3::ExitLabelsClick);

    auto* columns = new QHBoxLayout;
    columns->addWidget(LabelSizeGroup);
    columns->addWidget(SheetGroup);
    columns->addWidget(NumberGroup);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ExitLabels);
    buttons->addStretch();
    buttons->addWidget(FillLabels);
    buttons->addStretch();
    buttons->addWidget(PrintLabels);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(columns);
    layout->addWidget(ExplainPaste);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(293, 341)));
}

std::array<QRadioButton*, 9> TForm3::labelButtons() const {
    return {L1, L2, L3, L4, L5, L6, L7, L8, L9};
}

QString TForm3::templateFileName() const {
    const std::array<QRadioButton*, 9> buttons = labelButtons();
    for (std::size_t i = 0; i + 1 < Sheets.size(); ++i) {
        if (buttons[i]->isChecked()) {
            return QString::fromLatin1(Sheets[i].templateFile);
        }
    }
    return QString::fromLatin1(Sheets.back().templateFile);
}
