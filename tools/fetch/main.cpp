#include "fetch/fetch.h"
#include "platform/system_timezone.h"

#include <QCoreApplication>
#include <iostream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    skelvane::InstallSystemTimeZoneSource();
    return skelvane::fetch::RunFetch(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                     std::cerr);
}
