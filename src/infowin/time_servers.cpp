#include "infowin/time_servers.h"

#include <algorithm>

namespace skelvane {

namespace {

// Country and continent zones of the NTP Pool project (https://www.ntppool.org/zone).
constexpr const char* kPoolZones[] = {
    "africa",  "asia",
    "europe",  "north-america",
    "oceania", "south-america",
    "ar",      "at",
    "au",      "be",
    "bg",      "br",
    "by",      "ca",
    "ch",      "cl",
    "cn",      "co",
    "cz",      "de",
    "dk",      "ee",
    "es",      "fi",
    "fr",      "gr",
    "hk",      "hr",
    "hu",      "id",
    "ie",      "il",
    "in",      "ir",
    "is",      "it",
    "jp",      "kr",
    "kz",      "lt",
    "lu",      "lv",
    "md",      "mx",
    "my",      "nl",
    "no",      "nz",
    "ph",      "pk",
    "pl",      "pt",
    "ro",      "rs",
    "ru",      "se",
    "sg",      "si",
    "sk",      "th",
    "tr",      "tw",
    "ua",      "uk",
    "us",      "vn",
    "za",
};

constexpr const char* kOtherHosts[] = {
    // The pool itself and its numbered sets.
    "pool.ntp.org",
    "0.pool.ntp.org",
    "1.pool.ntp.org",
    "2.pool.ntp.org",
    "3.pool.ntp.org",
    "0.debian.pool.ntp.org",
    "1.debian.pool.ntp.org",
    "2.debian.pool.ntp.org",
    "3.debian.pool.ntp.org",
    // NIST Internet Time Service.
    "time.nist.gov",
    "time-a-g.nist.gov",
    "time-b-g.nist.gov",
    "time-c-g.nist.gov",
    "time-d-g.nist.gov",
    "time-a-wwv.nist.gov",
    "time-b-wwv.nist.gov",
    "time-c-wwv.nist.gov",
    "time-d-wwv.nist.gov",
    "time-a-b.nist.gov",
    "time-b-b.nist.gov",
    "time-c-b.nist.gov",
    "time-d-b.nist.gov",
    "utcnist.colorado.edu",
    "utcnist2.colorado.edu",
    // Physikalisch-Technische Bundesanstalt.
    "ptbtime1.ptb.de",
    "ptbtime2.ptb.de",
    "ptbtime3.ptb.de",
    "ptbtime4.ptb.de",
    // Other national time laboratories.
    "tick.usno.navy.mil",
    "tock.usno.navy.mil",
    "time.nrc.ca",
    "time.chu.nrc.ca",
    "ntp1.npl.co.uk",
    "ntp2.npl.co.uk",
    "ntp.metas.ch",
    "ntp.nict.jp",
    "sth1.ntp.se",
    "sth2.ntp.se",
    "gbg1.ntp.se",
    "gbg2.ntp.se",
    "tik.cesnet.cz",
    "tak.cesnet.cz",
    // Large public services.
    "time.google.com",
    "time1.google.com",
    "time2.google.com",
    "time3.google.com",
    "time4.google.com",
    "time.cloudflare.com",
    "time.apple.com",
    "time.euro.apple.com",
    "time.windows.com",
    "time.facebook.com",
    "time1.facebook.com",
    "time2.facebook.com",
    "time3.facebook.com",
    "time4.facebook.com",
    "time5.facebook.com",
    "ntp.ubuntu.com",
};

} // namespace

const QStringList& TimeServerHosts() {
    static const QStringList hosts = [] {
        QStringList list;
        for (const char* zone : kPoolZones)
            list << QLatin1String(zone) + QStringLiteral(".pool.ntp.org");
        for (const char* host : kOtherHosts)
            list << QLatin1String(host);
        std::sort(list.begin(), list.end());
        return list;
    }();
    return hosts;
}

const QStringList& WeatherServerHosts() {
    static const QStringList hosts{QStringLiteral("tgftp.nws.noaa.gov"),
                                   QStringLiteral("tgftp.cp.ncep.noaa.gov")};
    return hosts;
}

} // namespace skelvane
