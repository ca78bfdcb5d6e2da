#include "infowin/info_form.h"

#include "app/animation_timer.h"
#include "app/settings.h"
#include "app/settings_store.h"
#include "astro/datetime.h"
#include "astro/format_date.h"
#include "infowin/about_page.h"
#include "infowin/browser_view.h"
#include "infowin/graph_page.h"
#include "infowin/holiday_page.h"
#include "infowin/image_export.h"
#include "infowin/location_page.h"
#include "infowin/map_location_group.h"
#include "infowin/maps_page.h"
#include "infowin/moon_page.h"
#include "infowin/page_tabs.h"
#include "infowin/planet_page.h"
#include "infowin/radar_map_view.h"
#include "infowin/radar_page.h"
#include "infowin/satellite_page.h"
#include "infowin/settings2_page.h"
#include "infowin/text_edit_menu.h"
#include "infowin/time_page.h"
#include "infowin/tools_page.h"
#include "infowin/weather_page.h"
#include "infowin/weather_report_group.h"
#include "infowin/year_calendar.h"
#include "infowin/year_page.h"
#include "net/download_state.h"
#include "net/internet_time.h"
#include "net/weather_service.h"
#include "platform/clock.h"
#include "platform/locale_formats.h"
#include "widgets/window_placement.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace skelvane {

namespace {

constexpr int kDefaultClientWidth = 734;
constexpr int kDefaultClientHeight = 712;

QWidget* EmptyPage(const char* name) {
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(name));
    return page;
}

} // namespace

const std::array<const char*, kInfoPageCount>& TInfoForm::TabCaptions() {
    static const std::array<const char*, kInfoPageCount> captions{
        "Moon", "Planet", "Weather", " Radar",  "Satellite", "Time", " Set",
        "Year", "Tools",  "Graph",   "Holiday", "Maps",      "About"};
    return captions;
}

TInfoForm::TInfoForm(const PageServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services), settings_(services.settings),
      clock_(services.clock), clockWindow_(services.clockWindow) {
    setObjectName(QStringLiteral("InfoForm"));
    setWindowTitle(QStringLiteral("Skelvane"));
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setStyleHint(QFont::SansSerif);
    tahoma.setPixelSize(11);
    setFont(tahoma);
    setMinimumSize(400, 300);
    resize(kDefaultClientWidth, kDefaultClientHeight);
    // An application window with its own taskbar button, above ordinary windows.
    setWindowFlag(Qt::Window);
    ApplyStayOnTop(this, settings_.StayOnTop);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (services_.commands.clockMenu)
            services_.commands.clockMenu->popup(mapToGlobal(pos));
    });

    buildPages();
    connectWebPages();
    connectWeather();
    connectEditCommands();
    buildMenus();
    buildStatusBar();
    FormCreate();
    creating_ = false;
}

TInfoForm::~TInfoForm() = default;

