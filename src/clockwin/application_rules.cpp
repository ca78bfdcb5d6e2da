#include "clockwin/application_rules.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace skelvane {

ApplicationRules::ApplicationRules(QWidget* clockWindow, QObject* parent)
    : QObject(parent), clockWindow_(clockWindow) {}

bool ApplicationRules::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ApplicationActivate && clockWindow_ && clockWindow_->isVisible()) {
        clockWindow_->raise();
        return false;
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    // Enter is consumed everywhere; in the postal-code box it runs the city search.
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->objectName() == QLatin1String("ZipEd"))
        if (auto* find = focus->window()->findChild<QAbstractButton*>(QStringLiteral("FindZipBut")))
            find->click();
    return true;
}

} // namespace skelvane
