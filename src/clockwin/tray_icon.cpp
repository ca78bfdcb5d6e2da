#include "clockwin/tray_icon.h"

#include "app/settings.h"

#include <QAction>
#include <QActionGroup>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <array>
#include <cstdint>
#include <cstdio>

namespace skelvane {

namespace {

constexpr int kPictureSize = 16;

int ChoiceOfMode(QChar mode) {
    switch (mode.unicode()) {
    case u'A':
        return 3;
    case u'M':
        return 2;
    case u'T':
        return 1;
    default:
        return 0;
    }
}

bool IsTrayMode(QChar mode) {
    return ChoiceOfMode(mode) != 0;
}

// Said once per run: every later tray icon of the process would only repeat it.
void NoteMissingNotificationArea() {
    static bool noted = false;
    if (noted)
        return;
    noted = true;
    std::fputs("skelvane: the desktop has no notification area; the tray icon is not shown\n",
               stderr);
}

// On X11 a notification area may start after the program (Qt then shows the icon as soon as
// it appears); elsewhere, without one now, showing the icon can only fail.
bool CanShowSystemTrayIcon() {
    return QSystemTrayIcon::isSystemTrayAvailable() ||
           QGuiApplication::platformName() == QLatin1String("xcb");
}

} // namespace

bool ChooseFirstRunTrayColors(Settings& settings) {
    if (!settings.TrayColorsInit)
        return false;
    settings.TrayColorsInit = false;
    settings.TrayForeColor = PlatformNumberFromColor(Qt::white);
    settings.TrayBackColor = PlatformNumberFromColor(Qt::black);
    return true;
}

QImage TrayTemperatureImage(const QString& text, const QColor& foreColor, const QColor& backColor) {
    QImage picture(kPictureSize, kPictureSize, QImage::Format_RGB32);
    picture.fill(backColor);
    QPainter painter(&picture);
    QFont font = QGuiApplication::font();
    // Three characters such as "72°" must fit into 16 pixels.
    font.setPixelSize(10);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(foreColor);
    painter.drawText(QRect(0, 2, kPictureSize, kPictureSize - 2), Qt::AlignLeft | Qt::AlignTop,
                     text);
    painter.end();
    return picture;
}

QIcon TransparentTrayIcon(const QImage& picture, const QColor& backColor) {
    QImage masked = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb background = backColor.rgb();
    for (int y = 0; y < masked.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if ((row[x] | 0xFF000000u) == (background | 0xFF000000u))
                row[x] = qRgba(0, 0, 0, 0);
    }
    return QIcon(QPixmap::fromImage(masked));
}

MoonTrayIcon::MoonTrayIcon(Settings& settings, const MoonIconLists& moonIcons, QObject* parent)
    : QObject(parent), settings_(settings), moonIcons_(moonIcons) {
    setObjectName(QStringLiteral("TrayIcon"));
    tray_ = new QSystemTrayIcon(this);
    connect(tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    emit clicked();
            });

    animationTimer_ = new QTimer(this);
    animationTimer_->setInterval(kAnimationIntervalMs);
    connect(animationTimer_, &QTimer::timeout, this, &MoonTrayIcon::AnimateStep);

    // Radio items that can also end unchecked: clicking the checked one turns the icon off.
    menuGroup_ = new QActionGroup(this);
    menuGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    auto makeItem = [this](const QString& caption, const char* name) {
        auto* item = new QAction(caption, this);
        item->setObjectName(QLatin1String(name));
        item->setCheckable(true);
        menuGroup_->addAction(item);
        return item;
    };
    TrayTemperature1 = makeItem(tr("Tray Temperature"), "TrayTemperature1");
    TrayMoon1 = makeItem(tr("Tray Moon"), "TrayMoon1");
    TrayAnimation1 = makeItem(tr("Tray Animation"), "TrayAnimation1");
    connect(menuGroup_, &QActionGroup::triggered, this, &MoonTrayIcon::TrayMenuItemClick);

    imageList_ = moonIcons_.icons(Hemisphere::Northern);
    imageIndex_ = 12;
    pushToSystemTray();
}

MoonTrayIcon::~MoonTrayIcon() = default;

void MoonTrayIcon::Start() {
    const QChar mode = settings_.TrayType;
    minimizeToTray_ = settings_.MinimizeToTrayOn;
    setAnimate(mode == u'A');
    setActive(IsTrayMode(mode));
    groupIndex_ = ChoiceOfMode(mode);
    checkMenuItemOfGroup(groupIndex_);
}

void MoonTrayIcon::SetMoonIcons(DateTime utcInstant, const QString& phaseNameOfDay,
                                bool firstDisplayUpdate, bool temperatureShown) {
    const int index = MoonIconIndexAt(utcInstant, phaseNameOfDay);
    const Hemisphere hemisphere =
        settings_.SouthernHemisphere ? Hemisphere::Southern : Hemisphere::Northern;
    moonIndex_ = index;
    moonHemisphere_ = hemisphere;

    const QIcon moon = moonIcons_.icon(hemisphere, index);
    if (moon.cacheKey() != applicationIcon_.cacheKey()) {
        applicationIcon_ = moon;
        emit applicationIconChanged(moon);
    }

    const QChar mode = settings_.TrayType;
    if (!IsTrayMode(mode))
        return;
    // Without this the minute's refresh would put the Moon over the temperature (or, with
    // the opaque picture, show Moon image 16 instead of it).
    const bool keepTemperature = mode == u'T' && temperatureShown && !firstDisplayUpdate;
    if (keepTemperature)
        return;
    setIcon(moon);
    setImageList(moonIcons_.icons(hemisphere));
    if (mode == u'M' || !temperatureShown || firstDisplayUpdate)
        setImageIndex(index);
}