void TInfoForm::buildPages() {
    InfoFormPageControl = new PageControl(this);
    InfoFormPageControl->setObjectName(QStringLiteral("InfoFormPageControl"));
    setCentralWidget(InfoFormPageControl);

    moonPage_ = new MoonPage(settings_, services_.moonIcons);
    moonPage_->setObjectName(QStringLiteral("MoonSheet"));
    planetPage_ = new PlanetPage(settings_, services_.eclipses);
    planetPage_->setObjectName(QStringLiteral("PlanetSheet"));
    planetPage_->setDateFormats("mm/dd/yy", "mm/dd/yy", services_.dateNames);
    yearPage_ = new YearPage(settings_, clock_);
    yearPage_->setObjectName(QStringLiteral("YearSheet"));
    yearPage_->setDateNames(services_.dateNames);
    yearPage_->setGoToMenu(services_.commands.goToMenu);
    graphPage_ = new GraphPage(settings_, clock_);
    graphPage_->setObjectName(QStringLiteral("GraphSheet"));
    graphPage_->setDateNames(services_.dateNames);
    toolsPage_ = new ToolsPage(settings_);
    timePage_ = new TimePage(settings_);
    timePage_->setDateFormat(services_.dateFormats.longDate, services_.dateNames);
    satellitePage_ = new SatellitePage(settings_, services_.downloads, services_.animation, clock_);
    holidayPage_ = new HolidayPage;
    holidayPage_->setObjectName(QStringLiteral("HolidaySheet"));
    radarPage_ = new RadarPage(settings_, clock_, services_.animation, services_.downloads);
    aboutPage_ = new AboutPage;
    aboutPage_->setObjectName(QStringLiteral("AboutSheet"));

    auto* setSheet = EmptyPage("SetSheet");
    SetSheetPageControl = new PageControl(setSheet);
    SetSheetPageControl->setObjectName(QStringLiteral("SetSheetPageControl"));
    locationPage_ = new LocationPage(settings_, services_.store);
    locationPage_->setObjectName(QStringLiteral("SettingsSheet1"));
    SetSheetPageControl->addTab(locationPage_, QStringLiteral("Settings1"));
    settings2Page_ = new Settings2Page(settings_, clockWindow_, services_.commands.settingsToggles);
    SetSheetPageControl->addTab(settings2Page_, QStringLiteral("Settings2"));
    auto* setLayout = new QVBoxLayout(setSheet); // the inner page control fills its page
    setLayout->setContentsMargins(0, 0, 0, 0);
    setLayout->addWidget(SetSheetPageControl);

    weatherPage_ = new WeatherPage(settings_, services_.store, handOff_);
    weatherPage_->setLocationPage(locationPage_);
    mapsPage_ = new MapsPage(settings_);
    mapLocationGroup_ = mapsPage_->locationGroup();
    mapsPage_->setCoordinateEditsSource([this] { return locationPage_->coordinateEdits(); });

    const std::array<QWidget*, kInfoPageCount> pages{
        moonPage_, planetPage_, weatherPage_, radarPage_,   satellitePage_, timePage_,  setSheet,
        yearPage_, toolsPage_,  graphPage_,   holidayPage_, mapsPage_,      aboutPage_,
    };
    for (std::size_t i = 0; i < pages.size(); ++i)
        InfoFormPageControl->addTab(pages[i], QString::fromLatin1(TabCaptions()[i]));
    shownPage_ = InfoFormPageControl->currentIndex();
    connect(InfoFormPageControl, &QTabWidget::currentChanged, this, &TInfoForm::pageChanged);

    const auto selectDate = [this](DateTime date) { clockWindow_.selectDate(date); };
    connect(moonPage_, &MoonPage::goToDate, this, selectDate);
    connect(moonPage_, &MoonPage::eclipseListNeedsRebuild, this,
            [this] { eclipseListStale_ = true; });
    connect(moonPage_, &MoonPage::displayModeChanged, this,
            [this] { clockWindow_.displayModesChanged(); });
    connect(planetPage_, &PlanetPage::goToDate, this, selectDate);
    connect(planetPage_, &PlanetPage::eclipseListChanged, this,
            [this] { clockWindow_.eclipseListChanged(); });
    connect(moonPage_, &MoonPage::refreshRequested, this, &TInfoForm::UpdateInfoForm);
    connect(moonPage_, &MoonPage::animationChanged, this, &TInfoForm::updateAnimationTimer);
    connect(&services_.animation, &AnimationTimer::Timer2Timer, this, &TInfoForm::Timer2Timer);
    connect(holidayPage_, &HolidayPage::holidaySelected, this, selectDate);

    const SharedCommands& commands = services_.commands;
    const auto trigger = [](QAction* action) {
        if (action)
            action->trigger();
    };
    connect(yearPage_, &YearPage::goToDate, this, selectDate);
    connect(yearPage_, &YearPage::todayRequested, this, [=] { trigger(commands.goToToday); });
    connect(yearPage_, &YearPage::weekStartChanged, this,
            [this](int day) { clockWindow_.setWeekStart(day); });
    connect(graphPage_, &GraphPage::goToDate, this, selectDate);
    connect(graphPage_, &GraphPage::seasonRequested, this, [=](int season) {
        if (season >= 0 && season < 4)
            trigger(commands.goToSeason[static_cast<std::size_t>(season)]);
    });
    connect(graphPage_, &GraphPage::previousMonthRequested, this,
            [=] { trigger(commands.goToPrevMonth); });
    connect(graphPage_, &GraphPage::nextMonthRequested, this,
            [=] { trigger(commands.goToNextMonth); });
    // Show Holidays also redraws the year's bold days.
    if (commands.showHolidays)
        connect(commands.showHolidays, &QAction::triggered, yearPage_,
                &YearPage::UpdateBigCalendar);

    // A saved place moves every display at once.
    connect(locationPage_, &LocationPage::locationSaved, this,
            [this] { clockWindow_.updateDisplays(); });
    connect(locationPage_, &LocationPage::closeRequested, this, &QWidget::close);
    connect(locationPage_, &LocationPage::mapLocationChanged, mapsPage_, &MapsPage::showLocation);
    connect(locationPage_, &LocationPage::goToMapsRequested, this,
            [this] { selectPage(kMapSheet); });
    connect(locationPage_, &LocationPage::messageRequested, this, [this](const QString& text) {
        // Not modal: the clock keeps ticking while the message is up.
        auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Skelvane"), text,
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        box->show();
    });
}

