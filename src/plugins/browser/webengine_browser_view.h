#pragma once

#include "infowin/browser_view.h"

#include <QObject>
#include <QPointer>
#include <QWebEngineView>

namespace skelvane {

// The Weather page's browser on Qt WebEngine. Pages are never read from or kept in the
// HTTP cache: every navigation asks the server again.
class WebEngineBrowserView final : public BrowserView {
public:
    explicit WebEngineBrowserView(QWidget* parent);
    ~WebEngineBrowserView() override;

    QWidget* widget() override;
    void navigate(const QUrl& address) override;
    void back() override;
    void forward() override;
    void reloadCompletely() override;
    QUrl currentAddress() const override;
    void print(QPrinter* printer, std::function<void(bool)> done) override;
    void copySelection() override;
    void setNavigateCompleteHandler(std::function<void(const QUrl&)> handler) override;

private:
    QPointer<QWebEngineView> view_;
    std::function<void(const QUrl&)> navigateComplete_;
    std::function<void(bool)> printDone_;
};

// The plugin's root object.
class WebEngineBrowserPlugin final : public QObject, public BrowserViewFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID SkelvaneBrowserViewFactory_iid)
    Q_INTERFACES(skelvane::BrowserViewFactory)
public:
    std::unique_ptr<BrowserView> createView(QWidget* parent, QString* error) override;
};

} // namespace skelvane
