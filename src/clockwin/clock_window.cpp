#include "clockwin/clock_window.h"

#include "app/animation_timer.h"
#include "app/info_window_link.h"
#include "app/settings.h"
#include "app/settings_store.h"
#include "astro/date_navigation.h"
#include "astro/format_date.h"
#include "clockwin/first_run_location.h"
#include "clockwin/hint_switch.h"
#include "clockwin/month_calendar.h"
#include "clockwin/screen_snap.h"
#include "clockwin/tray_icon.h"
#include "net/download_state.h"
#include "net/internet_time.h"
#include "net/weather_service.h"
#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/clock_setter.h"
#include "widgets/menu_icons.h"
#include "widgets/moon_image.h"
#include "widgets/window_placement.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <cstdlib>

namespace skelvane {

namespace {

// Band geometry of the client area, top to bottom.
constexpr int kBand1Height = 66; // Panel1, the big time
constexpr int kBand2Top = 66;    // Panel2, the date line
constexpr int kBand2Height = 24;
constexpr int kBand3Top = 90; // Panel3, month navigation and calendar
constexpr int kBand3Height = 150;
constexpr int kBand4Top = 240; // Panel5 (sun) and Panel4 (moon, day info)
constexpr int kBand4Height = 36;
constexpr int kPanel5Width = 90;
constexpr int kPanel4Width = 123;

const QColor kSilver(192, 192, 192);

QFont arialBold(int pixelSize) {
    // Arial where installed; fontconfig maps it to a metric-compatible face elsewhere.
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

void endProcessNow() {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(0);
}

} // namespace

TForm1::TForm1(Settings& settings, SettingsStore& store, const Clock& clock, Options options,
               QWidget* parent)
    : QMainWindow(parent), settings_(settings), store_(store), clock_(clock), options_(options),
      tick_(settings, clock, *this, clock.nowLocal()), endProcess_(endProcessNow) {
    setObjectName(QStringLiteral("Form1"));
    dateNames_ = DateLocaleFrom(QLocale::system());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    animation_ = new AnimationTimer(this);
    downloads_ = new DownloadState(settings_, this);
    weather_ = new WeatherService(settings_, clock_, *downloads_, this);
    internetTime_ = new InternetTime(settings_, clock_, this);
    connect(internetTime_, &InternetTime::attemptStarted, this,
            [this](DateTime local) { tick_.setLastClockSyncAttempt(local); });

    smallImages_ = SmallImageList();
    actions_ = CreateClockActions(this);
    addActions(actions_.all());
    ToggleWindowAction1 = actions_.ToggleWindowAction1;
    TrayIcon = new MoonTrayIcon(settings_, moonIcons_, this);
    menus_ = BuildClockMenus(
        actions_, {TrayIcon->TrayTemperature1, TrayIcon->TrayMoon1, TrayIcon->TrayAnimation1},
        menuBar(), this);
    QFont menuFont = menuBar()->font();
    menuFont.setPixelSize(11); // the five items fit the narrow window
    menuBar()->setFont(menuFont);

    buildBands();
    connectActions();
    createTrayIcon();
    connectWeather();

    // The window manager moves the window; once the user stops dragging it, it is pulled
    // onto a screen edge that lies within 20 pixels.
    snapTimer_ = new QTimer(this);
    snapTimer_->setSingleShot(true);
    snapTimer_->setInterval(250);
    connect(snapTimer_, &QTimer::timeout, this, [this] {
        if (const QScreen* screen = this->screen()) {
            const QPoint snapped = SnapToScreenEdges(frameGeometry(), screen->availableGeometry());
            if (snapped != frameGeometry().topLeft())
                move(snapped);
        }
    });
    hints_ = new HintSwitch(this);
    ApplyStayOnTop(this, settings_.StayOnTop);

    // Creation steps in their order. The component services of the embedded browser,
    // the shared image buffers and the random seed are set up by the subsystems that
    // use them when they arrive; QRandomGenerator::global() is seeded by the system.
    const QLocale locale = QLocale::system();
    dateFormats_ = LocaleDateFormatsFrom(locale);
    weather_->setDateFormat(dateFormats_.longDate, dateNames_);
    tick_.setDateFormats(
        {dateFormats_.longDate, dateFormats_.shortDateShortYear, DateLocaleFrom(locale)});

    setCaption(QString());
    applicationTitle_.clear();
    hints_->setHintsOn(true);

    if (!options_.defaultsOnly)
        ReadIniFile();

    tick_.UpdateClocks();

    // A first run without a stored place starts at a place guessed from the time zone.
    GuessLocationWhenNoneIsStored(settings_);

    calendarWeekStart_ =
        settings_.WeekStart == 7 ? FirstDayOfWeekIndex(locale) : settings_.WeekStart;
    settings_.WeekStart = calendarWeekStart_;
    // The calendar counts from Sunday, the setting from Monday.
    Calendar1->SetStartOfWeek((calendarWeekStart_ + 1) % 7);
    Calendar1->SetShowHolidays(settings_.ShowHolidays);
    Calendar1->SetShowTinyMoons(settings_.ShowTinyMoons);
    Calendar1->SetUseLocalTime(settings_.UseLocalTime);
    Calendar1->SetSouthernHemisphere(settings_.SouthernHemisphere);
    std::array<QString, 7> dayNames;
    for (int d = 0; d < 7; ++d) // Qt counts Monday 1 .. Sunday 7
        dayNames[static_cast<std::size_t>(d)] =
            locale.dayName(d == 0 ? 7 : d, QLocale::ShortFormat);
    Calendar1->SetDayNames(dayNames);
    actions_.ToggleStayOnTop1->setChecked(settings_.StayOnTop);
    actions_.ToggleHintsOn1->setChecked(settings_.ShowHints);
    actions_.ToggleMinimizeToTray1->setChecked(settings_.MinimizeToTrayOn);
    actions_.ToggleShowHolidays1->setChecked(settings_.ShowHolidays);
    actions_.ToggleShowTinyMoons1->setChecked(settings_.ShowTinyMoons);
    actions_.ToggleStartMinimized1->setChecked(settings_.StartMinimized);
    actions_.RunWhenWindowsStartsAction->setChecked(settings_.RunWhenWindowsStarts);
    actions_.ToggleSaveOnExit1->setChecked(settings_.SaveOnExit);

    SetHeight();
    TrayIcon->Start();
    TrayIcon->SetTrayIconType(settings_.TrayType);
    ChooseFirstRunTrayColors(settings_);

    if (settings_.StartMinimized) {
        settings_.ShowInfoFormAtStartup = false;
        showAtStart_ = false;
    }
    pendingStartupClockUpdate_ = settings_.UpdateClockOnStartup;
    pendingStartupWeatherUpdate_ = settings_.UpdateWeatherOnStartup;
    QCoreApplication::processEvents();
}

TForm1::~TForm1() = default;

void TForm1::buildBands() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("ClientArea"));
    client_->setAutoFillBackground(true);
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, kSilver);
    client_->setPalette(palette);
    client_->setFixedSize(kClientWidth, ClientHeightForLevel(4));
    setCentralWidget(client_);
    // The window always has exactly the size of its bands: no resizing by the user.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    Panel1 = new QLabel(client_);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, kClientWidth, kBand1Height);
    Panel1->setFont(arialBold(72));
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setAutoFillBackground(true);
    Panel1->setStyleSheet(QStringLiteral("QLabel { background: white; color: black; }"));
    Panel1->setToolTip(tr("Right Click or Double Click"));

    Panel2 = new QLabel(client_);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(0, kBand2Top, kClientWidth, kBand2Height);
    Panel2->setFont(arialBold(13));
    Panel2->setAlignment(Qt::AlignCenter);
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Raised);

    Panel3 = new QFrame(client_);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(0, kBand3Top, kClientWidth, kBand3Height);
    Panel3->setFrameShape(QFrame::Panel);
    Panel3->setFrameShadow(QFrame::Raised);

    Panel5 = new QFrame(client_);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setGeometry(0, kBand4Top, kPanel5Width, kBand4Height);
    Panel5->setFrameShape(QFrame::Panel);
    Panel5->setFrameShadow(QFrame::Raised);

    Panel4 = new QFrame(client_);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setGeometry(kClientWidth - kPanel4Width, kBand4Top, kPanel4Width, kBand4Height);
    Panel4->setFrameShape(QFrame::Panel);
    Panel4->setFrameShadow(QFrame::Raised);

    QFont small(QStringLiteral("Arial"));
    small.setStyleHint(QFont::SansSerif);
    small.setPixelSize(11);
    auto makeLabel = [&](QWidget* parent, const char* name, int x, int y, int width) {
        auto* label = new QLabel(parent);
        label->setObjectName(QLatin1String(name));
        label->setFont(small);
        label->setGeometry(x, y, width, 15);
        return label;
    };
    SunriseLabel = makeLabel(Panel5, "SunriseLabel", 4, 3, kPanel5Width - 6);
    SunsetLabel = makeLabel(Panel5, "SunsetLabel", 4, 18, kPanel5Width - 6);
    DayInfoLabel1 = makeLabel(Panel4, "DayInfoLabel1", 4, 3, kPanel4Width - 38);
    DayInfoLabel2 = makeLabel(Panel4, "DayInfoLabel2", 4, 18, kPanel4Width - 38);
    for (QLabel* label : {DayInfoLabel1, DayInfoLabel2}) {
        QPalette blue = label->palette();
        blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
        label->setPalette(blue);
    }

    Moon2 = new TMoon(Panel4);
    Moon2->setObjectName(QStringLiteral("Moon2"));
    Moon2->setGeometry(kPanel4Width - 34, 2, 32, 32);
    Moon2->setMoonStyle(MoonStyle::Colour);
    Moon2->setHint(tr("Click for moon data"));

    buildMonthRow();

    // Presses on the bottom bands open the Moon page; on the date line, the Year page.
    for (QWidget* widget :
         {static_cast<QWidget*>(Panel2), static_cast<QWidget*>(Panel4),
          static_cast<QWidget*>(Panel5), static_cast<QWidget*>(SunriseLabel),
          static_cast<QWidget*>(SunsetLabel), static_cast<QWidget*>(DayInfoLabel1),
          static_cast<QWidget*>(DayInfoLabel2)})
        widget->installEventFilter(this);
    connect(Moon2, &TMoon::clicked, this, [this] { actions_.ShowMoonSheetAction1->trigger(); });
    Panel1->installEventFilter(this);

    // The pop-up menu opens on a right click anywhere on the window.
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { menus_.PopupMenu1->popup(mapToGlobal(pos)); });
}

