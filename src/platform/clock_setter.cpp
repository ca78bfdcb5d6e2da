#include "platform/clock_setter.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <cerrno>
#include <cstring>
#include <ctime>

namespace skelvane {

namespace {

// How long the user may take over the desktop's password dialog.
constexpr int kTimeServiceTimeoutMs = 120000;

// 1970-01-01 .. 9999-12-31: what both ways of setting the clock can take.
constexpr std::int64_t kLastSettableUnixMs = 253402300799999;

struct ServiceAnswer {
    bool missing = false;
    ClockSetResult result;
};

ServiceAnswer SetThroughTimeService(std::int64_t utcUnixMs) {
    ServiceAnswer answer;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        answer.missing = true;
        return answer;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("/org/freedesktop/timedate1"),
        QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("SetTime"));
    // usec_utc, relative, interactive
    call << static_cast<qlonglong>(utcUnixMs * 1000) << false << true;
    call.setInteractiveAuthorizationAllowed(true);
    const QDBusMessage reply = bus.call(call, QDBus::Block, kTimeServiceTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        answer.result.ok = true;
        return answer;
    }
    if (IsTimeServiceMissing(reply.errorName())) {
        answer.missing = true;
        return answer;
    }
    answer.result.reason = DescribeTimeServiceRefusal(reply.errorName(), reply.errorMessage());
    return answer;
}

ClockSetResult SetWithClockSettime(std::int64_t utcUnixMs) {
    timespec instant{};
    instant.tv_sec = static_cast<time_t>(utcUnixMs / 1000);
    instant.tv_nsec = static_cast<long>(utcUnixMs % 1000) * 1000000L;
    if (clock_settime(CLOCK_REALTIME, &instant) == 0)
        return {true, {}};
    const int error = errno;
    if (error == EPERM)
        return {false, QStringLiteral("not permitted to set the clock (no time-date service; "
                                      "needs root or CAP_SYS_TIME)")};
    return {false,
            QStringLiteral("clock_settime: %1").arg(QString::fromLocal8Bit(std::strerror(error)))};
}

} // namespace

bool IsTimeServiceMissing(const QString& errorName) {
    static const QStringList missing = {
        QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"),
        QStringLiteral("org.freedesktop.DBus.Error.NameHasNoOwner"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
        QStringLiteral("org.freedesktop.DBus.Error.Disconnected"),
        QStringLiteral("org.freedesktop.systemd1.NoSuchUnit"),
    };
    // Activation failures: Spawn.ExecFailed, Spawn.ChildExited, Spawn.ServiceNotFound ...
    return missing.contains(errorName) ||
           errorName.startsWith(QStringLiteral("org.freedesktop.DBus.Error.Spawn."));
}

QString DescribeTimeServiceRefusal(const QString& errorName, const QString& message) {
    const QString firstLine = message.section(QLatin1Char('\n'), 0, 0).trimmed();
    if (!firstLine.isEmpty())
        return firstLine;
    if (!errorName.isEmpty())
        return errorName;
    return QStringLiteral("the time-date service refused");
}

ClockSetResult SystemClockSetter::setUtc(std::int64_t utcUnixMs) {
    if (utcUnixMs < 0 || utcUnixMs > kLastSettableUnixMs)
        return {false, QStringLiteral("time out of range")};
    const ServiceAnswer answer = SetThroughTimeService(utcUnixMs);
    if (!answer.missing)
        return answer.result;
    return SetWithClockSettime(utcUnixMs);
}

} // namespace skelvane
