#pragma once

// A forward HTTP proxy for tests and the demo: takes plain http:// requests in absolute
// form ("GET http://host:port/path HTTP/1.1"), asks for Basic credentials when it has
// them, records what it received and forwards the request (or answers from a folder).

#include "request_log.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace skelvane::fixture {

struct FixtureProxyOptions {
    // With a user name, every request must carry "Proxy-Authorization: Basic
    // base64(user:password)"; one without, or with others, gets 407 and
    // `Proxy-Authenticate: Basic realm="fixture"`. Without a user name, anything goes.
    std::string user;
    std::string password;
    // When set, requests are answered from this folder (by their path) instead of being
    // forwarded to the host they name.
    std::filesystem::path root;
};

class FixtureProxy {
public:
    // Listens on 127.0.0.1:`port` (0: any free port). Check listening().
    explicit FixtureProxy(FixtureProxyOptions options, std::uint16_t port = 0);
    ~FixtureProxy();
    FixtureProxy(const FixtureProxy&) = delete;
    FixtureProxy& operator=(const FixtureProxy&) = delete;

    bool listening() const;
    const std::string& error() const;
    std::uint16_t port() const;
    std::string server() const; // "127.0.0.1:PORT"

    // Every request that reached the proxy, oldest first, with the status it was answered
    // with: 407 for missing or wrong credentials, 400 for a request that is not in absolute
    // form, 501 for CONNECT (no tunnels), 502 when the host named could not be asked, else
    // the forwarded answer's. `behaviour` is "proxy".
    std::vector<FixtureRequestRecord> requests() const;
    bool waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const;
    void clearRequests();
    void setRequestObserver(std::function<void(const FixtureRequestRecord&)> observer);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// "Basic " followed by base64("user:password"): the Proxy-Authorization value that passes.
std::string BasicCredentials(const std::string& user, const std::string& password);

} // namespace skelvane::fixture
