#pragma once

// The fixture servers' record of what reached them, for tests to read and for the demo
// server to print.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skelvane::fixture {

struct FixtureRequestRecord {
    std::string method;
    std::string target; // as on the request line: "/x?y", or "http://host:port/x" at a proxy
    std::string path;   // the target's path, percent-decoded, without the query
    std::vector<std::pair<std::string, std::string>> headers; // as received, by name
    std::vector<std::pair<std::string, std::string>> query;   // the target's query, decoded
    // The status sent or about to be sent (a stalled answer is recorded while it stalls);
    // 0 when the connection closes without a status line (refuse, stall).
    int status = 0;
    std::string behaviour; // "serve", "refuse", "stall", …; "proxy" for a forwarded request

    // The first value of the header `name` (compared without regard to ASCII case); empty
    // when there is none.
    std::string header(std::string_view name) const;
    bool hasHeader(std::string_view name) const;
    // The first value of the query parameter `name` (compared without regard to ASCII case,
    // as map servers compare them); empty when there is none.
    std::string param(std::string_view name) const;
};

// Safe to use from several threads.
class FixtureRequestLog {
public:
    using Observer = std::function<void(const FixtureRequestRecord&)>;

    // Adds a record and passes it to the observer (on the caller's thread).
    void add(const FixtureRequestRecord& record);
    std::vector<FixtureRequestRecord> records() const;
    std::size_t size() const;
    void clear();
    // Whether `count` records arrived (since the last clear) within `timeout`.
    bool waitFor(std::size_t count, std::chrono::milliseconds timeout) const;
    // Called for every record from now on; an empty function stops the calls.
    void setObserver(Observer observer);

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable added_;
    std::vector<FixtureRequestRecord> records_;
    Observer observer_;
};

} // namespace skelvane::fixture
