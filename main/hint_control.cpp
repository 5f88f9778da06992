#include "main/hint_control.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace stria {

HintControl::HintControl(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

HintControl::~HintControl() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool HintControl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return false;
    }
    if (hintsOff_) {
        return true;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->toolTip().isEmpty() || hintTime_ < 0) {
        return false;
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), widget->toolTip(), widget, QRect(), hintTime_);
    return true;
}

} // namespace stria
