#pragma once

#include "infowin/browser_view.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace skelvane::test {

// A browser that records what it is asked and completes a navigation only when the test
// says so (complete()).
class FakeBrowserView final : public BrowserView {
public:
    explicit FakeBrowserView(QWidget* parent) : widget_(new QWidget(parent)) {
        widget_->setObjectName(QStringLiteral("WebBrowser1"));
    }
    ~FakeBrowserView() override { delete widget_.data(); }

    QWidget* widget() override { return widget_; }
    void navigate(const QUrl& address) override { calls.append("navigate " + address.toString()); }
    void back() override { calls.append(QStringLiteral("back")); }
    void forward() override { calls.append(QStringLiteral("forward")); }
    void reloadCompletely() override { calls.append(QStringLiteral("reload")); }
    QUrl currentAddress() const override { return current; }
    void print(QPrinter*, std::function<void(bool)> done) override {
        calls.append(QStringLiteral("print"));
        if (done)
            done(true);
    }
    void copySelection() override { calls.append(QStringLiteral("copy")); }
    void setNavigateCompleteHandler(std::function<void(const QUrl&)> handler) override {
        handler_ = std::move(handler);
    }

    // The view arrives at `address`, as after a navigation, a step back or forward.
    void complete(const QUrl& address) {
        current = address;
        if (handler_)
            handler_(address);
    }

    QStringList calls;
    QUrl current;

private:
    QPointer<QWidget> widget_;
    std::function<void(const QUrl&)> handler_;
};

} // namespace skelvane::test
