#include "almanac/almanac.h"
#include "platform/system_timezone.h"

#include <iostream>

int main(int argc, char* argv[]) {
    std::ios::sync_with_stdio(false);
    skelvane::InstallSystemTimeZoneSource();
    return skelvane::almanac::RunAlmanac(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                         std::cerr);
}