void TInfoForm::connectWebPages() {
    // The program's windows go to the back while the user's browser opens; start-up adds
    // the clock and help windows.
    handOff_.setWindowsToSendBack([this] { return QList<QWidget*>{this}; });
    const auto goBrowser = [this](const QString& address) { handOff_.GoBrowser(address); };
    connect(moonPage_, &MoonPage::webAddressRequested, this, goBrowser);
    connect(planetPage_, &PlanetPage::webAddressRequested, this, goBrowser);
    connect(toolsPage_, &ToolsPage::webAddressRequested, this, goBrowser);
    connect(mapsPage_, &MapsPage::webAddressRequested, this, goBrowser);
    connect(satellitePage_, &SatellitePage::webAddressRequested, this, goBrowser);
    connect(timePage_, &TimePage::worldClockRequested, this,
            [this](const QUrl& address) { handOff_.GoBrowser(address.toString()); });

    // Every "Get Map" opens the Maps page's selected site; the Moon page's thumbnails
    // their own maps.
    connect(mapsPage_, &MapsPage::setPageRequested, this, [this] {
        selectPage(kSetSheet);
        SetSheetPageControl->setCurrentIndex(0);
    });
    connect(locationPage_, &LocationPage::getMapRequested, mapsPage_, &MapsPage::GetMapBut1Click);
    connect(moonPage_, &MoonPage::getMapRequested, mapsPage_, &MapsPage::GetMapBut1Click);
    connect(moonPage_, &MoonPage::mapRequested, mapsPage_, &MapsPage::GetMap);
    // A saved place also becomes the Weather page's location field.
    connect(locationPage_, &LocationPage::locationSaved, weatherPage_,
            [this] { weatherPage_->CityStateZipEd->setText(settings_.CityStateZipEdText); });
}

void TInfoForm::connectWeather() {
    WeatherService& weather = services_.weather;
    WeatherReportGroup* group = locationPage_->weatherGroup();
    connect(locationPage_, &LocationPage::getWeatherRequested, &weather,
            &WeatherService::GetWeatherBut2Click);
    connect(&weather, &WeatherService::weatherMemoCleared, group, &WeatherReportGroup::clearMemo);
    connect(&weather, &WeatherService::reportShown, this,
            [this](const QStringList& lines, const QString& code, const QString& name) {
                locationPage_->showWeatherReport(lines, code, name);
                DisplayWeather();
            });
    connect(&services_.downloads, &DownloadState::statusLine, group,
            &WeatherReportGroup::appendStatusLine);
    // A save of the settings that failed is told in the same memo.
    connect(&services_.store, &SettingsStore::saveFailed, group,
            &WeatherReportGroup::appendStatusLine);
    connect(settings2Page_, &Settings2Page::temperatureUnitsChanged, &weather,
            &WeatherService::TemperatureUnitsChanged);
    connect(timePage_, &TimePage::synchroniseRequested, this, &TInfoForm::GetInternetTimeButClick);
}

