#include "widgets/moon_icons.h"

#include "astro/moon_calendar.h"
#include "widgets/moon_image.h"

#include <QPixmap>

#include <cmath>

namespace skelvane {

double PhaseAngleOfMoonIcon(int index) {
    int n = index % kMoonIconCount;
    if (n < 0)
        n += kMoonIconCount;
    // Icon n stands for the phase progress n/12 while waxing and -(24 - n)/12 while waning,
    // progress v and angle i being related by v = sign(i) · (1 - |i| / 180).
    if (n == 0)
        return 180.0;
    if (n <= 12)
        return 180.0 * (1.0 - n / 12.0);
    return -180.0 * (1.0 - (kMoonIconCount - n) / 12.0);
}

QList<QImage> MoonIconImages(Hemisphere hemisphere, int size, MoonStyle style) {
    QList<QImage> images;
    images.reserve(kMoonIconCount);
    const QSize iconSize(size, size);
    const QImage fullMoon = FullMoonImage(iconSize, style);
    for (int n = 0; n < kMoonIconCount; ++n)
        images.append(ShadedMoonPicture(fullMoon, PhaseAngleOfMoonIcon(n),
                                        hemisphere == Hemisphere::Southern));
    return images;
}

namespace {

QList<QIcon> IconsOf(const QList<QImage>& small, const QList<QImage>& large) {
    QList<QIcon> icons;
    icons.reserve(kMoonIconCount);
    for (int n = 0; n < kMoonIconCount; ++n) {
        QIcon icon;
        icon.addPixmap(QPixmap::fromImage(small[n]));
        icon.addPixmap(QPixmap::fromImage(large[n]));
        icons.append(icon);
    }
    return icons;
}

} // namespace

MoonIconLists::MoonIconLists()
    : north16_(MoonIconImages(Hemisphere::Northern, 16)),
      south16_(MoonIconImages(Hemisphere::Southern, 16)),
      north32_(MoonIconImages(Hemisphere::Northern, 32)),
      south32_(MoonIconImages(Hemisphere::Southern, 32)), north_(IconsOf(north16_, north32_)),
      south_(IconsOf(south16_, south32_)) {}

const QList<QIcon>& MoonIconLists::icons(Hemisphere hemisphere) const {
    return hemisphere == Hemisphere::Southern ? south_ : north_;
}

QIcon MoonIconLists::icon(Hemisphere hemisphere, int index) const {
    if (index < 0 || index >= kMoonIconCount)
        return {};
    return icons(hemisphere)[index];
}

const QList<QImage>& MoonIconLists::images(Hemisphere hemisphere, int size) const {
    const bool south = hemisphere == Hemisphere::Southern;
    if (size >= 32)
        return south ? south32_ : north32_;
    return south ? south16_ : north16_;
}

int MoonIconIndexOfPhaseName(const QString& phaseName) {
    if (phaseName == QLatin1String("New Moon"))
        return 0;
    if (phaseName == QLatin1String("First Quarter"))
        return 6;
    if (phaseName == QLatin1String("FULL MOON"))
        return 12;
    if (phaseName == QLatin1String("Last Quarter"))
        return 18;
    return -1;
}

int MoonIconIndexAt(DateTime utc, const QString& phaseNameOfDay) {
    const int listed = MoonIconIndexOfPhaseName(phaseNameOfDay);
    if (listed >= 0)
        return listed;
    return PhaseIconIndex(MoonPhaseAngle(utc));
}

DateTime DayAtTimeOfNow(DateTime date, DateTime now) {
    return std::floor(date) + (now - std::floor(now));
}

} // namespace skelvane
