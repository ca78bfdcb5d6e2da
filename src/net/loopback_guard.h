#pragma once

#include <string_view>

namespace skelvane {

// With SKELVANE_LOOPBACK_ONLY set in the environment (the test suites set it), the download
// layer and the time exchange talk only to 127.0.0.1, ::1 and localhost: a test can never
// reach the internet, even through a window's start-up download.
bool LoopbackOnly();
// Whether a host (without port, brackets allowed around IPv6) is a loopback name.
bool IsLoopbackHost(std::string_view host);

} // namespace skelvane