int TForm1::ClientHeightForLevel(int level) {
    switch (level) {
    case 1:
        return kBand1Height;
    case 2:
        return kBand2Top + kBand2Height;
    case 3:
        return kBand3Top + kBand3Height;
    case 4:
        return kBand4Top + kBand4Height;
    default:
        return 0;
    }
}

void TForm1::SetHeight() {
    // Any other level leaves the height as it is.
    const int height = ClientHeightForLevel(settings_.DisplayLevel);
    if (height > 0)
        client_->setFixedSize(kClientWidth, height);
}

void TForm1::ToggleWindow() {
    settings_.DisplayLevel =
        settings_.DisplayLevel >= 1 && settings_.DisplayLevel < 4 ? settings_.DisplayLevel + 1 : 1;
    SetHeight();
}

void TForm1::ReadIniFile() {
    store_.ReadIniFile(settings_);
    // A position off every screen (a screen since removed, or a damaged file) brings the
    // window back onto one. The window has its full height yet, the largest it takes.
    const QSize size = sizeHint();
    move(PlaceOnScreens(QPoint(settings_.WindowLeft, settings_.WindowTop), size, size,
                        AvailableScreenAreas())
             .topLeft());
    ApplyStayOnTop(this, settings_.StayOnTop);
    hints_->setHintsOn(settings_.ShowHints);
}

