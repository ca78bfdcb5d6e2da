#pragma once

#include "net/http_client.h"

#include <QString>
#include <functional>
#include <memory>

namespace skelvane {

// One GET as a client asks for it: the address, the client's identity and limits, the proxy
// in force, and whether cookies are kept between the client's requests.
struct HttpRequest {
    QString url;
    HttpClient::Options options;
    HttpProxy proxy;
    QList<QByteArray> cookies; // cookies kept from the client's earlier requests
};

// What carries a client's requests out. A client owns one transport for its life, so a
// transport may keep state between requests (connections, cookies).
class HttpTransport {
public:
    virtual ~HttpTransport() = default;
    // Blocks until the transfer is done or has failed; `status` receives progress texts
    // (may be empty).
    virtual HttpResult perform(const HttpRequest& request,
                               const std::function<void(const QString&)>& status) = 0;
};

using HttpTransportFactory = std::function<std::unique_ptr<HttpTransport>()>;

// The transport every new client gets. By default a client runs each transfer in the
// helper program skelvane-http (HelperProcessTransport), so the program that runs all day
// never maps libcurl and its TLS, Kerberos and LDAP libraries; the command-line tools and
// the helper itself install libcurl in-process (net/curl). Call before clients exist.
void SetHttpTransportFactory(HttpTransportFactory factory);
// The factory in force, so that a decorator can wrap it.
HttpTransportFactory CurrentHttpTransportFactory();
std::unique_ptr<HttpTransport> MakeHttpTransport();

} // namespace skelvane
