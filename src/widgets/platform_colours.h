#pragma once

#include <QColor>

namespace skelvane {

// A stored colour number as the settings keep it: an RGB value with red in the low byte, or,
// with the high byte 0xFF, a system colour whose index (Win32 GetSysColor numbering) is the
// low byte. System colours are taken from the application palette; unknown ones read as the
// window colour.
QColor ColorFromPlatformNumber(int colour);
// The number of an RGB colour (alpha dropped).
int PlatformNumberFromColor(const QColor& colour);

} // namespace skelvane
