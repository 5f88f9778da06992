#include "dialogs/label_dialog.h"

#include "dialogs/radio_group_focus.h"
#include "sheet/label_stock.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

// The user's own sheet, L9, and the fallback of every unknown choice.
const QString CustomTemplate = QStringLiteral("custom.rtf");

// One height for every row of the three columns, so that each sheet's texts line up.
constexpr int RowHeight = 24;

QVBoxLayout* ColumnLayout(QGroupBox* group) {
    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(0);
    layout->setContentsMargins(8, 4, 8, 4);
    return layout;
}

// Inches as the dialog shows them: two decimals, or three where a third is exact (2.625).
QString Inches(double points) {
    const double inches = points / 72;
    const bool thousandths = std::abs(inches * 1000 - std::round(inches * 1000)) < 1e-6 &&
                             std::abs(inches * 100 - std::round(inches * 100)) >= 1e-6;
    return QString::number(inches, 'f', thousandths ? 3 : 2);
}

QLabel* ColumnText(const QString& text, QGroupBox* group) {
    auto* label = new QLabel(text, group);
    label->setFixedHeight(RowHeight);
    label->setAlignment(Qt::AlignCenter);
    group->layout()->addWidget(label);
    return label;
}

} // namespace

TForm3::TForm3(QWidget& mainWindow, platform::Platform& platform, QTextEdit& preview,
               QWidget& dataBox)
    : PlacedDialog(mainWindow, QPoint(81, 25)), platform_(platform), preview_(preview),
      dataBox_(dataBox) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Label Printing"));

    Label1 = new QLabel(QStringLiteral("What size label do you want to print?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);

    buildSheetColumns();
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

void TForm3::buildSheetColumns() {
    LabelSizeGroup = new QGroupBox(QStringLiteral("Label Size "), this);
    SheetGroup = new QGroupBox(QStringLiteral("Labels / Sheet "), this);
    NumberGroup = new QGroupBox(QStringLiteral("Label Number "), this);
    for (QGroupBox* group : {LabelSizeGroup, SheetGroup, NumberGroup}) {
        ColumnLayout(group);
    }
    const auto addRow = [this](const QString& size, const QString& perSheet,
                               const QString& number) {
        auto* button = new QRadioButton(size, LabelSizeGroup);
        button->setFixedHeight(RowHeight);
        LabelSizeGroup->layout()->addWidget(button);
        ColumnText(perSheet, SheetGroup);
        ColumnText(number, NumberGroup);
        return button;
    };
    std::array<QRadioButton**, 9> members = {&L1, &L2, &L3, &L4, &L5, &L6, &L7, &L8, &L9};
    const std::vector<sheet::LabelStock> stocks = sheet::DialogStocks();
    for (std::size_t i = 0; i < stocks.size(); ++i) {
        const sheet::LabelStock& stock = stocks[i];
        *members[i] = addRow(QStringLiteral("%1 x %2").arg(Inches(stock.labelSize.width()),
                                                           Inches(stock.labelSize.height())),
                             QString::number(stock.labelsPerSheet()), stock.name);
    }
    L9 = addRow(QStringLiteral("Custom"), QStringLiteral("User defined"), QStringLiteral("---"));
    for (std::size_t i = 0; i < members.size(); ++i) {
        (*members[i])->setObjectName(QStringLiteral("L%1").arg(i + 1));
    }
}

std::array<QRadioButton*, 9> TForm3::labelButtons() const {
    return {L1, L2, L3, L4, L5, L6, L7, L8, L9};
}

int TForm3::labelSize() const {
    const std::array<QRadioButton*, 9> buttons = labelButtons();
    for (std::size_t i = 0; i + 1 < buttons.size(); ++i) {
        if (buttons[i]->isChecked()) {
            return int(i) + 1;
        }
    }
    return 9;
}

void TForm3::setLabelSize(int size) {
    labelButtons()[size >= 1 && size <= 8 ? size - 1 : 8]->setChecked(true);
}

bool TForm3::explainPaste() const {
    return ExplainPaste->isChecked();
}

void TForm3::setExplainPaste(bool explain) {
    ExplainPaste->setChecked(explain);
}

bool TForm3::fillLabels() const {
    return FillLabels->isChecked();
}

void TForm3::setFillLabels(bool fill) {
    FillLabels->setChecked(fill);
}

QString TForm3::templateFileName() const {
    const int size = labelSize();
    const std::vector<sheet::LabelStock> stocks = sheet::DialogStocks();
    return size <= int(stocks.size()) ? stocks[size - 1].templateFile : CustomTemplate;
}
