#include "stall_gate.h"

#include <algorithm>

namespace skelvane::fixture {

namespace {

// How often a stall asks whether its client is still there.
constexpr std::chrono::milliseconds kPeerCheckInterval{50};

} // namespace

StallGate::End StallGate::stall(std::chrono::milliseconds limit,
                                const std::function<bool()>& peerGone) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::unique_lock lock(mutex_);
    const std::uint64_t releasesAtStart = releases_;
    while (true) {
        if (stopping_)
            return End::Stopped;
        if (releases_ != releasesAtStart)
            return End::Released;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return End::TimedOut;
        if (peerGone) {
            lock.unlock();
            const bool gone = peerGone();
            lock.lock();
            if (gone)
                return End::PeerGone;
        }
        changed_.wait_until(lock, std::min(deadline, now + kPeerCheckInterval));
    }
}

bool StallGate::pause(std::chrono::milliseconds duration) {
    std::unique_lock lock(mutex_);
    return !changed_.wait_for(lock, duration, [this] { return stopping_; });
}

void StallGate::releaseAll() {
    {
        const std::lock_guard lock(mutex_);
        ++releases_;
    }
    changed_.notify_all();
}

void StallGate::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
}

bool StallGate::stopping() const {
    const std::lock_guard lock(mutex_);
    return stopping_;
}

} // namespace skelvane::fixture