void TInfoForm::connectEditCommands() {
    ImagePages pages;
    pages.radar = radarPage_;
    pages.satellite = satellitePage_;
    pages.graph = graphPage_;
    pages.year = yearPage_;
    imageExport_ = new ImageExport(
        settings_, pages, [this] { return InfoFormPageControl->currentWidget(); }, this);
    imageExport_->setDateNames(services_.dateNames);
    const auto focusedBrowser = [this]() -> BrowserView* {
        BrowserView* browser = weatherPage_->browser();
        QWidget* focus = QApplication::focusWidget();
        if (!browser || !focus || !browser->widget())
            return nullptr;
        return browser->widget() == focus || browser->widget()->isAncestorOf(focus) ? browser
                                                                                    : nullptr;
    };
    imageExport_->setFocusedBrowser(focusedBrowser);
    ImageExport* exporter = imageExport_;
    connect(radarPage_, &RadarPage::copyImageRequested, exporter,
            &ImageExport::CopyToClipboard2Click);
    connect(radarPage_, &RadarPage::saveImageRequested, exporter, &ImageExport::SaveAsFile2Click);
    connect(radarPage_, &RadarPage::printImageRequested, exporter,
            &ImageExport::PrintImageAction1Execute);
    connect(satellitePage_, &SatellitePage::copyImageRequested, exporter,
            &ImageExport::CopyToClipboard2Click);
    connect(satellitePage_, &SatellitePage::saveImageRequested, exporter,
            &ImageExport::SaveAsFile2Click);
    connect(satellitePage_, &SatellitePage::printImageRequested, exporter,
            &ImageExport::PrintImageAction1Execute);
    connect(graphPage_, &GraphPage::copyImageRequested, exporter,
            &ImageExport::CopyToClipboard2Click);
    connect(graphPage_, &GraphPage::saveImageRequested, exporter, &ImageExport::SaveAsFile2Click);
    connect(graphPage_, &GraphPage::printImageRequested, exporter,
            &ImageExport::PrintImageAction1Execute);
    connect(yearPage_, &YearPage::copyImageRequested, exporter,
            &ImageExport::CopyToClipboard2Click);
    connect(yearPage_, &YearPage::saveImageRequested, exporter, &ImageExport::SaveAsFile2Click);
    connect(yearPage_, &YearPage::printImageRequested, exporter,
            &ImageExport::PrintImageAction1Execute);
    for (QWidget* picture :
         {static_cast<QWidget*>(radarPage_->Image6), static_cast<QWidget*>(satellitePage_->Image7),
          static_cast<QWidget*>(satellitePage_->SatPanel), static_cast<QWidget*>(yearPage_->grid()),
          static_cast<QWidget*>(graphPage_->paintBox())})
        exporter->attachImageMenu(picture);

    TextEditControls controls;
    controls.calculator = toolsPage_->calculator();
    controls.planetsText = planetPage_->findChild<QPlainTextEdit*>(QStringLiteral("PlanetsMemo"));
    controls.eclipseText = planetPage_->findChild<QPlainTextEdit*>(QStringLiteral("EclipseMemo"));
    controls.weatherText = locationPage_->weatherGroup()->WeatherMemo2;
    controls.addressBox = weatherPage_->BrowseBox;
    controls.locationField = weatherPage_->CityStateZipEd;
    controls.dictionaryBox = toolsPage_->DictionaryComboBox;
    controls.searchBox = toolsPage_->GoogleComboBox;
    controls.encyclopediaBox = toolsPage_->WikiComboBox;
    textEditMenu_ = new TextEditMenu(controls, this);
    textEditMenu_->setCalculatorPaste([this] { toolsPage_->PasteButClick(); });
    textEditMenu_->setBrowser([this] { return weatherPage_->browser(); });
}

void TInfoForm::DisplayWeather() {
    settings2Page_->showTemperatureUnits();
    locationPage_->weatherGroup()->showReportTimes(services_.weather.state().lastReportLocal,
                                                   settings_.LastWeatherTimeStampStr);
}

