#pragma once

#include "astro/eclipses.h"

#include <QIcon>
#include <QList>

namespace skelvane {

// The clock window's small image list (16 × 16): the icons of its menus.
enum MenuIcon {
    kIconDecSolstice = 0,
    kIconJunSolstice = 1,
    kIconSepEquinox = 2,
    kIconMarEquinox = 3,
    kIconNewMoon = 4,
    kIconFirstQuarter = 5,
    kIconFullMoon = 6,
    kIconLastQuarter = 7,
    kIconDaylightStart = 8,
    kIconDaylightEnd = 9,
    kIconSolarPartial = 10,
    kIconSolarAnnular = 11,
    kIconSolarTotal = 12,
    kIconLunarPartial = 13,
    kIconLunarTotal = 14,
    kIconMeteorShower = 15,
    kIconTemperature = 16, // overwritten by the tray's temperature picture
    kMenuIconCount = 17,
};

// The icon of an eclipse kind in the menus and lists (the penumbral lunar eclipse shows
// the full Moon).
int EclipseMenuIcon(EclipseKind kind);

// Draws the list. The moon-phase icons are the northern phase icons of the Moon picture.
QList<QIcon> SmallImageList();

} // namespace skelvane
