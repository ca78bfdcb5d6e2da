#include "clockwin/hint_switch.h"

#include <QCoreApplication>
#include <QEvent>

namespace skelvane {

HintSwitch::HintSwitch(QObject* parent) : QObject(parent) {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

bool HintSwitch::eventFilter(QObject* watched, QEvent* event) {
    if (!hintsOn_ && event->type() == QEvent::ToolTip)
        return true;
    return QObject::eventFilter(watched, event);
}

} // namespace skelvane
