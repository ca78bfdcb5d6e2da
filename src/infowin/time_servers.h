#pragma once

#include <QStringList>

namespace skelvane {

// The public time servers offered in the Time page's server box (125 host names, sorted):
// NTP Pool zones, national time institutes and large public services.
const QStringList& TimeServerHosts();

// The two report servers offered in the Settings2 page's weather server box.
const QStringList& WeatherServerHosts();

} // namespace skelvane
