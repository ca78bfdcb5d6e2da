#include "infowin/info_form.h"

#include "app/settings.h"
#include "astro/datetime.h"
#include "astro/format_date.h"
#include "clockwin/clock_window.h"
#include "clockwin/month_calendar.h"
#include "infowin/about_page.h"
#include "infowin/graph_page.h"
#include "infowin/holiday_page.h"
#include "infowin/location_page.h"
#include "infowin/map_location_group.h"
#include "infowin/moon_page.h"
#include "infowin/page_tabs.h"
#include "infowin/planet_page.h"
#include "infowin/settings2_page.h"
#include "infowin/time_page.h"
#include "infowin/tools_page.h"
#include "infowin/year_page.h"
#include "platform/clock.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
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

TInfoForm::TInfoForm(Settings& settings, const Clock& clock, TForm1& form1, QWidget* parent)
    : QMainWindow(parent), settings_(settings), clock_(clock), form1_(form1) {
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
    applyStayOnTop(settings_.StayOnTop);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { form1_.menus().PopupMenu1->popup(mapToGlobal(pos)); });

    buildPages();
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

    moonPage_ = new MoonPage(settings_, form1_.moonIcons());
    moonPage_->setObjectName(QStringLiteral("MoonSheet"));
    planetPage_ = new PlanetPage(settings_, form1_.eclipses());
    planetPage_->setObjectName(QStringLiteral("PlanetSheet"));
    planetPage_->setDateFormats("mm/dd/yy", "mm/dd/yy", form1_.dateNames());
    yearPage_ = new YearPage(settings_, clock_);
    yearPage_->setObjectName(QStringLiteral("YearSheet"));
    yearPage_->setDateNames(form1_.dateNames());
    yearPage_->setGoToMenu(form1_.menus().ButPopupMenu);
    graphPage_ = new GraphPage(settings_, clock_);
    graphPage_->setObjectName(QStringLiteral("GraphSheet"));
    graphPage_->setDateNames(form1_.dateNames());
    toolsPage_ = new ToolsPage(settings_);
    timePage_ = new TimePage(settings_);
    timePage_->setDateFormat(form1_.dateFormats().longDate, form1_.dateNames());
    holidayPage_ = new HolidayPage;
    holidayPage_->setObjectName(QStringLiteral("HolidaySheet"));
    aboutPage_ = new AboutPage;
    aboutPage_->setObjectName(QStringLiteral("AboutSheet"));

    auto* setSheet = EmptyPage("SetSheet");
    SetSheetPageControl = new PageControl(setSheet);
    SetSheetPageControl->setObjectName(QStringLiteral("SetSheetPageControl"));
    locationPage_ = new LocationPage(settings_, form1_.settingsStore());
    locationPage_->setObjectName(QStringLiteral("SettingsSheet1"));
    SetSheetPageControl->addTab(locationPage_, QStringLiteral("Settings1"));
    settings2Page_ = new Settings2Page(settings_, form1_);
    SetSheetPageControl->addTab(settings2Page_, QStringLiteral("Settings2"));
    auto* setLayout = new QVBoxLayout(setSheet); // the inner page control fills its page
    setLayout->setContentsMargins(0, 0, 0, 0);
    setLayout->addWidget(SetSheetPageControl);

    // The Maps page shows, until its map sites arrive, the place maps are opened for.
    auto* mapsPage = EmptyPage("TabSheet1");
    mapLocationGroup_ = new MapLocationGroup(mapsPage);
    mapLocationGroup_->setGeometry(8, 8, 420, 110);

    const std::array<QWidget*, kInfoPageCount> pages{
        moonPage_,
        planetPage_,
        EmptyPage("WeatherSheet"),
        EmptyPage("RadarSheet"),
        EmptyPage("SatelliteSheet"),
        timePage_,
        setSheet,
        yearPage_,
        toolsPage_,
        graphPage_,
        holidayPage_,
        mapsPage,
        aboutPage_,
    };
    for (std::size_t i = 0; i < pages.size(); ++i)
        InfoFormPageControl->addTab(pages[i], QString::fromLatin1(TabCaptions()[i]));

    connect(moonPage_, &MoonPage::goToDate, &form1_, &TForm1::setCalendarDate);
    connect(moonPage_, &MoonPage::eclipseListNeedsRebuild, this,
            [this] { eclipseListStale_ = true; });
    connect(moonPage_, &MoonPage::displayModeChanged, &form1_, &TForm1::DisplayModesChanged);
    connect(planetPage_, &PlanetPage::goToDate, &form1_, &TForm1::setCalendarDate);
    connect(planetPage_, &PlanetPage::eclipseListChanged, &form1_, &TForm1::UpdateEclipseMenuItems);
    connect(moonPage_, &MoonPage::refreshRequested, this, &TInfoForm::UpdateInfoForm);
    connect(moonPage_, &MoonPage::animationChanged, this, &TInfoForm::updateAnimationTimer);
    connect(form1_.Timer2, &QTimer::timeout, moonPage_, &MoonPage::animateStep);
    connect(holidayPage_, &HolidayPage::holidaySelected, &form1_, &TForm1::setCalendarDate);

    const ClockActions& actions = form1_.actions();
    connect(yearPage_, &YearPage::goToDate, &form1_, &TForm1::setCalendarDate);
    connect(yearPage_, &YearPage::todayRequested, actions.GoToToday1, &QAction::trigger);
    connect(yearPage_, &YearPage::weekStartChanged, form1_.Calendar1, &TCalendar::SetStartOfWeek);
    connect(graphPage_, &GraphPage::goToDate, &form1_, &TForm1::setCalendarDate);
    connect(graphPage_, &GraphPage::seasonRequested, this, [actions](int season) {
        if (season >= 0 && season < 4)
            actions.GoToSeason[static_cast<std::size_t>(season)]->trigger();
    });
    connect(graphPage_, &GraphPage::previousMonthRequested, actions.GoToPrevMonthAction1,
            &QAction::trigger);
    connect(graphPage_, &GraphPage::nextMonthRequested, actions.GoToNextMonthAction1,
            &QAction::trigger);
    connect(timePage_, &TimePage::worldClockRequested, this,
            [](const QUrl& address) { QDesktopServices::openUrl(address); });
    // Show Holidays also redraws the year's bold days.
    connect(actions.ToggleShowHolidays1, &QAction::triggered, yearPage_,
            &YearPage::UpdateBigCalendar);

    // A saved place moves every display at once.
    connect(locationPage_, &LocationPage::locationSaved, &form1_, &TForm1::UpdateDisplays);
    connect(locationPage_, &LocationPage::closeRequested, this, &QWidget::close);
    connect(locationPage_, &LocationPage::mapLocationChanged, mapLocationGroup_,
            &MapLocationGroup::showLocation);
    connect(locationPage_, &LocationPage::goToMapsRequested, this,
            [this] { form1_.ShowInfoPage(kMapSheet); });
    connect(locationPage_, &LocationPage::messageRequested, this, [this](const QString& text) {
        // Not modal: the clock keeps ticking while the message is up.
        auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Skelvane"), text,
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        box->show();
    });
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

    bar->addAction(form1_.actions().GoToToday1);
    bar->addAction(form1_.actions().ShowHelp1);
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
    // Stored geometry is applied as it stands; the minimum size limits a too small one.
    move(settings_.InfoFormLeft, settings_.InfoFormTop);
    resize(settings_.InfoFormWidth, settings_.InfoFormHeight);
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
    MapLocation saved;
    saved.latitude = settings_.Latitude;
    saved.longitude = settings_.Longitude;
    saved.altitudeFeet = settings_.Altitude;
    saved.placeName = settings_.PlaceName;
    saved.country = settings_.CountryName;
    saved.state = settings_.StateName;
    saved.city = settings_.CityName;
    mapLocationGroup_->showLocation(saved);
    if (settings_.ShowInfoFormAtStartup)
        show();
}

void TInfoForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TInfoForm::FormShow() {
    form1_.Timer1->setInterval(1000);
    if (settings_.InfoFormMaximized && !isMaximized())
        QTimer::singleShot(0, this, [this] { showMaximized(); });
    UpdateInfoForm();
    toolsPage_->showStoredNumber();
    locationPage_->FormShow();
    settings2Page_->FormShow();
    // The forecast boxes and the radar and satellite controls are set by their pages when
    // those pages are part of the window.
}

void TInfoForm::UpdateInfoForm() {
    const DateTime now = clock_.nowLocal();
    const DateTime day = DateOf(form1_.calendarDate());
    MoonPageInputs inputs;
    inputs.x = CombineDateTime(now, day);
    inputs.nowLocal = now;
    inputs.clockDay = &form1_.dayDisplay();
    inputs.names = form1_.dateNames();
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
    // The Weather, Radar and Satellite pages fetch their data here when they were the last
    // page; they start their downloads themselves once they exist.
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

bool TInfoForm::ShowPage(int index) {
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
    applyStayOnTop(on);
}

void TInfoForm::applyStayOnTop(bool on) {
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (wasVisible)
        show();
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
    if (moonPage_->animating())
        form1_.Timer2->start();
    else
        form1_.Timer2->stop(); // the radar and satellite animations will share this rule
}

} // namespace skelvane
