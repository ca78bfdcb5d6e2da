#pragma once

// What the fixture HTTP server can be told to do instead of answering a path normally: the
// failures a download has to survive (a reset, a server that stalls, a body cut short, a
// slow line, a redirect, an HTML page where a report was expected) and canned answers.

#include <chrono>
#include <cstddef>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skelvane::fixture {

enum class FixtureBehaviour {
    Serve,     // the normal answer (the file, the folder's index page or 404), after `delay`
    Refuse,    // read the request, then reset the connection: not one byte of an answer
    Stall,     // read the request and send nothing until released, stopped or `stallLimit`,
               // then close the connection
    StallBody, // send the head and the first `bytes` of the body, then stall likewise
    Short,     // announce the whole body's length, send its first `bytes`, then close
    Slow,      // send the body at `bytesPerSecond`
    Redirect,  // `status` (302 when 0) with `location`
    HtmlPage,  // 200 with an HTML page (`body` when given) where the file was expected
    ErrorPage, // `status` (500 when 0) with the server's HTML error page
    Body,      // `status` (200 when 0) with `body` as `contentType`
};

// "serve", "refuse", "stall", "stall-body", "short", "slow", "redirect", "html", "status",
// "body": the names the command line and the request log use.
std::string_view BehaviourName(FixtureBehaviour behaviour);

// The unset value of FixtureRule::bytes: half of the body.
inline constexpr std::size_t kHalfTheBody = static_cast<std::size_t>(-1);

struct FixtureRule {
    FixtureBehaviour behaviour = FixtureBehaviour::Serve;
    // Waited before the behaviour starts, whatever it is.
    std::chrono::milliseconds delay{0};
    int status = 0;
    // Redirect: a path on this server ("/x", sent with the server's own origin) or a whole
    // address ("https://host/x", sent as it stands).
    std::string location;
    // Body, HtmlPage: the bytes sent. Short, StallBody, Slow: when not empty, the body they
    // act on instead of the normal answer's.
    std::string body;
    std::string contentType = "text/plain";               // Body only
    std::size_t bytes = kHalfTheBody;                     // Short, StallBody
    std::size_t bytesPerSecond = 100;                     // Slow
    std::chrono::milliseconds stallLimit{10 * 60 * 1000}; // Stall, StallBody
    // How many requests the rule answers before it falls away; 0 or less for ever.
    int times = -1;
    // Header lines sent with the answer besides the usual ones ("Cache-Control", ...).
    std::vector<std::pair<std::string, std::string>> headers;

    static FixtureRule refuse();
    static FixtureRule stall();
    static FixtureRule stallBody(std::size_t bytesSent = kHalfTheBody);
    static FixtureRule shortBody(std::size_t bytesSent = kHalfTheBody);
    static FixtureRule slow(std::size_t bytesPerSecond);
    static FixtureRule redirect(std::string location, int status = 302);
    static FixtureRule htmlPage();
    static FixtureRule errorPage(int status);
    static FixtureRule exactBody(std::string body, std::string contentType = "text/plain",
                                 int status = 200);
    static FixtureRule delayed(std::chrono::milliseconds delay);
};

// Reads a rule from its command-line text: "refuse", "stall", "stall-body[=BYTES]",
// "short[=BYTES]", "slow[=BYTES_PER_SECOND]", "html", "redirect=URL", "redirect301=URL",
// "status=N" (100 to 599), "delay=MS". Returns nothing and sets `error` on anything else.
std::optional<FixtureRule> ParseFixtureRule(std::string_view text, std::string& error);

// The rules of one server: exact paths first, then the longest matching prefix. Safe to use
// from several threads.
class FixtureRuleTable {
public:
    void setExact(std::string path, FixtureRule rule);
    void setPrefix(std::string prefix, FixtureRule rule);
    void clear();
    // The rule for `path`, counting one use of it (a rule whose uses run out is removed);
    // nothing when no rule matches.
    std::optional<FixtureRule> take(std::string_view path);

private:
    mutable std::mutex mutex_;
    std::map<std::string, FixtureRule, std::less<>> exact_;
    std::map<std::string, FixtureRule, std::less<>> prefixes_;
};

} // namespace skelvane::fixture
