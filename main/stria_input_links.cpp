// The controls that lead away from making barcodes: the help manual, the vendor's page, the
// about box, the tip window and the tip-at-start switch. Each gives the focus back to the data.
#include "dialogs/about_box.h"
#include "dialogs/clickable_label.h"
#include "dialogs/tip_window.h"
#include "help_files.h"
#include "ini_file.h"
#include "platform.h"
#include "stria_input.h"
#include "stria_input_wiring.h"
#include "vendor_links.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

void TStriaInput::HelpButtonClickClick() {
    platform_.shellOpen(QStringLiteral("open"),
                        helpfiles::Locate(QString::fromLatin1(helpfiles::HelpManual)), QString());
    BarTextInput->setFocus();
}

void TStriaInput::StaticText2Click() {
    // The focus first, so that the browser coming up is not pushed back behind the window.
    BarTextInput->setFocus();
    platform_.shellOpen(QString(), vendor::SymbologyPage().toString(QUrl::FullyEncoded), QString());
}

void TStriaInput::SpeedButton2Click() {
    platform_.execDialog(*Form2);
    BarTextInput->setFocus();
}

void TStriaInput::ShowTipClick() {
    platform_.execDialog(*Tip);
    BarTextInput->setFocus();
}

void TStriaInput::TipCheckBoxClick() {
    // Written at once, so that a run that ends without the close routine keeps the choice.
    if (dataFolderFound_) {
        settings::IniFile file(settingsFilePath());
        settings::WriteSetting(file, settings::Key(settings::KeyId::TipEnabled),
                               TipCheckBox->isChecked());
    }
    BarTextInput->setFocus();
}

namespace {

void Wire(TStriaInput& w) {
    QObject::connect(w.HelpButtonClick, &QPushButton::clicked, &w,
                     &TStriaInput::HelpButtonClickClick);
    QObject::connect(w.StaticText2, &ClickableLabel::clicked, &w, &TStriaInput::StaticText2Click);
    QObject::connect(w.SpeedButton2, &QToolButton::clicked, &w, &TStriaInput::SpeedButton2Click);
    QObject::connect(w.ShowTip, &QPushButton::clicked, &w, &TStriaInput::ShowTipClick);
    QObject::connect(w.TipCheckBox, &QCheckBox::clicked, &w, &TStriaInput::TipCheckBoxClick);
}

const bool wired = stria::RegisterWiring(&Wire);

} // namespace
