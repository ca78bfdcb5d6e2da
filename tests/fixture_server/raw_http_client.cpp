#include "raw_http_client.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace skelvane::fixture::testing {

namespace {

bool SameNameNoCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

// Splits what arrived into status, headers and body, when a whole head arrived.
void ReadHead(RawReply& reply) {
    const std::size_t headEnd = reply.bytes.find("\r\n\r\n");
    if (headEnd == std::string::npos)
        return;
    reply.body = reply.bytes.substr(headEnd + 4);
    std::string_view head(reply.bytes.data(), headEnd);
    std::size_t lineEnd = head.find("\r\n");
    const std::string_view statusLine = head.substr(0, lineEnd);
    if (statusLine.starts_with("HTTP/1.") && statusLine.size() >= 12)
        reply.status = std::stoi(std::string(statusLine.substr(9, 3)));
    while (lineEnd != std::string_view::npos) {
        head.remove_prefix(lineEnd + 2);
        lineEnd = head.find("\r\n");
        const std::string_view line = head.substr(0, lineEnd);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        std::string_view value = line.substr(colon + 1);
        while (!value.empty() && value.front() == ' ')
            value.remove_prefix(1);
        reply.headers.emplace_back(std::string(line.substr(0, colon)), std::string(value));
    }
}

} // namespace

std::string RawReply::header(std::string_view name) const {
    for (const auto& [key, value] : headers)
        if (SameNameNoCase(key, name))
            return value;
    return {};
}

long long RawReply::contentLength() const {
    const std::string text = header("Content-Length");
    return text.empty() ? -1 : std::stoll(text);
}

RawReply RawExchange(std::uint16_t port, std::string_view request,
                     std::chrono::milliseconds timeout) {
    RawReply reply;
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + timeout;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return reply;
    }
    reply.connected = true;
    std::size_t sent = 0;
    while (sent < request.size()) {
        const ssize_t count =
            ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (count <= 0)
            break;
        sent += static_cast<std::size_t>(count);
    }
    char buffer[8192];
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            reply.timedOut = true;
            break;
        }
        pollfd wait{fd, POLLIN, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0) {
            reply.timedOut = true;
            break;
        }
        const ssize_t count = ::recv(fd, buffer, sizeof buffer, 0);
        if (count > 0) {
            reply.bytes.append(buffer, static_cast<std::size_t>(count));
            continue;
        }
        reply.reset = count < 0 && errno == ECONNRESET;
        break;
    }
    ::close(fd);
    reply.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    ReadHead(reply);
    return reply;
}

RawReply RawGet(std::uint16_t port, std::string_view target, std::string_view extraHeaders,
                std::chrono::milliseconds timeout) {
    std::string request = "GET " + std::string(target) +
                          " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) + "\r\n" +
                          std::string(extraHeaders) + "Connection: close\r\n\r\n";
    return RawExchange(port, request, timeout);
}

} // namespace skelvane::fixture::testing
