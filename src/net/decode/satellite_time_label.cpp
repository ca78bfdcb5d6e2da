#include "net/decode/satellite_time_label.h"

#include "astro/format_date.h"

namespace skelvane {

std::string SatelliteTimeLabel(DateTime utcNow, DateTime localNow, bool useMilitaryTime,
                               std::string_view zoneName) {
    return FormatDate("mm dd yyyy  hh:mm", utcNow) +
           " GMT = " + FormatDate(useMilitaryTime ? "hh:mm" : "h:mm AM/PM", localNow) + " " +
           std::string(zoneName);
}

} // namespace skelvane
