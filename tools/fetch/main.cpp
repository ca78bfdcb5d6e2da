#include "fetch/fetch.h"
#include "net/curl/curl_transport.h"
#include "platform/system_timezone.h"

#include <QCoreApplication>
#include <iostream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    skelvane::InstallSystemTimeZoneSource();
    skelvane::UseCurlInProcess(); // a short-lived tool: no need for the helper process
    return skelvane::fetch::RunFetch(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                     std::cerr);
}
