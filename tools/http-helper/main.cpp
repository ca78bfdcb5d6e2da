// skelvane-http: the program's download helper. Reads one request from standard input (the
// program's end of a socket), performs it with libcurl and writes its progress texts and its
// result back on standard output, in the records of net/http_helper_protocol.h. The program
// starts one for each transfer, so libcurl never lives in the clock that runs all day.
#include "net/curl/curl_transport.h"
#include "net/http_helper_protocol.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

bool WriteAll(const QByteArray& bytes) {
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.constData() + written,
                                  static_cast<std::size_t>(bytes.size() - written));
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

} // namespace

int main() {
    std::signal(SIGPIPE, SIG_IGN);
    QByteArray input;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(STDIN_FILENO, buffer, sizeof buffer)) > 0 && input.size() < (1 << 20))
        input.append(buffer, n);
    const std::optional<skelvane::HttpRequest> request = skelvane::DecodeHelperRequest(input);
    if (!request) {
        std::fputs("skelvane-http: unreadable request\n", stderr);
        return 2;
    }
    skelvane::CurlTransport transport;
    auto lastSign = std::chrono::steady_clock::now();
    transport.setProgressHandler([&lastSign] {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastSign >= std::chrono::seconds(1)) {
            lastSign = now;
            WriteAll(skelvane::EncodeHelperProgress());
        }
    });
    const skelvane::HttpResult result = transport.perform(
        *request, [](const QString& text) { WriteAll(skelvane::EncodeHelperStatus(text)); });
    return WriteAll(skelvane::EncodeHelperResult(result)) ? 0 : 1;
}
