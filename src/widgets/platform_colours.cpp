#include "widgets/platform_colours.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>
#include <cstdint>

namespace skelvane {

namespace {

// Palette roles standing in for the system colours, by index as Win32 GetSysColor numbers
// them (COLOR_SCROLLBAR 0 … COLOR_MENUBAR 30); index 25 is unused there.
constexpr std::array<QPalette::ColorRole, 31> kSystemColorRoles = {
    QPalette::Button,          // 0 scroll bar
    QPalette::Dark,            // 1 desktop
    QPalette::Highlight,       // 2 active caption
    QPalette::Mid,             // 3 inactive caption
    QPalette::Window,          // 4 menu
    QPalette::Base,            // 5 window
    QPalette::Shadow,          // 6 window frame
    QPalette::WindowText,      // 7 menu text
    QPalette::Text,            // 8 window text
    QPalette::HighlightedText, // 9 caption text
    QPalette::Button,          // 10 active border
    QPalette::Button,          // 11 inactive border
    QPalette::Mid,             // 12 application workspace
    QPalette::Highlight,       // 13 highlight
    QPalette::HighlightedText, // 14 highlight text
    QPalette::Button,          // 15 button face
    QPalette::Dark,            // 16 button shadow
    QPalette::Mid,             // 17 grey text
    QPalette::ButtonText,      // 18 button text
    QPalette::WindowText,      // 19 inactive caption text
    QPalette::Light,           // 20 button highlight
    QPalette::Shadow,          // 21 3-D dark shadow
    QPalette::Midlight,        // 22 3-D light
    QPalette::ToolTipText,     // 23 info text
    QPalette::ToolTipBase,     // 24 info background
    QPalette::Window,          // 25 (unused)
    QPalette::Link,            // 26 hot light
    QPalette::Highlight,       // 27 gradient active caption
    QPalette::Mid,             // 28 gradient inactive caption
    QPalette::Highlight,       // 29 menu highlight
    QPalette::Window,          // 30 menu bar
};

} // namespace

QColor ColorFromPlatformNumber(int colour) {
    const auto bits = static_cast<std::uint32_t>(colour);
    if ((bits >> 24) == 0xFFu) {
        const std::uint32_t index = bits & 0xFFu;
        const QPalette::ColorRole role =
            index < kSystemColorRoles.size() ? kSystemColorRoles[index] : QPalette::Window;
        return QGuiApplication::palette().color(QPalette::Active, role);
    }
    return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                  static_cast<int>((bits >> 16) & 0xFFu));
}

int PlatformNumberFromColor(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

} // namespace skelvane
