// Building the main window: its controls, their arrangement, tab order and connections.
#include "main/stria_input.h"

#include "control_characters/control_character_list.h"
#include "dialogs/about_box.h"
#include "dialogs/accessible_name.h"
#include "dialogs/clickable_label.h"
#include "dialogs/export_dialog.h"
#include "dialogs/label_dialog.h"
#include "dialogs/radio_group_focus.h"
#include "dialogs/tip_window.h"
#include "dialogs/warning_box.h"
#include "links/vendor_links.h"
#include "main/hint_control.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <limits>

namespace {

template <typename Widget>
Widget* Named(Widget* widget, const char* name, const char* hint = nullptr) {
    widget->setObjectName(QString::fromLatin1(name));
    if (hint != nullptr) {
        widget->setToolTip(QString::fromLatin1(hint));
    }
    return widget;
}

// A picture from the desktop's icon theme, or our own when the theme has none.
QIcon ButtonPicture(const char* themeName, const char* fallback) {
    return QIcon::fromTheme(QString::fromLatin1(themeName),
                            QIcon(QStringLiteral(":/icons/") + QString::fromLatin1(fallback)));
}

QPushButton* PictureButton(const char* name, const char* caption, const char* hint, QIcon picture,
                           QWidget* parent) {
    auto* button =
        Named(new QPushButton(picture, QString::fromLatin1(caption), parent), name, hint);
    button->setIconSize(QSize(20, 20));
    return button;
}

QLabel* BoldText(const char* name, const char* text, QWidget* parent) {
    auto* label = Named(new QLabel(QString::fromUtf8(text), parent), name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

void SetPixelSize(QWidget* widget, int pixels) {
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
}

} // namespace

TStriaInput::TStriaInput(platform::Platform& platform, QWidget* parent)
    : QWidget(parent), platform_(platform), hints_(std::make_unique<stria::HintControl>()) {
    setObjectName(QStringLiteral("StriaInput"));
    setWindowTitle(QStringLiteral("Make a bar code 93"));
    // The installed desktop entry's icon, also when the program runs from the build tree; the
    // dialogs and message boxes take it from here.
    setWindowIcon(QIcon(QStringLiteral(":/icons/stria.svg")));
    move(FirstPosition);
    buildControls();
    arrangeControls();
    setTabOrder();
    connectHandlers();
    createDialogs();
}

TStriaInput::~TStriaInput() = default;

void TStriaInput::buildControls() {
    Panel1 = Named(new QFrame(this), "Panel1");
    Panel1->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    Label1 = BoldText(
        "Label1", "Control the height, width, type, and other options of your bar code", Panel1);

    GroupBox1 = Named(new QGroupBox(QStringLiteral(" Type of font "), Panel1), "GroupBox1",
                      "Select the type of bar code 93 font to use");
    RadioButton1 = Named(new QRadioButton(QStringLiteral("Standard"), GroupBox1), "RadioButton1",
                         "Just bar codes");
    RadioButton2 = Named(new QRadioButton(QStringLiteral("Human Readable"), GroupBox1),
                         "RadioButton2", "Bar codes and human readable text below");
    RadioButton2->setChecked(true);

    GroupBox2 = Named(new QGroupBox(QStringLiteral(" Size of font "), Panel1), "GroupBox2",
                      "Select one of six different aspect ratios");
    SizeA = Named(new QRadioButton(QStringLiteral("A"), GroupBox2), "SizeA",
                  "Widest bars compared to height");
    SizeB = Named(new QRadioButton(QStringLiteral("B"), GroupBox2), "SizeB", "Very wide bars");
    SizeC = Named(new QRadioButton(QStringLiteral("C"), GroupBox2), "SizeC", "Wide bars");
    SizeD = Named(new QRadioButton(QStringLiteral("D"), GroupBox2), "SizeD", "Standard size");
    SizeE = Named(new QRadioButton(QStringLiteral("E"), GroupBox2), "SizeE", "Narrow bars");
    SizeF = Named(new QRadioButton(QStringLiteral("F"), GroupBox2), "SizeF",
                  "Narrowest bars compared to height");
    SizeD->setChecked(true);

    GroupBox3 = Named(new QGroupBox(QStringLiteral(" Point size "), Panel1), "GroupBox3",
                      "Point size of the font copied to the clip board");
    PointSize = Named(new QComboBox(GroupBox3), "PointSize");
    PointSize->setEditable(true);
    PointSize->setInsertPolicy(QComboBox::NoInsert);
    // A typed "3" stays "3": the option handler judges the text as typed.
    PointSize->setCompleter(nullptr);
    PointSize->addItems({"22", "24", "26", "28", "30", "34", "38", "40", "44", "48", "50"});
    PointSize->setCurrentIndex(1);
    PointSize->setMinimumWidth(60);

    DispSums = Named(new QCheckBox(QStringLiteral("Display sum and checksums?"), Panel1),
                     "DispSums", "To help you debug your software, show sum and checksum values");
    QFont small = DispSums->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    DispSums->setFont(small);
    TipCheckBox = Named(new QCheckBox(QStringLiteral("Tip of the day?"), Panel1), "TipCheckBox");
    TipCheckBox->setChecked(true);

    ShowTip = PictureButton("ShowTip", "&Tips", "Show the next Tip of the Day",
                            ButtonPicture("dialog-information", "tips.svg"), Panel1);
    ShowTip->setFocusPolicy(Qt::NoFocus);
    NameForScreenReaders(ShowTip, QStringLiteral("Tips"));
    // The picture buttons take no focus: keys reach them instead.
    SpeedButton2 = Named(new QToolButton(Panel1), "SpeedButton2", "About this program (Alt+A)");
    SpeedButton2->setIcon(ButtonPicture("help-about", "about.svg"));
    SpeedButton2->setIconSize(QSize(22, 22));
    SpeedButton2->setAutoRaise(true);
    SpeedButton2->setFocusPolicy(Qt::NoFocus);
    NameForScreenReaders(SpeedButton2, QStringLiteral("About"));
    HelpButtonClick = PictureButton("HelpButtonClick", "&Help", "Complete help manual",
                                    ButtonPicture("help-contents", "help.svg"), Panel1);

    StaticText4 = BoldText("StaticText4", "Type in the data to bar code here:", this);
    BarTextInput =
        Named(new QLineEdit(this), "BarTextInput", "Enter the data you want to bar code here");
    SetPixelSize(BarTextInput, 15);
    // Neither the data nor the barcode string is cut at a line edit's usual 32,767 characters.
    BarTextInput->setMaxLength(std::numeric_limits<int>::max());
    AddButtonClick =
        PictureButton("AddButtonClick", "&Insert",
                      "Add special characters to your data that you can't normally type",
                      ButtonPicture("list-add", "insert.svg"), this);
    ComboBox1 =
        Named(new QComboBox(this), "ComboBox1", "Select a special character from this list");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    // Without a completer the list neither completes typed text nor swaps it for an entry that
    // differs in letter case: "TAB" and "ctrl-a" name no entry and stay as typed.
    ComboBox1->setCompleter(nullptr);
    ComboBox1->addItems(stria::SpecialCharacterNames());
    ComboBox1->setCurrentText(QStringLiteral("Tab"));
    ComboBox1->setMinimumWidth(110);

    MakeButtonClick = PictureButton("MakeButtonClick", "&Make",
                                    "Create a bar code from the data you entered above",
                                    ButtonPicture("system-run", "make.svg"), this);
    CopyButtonClick =
        PictureButton("CopyButtonClick", "&Copy",
                      "Copy this data string to the clip board to paste into other programs",
                      ButtonPicture("edit-copy", "copy.svg"), this);
    PrintLabels = PictureButton("PrintLabels", "&Labels", "Print a sheet of bar code labels",
                                ButtonPicture("x-office-address-book", "labels.svg"), this);
    PrintButtonClick =
        PictureButton("PrintButtonClick", "&Sample",
                      "Print a sample page of this bar code at several different point sizes",
                      ButtonPicture("document-print", "sample.svg"), this);
    BuildGraphic =
        PictureButton("BuildGraphic", "&Export", "Export your bar code in bmp, gif, or jpg formats",
                      ButtonPicture("document-save-as", "export.svg"), this);

    const QByteArray stringToUse =
        QByteArray("This is the string to use with ") + vendor::Name + "'s bar code 93 typefaces:";
    StaticText5 = BoldText("StaticText5", stringToUse.constData(), this);
    BarTextOut =
        Named(new QLineEdit(this), "BarTextOut", "Use this string with our bar code fonts");
    SetPixelSize(BarTextOut, 15);
    BarTextOut->setMaxLength(std::numeric_limits<int>::max());
    StaticText7 = BoldText("StaticText7", "Sample bar code 93:", this);
    BarCodeOut =
        Named(new QTextEdit(this), "BarCodeOut", "This is what your bar code will look like");
    BarCodeOut->setTabChangesFocus(true);
    BarCodeOut->setLineWrapMode(QTextEdit::NoWrap);
    BarCodeOut->setFixedHeight(65);
    // A picture of paper: black on white under any colour scheme, as the bars print and scan.
    QPalette paper = BarCodeOut->palette();
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    BarCodeOut->setPalette(paper);
    NameForScreenReaders(BarCodeOut, QStringLiteral("Barcode preview"));
    StaticText2 = Named(new ClickableLabel(vendor::SiteText(), this), "StaticText2",
                        "Click to visit our web site (Alt+W)");

    StaticText4->setBuddy(BarTextInput);
    StaticText5->setBuddy(BarTextOut);
    StaticText7->setBuddy(BarCodeOut);
}

void TStriaInput::arrangeControls() {
    auto* typeLayout = new QVBoxLayout(GroupBox1);
    typeLayout->setSpacing(0);
    typeLayout->addWidget(RadioButton1);
    typeLayout->addWidget(RadioButton2);

    auto* sizeLayout = new QGridLayout(GroupBox2);
    sizeLayout->setVerticalSpacing(0);
    int index = 0;
    for (QRadioButton* size : sizeButtons()) {
        sizeLayout->addWidget(size, index % 3, index / 3);
        ++index;
    }

    auto* pointLayout = new QVBoxLayout(GroupBox3);
    pointLayout->addWidget(PointSize);
    pointLayout->addStretch();

    auto* panelLayout = new QGridLayout(Panel1);
    panelLayout->setContentsMargins(6, 4, 6, 4);
    panelLayout->setVerticalSpacing(2);
    panelLayout->addWidget(Label1, 0, 0, 1, 6, Qt::AlignHCenter);
    panelLayout->addWidget(GroupBox1, 1, 0, Qt::AlignTop);
    panelLayout->addWidget(GroupBox2, 1, 1, Qt::AlignTop);
    panelLayout->addWidget(GroupBox3, 1, 2, Qt::AlignTop);
    panelLayout->addWidget(ShowTip, 1, 3, Qt::AlignTop);
    panelLayout->addWidget(SpeedButton2, 1, 4, Qt::AlignTop);
    panelLayout->addWidget(HelpButtonClick, 1, 5, Qt::AlignTop);
    panelLayout->addWidget(DispSums, 2, 0, 1, 2);
    panelLayout->addWidget(TipCheckBox, 2, 2, 1, 4);

    auto* dataRow = new QHBoxLayout;
    dataRow->addWidget(BarTextInput, 1);
    dataRow->addWidget(AddButtonClick);
    dataRow->addWidget(ComboBox1);

    auto* commandRow = new QHBoxLayout;
    const QList<QPushButton*> commands = {MakeButtonClick, CopyButtonClick, PrintLabels,
                                          PrintButtonClick, BuildGraphic};
    for (QPushButton* command : commands) {
        if (command != commands.first()) {
            commandRow->addStretch();
        }
        commandRow->addWidget(command);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(3);
    layout->addWidget(Panel1);
    layout->addSpacing(6);
    layout->addWidget(StaticText4);
    layout->addLayout(dataRow);
    layout->addSpacing(8);
    layout->addLayout(commandRow);
    layout->addSpacing(8);
    layout->addWidget(StaticText5);
    layout->addWidget(BarTextOut);
    layout->addSpacing(6);
    layout->addWidget(StaticText7);
    layout->addWidget(BarCodeOut, 1);
    layout->addSpacing(6);
    layout->addWidget(StaticText2, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    resize(sizeHint().expandedTo(QSize(430, 365)));
    // 65 pixels high at the first size; a taller window gives the preview all the extra height,
    // so that large point sizes and size F show without a scroll bar.
    BarCodeOut->setMaximumHeight(QWIDGETSIZE_MAX);
    BarCodeOut->setSizePolicy(BarCodeOut->sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);
}

void TStriaInput::setTabOrder() {
    const QList<QWidget*> order = {
        BarTextInput,    BarTextOut,      ComboBox1,      PrintButtonClick,
        MakeButtonClick, CopyButtonClick, AddButtonClick, BarCodeOut,
        RadioButton1,    RadioButton2,    SizeA,          SizeB,
        SizeC,           SizeD,           SizeE,          SizeF,
        PointSize,       DispSums,        TipCheckBox,    HelpButtonClick,
        PrintLabels,     BuildGraphic};
    for (qsizetype i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
    EnterGroupAtCheckedButton({RadioButton1, RadioButton2});
    const std::array<QRadioButton*, 6> sizes = sizeButtons();
    EnterGroupAtCheckedButton({sizes.begin(), sizes.end()});
}

void TStriaInput::connectHandlers() {
    connect(MakeButtonClick, &QPushButton::clicked, this, &TStriaInput::MakeButtonClickClick);
    connect(AddButtonClick, &QPushButton::clicked, this, &TStriaInput::AddButtonClickClick);
    connect(CopyButtonClick, &QPushButton::clicked, this, &TStriaInput::CopyButtonClickClick);
    connect(PrintLabels, &QPushButton::clicked, this, &TStriaInput::PrintLabelsClick);
    connect(PrintButtonClick, &QPushButton::clicked, this, &TStriaInput::PrintButtonClickClick);
    connect(BuildGraphic, &QPushButton::clicked, this, &TStriaInput::BuildGraphicClick);
    connect(HelpButtonClick, &QPushButton::clicked, this, &TStriaInput::HelpButtonClickClick);
    connect(StaticText2, &ClickableLabel::clicked, this, &TStriaInput::StaticText2Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TStriaInput::SpeedButton2Click);
    // The two commands without a caption to underline a key in. Not Shift+F1: that asks for
    // help while the data box has the focus.
    connect(new QShortcut(QKeySequence(Qt::ALT | Qt::Key_A), this), &QShortcut::activated,
            SpeedButton2, &QToolButton::click);
    connect(new QShortcut(QKeySequence(Qt::ALT | Qt::Key_W), this), &QShortcut::activated, this,
            &TStriaInput::StaticText2Click);
    connect(ShowTip, &QPushButton::clicked, this, &TStriaInput::ShowTipClick);
    connect(TipCheckBox, &QCheckBox::clicked, this, &TStriaInput::TipCheckBoxClick);
    for (QAbstractButton* option : std::initializer_list<QAbstractButton*>{
             RadioButton1, RadioButton2, SizeA, SizeB, SizeC, SizeD, SizeE, SizeF, DispSums}) {
        connect(option, &QAbstractButton::clicked, this, &TStriaInput::RadioButton1Click);
    }
    // Only what the user does: restoring the settings must not run the handler.
    connect(PointSize->lineEdit(), &QLineEdit::textEdited, this, &TStriaInput::PointSizeChange);
    connect(PointSize, &QComboBox::activated, this, &TStriaInput::RadioButton1Click);
    PointSize->installEventFilter(this);
    BarTextInput->installEventFilter(this);
}

void TStriaInput::createDialogs() {
    WarningBox = new TWarningBox(*this);
    Form2 = new TForm2(*this, platform_, *BarTextInput);
    Tip = new TTip(*this, platform_);
    Form3 = new TForm3(*this, platform_, *BarCodeOut, *BarTextInput);
    Convert2 = new TConvert2(*this, platform_, [this] { return exportRequest(); });
}

std::array<QRadioButton*, 6> TStriaInput::sizeButtons() const {
    return {SizeA, SizeB, SizeC, SizeD, SizeE, SizeF};
}

char16_t TStriaInput::sizeLetter() const {
    const std::array<QRadioButton*, 6> sizes = sizeButtons();
    for (std::size_t i = 0; i + 1 < sizes.size(); ++i) {
        if (sizes[i]->isChecked()) {
            return static_cast<char16_t>(u'a' + i);
        }
    }
    return u'f';
}

QPrinter& TStriaInput::PrintDialog1() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *printer_;
}
