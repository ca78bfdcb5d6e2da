#include "infowin/browser_handoff.h"

#include <QApplication>
#include <QDesktopServices>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace skelvane {

BrowserHandOff::BrowserHandOff()
    : opener_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

void BrowserHandOff::setOpener(Opener opener) {
    opener_ = std::move(opener);
}

void BrowserHandOff::setWindowsToSendBack(std::function<QList<QWidget*>()> windows) {
    windows_ = std::move(windows);
}

QUrl BrowserHandOff::AddressUrl(const QString& address) {
    QString text = address.trimmed();
    if (text.isEmpty())
        return {};
    if (!text.contains(QLatin1String("://")))
        text.prepend(QLatin1String("http://"));
    QUrl url(text, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return {};
    return url;
}

bool BrowserHandOff::GoBrowser(const QString& address) {
    const QUrl url = AddressUrl(address);
    if (url.isEmpty())
        return false;
    if (windows_)
        for (QWidget* window : windows_())
            if (window && window->isVisible())
                window->lower();
    // The stay-on-top state is changed on the native window only: changing the widget's
    // flags would hide and show it again.
    QList<QPointer<QWindow>> lowered;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        QWindow* window = widget->windowHandle();
        if (widget->isVisible() && window && window->flags().testFlag(Qt::WindowStaysOnTopHint)) {
            window->setFlag(Qt::WindowStaysOnTopHint, false);
            lowered.append(window);
        }
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const bool opened = opener_ && opener_(url);
    for (const QPointer<QWindow>& window : lowered)
        if (window)
            window->setFlag(Qt::WindowStaysOnTopHint, true);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return opened;
}

} // namespace skelvane
