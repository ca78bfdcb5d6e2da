#pragma once

#include "astro/datetime.h"
#include "net/sntp_exchange.h"

#include <QObject>
#include <QString>
#include <memory>

namespace skelvane {

class Clock;
class ClockSetter;
struct Settings;

// What one synchronisation gave: the time (local; 0 when it failed) and the clock offset θ
// in days (0 when it failed), with why it failed.
struct InternetTimeResult {
    DateTime time = 0;
    double offsetDays = 0;
    // Why the computer's clock was not set although the server answered (a refusal of the
    // time service, missing privileges); empty otherwise.
    QString clockNotSetReason;
    SntpExchangeResult exchange; // the exchange itself, for status lines
};

// The program's SNTP client: asks a time server for the time and, when asked to, sets the
// computer's clock from the answer through a ClockSetter. Runs on the user-interface thread
// and keeps its event loop running while it waits.
class InternetTime : public QObject {
    Q_OBJECT
public:
    // `setter` is used only when a synchronisation asks to set the clock; the default
    // refuses (so nothing sets the real clock unless start-up installs the system's setter).
    InternetTime(Settings& settings, const Clock& clock, QObject* parent = nullptr);
    ~InternetTime() override;

    void setClockSetter(std::unique_ptr<ClockSetter> setter);
    // The exchange's time-out and the clock it reads for its time stamps (tests).
    void setExchangeOptions(SntpExchangeOptions options) { options_ = std::move(options); }

    // One synchronisation with `server` ("host" or "host:port"). The attempt time is noted
    // first (attemptStarted). With `setClock` the computer's clock is set to T1 + θ + δ and
    // the time is "now" read afterwards, and LastTimeAdjust and LastTimeStamp are stored;
    // without it the time is the server's. A second call while one runs gives 0 at once.
    InternetTimeResult GetInternetTime(const QString& server, bool setClock);
    bool busy() const { return busy_; }

signals:
    void attemptStarted(DateTime local);

private:
    Settings& settings_;
    const Clock& clock_;
    std::unique_ptr<ClockSetter> setter_;
    SntpExchangeOptions options_;
    bool busy_ = false;
};

} // namespace skelvane
