#include "fixture_proxy.h"

#include "folder_answer.h"
#include "loopback_http_server.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>

namespace skelvane::fixture {

namespace fs = std::filesystem;

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Headers that belong to one connection (or to the proxy) and are not passed on.
bool IsHopByHop(std::string_view name) {
    for (const std::string_view hop :
         {"Connection", "Keep-Alive", "Proxy-Authorization", "Proxy-Authenticate",
          "Proxy-Connection", "TE", "Trailer", "Transfer-Encoding", "Upgrade", "Content-Length"})
        if (EqualNoCase(name, hop))
            return true;
    return false;
}

// An absolute-form target, "http://host[:port][/path][?query]".
struct AbsoluteTarget {
    std::string host;
    int port = 80;
    std::string pathAndQuery; // as sent, "/" when the target has none
};

std::optional<AbsoluteTarget> ReadAbsoluteTarget(std::string_view target) {
    constexpr std::string_view kScheme = "http://";
    if (target.size() < kScheme.size() || !EqualNoCase(target.substr(0, kScheme.size()), kScheme))
        return std::nullopt;
    target.remove_prefix(kScheme.size());
    const std::size_t authorityEnd = std::min(target.find_first_of("/?"), target.size());
    const std::string_view authority = target.substr(0, authorityEnd);
    AbsoluteTarget parsed;
    parsed.pathAndQuery = std::string(target.substr(authorityEnd));
    if (parsed.pathAndQuery.empty() || parsed.pathAndQuery.front() == '?')
        parsed.pathAndQuery.insert(0, "/");
    const std::size_t colon = authority.rfind(':');
    parsed.host = std::string(authority.substr(0, colon));
    if (colon != std::string_view::npos) {
        const std::string_view digits = authority.substr(colon + 1);
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), parsed.port);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
            parsed.port < 1 || parsed.port > 65535)
            return std::nullopt;
    }
    if (parsed.host.empty() || parsed.host.find_first_of("@[] ") != std::string::npos)
        return std::nullopt;
    return parsed;
}

// Answers with `body` through a content provider: cpp-httplib compresses a plain body on
// its own when the client accepts it, and a relayed body must go out as it came.
void SetRelayedBody(httplib::Response& response, std::string body, const std::string& type) {
    if (body.empty()) {
        response.set_content(std::string(), type);
        return;
    }
    const auto shared = std::make_shared<std::string>(std::move(body));
    response.set_content_provider(
        shared->size(), type,
        [shared](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
            return sink.write(shared->data() + offset, length);
        });
}

} // namespace

std::string BasicCredentials(const std::string& user, const std::string& password) {
    return httplib::make_basic_authentication_header(user, password, true).second;
}

struct FixtureProxy::Impl {
    FixtureProxyOptions options;
    std::string error;
    bool listening = false;
    FixtureRequestLog log;
    LoopbackHttpServer http; // last: stopped first, while the rest still stands

    ~Impl() { http.shutdown(); }

    bool authorised(const httplib::Request& request) const;
    int answer(const httplib::Request& request, httplib::Response& response) const;
    int forward(const httplib::Request& request, const AbsoluteTarget& target,
                httplib::Response& response) const;
};

bool FixtureProxy::Impl::authorised(const httplib::Request& request) const {
    if (options.user.empty())
        return true;
    const std::string header = request.get_header_value("Proxy-Authorization");
    const std::string_view presented = Trimmed(header);
    const std::string expected = BasicCredentials(options.user, options.password);
    const std::size_t space = presented.find(' ');
    return space != std::string_view::npos && EqualNoCase(presented.substr(0, space), "Basic") &&
           Trimmed(presented.substr(space)) == std::string_view(expected).substr(6);
}

