#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>

namespace skelvane {

// Limits every request carries, so that no server can keep a worker or a page waiting for
// ever, nor fill memory: the connection must be made within `connect`, a transfer that moves
// fewer than `stallBytesPerSecond` for `stall` is aborted, and a body larger than `maxBody`
// is refused.
struct HttpLimits {
    std::chrono::milliseconds connect{15000};
    std::chrono::milliseconds stall{30000};
    long stallBytesPerSecond = 1;
    std::size_t maxBody = 20u << 20; // reports and images; movies ask for more
    static constexpr std::size_t kMovieMaxBody = 100u << 20;
};

// The proxy a client goes through; an empty host means none.
struct HttpProxy {
    QString host;
    int port = 0;
    QString userName, password;
};

// What went wrong with a request. `Refused` and `AccessDenied` are the two outcomes the
// program treats as "the connection may be blocked by a firewall".
enum class HttpFailure {
    None,
    Refused,      // the server's port refused the connection
    AccessDenied, // the local system forbade the connection
    TimedOut,     // no connection within the limit, or the transfer stalled
    TooLarge,     // the body went past the size cap
    HttpStatus,   // the server answered with a status of 400 or more
    Other,        // name not found, TLS failure, cut-short body and the rest
};

struct HttpResult {
    HttpFailure failure = HttpFailure::Other;
    long status = 0;   // the last HTTP status seen, 0 without an answer
    QByteArray body;   // what arrived (also for an error status)
    QString errorText; // one line for logs and status lines; empty on success
    QString finalUrl;  // the address answered, after redirects
    // The answer's Cache-Control header as sent (the last one when there were several);
    // empty when there was none.
    QByteArray cacheControl;
    // With cookies kept: the client's cookies after the request, one line each in libcurl's
    // cookie-file form, to carry them into the next request.
    QList<QByteArray> cookies;
    bool ok() const { return failure == HttpFailure::None; }
    bool refused() const {
        return failure == HttpFailure::Refused || failure == HttpFailure::AccessDenied;
    }
};

// One HTTP/HTTPS client over libcurl's easy interface: GET into memory, redirects followed
// (http:// answered by a redirect to https:// works, with certificate verification), cookies
// kept between its own requests, an optional proxy whose credentials go out pre-emptively as
// Basic authentication. A client serves one request at a time; each thread uses its own.
class HttpClient {
public:
    struct Options {
        QByteArray userAgent;   // empty: libcurl's default (none sent)
        QByteArray accept;      // empty: none sent
        QByteArray contentType; // empty: none sent
        bool followRedirects = true;
        bool keepCookies = false;
        HttpLimits limits;
    };
    explicit HttpClient(Options options);
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    void setProxy(const HttpProxy& proxy);
    HttpProxy proxy() const;
    void setLimits(const HttpLimits& limits);
    const HttpLimits& limits() const;
    // Receives the connection's progress texts ("Trying 127.0.0.1:8089...", "Connected to
    // ...", "Connection #0 to host left intact"), on the thread that runs the request.
    void setStatusHandler(std::function<void(const QString&)> handler);

    // Fetches `url` (http:// or https:// only) and blocks until it is done or has failed.
    HttpResult get(const QString& url);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The browser-like identity of the program's long-lived client: its user agent, Accept and
// Content-Type, redirects and cookies.
HttpClient::Options InteractiveClientOptions();

} // namespace skelvane
