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

// The XDG_CONFIG_HOME that the test main points at a fresh temporary folder, so that no
// test reads or writes the real user's settings.
QString TestConfigHome();

} // namespace skelvane::test
