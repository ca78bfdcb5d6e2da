#pragma once

// Makes file modes bind the calling thread even when the tests run as the superuser (as they
// do in CI), so tests of read-only folders run there too. It lowers the capabilities that let
// root read, write and search past file modes from the thread's effective set while it lives
// and raises them again afterwards (they stay in the permitted set, so this is reversible).
// Capabilities belong to threads: only work done on the constructing thread is affected.

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace skelvane {

class FileModesObeyed {
public:
    FileModesObeyed() {
        if (::geteuid() != 0 || !Get(saved_))
            return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~kBypassBits;
        active_ = Set(lowered);
    }
    ~FileModesObeyed() {
        if (active_)
            Set(saved_);
    }
    FileModesObeyed(const FileModesObeyed&) = delete;
    FileModesObeyed& operator=(const FileModesObeyed&) = delete;

    // File modes now bind this thread (true when not running as root at all).
    bool obeyed() const { return ::geteuid() != 0 || active_; }

private:
    static constexpr __u32 kBypassBits =
        (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

    static bool Get(__user_cap_data_struct (&data)[2]) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return ::syscall(SYS_capget, &header, data) == 0;
    }
    static bool Set(__user_cap_data_struct (&data)[2]) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return ::syscall(SYS_capset, &header, data) == 0;
    }

    __user_cap_data_struct saved_[2] = {};
    bool active_ = false;
};

} // namespace skelvane
