#include "support/test_environment.h"

#include <QtGlobal>
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstring>

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

ScopedFileSizeLimit::ScopedFileSizeLimit(long long bytes) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0)
        ADD_FAILURE() << "getrlimit: " << std::strerror(errno);
    oldSoftLimit_ = limit.rlim_cur;
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        ADD_FAILURE() << "setrlimit: " << std::strerror(errno);
}

ScopedFileSizeLimit::~ScopedFileSizeLimit() {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(oldSoftLimit_);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler_);
}

void IsolateTestProcess(const QString& userFolders) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", userFolders.toUtf8());
    qputenv("XDG_DATA_HOME", (userFolders + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CACHE_HOME", (userFolders + QStringLiteral("/cache")).toUtf8());
    qputenv("SKELVANE_LOOPBACK_ONLY", "1");
}

QString TestConfigHome() {
    return qEnvironmentVariable("XDG_CONFIG_HOME");
}

} // namespace skelvane::test
