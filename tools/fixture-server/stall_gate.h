#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace skelvane::fixture {

// Where a fixture server's answers wait: stalls, delays and the pauses of a slow answer.
// Everything waiting here ends at once when the server stops, so that stopping never waits
// for a stall to run out.
class StallGate {
public:
    enum class End {
        Released, // releaseAll() was called
        Stopped,  // stop() was called
        TimedOut, // the limit passed
        PeerGone, // the client went away
    };

    // Waits until releaseAll() or stop() is called, `limit` passes or `peerGone` (asked a few
    // times a second when given) says the client has gone.
    End stall(std::chrono::milliseconds limit, const std::function<bool()>& peerGone);
    // Sleeps for `duration` unless the gate stops first; returns false when it stopped.
    bool pause(std::chrono::milliseconds duration);
    // Ends the stalls in progress; later ones stall again.
    void releaseAll();
    // Ends every wait in progress and every later one at once. For good.
    void stop();
    bool stopping() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t releases_ = 0;
    bool stopping_ = false;
};

} // namespace skelvane::fixture
