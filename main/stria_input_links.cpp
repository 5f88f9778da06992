// The controls that lead away from making barcodes: the help manual, the vendor's page, the
// about box, the tip window and the tip-at-start switch. Each gives the focus back to the data.
#include "dialogs/about_box.h"
#include "dialogs/tip_window.h"
#include "links/help_files.h"
#include "links/vendor_links.h"
#include "main/stria_input.h"
#include "platform/platform.h"
#include "settings/ini_file.h"
#include "settings/setting_keys.h"

#include <QCheckBox>
#include <QLineEdit>

void TStriaInput::HelpButtonClickClick() {
    platform_.shellOpen(helpfiles::Locate(QString::fromLatin1(helpfiles::HelpManual)), QString());
    BarTextInput->setFocus();
}

void TStriaInput::StaticText2Click() {
    // The focus first, so that the browser coming up is not pushed back behind the window.
    BarTextInput->setFocus();
    platform_.shellOpen(vendor::SymbologyPage().toString(QUrl::FullyEncoded), QString());
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
        settings::SetSetting(file, settings::KeyId::TipEnabled, TipCheckBox->isChecked());
        static_cast<void>(file.save());
    }
    BarTextInput->setFocus();
}
