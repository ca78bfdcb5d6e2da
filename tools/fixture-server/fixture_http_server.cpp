#include "fixture_http_server.h"

#include "failure_modes.h"
#include "folder_answer.h"
#include "loopback_http_server.h"

#include <map>
#include <mutex>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <system_error>
#include <unistd.h>

namespace skelvane::fixture {

namespace fs = std::filesystem;

struct FixtureHttpServer::Impl {
    fs::path root;
    std::string error;
    bool listening = false;
    FixtureRuleTable rules;
    FixtureRequestLog log;
    std::mutex handlersMutex;
    std::map<std::string, Handler> handlers; // by path prefix
    LoopbackHttpServer http;                 // last: stopped first, while the rest still stands

    ~Impl() { http.shutdown(); }

    void answer(const httplib::Request& request, httplib::Response& response);
    FolderAnswer normalAnswer(const FixtureRequestRecord& record);
};

FolderAnswer FixtureHttpServer::Impl::normalAnswer(const FixtureRequestRecord& record) {
    Handler handler;
    {
        const std::lock_guard lock(handlersMutex);
        std::size_t longest = 0;
        for (const auto& [prefix, candidate] : handlers)
            if (record.path.starts_with(prefix) && prefix.size() >= longest) {
                longest = prefix.size();
                handler = candidate;
            }
    }
    if (!handler)
        return AnswerFromFolder(root, record.path);
    std::optional<FolderAnswer> answer = handler(record);
    if (!answer) {
        FolderAnswer missing;
        missing.body = ErrorPageHtml(404, record.path);
        return missing;
    }
    return *answer;
}

void FixtureHttpServer::Impl::answer(const httplib::Request& request, httplib::Response& response) {
    FixtureRequestRecord record = RecordOfRequest(request);
    FixtureConnection* connection = LoopbackHttpServer::currentConnection();
    if (request.method != "GET" && request.method != "HEAD") {
        record.status = 405;
        record.behaviour = "serve";
        log.add(record);
        response.status = 405;
        response.set_header("Allow", "GET, HEAD");
        response.set_content(ErrorPageHtml(405, request.path), "text/html");
        return;
    }

    const FixtureRule rule = rules.take(request.path).value_or(FixtureRule{});
    const FolderAnswer normal = NeedsNormalAnswer(rule) ? normalAnswer(record) : FolderAnswer{};
    PlannedAnswer planned = PlanAnswer(rule, normal, request.path, LoopbackOrigin(http.port()));
    record.status = RecordedStatus(rule, planned);
    record.behaviour = BehaviourName(rule.behaviour);
    log.add(record);

    if (rule.delay.count() > 0 && !http.gate().pause(rule.delay)) {
        connection->abandon(); // the server is stopping
        return;
    }
    ApplyBehaviour(rule, std::move(planned), response, *connection, http.gate());
}

FixtureHttpServer::FixtureHttpServer(const fs::path& root, std::uint16_t port)
    : impl_(std::make_unique<Impl>()) {
    std::error_code rootError;
    impl_->root = fs::canonical(root, rootError);
    if (rootError || !fs::is_directory(impl_->root, rootError)) {
        impl_->error = "not a folder: " + root.string();
        return;
    }
    Impl& impl = *impl_;
    impl.http.set_pre_routing_handler(
        [&impl](const httplib::Request& request, httplib::Response& response) {
            impl.answer(request, response);
            return httplib::Server::HandlerResponse::Handled;
        });
    impl.listening = impl.http.start(port, impl.error);
}

FixtureHttpServer::~FixtureHttpServer() = default;

bool FixtureHttpServer::listening() const {
    return impl_->listening;
}

const std::string& FixtureHttpServer::error() const {
    return impl_->error;
}

std::uint16_t FixtureHttpServer::port() const {
    return impl_->http.port();
}

std::string FixtureHttpServer::server() const {
    return "127.0.0.1:" + std::to_string(port());
}

std::string FixtureHttpServer::origin() const {
    return LoopbackOrigin(port());
}

std::string FixtureHttpServer::url(std::string_view path) const {
    return origin() + std::string(path);
}

void FixtureHttpServer::setRule(std::string path, FixtureRule rule) {
    impl_->rules.setExact(std::move(path), std::move(rule));
}

void FixtureHttpServer::setPrefixRule(std::string prefix, FixtureRule rule) {
    impl_->rules.setPrefix(std::move(prefix), std::move(rule));
}

void FixtureHttpServer::setHandler(std::string prefix, Handler handler) {
    const std::lock_guard lock(impl_->handlersMutex);
    impl_->handlers[std::move(prefix)] = std::move(handler);
}

void FixtureHttpServer::clearRules() {
    impl_->rules.clear();
}

void FixtureHttpServer::releaseStalls() {
    impl_->http.gate().releaseAll();
}

std::vector<FixtureRequestRecord> FixtureHttpServer::requests() const {
    return impl_->log.records();
}

bool FixtureHttpServer::waitForRequests(std::size_t count,
                                        std::chrono::milliseconds timeout) const {
    return impl_->log.waitFor(count, timeout);
}

void FixtureHttpServer::clearRequests() {
    impl_->log.clear();
}

void FixtureHttpServer::setRequestObserver(
    std::function<void(const FixtureRequestRecord&)> observer) {
    impl_->log.setObserver(std::move(observer));
}

std::uint16_t ClosedLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    std::uint16_t port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

} // namespace skelvane::fixture