void TForm1::SaveIniFile() {
    settings_.WindowTop = y();
    settings_.WindowLeft = x();
    settings_.StayOnTop = windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    settings_.ShowHints = hints_->hintsOn();
    store_.SaveIniFile(settings_);
}

void TForm1::Timer1Timer() {
    tick_.UpdateClocks();
    if (firstTick_) {
        Timer1->setInterval(1000);
        // Without the information window the next tick tries again.
        if (info_) {
            firstTick_ = false;
            startupWeatherDownload();
            info_->DoStartTasks();
        }
    }
    if (pendingStartupClockUpdate_ &&
        clock_.nowLocal() > tick_.startInstant() + ClockTick::kStartDelayDays) {
        pendingStartupClockUpdate_ = false;
        synchroniseClockWithServer();
    }
}

DateTime TForm1::calendarDate() const {
    return Calendar1->Date();
}

void TForm1::setCalendarDate(DateTime date) {
    Calendar1->SetDate(date); // its change event runs Calendar1Change
}

void TForm1::Calendar1Change() {
    UpdateDisplays();
    if (info_) {
        const std::string caption = FormatDate("ddd  mmmm d, yyyy", Calendar1->Date(), dateNames_);
        info_->setGraphGroupCaption(QLatin1Char(' ') + QString::fromStdString(caption) +
                                    QLatin1Char(' '));
    }
    tick_.resetJumpBack();
}

void TForm1::setBigTimeText(const QString& text) {
    Panel1->setText(text);
}

void TForm1::setDateLineText(const QString& text) {
    Panel2->setText(text);
}

QString TForm1::panel1Text() const {
    return Panel1->text();
}

QString TForm1::panel2Text() const {
    return Panel2->text();
}

