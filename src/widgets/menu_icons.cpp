#include "widgets/menu_icons.h"

#include "widgets/moon_icons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace skelvane {

namespace {

constexpr int kSize = 16;
const QColor kSunYellow(255, 210, 0);
const QColor kSky(120, 170, 230);
const QColor kGround(60, 120, 60);
const QColor kShadow(40, 40, 40);

QImage Blank() {
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A sun over the horizon, at a height that tells the season: high at the June solstice,
// low at the December one, on an arrow up or down at the equinoxes.
QImage SeasonIcon(int sunCentreY, int arrow) {
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(0, 0, kSize, 12, kSky);
    p.fillRect(0, 12, kSize, 4, kGround);
    p.setPen(QPen(QColor(200, 120, 0), 1));
    p.setBrush(kSunYellow);
    p.drawEllipse(QPointF(8, sunCentreY), 3.5, 3.5);
    if (arrow != 0) {
        p.setPen(QPen(Qt::black, 1.4));
        const double tip = arrow > 0 ? 1.5 : 10.5;
        const double base = arrow > 0 ? 4.5 : 7.5;
        p.drawLine(QPointF(13.5, 2), QPointF(13.5, 10));
        p.drawLine(QPointF(13.5, tip), QPointF(11.5, base));
        p.drawLine(QPointF(13.5, tip), QPointF(15.5, base));
    }
    return image;
}

// A clock face with a plus (clocks go ahead) or a minus (clocks go back).
QImage DaylightIcon(bool ahead) {
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(7, 8), 6.5, 6.5);
    p.drawLine(QPointF(7, 8), QPointF(7, 3.5));
    p.drawLine(QPointF(7, 8), QPointF(10, 8));
    const QColor mark = ahead ? QColor(0, 140, 0) : QColor(200, 0, 0);
    p.setPen(QPen(mark, 2));
    p.drawLine(QPointF(11, 13.5), QPointF(15.5, 13.5));
    if (ahead)
        p.drawLine(QPointF(13.25, 11.25), QPointF(13.25, 15.75));
    return image;
}

enum class Eclipse { SolarPartial, SolarAnnular, SolarTotal, LunarPartial, LunarTotal };

QImage EclipseIcon(Eclipse kind) {
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(8, 8);
    switch (kind) {
    case Eclipse::SolarPartial:
        p.setPen(Qt::NoPen);
        p.setBrush(kSunYellow);
        p.drawEllipse(centre, 6.5, 6.5);
        p.setBrush(kShadow);
        p.drawEllipse(QPointF(11, 6), 6, 6);
        break;
    case Eclipse::SolarAnnular:
        p.setPen(Qt::NoPen);
        p.setBrush(kSunYellow);
        p.drawEllipse(centre, 7, 7);
        p.setBrush(kShadow);
        p.drawEllipse(centre, 5.2, 5.2);
        break;
    case Eclipse::SolarTotal:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(235, 235, 255));
        p.drawEllipse(centre, 7.5, 7.5);
        p.setBrush(Qt::black);
        p.drawEllipse(centre, 5.5, 5.5);
        break;
    case Eclipse::LunarPartial: {
        p.setPen(QPen(Qt::black, 0.8));
        p.setBrush(QColor(225, 225, 215));
        p.drawEllipse(centre, 6.5, 6.5);
        QPainterPath disc;
        disc.addEllipse(centre, 6.5, 6.5);
        QPainterPath shadow;
        shadow.addEllipse(QPointF(2, 11), 8, 8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 60, 30));
        p.drawPath(disc.intersected(shadow));
        break;
    }
    case Eclipse::LunarTotal:
        p.setPen(QPen(Qt::black, 0.8));
        p.setBrush(QColor(170, 60, 30));
        p.drawEllipse(centre, 6.5, 6.5);
        break;
    }
    return image;
}

// A shooting star: a bright head with a fading trail on the night sky.
QImage MeteorIcon() {
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(0, 0, kSize, kSize, QColor(10, 20, 70));
    QLinearGradient trail(QPointF(1, 1), QPointF(11, 11));
    trail.setColorAt(0, QColor(255, 255, 255, 0));
    trail.setColorAt(1, QColor(255, 255, 255, 230));
    p.setPen(QPen(QBrush(trail), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(1.5, 1.5), QPointF(11, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 250, 200));
    p.drawEllipse(QPointF(11.5, 11.5), 2.2, 2.2);
    return image;
}

} // namespace

int EclipseMenuIcon(EclipseKind kind) {
    switch (kind) {
    case EclipseKind::SolarPartial:
        return kIconSolarPartial;
    case EclipseKind::SolarAnnular:
    case EclipseKind::SolarAnnularTotal:
        return kIconSolarAnnular;
    case EclipseKind::SolarTotal:
        return kIconSolarTotal;
    case EclipseKind::LunarPartial:
        return kIconLunarPartial;
    case EclipseKind::LunarTotal:
        return kIconLunarTotal;
    case EclipseKind::LunarPenumbral:
        break;
    }
    return kIconFullMoon;
}

QList<QIcon> SmallImageList() {
    const QList<QImage> moons = MoonIconImages(Hemisphere::Northern, kSize);
    QList<QImage> images(kMenuIconCount);
    images[kIconDecSolstice] = SeasonIcon(10, 0);
    images[kIconJunSolstice] = SeasonIcon(4, 0);
    images[kIconSepEquinox] = SeasonIcon(7, -1);
    images[kIconMarEquinox] = SeasonIcon(7, 1);
    images[kIconNewMoon] = moons.value(0);
    images[kIconFirstQuarter] = moons.value(6);
    images[kIconFullMoon] = moons.value(12);
    images[kIconLastQuarter] = moons.value(18);
    images[kIconDaylightStart] = DaylightIcon(true);
    images[kIconDaylightEnd] = DaylightIcon(false);
    images[kIconSolarPartial] = EclipseIcon(Eclipse::SolarPartial);
    images[kIconSolarAnnular] = EclipseIcon(Eclipse::SolarAnnular);
    images[kIconSolarTotal] = EclipseIcon(Eclipse::SolarTotal);
    images[kIconLunarPartial] = EclipseIcon(Eclipse::LunarPartial);
    images[kIconLunarTotal] = EclipseIcon(Eclipse::LunarTotal);
    images[kIconMeteorShower] = MeteorIcon();
    images[kIconTemperature] = Blank();
    QList<QIcon> icons;
    for (const QImage& image : images)
        icons.append(QIcon(QPixmap::fromImage(image)));
    return icons;
}

} // namespace skelvane
