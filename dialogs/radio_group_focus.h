// Tab into a group of radio buttons lands on its checked button, and the arrow keys move within
// the group, as on every desktop; Qt would stop at each button of the group in turn.
#pragma once

#include <QList>

class QRadioButton;

// Only the checked button of the group takes the focus by Tab, whichever button that becomes;
// while none is checked, the first does.
void EnterGroupAtCheckedButton(const QList<QRadioButton*>& group);