void TForm1::setCaption(const QString& caption) {
    setWindowTitle(caption);
}

void TForm1::setClockSetter(std::unique_ptr<ClockSetter> setter) {
    internetTime_->setClockSetter(std::move(setter));
}

void TForm1::synchroniseClockWithServer() {
    // The start-up task and the schedule always set the clock; the Time page words the
    // result by the "Update PC Clock" setting.
    const InternetTimeResult result = internetTime_->GetInternetTime(settings_.TimeServer, true);
    if (!info_)
        return;
    if (result.time != 0)
        info_->showInternetTime(settings_.UpdateClock, result.offsetDays, result.time);
    else if (!result.clockNotSetReason.isEmpty())
        info_->showClockNotSet(result.clockNotSetReason);
}

void TForm1::startWeatherDownload() {
    weather_->GetWeather(settings_.WeatherStationCode, true);
}

void TForm1::startupWeatherDownload() {
    if (!pendingStartupWeatherUpdate_)
        return;
    pendingStartupWeatherUpdate_ = false;
    setCaption(QStringLiteral("Loading Temp..."));
    startWeatherDownload();
    TrayIcon->SetMoonIcons(CombineDateTime(clock_.nowUtc(), Calendar1->Date()),
                           dayDisplay_.phaseNameOfDay, false, tick_.temperatureShown());
}

void TForm1::connectWeather() {
    connect(weather_, &WeatherService::temperatureShown, this, &TForm1::showTemperatureCaption);
    connect(weather_, &WeatherService::trayHintChanged, this, [this](const QString& hint) {
        TrayIcon->setHint(settings_.ShowHints ? hint : QString());
    });
    connect(weather_, &WeatherService::stateChanged, this, [this] {
        const WeatherState& state = weather_->state();
        tick_.setTemperatureShown(state.temperatureShown);
        tick_.setLastWeatherReportTime(state.lastReportLocal);
    });
    connect(weather_, &WeatherService::textWindowFilled, this, &TForm1::weatherTextReady);
    connect(downloads_, &DownloadState::firewallNotice, this, &TForm1::showFirewallNotice);
}

void TForm1::showTemperatureCaption(const QString& caption, const QString& temperatureText) {
    // Window captions show no line breaks: they go, with the weather text's own.
    QString oneLine = caption;
    oneLine.remove(QLatin1Char('\n'));
    oneLine.remove(QLatin1Char('\r'));
    setCaption(oneLine);
    setApplicationTitle(oneLine);
    tick_.setTemperatureShown(true);
    if (settings_.TrayType == u'T' && !temperatureText.isEmpty())
        TrayIcon->ShowTrayTemp(temperatureText, settings_.TrayForeColor,
                               settings_.TrayBackTransparent, settings_.TrayBackColor);
    else
        TrayIcon->setTemperatureText(temperatureText); // for a later change to "T"
}

void TForm1::showFirewallNotice() {
    if (!firewallNoticeHandler_) {
        const QString title = applicationTitle_;
        setApplicationTitle(QStringLiteral("Skelvane"));
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Skelvane"),
                        QStringLiteral("Internet connection may be blocked by firewall."),
                        QMessageBox::Ok, this);
        box.exec();
        setApplicationTitle(title);
        return;
    }
    firewallNoticeHandler_();
}

