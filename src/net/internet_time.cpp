#include "net/internet_time.h"

#include "app/settings.h"
#include "astro/time_conversions.h"
#include "net/event_loop_wait.h"
#include "platform/clock.h"
#include "platform/clock_setter.h"

#include <cmath>

namespace skelvane {

namespace {

constexpr double kUnixEpochDays = 25569; // 1970-01-01 as a date-time value
constexpr double kMsPerDay = 86400000.0;

// The setter of a process that was not given one: nothing sets the clock.
class RefusingClockSetter final : public ClockSetter {
public:
    ClockSetResult setUtc(std::int64_t) override {
        return {false, QStringLiteral("setting the clock is not available")};
    }
};

DateTime UtcFromUnixMs(double unixMs) {
    return kUnixEpochDays + unixMs / kMsPerDay;
}

} // namespace

InternetTime::InternetTime(Settings& settings, const Clock& clock, QObject* parent)
    : QObject(parent), settings_(settings), clock_(clock),
      setter_(std::make_unique<RefusingClockSetter>()) {}

InternetTime::~InternetTime() = default;

void InternetTime::setClockSetter(std::unique_ptr<ClockSetter> setter) {
    setter_ = setter ? std::move(setter) : std::make_unique<RefusingClockSetter>();
}

InternetTimeResult InternetTime::GetInternetTime(const QString& server, bool setClock) {
    InternetTimeResult result;
    if (busy_)
        return result;
    busy_ = true;
    emit attemptStarted(clock_.nowLocal());

    const std::string host = server.trimmed().toStdString();
    RunKeepingEventsRunning([&] { result.exchange = RunSntpExchange(host, options_); });
    if (!result.exchange.ok()) {
        busy_ = false;
        return result;
    }
    const SntpExchangeResult& exchange = result.exchange;
    const double offsetDays = exchange.offsetMs / kMsPerDay;
    if (setClock) {
        // T1 + θ + δ: the request's departure on the server's clock, and the round trip.
        const auto target = static_cast<std::int64_t>(
            std::llround(exchange.t1 + exchange.offsetMs + exchange.delayMs));
        ClockSetResult set;
        RunKeepingEventsRunning([&] { set = setter_->setUtc(target); });
        if (!set.ok) {
            result.clockNotSetReason = set.reason;
            busy_ = false;
            return result;
        }
        result.time = clock_.nowLocal();
        settings_.LastTimeAdjust = offsetDays;
        settings_.LastTimeStamp = result.time;
    } else {
        result.time = UtcToLocal(UtcFromUnixMs(static_cast<double>(exchange.serverUtcMs)));
    }
    result.offsetDays = offsetDays;
    busy_ = false;
    return result;
}

} // namespace skelvane
