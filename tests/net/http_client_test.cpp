#include "net/event_loop_wait.h"
#include "net/http_client.h"

#include <QThread>
#include <QTimer>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace skelvane {
namespace {

// A loopback port that nothing listens on: bound once to learn a free number, then closed.
int ClosedLoopbackPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

TEST(HttpClient, AClosedPortIsARefusal) {
    HttpClient client(HttpClient::Options{});
    const HttpResult result =
        client.get(QStringLiteral("http://127.0.0.1:%1/pub/data/x.TXT").arg(ClosedLoopbackPort()));
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.failure, HttpFailure::Refused);
    EXPECT_TRUE(result.refused());
    EXPECT_FALSE(result.errorText.isEmpty());
}

TEST(HttpClient, OnlyWebAddressesAreFetched) {
    HttpClient client(HttpClient::Options{});
    for (const char* url : {"file:///etc/passwd", "ftp://127.0.0.1/x", "not an address"}) {
        const HttpResult result = client.get(QString::fromLatin1(url));
        EXPECT_FALSE(result.ok()) << url;
        EXPECT_TRUE(result.body.isEmpty()) << url;
    }
}

TEST(RunKeepingEventsRunning, TimersFireWhileTheWorkRuns) {
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(10);
    bool done = false;
    RunKeepingEventsRunning([&done] {
        QThread::msleep(200);
        done = true;
    });
    EXPECT_TRUE(done);
    EXPECT_GE(ticks, 5) << "the event loop stood still while the work ran";
}

} // namespace
} // namespace skelvane
