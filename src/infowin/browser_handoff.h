#pragma once

#include <QList>
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace skelvane {

// GoBrowser: hands a web address to the user's own browser. The address goes to the
// desktop's opener (QDesktopServices::openUrl) as one URL and never through a shell, so
// typed text inside it cannot run anything.
class BrowserHandOff {
public:
    // Opens one address; the desktop's opener unless a test replaces it.
    using Opener = std::function<bool(const QUrl&)>;
    BrowserHandOff();

    void setOpener(Opener opener);
    // The program's windows sent to the back before the hand-off (the information window,
    // the help window, the clock window), asked for at each hand-off.
    void setWindowsToSendBack(std::function<QList<QWidget*>()> windows);

    // The address as the opener gets it: read tolerantly (a space becomes %20, an escape
    // stays as written) with "http://" in front when it names no scheme. Only web addresses
    // (http, https) are handed on; anything else gives an empty URL.
    static QUrl AddressUrl(const QString& address);

    // Sends the showing windows back, lowers the program's always-on-top windows, lets
    // pending window events run, opens the address, then restores the always-on-top
    // windows. Never waits for the browser. False when the address is not a web address or
    // the opener refused it; the user gets no message either way.
    bool GoBrowser(const QString& address);

private:
    Opener opener_;
    std::function<QList<QWidget*>()> windows_;
};

} // namespace skelvane
