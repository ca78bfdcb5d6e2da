#include "net/http_client.h"

#include "net/helper_transport.h"
#include "net/http_transport.h"
#include "net/loopback_guard.h"

#include <QUrl>
#include <mutex>

namespace skelvane {

namespace {

std::mutex& FactoryMutex() {
    static std::mutex mutex;
    return mutex;
}

HttpTransportFactory& Factory() {
    static HttpTransportFactory factory = [] {
        return std::unique_ptr<HttpTransport>(
            std::make_unique<HelperProcessTransport>(FindHttpHelper()));
    };
    return factory;
}

} // namespace

void SetHttpTransportFactory(HttpTransportFactory factory) {
    const std::lock_guard lock(FactoryMutex());
    Factory() = std::move(factory);
}

HttpTransportFactory CurrentHttpTransportFactory() {
    const std::lock_guard lock(FactoryMutex());
    return Factory();
}

std::unique_ptr<HttpTransport> MakeHttpTransport() {
    HttpTransportFactory factory;
    {
        const std::lock_guard lock(FactoryMutex());
        factory = Factory();
    }
    return factory();
}

struct HttpClient::State {
    Options options;
    HttpProxy proxy;
    std::function<void(const QString&)> status;
    std::unique_ptr<HttpTransport> transport;
};

HttpClient::Options InteractiveClientOptions() {
    HttpClient::Options options;
    options.userAgent = "Mozilla/4.0 (compatible; MSIE 5.5; Windows NT 5.0)";
    options.accept = "text/html, */*";
    options.contentType = "text/html";
    options.followRedirects = true;
    options.keepCookies = true;
    return options;
}

HttpClient::HttpClient(Options options) : state_(std::make_unique<State>()) {
    state_->options = std::move(options);
    state_->transport = MakeHttpTransport();
}

HttpClient::~HttpClient() = default;

void HttpClient::setProxy(const HttpProxy& proxy) {
    state_->proxy = proxy;
}

HttpProxy HttpClient::proxy() const {
    return state_->proxy;
}

void HttpClient::setLimits(const HttpLimits& limits) {
    state_->options.limits = limits;
}

const HttpLimits& HttpClient::limits() const {
    return state_->options.limits;
}

void HttpClient::setStatusHandler(std::function<void(const QString&)> handler) {
    state_->status = std::move(handler);
}

HttpResult HttpClient::get(const QString& url) {
    if (LoopbackOnly()) {
        const std::string host = QUrl(url).host().toStdString();
        const std::string proxyHost = state_->proxy.host.toStdString();
        if (!IsLoopbackHost(host) || (!proxyHost.empty() && !IsLoopbackHost(proxyHost))) {
            HttpResult refused;
            refused.errorText = QStringLiteral("only loopback servers are allowed here");
            return refused;
        }
    }
    const HttpRequest request{url, state_->options, state_->proxy, {}};
    return state_->transport->perform(request, state_->status);
}

} // namespace skelvane