void TInfoForm::buildMenus() {
    QMenuBar* bar = menuBar();
    CloseItem = bar->addAction(QStringLiteral("&Close"));
    CloseItem->setObjectName(QStringLiteral("Close1"));
    connect(CloseItem, &QAction::triggered, this, &QWidget::close);

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("View1"));
    SizeMinimumAction1 = view->addAction(QStringLiteral("Minimum Size"));
    SizeMinimumAction1->setObjectName(QStringLiteral("SizeMinimumAction1"));
    SizeDefaultAction1 = view->addAction(QStringLiteral("Default Size"));
    SizeDefaultAction1->setObjectName(QStringLiteral("SizeDefaultAction1"));
    SizeMaximumAction1 = view->addAction(QStringLiteral("Maximum Size"));
    SizeMaximumAction1->setObjectName(QStringLiteral("SizeMaximumAction1"));
    connect(SizeMinimumAction1, &QAction::triggered, this, &TInfoForm::SizeMinimumAction1Execute);
    connect(SizeDefaultAction1, &QAction::triggered, this, &TInfoForm::SizeDefaultAction1Execute);
    connect(SizeMaximumAction1, &QAction::triggered, this, &TInfoForm::SizeMaximumAction1Execute);

    for (QAction* shared : {services_.commands.goToToday, services_.commands.showHelp})
        if (shared)
            bar->addAction(shared);
}

void TInfoForm::buildStatusBar() {
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    setStatusBar(StatusBar1);
    const int widths[4] = {190, 70, 70, 50};
    for (std::size_t i = 0; i < statusPanels.size(); ++i) {
        auto* panel = new QLabel(StatusBar1);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFixedWidth(widths[i]);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        if (i == 3) {
            panel->setAlignment(Qt::AlignCenter);
            panel->setMinimumWidth(widths[i]);
            panel->setMaximumWidth(QWIDGETSIZE_MAX);
        }
        StatusBar1->addWidget(panel, i == 3 ? 1 : 0);
        statusPanels[i] = panel;
    }
}

void TInfoForm::FormCreate() {
    // The stored geometry as it stands when it lies on the screens; otherwise the window
    // comes back onto a screen, no larger than it (a damaged or hand-edited file, or a
    // screen since removed). The minimum size limits a too small one.
    const QRect placed = PlaceOnScreens(QPoint(settings_.InfoFormLeft, settings_.InfoFormTop),
                                        QSize(settings_.InfoFormWidth, settings_.InfoFormHeight),
                                        minimumSize(), AvailableScreenAreas());
    move(placed.topLeft());
    resize(placed.size());
    // The choice lists of the pages of later subsystems are filled by those pages.
    InfoFormPageControl->setCurrentIndex(0);
    if (settings_.LastInfoFormTabIndex >= 0 && settings_.LastInfoFormTabIndex < kInfoPageCount)
        InfoFormPageControl->setCurrentIndex(settings_.LastInfoFormTabIndex);
    if (settings_.LastSetSheetTabIndex >= 0 && settings_.LastSetSheetTabIndex < 2)
        SetSheetPageControl->setCurrentIndex(settings_.LastSetSheetTabIndex);
    aboutPage_->setProduct(QApplication::windowIcon(),
                           ProductLine(QStringLiteral(SKELVANE_VERSION)));
    if (settings_.AnimateMoon)
        updateAnimationTimer();
    mapsPage_->showLocation(MapLocationFromSettings(settings_));
    if (settings_.ShowInfoFormAtStartup)
        show();
}

void TInfoForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TInfoForm::FormShow() {
    clockWindow_.tickAtNormalRate();
    if (settings_.InfoFormMaximized && !isMaximized())
        QTimer::singleShot(0, this, [this] { showMaximized(); });
    UpdateInfoForm();
    toolsPage_->showStoredNumber();
    locationPage_->FormShow();
    weatherPage_->FormShow();
    settings2Page_->FormShow();
    // The radar and satellite controls are set by their pages when those pages are part
    // of the window.
}

void TInfoForm::UpdateInfoForm() {
    const DateTime now = clock_.nowLocal();
    const DateTime day = DateOf(clockWindow_.calendarDate());
    MoonPageInputs inputs;
    inputs.x = CombineDateTime(now, day);
    inputs.nowLocal = now;
    inputs.clockDay = &clockWindow_.dayDisplay();
    inputs.names = services_.dateNames;
    moonPage_->UpdateInfoForm(inputs);
    for (std::size_t i = 0; i < statusPanels.size(); ++i)
        statusPanels[i]->setText(moonPage_->statusText(static_cast<int>(i)));
    const MoonPageCaptions& captions = moonPage_->captions();
    planetPage_->setCaptions(captions.planets, captions.meteors, captions.eclipses);
    planetPage_->ShowPlanets(inputs.x);
    const int year = DecodeDate(day).year;
    if (year != planetPage_->eclipseYear() || eclipseListStale_) {
        eclipseListStale_ = false;
        planetPage_->ShowEclipses(year);
    }
    holidayPage_->refresh(year);
    graphPage_->setDate(day);
}

