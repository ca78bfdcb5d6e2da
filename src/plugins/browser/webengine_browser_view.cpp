#include "plugins/browser/webengine_browser_view.h"

#include <QPointer>
#include <QPrinter>
#include <QWebEngineHistory>
#include <QWebEngineHttpRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace skelvane {

namespace {

// One profile for every view of the process: in memory only (nothing of the user's
// browsing is written to disk) and with the HTTP cache off.
QWebEngineProfile* SharedProfile() {
    static QWebEngineProfile* profile = [] {
        auto* p = new QWebEngineProfile; // off the record; lives until exit
        p->setHttpCacheType(QWebEngineProfile::NoCache);
        p->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        return p;
    }();
    return profile;
}

} // namespace

WebEngineBrowserView::WebEngineBrowserView(QWidget* parent) {
    view_ = new QWebEngineView(parent);
    view_->setObjectName(QStringLiteral("WebBrowser1"));
    view_->setPage(new QWebEnginePage(SharedProfile(), view_));
    QObject::connect(view_, &QWebEngineView::loadFinished, view_, [this](bool) {
        if (navigateComplete_)
            navigateComplete_(view_->url());
    });
    QObject::connect(view_, &QWebEngineView::printFinished, view_, [this](bool ok) {
        if (auto done = std::exchange(printDone_, {}))
            done(ok);
    });
}

WebEngineBrowserView::~WebEngineBrowserView() {
    // The view may already be gone with its parent; otherwise it goes with this object.
    delete view_.data();
}

QWidget* WebEngineBrowserView::widget() {
    return view_;
}

void WebEngineBrowserView::navigate(const QUrl& address) {
    if (!view_)
        return;
    // Caches between here and the server are asked for a fresh copy too.
    QWebEngineHttpRequest request(address);
    request.setHeader(QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-cache"));
    request.setHeader(QByteArrayLiteral("Pragma"), QByteArrayLiteral("no-cache"));
    view_->load(request);
}

void WebEngineBrowserView::back() {
    if (view_ && view_->history()->canGoBack())
        view_->back();
}

void WebEngineBrowserView::forward() {
    if (view_ && view_->history()->canGoForward())
        view_->forward();
}

void WebEngineBrowserView::reloadCompletely() {
    if (view_)
        view_->triggerPageAction(QWebEnginePage::ReloadAndBypassCache);
}

QUrl WebEngineBrowserView::currentAddress() const {
    return view_ ? view_->url() : QUrl();
}

void WebEngineBrowserView::print(QPrinter* printer, std::function<void(bool)> done) {
    if (!view_ || !printer || printDone_) { // one print at a time
        if (done)
            done(false);
        return;
    }
    printDone_ = std::move(done);
    view_->print(printer);
}

void WebEngineBrowserView::copySelection() {
    if (view_)
        view_->triggerPageAction(QWebEnginePage::Copy);
}

void WebEngineBrowserView::setNavigateCompleteHandler(std::function<void(const QUrl&)> handler) {
    navigateComplete_ = std::move(handler);
}

std::unique_ptr<BrowserView> WebEngineBrowserPlugin::createView(QWidget* parent, QString* error) {
    Q_UNUSED(error);
    return std::make_unique<WebEngineBrowserView>(parent);
}

} // namespace skelvane
