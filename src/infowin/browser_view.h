#pragma once

#include <QString>
#include <QUrl>
#include <QtPlugin>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace skelvane {

// The embedded browser of the Weather page (WebBrowser1). The program itself never links
// a web engine: an implementation comes from the browser plugin, loaded the first time the
// page navigates (see browser_loader.h), or from a test.
//
// Not a QObject, so that the plugin needs nothing of the program but this header: the
// navigation-complete notice is a callback.
class BrowserView {
public:
    virtual ~BrowserView() = default;

    // The view to lay out in the page. Owned by the BrowserView (destroyed with it unless
    // the layout that takes it is destroyed first).
    virtual QWidget* widget() = 0;

    // Starts loading `address`, reading nothing from the cache. Returns at once.
    virtual void navigate(const QUrl& address) = 0;
    // The browser's own history; nothing happens without an entry to go to.
    virtual void back() = 0;
    virtual void forward() = 0;
    // Loads the current page again from the server, cache bypassed.
    virtual void reloadCompletely() = 0;
    // The address the view shows now; empty before the first navigation.
    virtual QUrl currentAddress() const = 0;
    // Prints the page on `printer` (set up by the caller); `done` gets whether it worked.
    // The printer must outlive the call of `done`.
    virtual void print(QPrinter* printer, std::function<void(bool)> done) = 0;
    // The page's selected text to the clipboard.
    virtual void copySelection() = 0;

    // Called on the user-interface thread each time a navigation completes (a page, an
    // error page, a step back or forward), with the view's address then.
    virtual void setNavigateCompleteHandler(std::function<void(const QUrl&)> handler) = 0;
};

// What the plugin's root object implements: makes browser views.
class BrowserViewFactory {
public:
    virtual ~BrowserViewFactory() = default;
    // A new view with `parent` as its widget's parent. Nothing when the engine cannot run
    // here; `error` then says why in one line.
    virtual std::unique_ptr<BrowserView> createView(QWidget* parent, QString* error) = 0;
};

} // namespace skelvane

#define SkelvaneBrowserViewFactory_iid "org.skelvane.BrowserViewFactory/1"
Q_DECLARE_INTERFACE(skelvane::BrowserViewFactory, SkelvaneBrowserViewFactory_iid)
