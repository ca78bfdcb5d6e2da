#pragma once

#include "net/http_transport.h"

#include <QList>
#include <string>

namespace skelvane {

// Where the download helper is: $SKELVANE_HTTP_HELPER, else skelvane-http beside the
// program, else lib/skelvane/skelvane-http under the program's install prefix. Empty when
// none exists.
std::string FindHttpHelper();

// Runs each transfer in a fresh skelvane-http process and reads its progress texts and
// result back over a socket. The process that runs all day so never maps libcurl's tree of
// TLS, Kerberos and LDAP libraries (about 8 MB of its resident size); a download costs a
// process start (a few milliseconds). Cookies the client keeps travel with each request.
class HelperProcessTransport final : public HttpTransport {
public:
    explicit HelperProcessTransport(std::string helper) : helper_(std::move(helper)) {}
    HttpResult perform(const HttpRequest& request,
                       const std::function<void(const QString&)>& status) override;

private:
    std::string helper_;
    QList<QByteArray> cookies_;
};

} // namespace skelvane
