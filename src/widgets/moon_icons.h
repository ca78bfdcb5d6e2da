#pragma once

#include "astro/datetime.h"
#include "widgets/full_moon_image.h"

#include <QIcon>
#include <QImage>
#include <QList>
#include <QString>

namespace skelvane {

enum class Hemisphere { Northern, Southern };

// The small phase icons: 24 equal steps of the lunar cycle. Icon 0 is the new Moon,
// 6 first quarter, 12 full Moon, 18 last quarter; 1..11 wax and 13..23 wane.
inline constexpr int kMoonIconCount = 24;

// The calendar model's signed phase angle at which icon `index` (0..23) is drawn: the
// centre of the range that PhaseIconIndex maps to the index (new 180, first quarter 90,
// full 0, last quarter -90). Indices outside 0..23 are taken modulo 24.
double PhaseAngleOfMoonIcon(int index);

// The 24 icons of one hemisphere at `size` × `size` pixels (16 for the notification area,
// 32 for the larger icon), drawn like the Moon picture. The southern icons are the
// northern ones turned 180°, so their lit side is the other one.
QList<QImage> MoonIconImages(Hemisphere hemisphere, int size, MoonStyle style = MoonStyle::Colour);

// The two icon lists of the clock window (`NorthImageList`, `SouthImageList`), each icon
// carrying a 16- and a 32-pixel picture. Built once, on construction.
class MoonIconLists {
public:
    MoonIconLists();

    // The list of a hemisphere, kMoonIconCount icons.
    const QList<QIcon>& icons(Hemisphere hemisphere) const;
    // Icon `index` of a hemisphere's list; an index outside 0..23 gives a null icon.
    QIcon icon(Hemisphere hemisphere, int index) const;
    // The pictures of one size (16 or 32) of a hemisphere's list.
    const QList<QImage>& images(Hemisphere hemisphere, int size) const;

private:
    QList<QImage> north16_, south16_, north32_, south32_;
    QList<QIcon> north_, south_;
};

// Icon number of a principal phase's name as the Moon page gives it for a day: "New Moon" 0,
// "First Quarter" 6, "FULL MOON" 12, "Last Quarter" 18; -1 for any other text (no phase).
int MoonIconIndexOfPhaseName(const QString& phaseName);

// The icon number for an instant (UTC date-time value): PhaseIconIndex of the calendar
// model's phase angle, unless `phaseNameOfDay` names a principal phase falling on the
// instant's day, which decides instead. The number is the same for both hemispheres: the
// southern list is drawn mirrored instead.
int MoonIconIndexAt(DateTime utc, const QString& phaseNameOfDay = QString());

// The instant whose Moon the icons show for a calendar day: the day of `date` (its
// fraction dropped) at the time of day of `now`. Both in the same time scale.
DateTime DayAtTimeOfNow(DateTime date, DateTime now);

} // namespace skelvane
