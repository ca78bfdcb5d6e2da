#pragma once

#include "astro/datetime.h"

namespace skelvane {

// Fixed regional daylight-saving rules for the world clocks. Each compares the value
// with instants of its own calendar year (same time scale as the value).
// From the first Sunday of April 02:00 up to the last Sunday of October 02:00.
bool OldUsDstActive(DateTime value);
// From the last Sunday of March 01:00 up to the last Sunday of October 01:00.
bool EuDstActive(DateTime value);
// From the first Sunday of October 02:00 on, or before the third Sunday of March 02:00.
bool SouthDstActive(DateTime value);

} // namespace skelvane
