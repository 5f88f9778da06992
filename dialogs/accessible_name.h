// What a screen reader says of a control that shows a picture or no text.
#pragma once

#include <QWidget>

// Names the control and gives its hint as the description; set the hint first.
inline void NameForScreenReaders(QWidget* control, const QString& name) {
    control->setAccessibleName(name);
    control->setAccessibleDescription(control->toolTip());
}
