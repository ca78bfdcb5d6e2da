#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace skelvane::test {

// Sets an environment variable for the lifetime of the object and restores the old value.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    QByteArray name_;
    std::optional<QByteArray> old_;
};

// Makes every write that would grow a file beyond `bytes` fail with EFBIG for the lifetime
// of the object, as a full disk would, for root as for anyone (file modes do not stop root).
// The signal that would end the process at such a write is ignored meanwhile.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(long long bytes);
    ~ScopedFileSizeLimit();
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

private:
    unsigned long long oldSoftLimit_ = 0;
    void (*oldHandler_)(int) = nullptr;
};

// What every Qt suite's main sets before the application object exists: windows render
// offscreen (unless the caller chose a platform), the per-user folders (settings, autostart,
// data, caches) live in `userFolders`, and the download layer talks to loopback hosts only.
void IsolateTestProcess(const QString& userFolders);

// The XDG_CONFIG_HOME that the test main points at a fresh temporary folder, so that no
// test reads or writes the real user's settings.
QString TestConfigHome();

} // namespace skelvane::test