void TInfoForm::DoStartTasks() {
    QPalette p = palette();
    p.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    setPalette(p);
    if (settings_.LastInfoFormTabIndex >= 0 && settings_.LastInfoFormTabIndex < kInfoPageCount)
        InfoFormPageControl->setCurrentIndex(settings_.LastInfoFormTabIndex);
    if (settings_.LastSetSheetTabIndex >= 0 && settings_.LastSetSheetTabIndex < 2)
        SetSheetPageControl->setCurrentIndex(settings_.LastSetSheetTabIndex);
    // The Weather page opens the saved address (or gets the forecast) and the Radar page
    // fetches when it was the last page; the Satellite page presses "Get Satellite" once this
    // tick is over.
    if (settings_.LastInfoFormTabIndex == kWeatherSheet)
        weatherPage_->OpenStartAddress();
    if (settings_.LastInfoFormTabIndex == kRadarSheet)
        radarPage_->startTask();
    if (settings_.LastInfoFormTabIndex == kSatelliteSheet)
        QTimer::singleShot(0, satellitePage_, &SatellitePage::GetSatelliteButClick);
}

bool TInfoForm::downloadsRunning() const {
    return radarPage_->busy() || satellitePage_->downloading();
}

void TInfoForm::pageChanged(int index) {
    if (shownPage_ == kRadarSheet && index != kRadarSheet)
        radarPage_->RadarSheetExit();
    if (index == kRadarSheet && shownPage_ != kRadarSheet)
        radarPage_->RadarSheetEnter();
    if (shownPage_ == kSatelliteSheet && index != kSatelliteSheet)
        satellitePage_->SatelliteSheetExit();
    if (index == kSatelliteSheet && shownPage_ != kSatelliteSheet)
        satellitePage_->SatelliteSheetEnter();
    shownPage_ = index;
}

void TInfoForm::refreshRadarTimeLabel() {
    radarPage_->refreshTimeLabel();
}

bool TInfoForm::isShowing() const {
    return isVisible();
}

int TInfoForm::pageIndex() const {
    return InfoFormPageControl->currentIndex();
}

int TInfoForm::setSheetIndex() const {
    return SetSheetPageControl->currentIndex();
}

bool TInfoForm::weekNumbersChecked() const {
    return yearPage_->weekNumbersChecked();
}

double TInfoForm::yearCalendarDate() const {
    return yearPage_->date();
}

void TInfoForm::setYearCalendarDate(double date) {
    yearPage_->setDate(date);
}

void TInfoForm::setYearDayInfo(const QString& text) {
    yearPage_->setDayInfo(text);
}

void TInfoForm::setGraphGroupCaption(const QString& caption) {
    graphPage_->setGroupCaption(caption);
}

QString TInfoForm::graphGroupCaption() const {
    return graphPage_->groupCaption();
}

bool TInfoForm::ShowPage(InfoPage page) {
    const bool showing = selectPage(page);
    // The steps the clock window's page commands add.
    if (showing && page == kWeatherSheet) {
        weatherPage_->GetWeatherBut->setFocus();
        weatherPage_->GetForecast();
    }
    if (showing && page == kSatelliteSheet) {
        satellitePage_->GetSatelliteBut->setFocus();
        QTimer::singleShot(0, satellitePage_, &SatellitePage::GetSatelliteButClick);
    }
    if (page == kMapSheet && settings_.AutoOpenMap) // also when the window just closed
        mapsPage_->GetMapBut1Click();
    return showing;
}