int FixtureProxy::Impl::answer(const httplib::Request& request, httplib::Response& response) const {
    const auto page = [&](int status) {
        response.status = status;
        response.set_content(ErrorPageHtml(status, request.target), "text/html");
        return status;
    };
    if (!authorised(request)) {
        response.set_header("Proxy-Authenticate", "Basic realm=\"fixture\"");
        return page(407);
    }
    if (request.method == "CONNECT")
        return page(501);
    const std::optional<AbsoluteTarget> target = ReadAbsoluteTarget(request.target);
    if (!target)
        return page(400);
    if (request.method != "GET" && request.method != "HEAD") {
        response.set_header("Allow", "GET, HEAD");
        return page(405);
    }
    if (options.root.empty())
        return forward(request, *target, response);

    const std::string path = target->pathAndQuery.substr(0, target->pathAndQuery.find('?'));
    const FolderAnswer folder =
        AnswerFromFolder(options.root, httplib::detail::decode_url(path, false));
    response.status = folder.status;
    if (!folder.location.empty())
        response.set_header("Location", "http://" + target->host + ":" +
                                            std::to_string(target->port) + folder.location);
    SetRelayedBody(response, folder.body, folder.contentType);
    return folder.status;
}

int FixtureProxy::Impl::forward(const httplib::Request& request, const AbsoluteTarget& target,
                                httplib::Response& response) const {
    httplib::Client client(target.host, target.port);
    client.set_connection_timeout(std::chrono::seconds(5));
    client.set_read_timeout(std::chrono::seconds(10));
    client.set_write_timeout(std::chrono::seconds(5));
    client.set_keep_alive(false);
    client.set_follow_location(false);
    client.set_decompress(false); // pass the body on as it comes, encoded or not
    client.set_url_encode(false); // and the path as it was asked for
    httplib::Headers headers;
    for (const auto& [name, value] : RecordOfRequest(request).headers)
        if (!IsHopByHop(name))
            headers.emplace(name, value);
    const httplib::Result result = request.method == "HEAD"
                                       ? client.Head(target.pathAndQuery, headers)
                                       : client.Get(target.pathAndQuery, headers);
    if (!result) {
        response.status = 502;
        response.set_content(ErrorPageHtml(502, request.target) + "<!-- " +
                                 httplib::to_string(result.error()) + " -->\n",
                             "text/html");
        return 502;
    }
    response.status = result->status;
    std::string contentType = "application/octet-stream";
    for (const auto& [name, value] : result->headers) {
        if (EqualNoCase(name, "Content-Type"))
            contentType = value;
        else if (!IsHopByHop(name))
            response.headers.emplace(name, value);
    }
    SetRelayedBody(response, result->body, contentType);
    return result->status;
}

FixtureProxy::FixtureProxy(FixtureProxyOptions options, std::uint16_t port)
    : impl_(std::make_unique<Impl>()) {
    impl_->options = std::move(options);
    if (!impl_->options.root.empty()) {
        std::error_code rootError;
        const fs::path given = impl_->options.root;
        impl_->options.root = fs::canonical(given, rootError);
        if (rootError || !fs::is_directory(impl_->options.root, rootError)) {
            impl_->error = "not a folder: " + given.string();
            return;
        }
    }
    Impl& impl = *impl_;
    impl.http.set_pre_routing_handler(
        [&impl](const httplib::Request& request, httplib::Response& response) {
            FixtureRequestRecord record = RecordOfRequest(request);
            record.behaviour = "proxy";
            record.status = impl.answer(request, response);
            impl.log.add(record);
            return httplib::Server::HandlerResponse::Handled;
        });
    impl.listening = impl.http.start(port, impl.error);
}

FixtureProxy::~FixtureProxy() = default;

bool FixtureProxy::listening() const {
    return impl_->listening;
}

const std::string& FixtureProxy::error() const {
    return impl_->error;
}

std::uint16_t FixtureProxy::port() const {
    return impl_->http.port();
}

std::string FixtureProxy::server() const {
    return "127.0.0.1:" + std::to_string(port());
}

std::vector<FixtureRequestRecord> FixtureProxy::requests() const {
    return impl_->log.records();
}

bool FixtureProxy::waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const {
    return impl_->log.waitFor(count, timeout);
}

void FixtureProxy::clearRequests() {
    impl_->log.clear();
}

void FixtureProxy::setRequestObserver(std::function<void(const FixtureRequestRecord&)> observer) {
    impl_->log.setObserver(std::move(observer));
}

} // namespace skelvane::fixture