void TForm1::UpdateDisplays() {
    DayDisplayInputs inputs;
    inputs.day = Calendar1->Date();
    inputs.now = clock_.nowLocal();
    inputs.shortDatePattern = dateFormats_.shortDate;
    inputs.names = dateNames_;
    inputs.eclipses = &eclipses_;
    // With a temperature shown, the summary (tray hint, caption) is the weather's.
    if (weather_->state().temperatureShown) {
        inputs.temperatureText = weather_->state().temperatureText;
        inputs.weatherText = weather_->state().weatherText;
    }
    // The Year page takes the day, or its stand-in in 1756 for earlier years.
    if (info_)
        info_->setYearCalendarDate(DateOf(Calendar1->Date()));
    dayDisplay_ = ComputeDayDisplay(settings_, inputs);
    const DayDisplay& day = dayDisplay_;

    Moon2->setRotated(settings_.SouthernHemisphere);
    Moon2->setDateTime(day.momentUtc);
    syncMonthYearBoxes();
    if (info_)
        info_->UpdateInfoForm();
    TrayIcon->SetMoonIcons(day.momentUtc, day.phaseNameOfDay, firstDisplayUpdate_,
                           tick_.temperatureShown());
    firstDisplayUpdate_ = false;
    UpdateMenuItems(settings_.SouthernHemisphere);
    UpdateEclipseMenuItems();

    auto paint = [](QLabel* label, const QString& text, const QColor& color) {
        label->setText(text);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, color);
        label->setPalette(palette);
    };
    paint(SunriseLabel, day.sunriseLabel, day.sunLabelColor);
    paint(SunsetLabel, day.sunsetLabel, day.sunLabelColor);
    paint(DayInfoLabel1, day.dayInfo1, day.dayInfoColor);
    paint(DayInfoLabel2, day.dayInfo2, day.dayInfoColor);
    if (info_ && day.dayNamed && Calendar1->Year() >= kFirstYearCalendarYear)
        info_->setYearDayInfo(day.dayInfo1);
    for (QWidget* widget : {static_cast<QWidget*>(Panel5), static_cast<QWidget*>(SunriseLabel),
                            static_cast<QWidget*>(SunsetLabel)})
        widget->setToolTip(day.sunHint);
    for (QWidget* widget : {static_cast<QWidget*>(Panel4), static_cast<QWidget*>(DayInfoLabel1),
                            static_cast<QWidget*>(DayInfoLabel2)})
        widget->setToolTip(day.moonHint);
    Moon2->setHint(day.moonHint);
    Panel2->setToolTip(day.dateHint);

    TrayIcon->setHint(settings_.ShowHints ? day.summary : QString());
    // Window captions cannot show line breaks here; the tick puts the time back next second
    // unless a temperature owns the caption.
    QString caption = day.summary;
    caption.remove(QLatin1Char('\n'));
    setCaption(caption);
    setApplicationTitle(caption);
}

void TForm1::createTrayIcon() {
    TrayIcon->setPopupMenu(menus_.PopupMenu1);
    TrayIcon->setSmallImageList(&smallImages_);
    connect(TrayIcon, &MoonTrayIcon::clicked, this, &TForm1::ToggleForm1);
    connect(TrayIcon, &MoonTrayIcon::applicationIconChanged, this, [this](const QIcon& icon) {
        QApplication::setWindowIcon(icon);
        setWindowIcon(icon);
    });
    connect(TrayIcon, &MoonTrayIcon::weatherDownloadRequested, this, [this] {
        startWeatherDownload();
        ShowInfoPage(kWeatherSheet);
    });
    connect(TrayIcon, &MoonTrayIcon::moonIconsRequested, this, [this] {
        TrayIcon->SetMoonIcons(dayDisplay_.momentUtc, dayDisplay_.phaseNameOfDay, false,
                               tick_.temperatureShown());
    });
}

void TForm1::ToggleForm1() {
    if (isVisible() && !isMinimized())
        showMinimized();
    else
        RestoreFromTray();
}

void TForm1::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (event->spontaneous() && isVisible())
        snapTimer_->start();
}

void TForm1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        // Minimised: the information window closes and the tick slows down.
        if (info_ && info_->isShowing())
            info_->CloseWindow();
        Timer1->setInterval(30000);
        if (TrayIcon->hidesWindowOnMinimize())
            QTimer::singleShot(0, this, &QWidget::hide);
    }
    QMainWindow::changeEvent(event);
}

void TForm1::RestoreFromTray() {
    Timer1->setInterval(1000);
    showNormal();
    raise();
    activateWindow();
}

InfoWindowTickTarget* TForm1::infoWindow() {
    return info_ ? info_->tickTarget() : nullptr;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && watched == Panel1) {
        ToggleWindowAction1->trigger();
        return true;
    }
    if (event->type() != QEvent::MouseButtonPress ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton || watched == Panel1)
        return QMainWindow::eventFilter(watched, event);
    if (watched == Panel2)
        actions_.ShowYearSheetAction1->trigger();
    else
        actions_.ShowMoonSheetAction1->trigger();
    return true;
}

void TForm1::mouseDoubleClickEvent(QMouseEvent* event) {
    ToggleWindowAction1->trigger();
    event->accept();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // FormCloseQuery always allows the close.
    event->accept();
    FormClose();
}

void TForm1::FormClose() {
    try {
        if (info_) {
            settings_.ShowInfoFormAtStartup = info_->isShowing();
            settings_.LastInfoFormTabIndex = info_->pageIndex();
            settings_.LastSetSheetTabIndex = info_->setSheetIndex();
            settings_.ShowWeekNumbers = info_->weekNumbersChecked();
        }
        SetRunWhenWindowsStarts(settings_.RunWhenWindowsStarts);
        SaveIniFile();
        store_.DeleteOldRegLoc();
    } catch (...) {
        // Saving must never keep the process alive.
    }
    Timer1->stop();
    animation_->stopAll();
    endProcess_();
}

} // namespace skelvane
