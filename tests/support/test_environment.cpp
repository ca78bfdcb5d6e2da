#include "support/test_environment.h"

#include <QtGlobal>

namespace skelvane::test {

ScopedEnv::ScopedEnv(const char* name, const QByteArray& value) : name_(name) {
    if (qEnvironmentVariableIsSet(name))
        old_ = qgetenv(name);
    qputenv(name, value);
}

ScopedEnv::~ScopedEnv() {
    if (old_)
        qputenv(name_.constData(), *old_);
    else
        qunsetenv(name_.constData());
}

QString TestConfigHome() {
    return qEnvironmentVariable("XDG_CONFIG_HOME");
}

} // namespace skelvane::test