bool TInfoForm::selectPage(int index) {
    if (index < 0 || index >= kInfoPageCount)
        return isVisible();
    if (isVisible() && InfoFormPageControl->currentIndex() == index) {
        close();
        return false;
    }
    InfoFormPageControl->setCurrentIndex(index);
    if (!isVisible())
        show();
    raise();
    activateWindow();
    if (index == kSetSheet)
        SetSheetPageControl->setCurrentIndex(0);
    if (index == kRadarSheet) {
        radarPage_->GetRadarBut->setFocus();
        radarPage_->GetRadarButClick();
    }
    return true;
}

void TInfoForm::ToggleShowing() {
    if (isVisible()) {
        close();
    } else {
        show();
        raise();
    }
}

void TInfoForm::CloseWindow() {
    close();
}

void TInfoForm::setStayOnTop(bool on) {
    ApplyStayOnTop(this, on);
}

void TInfoForm::showInternetTime(bool clockSet, double offsetDays, double time) {
    timePage_->UpdateInternetTimeDisplay(clockSet, offsetDays, time);
}

void TInfoForm::showClockNotSet(const QString& reason) {
    timePage_->showClockNotSet(reason);
}

void TInfoForm::GetInternetTimeButClick() {
    // The page stays disabled while the exchange runs, so it cannot start twice.
    timePage_->setEnabled(false);
    const InternetTimeResult result =
        services_.internetTime.GetInternetTime(timePage_->timeServerText(), settings_.UpdateClock);
    timePage_->setEnabled(true);
    if (result.time != 0)
        timePage_->UpdateInternetTimeDisplay(settings_.UpdateClock, result.offsetDays, result.time);
    else if (!result.clockNotSetReason.isEmpty())
        timePage_->showClockNotSet(result.clockNotSetReason);
}

QString TInfoForm::productLine() const {
    return aboutPage_->productLine();
}

void TInfoForm::showSunMoonPosition(DateTime when) {
    moonPage_->ShowSunMoonPosition(when);
}

void TInfoForm::refreshTimePage(DateTime local, DateTime utc, const QString& zoneName,
                                const std::string& timeFormat) {
    timePage_->refreshTimePage(local, utc, zoneName, timeFormat);
    planetPage_->setSiderealTime(timePage_->siderealTimeText());
}

QString TInfoForm::localTimePanelText() const {
    return timePage_->localTimePanelText();
}

QString TInfoForm::greenwichTimePanelText() const {
    return timePage_->greenwichTimePanelText();
}

void TInfoForm::showPlanets(DateTime when) {
    planetPage_->ShowPlanets(when);
}

void TInfoForm::SizeDefaultAction1Execute() {
    showNormal();
    resize(660, 752);
}

void TInfoForm::SizeMaximumAction1Execute() {
    showMaximized();
}

void TInfoForm::SizeMinimumAction1Execute() {
    showNormal();
    resize(540, 480);
}

void TInfoForm::FormActivate() {
    // Above the program's other top-most windows: lift this one to the front.
    raise();
}

void TInfoForm::FormDeactivate() {
    // The same measures FormCreate applies: the frame's position and the window's size.
    settings_.InfoFormTop = y();
    settings_.InfoFormLeft = x();
    settings_.InfoFormHeight = height();
    settings_.InfoFormWidth = width();
    settings_.InfoFormMaximized = isMaximized();
    settings_.LastInfoFormTabIndex = InfoFormPageControl->currentIndex();
    settings_.LastSetSheetTabIndex = SetSheetPageControl->currentIndex();
    settings_.TimeServer = timePage_->timeServerText();
    toolsPage_->storeNumber();
    settings_.UpdateWeatherMinutes = settings2Page_->weatherMinutes();
}

void TInfoForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !creating_) {
        if (isActiveWindow())
            FormActivate();
        else
            FormDeactivate();
    }
    QMainWindow::changeEvent(event);
}

void TInfoForm::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click on the window's background closes it.
    close();
    event->accept();
}

void TInfoForm::updateAnimationTimer() {
    services_.animation.setRunning(AnimationTimer::Animation::Moon, moonPage_->animating());
}

void TInfoForm::Timer2Timer() {
    if (!isVisible())
        return;
    moonPage_->animateStep();
    radarPage_->animateStep();
    satellitePage_->Timer2Step();
}

} // namespace skelvane
