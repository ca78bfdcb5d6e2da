#include "net/loopback_guard.h"

#include <cstdlib>

namespace skelvane {

bool LoopbackOnly() {
    const char* value = std::getenv("SKELVANE_LOOPBACK_ONLY");
    return value != nullptr && *value != '\0' && std::string_view(value) != "0";
}

bool IsLoopbackHost(std::string_view host) {
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    return host == "127.0.0.1" || host == "::1" || host == "localhost";
}

} // namespace skelvane
