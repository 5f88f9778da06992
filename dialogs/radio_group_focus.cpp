#include "dialogs/radio_group_focus.h"

#include <QRadioButton>
#include <algorithm>

void EnterGroupAtCheckedButton(const QList<QRadioButton*>& group) {
    const auto update = [group] {
        const bool anyChecked = std::any_of(
            group.begin(), group.end(), [](QRadioButton* button) { return button->isChecked(); });
        for (QRadioButton* button : group) {
            const bool entry = anyChecked ? button->isChecked() : button == group.first();
            button->setFocusPolicy(entry ? Qt::StrongFocus : Qt::ClickFocus);
        }
    };
    for (QRadioButton* button : group) {
        QObject::connect(button, &QRadioButton::toggled, button, update);
    }
    update();
}
