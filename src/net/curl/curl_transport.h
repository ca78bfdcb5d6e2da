#pragma once

#include "net/http_transport.h"

#include <curl/curl.h>

namespace skelvane {

// Transfers over libcurl's easy interface in this process: GET into memory, redirects
// followed (http:// answered by a redirect to https:// works, with certificate
// verification), cookies kept between the client's own requests when it asks, a proxy whose
// Basic credentials go out with the first request, the limits as libcurl options, and
// libcurl's informational lines as progress texts. One handle per client, reused.
class CurlTransport final : public HttpTransport {
public:
    CurlTransport() = default;
    ~CurlTransport() override;
    CurlTransport(const CurlTransport&) = delete;
    CurlTransport& operator=(const CurlTransport&) = delete;

    HttpResult perform(const HttpRequest& request,
                       const std::function<void(const QString&)>& status) override;
    // Called often while a transfer runs (the helper's sign of life).
    void setProgressHandler(std::function<void()> progress) { progress_ = std::move(progress); }

private:
    CURL* curl_ = nullptr;
    std::function<void()> progress_;
    char errorBuffer_[CURL_ERROR_SIZE] = {};
};

// Makes every new client transfer in this process with libcurl (the tools, the helper).
void UseCurlInProcess();

} // namespace skelvane