void MoonTrayIcon::ShowTrayTemp(const QString& text, int foreColor, bool transparent,
                                int backColor) {
    temperatureText_ = text;
    const QColor back = ColorFromPlatformNumber(backColor);
    const QImage picture = TrayTemperatureImage(text, ColorFromPlatformNumber(foreColor), back);
    if (transparent) {
        setIcon(TransparentTrayIcon(picture, back));
        return;
    }
    QList<QIcon>& list = smallImageList_ ? *smallImageList_ : ownSmallImageList_;
    while (list.size() <= kTemperatureSlot)
        list.append(QIcon());
    list[kTemperatureSlot] = QIcon(QPixmap::fromImage(picture));
    setImageList(list);
    setImageIndex(kTemperatureSlot);
}

void MoonTrayIcon::setTemperatureText(const QString& text) {
    temperatureText_ = text;
}

void MoonTrayIcon::RedrawTemperature() {
    if (settings_.TrayType != u'T' || temperatureText_.isEmpty())
        return;
    ShowTrayTemp(temperatureText_, settings_.TrayForeColor, settings_.TrayBackTransparent,
                 settings_.TrayBackColor);
}

void MoonTrayIcon::TrayMenuItemClick(QAction* item) {
    int choice = 0;
    if (item == TrayTemperature1)
        choice = 1;
    else if (item == TrayMoon1)
        choice = 2;
    else if (item == TrayAnimation1)
        choice = 3;
    else
        return;
    if (!item->isChecked())
        choice = 0;
    TrayIconGroupClick(choice);
}

void MoonTrayIcon::SetTrayIconType(QChar mode) {
    const int choice = ChoiceOfMode(mode);
    checkMenuItemOfGroup(choice);
    if (choice != groupIndex_)
        TrayIconGroupClick(choice);
}

void MoonTrayIcon::TrayIconGroupClick(int choice) {
    static constexpr std::array<char16_t, 4> kModes = {u'N', u'T', u'M', u'A'};
    if (choice < 0 || choice >= static_cast<int>(kModes.size()))
        return;
    settings_.TrayType = QChar(kModes[static_cast<std::size_t>(choice)]);
    const bool changed = choice != groupIndex_;
    groupIndex_ = choice;
    checkMenuItemOfGroup(choice);
    setAnimate(choice == 3);
    setActive(choice != 0);
    if (changed)
        emit trayIconGroupChanged(choice);

    switch (choice) {
    case 1:
        if (!temperatureText_.isEmpty()) {
            RedrawTemperature();
            break;
        }
        showKeptMoon();
        emit weatherDownloadRequested();
        emit moonIconsRequested();
        break;
    case 2:
    case 3:
        showKeptMoon();
        emit moonIconsRequested();
        break;
    default:
        break;
    }
}

void MoonTrayIcon::setHint(const QString& hint) {
    hint_ = hint;
    tray_->setToolTip(hint);
}

void MoonTrayIcon::setPopupMenu(QMenu* menu) {
    popupMenu_ = menu;
    tray_->setContextMenu(menu);
}

void MoonTrayIcon::setSmallImageList(QList<QIcon>* list) {
    smallImageList_ = list;
}

bool MoonTrayIcon::hidesWindowOnMinimize() const {
    return minimizeToTray_ && active_ && QSystemTrayIcon::isSystemTrayAvailable();
}

void MoonTrayIcon::AnimateStep() {
    if (imageList_.isEmpty())
        return;
    const int next = imageIndex_ + 1;
    setImageIndex(next >= 0 && next < imageList_.size() ? next : 0);
}

QIcon MoonTrayIcon::shownIcon() const {
    if (!icon_.isNull())
        return icon_;
    if (imageIndex_ >= 0 && imageIndex_ < imageList_.size())
        return imageList_[imageIndex_];
    return {};
}

bool MoonTrayIcon::animationTimerRunning() const {
    return animationTimer_->isActive();
}

void MoonTrayIcon::setActive(bool on) {
    active_ = on;
    if (on && !QSystemTrayIcon::isSystemTrayAvailable())
        NoteMissingNotificationArea();
    pushToSystemTray();
    updateAnimationTimer();
}

void MoonTrayIcon::setAnimate(bool on) {
    animate_ = on;
    updateAnimationTimer();
}

void MoonTrayIcon::setIcon(const QIcon& icon) {
    icon_ = icon;
    pushToSystemTray();
}

void MoonTrayIcon::setImageList(const QList<QIcon>& list) {
    imageList_ = list;
    pushToSystemTray();
}

void MoonTrayIcon::setImageIndex(int index) {
    imageIndex_ = index;
    icon_ = QIcon();
    pushToSystemTray();
}

void MoonTrayIcon::checkMenuItemOfGroup(int choice) {
    TrayTemperature1->setChecked(choice == 1);
    TrayMoon1->setChecked(choice == 2);
    TrayAnimation1->setChecked(choice == 3);
}

void MoonTrayIcon::showKeptMoon() {
    setImageList(moonIcons_.icons(moonHemisphere_));
    setImageIndex(moonIndex_);
}

void MoonTrayIcon::updateAnimationTimer() {
    if (active_ && animate_) {
        if (!animationTimer_->isActive())
            animationTimer_->start();
    } else {
        animationTimer_->stop();
    }
}

void MoonTrayIcon::pushToSystemTray() {
    const QIcon shown = shownIcon();
    if (!shown.isNull())
        tray_->setIcon(shown);
    const bool visible = active_ && !shown.isNull() && CanShowSystemTrayIcon();
    if (tray_->isVisible() != visible)
        tray_->setVisible(visible);
}

} // namespace skelvane
