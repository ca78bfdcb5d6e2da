#include "net/helper_transport.h"

#include "net/http_helper_protocol.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace skelvane {

namespace {

namespace fs = std::filesystem;

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void reset() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

HttpResult Failed(HttpFailure failure, QString text) {
    HttpResult result;
    result.failure = failure;
    result.errorText = std::move(text);
    return result;
}

bool SendAll(int fd, const QByteArray& bytes) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        // MSG_NOSIGNAL: a helper that died must not take the program down with SIGPIPE.
        const ssize_t n = ::send(fd, bytes.constData() + sent,
                                 static_cast<std::size_t>(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

} // namespace

std::string FindHttpHelper() {
    if (const char* own = std::getenv("SKELVANE_HTTP_HELPER"); own && *own)
        return own;
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    for (const fs::path& candidate :
         {program.parent_path() / "skelvane-http",
          program.parent_path().parent_path() / "lib" / "skelvane" / "skelvane-http"}) {
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
    }
    return {};
}

HttpResult HelperProcessTransport::perform(const HttpRequest& request,
                                           const std::function<void(const QString&)>& status) {
    if (helper_.empty())
        return Failed(HttpFailure::Other,
                      QStringLiteral("the download helper skelvane-http is not installed"));
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
        return Failed(HttpFailure::Other, QString::fromLocal8Bit(std::strerror(errno)));
    Descriptor ours(pair[0]), theirs(pair[1]);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, theirs.get(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, theirs.get(), STDOUT_FILENO);
    char* argv[] = {const_cast<char*>(helper_.c_str()), nullptr};
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, helper_.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    theirs.reset();
    if (spawned != 0)
        return Failed(HttpFailure::Other, QStringLiteral("cannot start the download helper: ") +
                                              QString::fromLocal8Bit(std::strerror(spawned)));

    HttpRequest sent = request;
    if (request.options.keepCookies)
        sent.cookies = cookies_;
    const bool requested = SendAll(ours.get(), EncodeHelperRequest(sent));
    ::shutdown(ours.get(), SHUT_WR);

    // The helper reports progress at least every second while it works; silence for longer
    // than its own limits allow means it is stuck, and it is stopped.
    const HttpLimits& limits = request.options.limits;
    const auto silence = limits.connect + limits.stall + std::chrono::seconds(10);
    HelperReplyReader reader(limits.maxBody);
    bool broken = !requested;
    bool stuck = false;
    std::array<char, 65536> buffer{};
    while (!broken && !reader.complete()) {
        pollfd wait{ours.get(), POLLIN, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(silence.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            stuck = true;
            break;
        }
        const ssize_t n = ::read(ours.get(), buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || !reader.feed(buffer.data(), static_cast<std::size_t>(n), status))
            broken = true;
    }
    if (!reader.complete())
        ::kill(child, SIGKILL);
    int childStatus = 0;
    while (::waitpid(child, &childStatus, 0) < 0 && errno == EINTR) {
    }
    if (stuck)
        return Failed(HttpFailure::TimedOut,
                      QStringLiteral("the download helper stopped answering"));
    if (!reader.complete())
        return Failed(HttpFailure::Other, QStringLiteral("the download helper ended early"));
    HttpResult result = reader.result();
    if (request.options.keepCookies)
        cookies_ = result.cookies;
    return result;
}

} // namespace skelvane
