#include "clockwin/clock_actions.h"

#include "astro/meteor_showers.h"

#include <QAction>
#include <QKeySequence>

namespace skelvane {

const std::array<HolidayCommand, kHolidayCommandCount>& HolidayCommands() {
    static const std::array<HolidayCommand, kHolidayCommandCount> commands{{
        {"GoToNewYearsDay1", "&New Year (Jan 1)", Holiday::NewYearsDay},
        {"GoToMartinLutherKingDay1", "Martin Luther King Day", Holiday::MartinLKing},
        {"GoToChineseNewYear1", "C&hinese New Year", Holiday::ChinaNewYear},
        {"GoToGroundHogDay1", "&Groundhog Day", Holiday::GroundhogDay},
        {"GoToValentinesDay1", "Valentine's Day", Holiday::ValentinesDay},
        {"GoToWashingtonsBirthday1", "Washington's Birthday", Holiday::WashBirthday},
        {"GoToAshWednesday1", "&Ash Wednesday", Holiday::AshWednesday},
        {"GoToSaintPatricksDay1", "Saint Patrick's Day", Holiday::StPatricksDay},
        {"GoToPassover1", "&Passover", Holiday::PassoverDay1},
        {"GoToGoodFriday", "Good Friday", Holiday::GoodFriday},
        {"GoToEaster1", "&Easter", Holiday::Easter},
        {"GoToEasterOrthodox1", "Easter (&Orthodox)", Holiday::OrthodoxEaster},
        {"GoToMothersDay1", "M&other's Day", Holiday::MothersDay},
        {"GoToMemorialDay1", "&Memorial Day", Holiday::MemorialDay},
        {"GoToFathersDay1", "F&ather's Day", Holiday::FathersDay},
        {"GoToFourthOfJuly1", "&Fourth of July", Holiday::FourthOfJuly},
        {"GoToLaborDay1", "&Labor Day", Holiday::LaborDay},
        {"GoToJewishNewYear1", "&Jewish New Year", Holiday::JewishNewYear},
        {"GoToColumbusDay1", "Columbus Day", Holiday::ColumbusDay},
        {"GoToHalloween1", "&Halloween", Holiday::Halloween},
        {"GoToElectionDay1", "Election Day (USA)", Holiday::ElectionDay},
        {"GoToVeteransDay1", "Veterans Day", Holiday::VeteransDay},
        {"GoToThanksgiving1", "Thanks&giving", Holiday::Thanksgiving},
        {"GoToHanukah1", "Hanukah", Holiday::HanukahDay1},
        {"GoToChristmas1", "&Christmas", Holiday::Christmas},
    }};
    return commands;
}

namespace {

QAction* Make(QObject* owner, const QString& name, const QString& caption,
              const QString& hint = QString()) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(name);
    action->setToolTip(hint.isEmpty() ? QString(caption).remove(QLatin1Char('&')) : hint);
    action->setStatusTip(hint);
    return action;
}

QAction* MakeCheckable(QObject* owner, const QString& name, const QString& caption,
                       const QString& hint) {
    QAction* action = Make(owner, name, caption, hint);
    action->setCheckable(true);
    return action;
}

} // namespace

ClockActions CreateClockActions(QObject* owner) {
    ClockActions a;
    auto make = [owner](const char* name, const char* caption, const char* hint = "") {
        return Make(owner, QLatin1String(name), QString::fromUtf8(caption),
                    QString::fromUtf8(hint));
    };
    a.GoToToday1 = make("GoToToday1", "Today", "Go To Today");
    a.GoToPrevDay1 = make("GoToPrevDay1", "Prev Day", "Go To Previous Day");
    a.GoToNextDay1 = make("GoToNextDay1", "Next Day", "Go To Next Day");
    a.GoToPrevMonthAction1 = make("GoToPrevMonthAction1", "", "Last Month");
    a.GoToNextMonthAction1 = make("GoToNextMonthAction1", "", "Next Month");
    a.GoToPrevYearAction1 = make("GoToPrevYearAction1", "", "Last Year");
    a.GoToNextYearAction1 = make("GoToNextYearAction1", "", "Next Year");

    a.GoToSeason = {make("GoToMarEquinox1", "Mar Equinox", "Go To Mar Equinox"),
                    make("GoToJunSolstice1", "Jun Solstice", "Go To Jun Solstice"),
                    make("GoToSepEquinox1", "Sep Equinox", "Go To Sep Equinox"),
                    make("GoToDecSolstice1", "Dec Solstice", "Go To Dec Solstice")};
    a.GoToDaylightStart1 = make("GoToDaylightStart1", "Start", "Go To Start Daylight Savings");
    a.GoToDaylightEnd1 = make("GoToDaylightEnd1", "End", "Go To End Daylight Savings");
    for (int n = 1; n <= 5; ++n)
        a.GoToMoonPhase[n - 1] =
            Make(owner, QStringLiteral("GoToMoonPhase%1").arg(n), QString(), QString());
    for (int n = 1; n <= 7; ++n)
        a.GoToEclipse[n - 1] = Make(owner, QStringLiteral("GoToEclipse%1").arg(n), QString(),
                                    QStringLiteral("Go To Eclipse"));
    for (int n = 1; n <= kMeteorShowerCount; ++n) {
        const MeteorShower& shower = MeteorShowers()[static_cast<std::size_t>(n - 1)];
        const QString caption = QString::fromLatin1(shower.caption.data(),
                                                    static_cast<qsizetype>(shower.caption.size()));
        a.GoToMeteor[n - 1] =
            Make(owner, QStringLiteral("GoToMeteor%1").arg(n), caption,
                 n == 1 ? QStringLiteral("Go To Jan 3 - Quadrantids") : QString());
    }
    for (std::size_t i = 0; i < HolidayCommands().size(); ++i)
        a.GoToHoliday[i] = make(HolidayCommands()[i].actionName, HolidayCommands()[i].caption);

    a.ToggleWindowAction1 = make("ToggleWindowAction1", "Change S&ize", "Change Size");
    a.ToggleStayOnTop1 =
        MakeCheckable(owner, QStringLiteral("ToggleStayOnTop1"), QStringLiteral("Stay On &Top"),
                      QStringLiteral("Stay On Top On/Off"));
    a.ToggleHintsOn1 =
        MakeCheckable(owner, QStringLiteral("ToggleHintsOn1"), QStringLiteral("Hi&nts On"),
                      QStringLiteral("Flyover Hints On/Off"));
    a.RestoreAction1 = make("RestoreAction1", "&Restore", "Restore Application");
    a.ExitAction1 = make("ExitAction1", "E&xit Program", "Exit Program");
    a.ShowHelp1 = make("ShowHelp1", "&Help", "Help");
    a.ShowHelp1->setShortcut(QKeySequence(Qt::Key_F1));
    a.ShowHelp1->setShortcutContext(Qt::ApplicationShortcut);
    a.ToggleInfoFormAction1 = make("ToggleInfoFormAction1", "Info", "Moon & Sun");
    a.GoToGoogle = make("GoToGoogle", "&Google", "Go To Google");

    a.ShowMoonSheetAction1 = make("ShowMoonSheetAction1", "&Moon Info", "Moon Info");
    a.ShowPlanetSheetAction1 = make("ShowPlanetSheetAction1", "&Planet Info", "Planet Info");
    a.ShowWeatherSheetAction1 = make("ShowWeatherSheetAction1", "Weather", "Weather");
    a.ShowRadarSheetAction1 = make("ShowRadarSheetAction1", "Radar", "Radar");
    a.ShowSatelliteSheetAction1 = make("ShowSatelliteSheetAction1", "Satellite", "Satellite");
    a.ShowTimeSheetAction1 = make("ShowTimeSheetAction1", "Time", "World Time");
    a.ShowSetSheetAction1 = make("ShowSetSheetAction1", "Set", "Set Location");
    a.ShowYearSheetAction1 = make("ShowYearSheetAction1", "Year", "Full Year Calendar");
    a.ShowToolSheetAction1 = make("ShowToolSheetAction1", "&Calculator", "Calculator");
    a.ShowMapSheetAction1 = make("ShowMapSheetAction1", "Go To Maps");
    a.ShowAboutSheetAction1 = make("ShowAboutSheetAction1", "&About", "About");

    a.ToggleMinimizeToTray1 = MakeCheckable(owner, QStringLiteral("ToggleMinimizeToTray1"),
                                            QStringLiteral("Minimize To Tray"),
                                            QStringLiteral("Minimize To Tray On/Off"));
    a.ToggleShowHolidays1 =
        MakeCheckable(owner, QStringLiteral("ToggleShowHolidays1"), QStringLiteral("Show Holidays"),
                      QStringLiteral("Show Holidays On/Off"));
    a.ToggleShowTinyMoons1 =
        MakeCheckable(owner, QStringLiteral("ToggleShowTinyMoons1"),
                      QStringLiteral("Show Tiny Moons"), QStringLiteral("Show Tiny Moons On/Off"));
    a.ToggleStartMinimized1 =
        MakeCheckable(owner, QStringLiteral("ToggleStartMinimized1"),
                      QStringLiteral("Start Minimized"), QStringLiteral("Start Minimized On/Off"));
    a.RunWhenWindowsStartsAction =
        MakeCheckable(owner, QStringLiteral("RunWhenWindowsStartsAction"),
                      QStringLiteral("Run When Windows  Starts"), QString());
    a.ToggleSaveOnExit1 = MakeCheckable(owner, QStringLiteral("ToggleSaveOnExit1"),
                                        QStringLiteral("Save Settings On Exit"),
                                        QStringLiteral("Save On Exit On/Off"));

    a.ShowWeatherText = make("ShowWeatherText1", "Show Weather Text", "Show Weather Text");
    a.UpdateTemperature = make("UpdateTemperature1", "Update Temperature", "Update Temperature");
    return a;
}

QList<ClockActions::PageCommand> ClockActions::pageCommands() const {
    return {{ShowMoonSheetAction1, kMoonSheet},
            {ShowPlanetSheetAction1, kPlanetSheet},
            {ShowWeatherSheetAction1, kWeatherSheet},
            {ShowRadarSheetAction1, kRadarSheet},
            {ShowSatelliteSheetAction1, kSatelliteSheet},
            {ShowTimeSheetAction1, kTimeSheet},
            {ShowSetSheetAction1, kSetSheet},
            {ShowYearSheetAction1, kYearSheet},
            {ShowToolSheetAction1, kToolSheet},
            {ShowMapSheetAction1, kMapSheet},
            {ShowAboutSheetAction1, kAboutSheet}};
}

QList<QAction*> ClockActions::all() const {
    QList<QAction*> list{GoToToday1,
                         GoToPrevDay1,
                         GoToNextDay1,
                         GoToPrevMonthAction1,
                         GoToNextMonthAction1,
                         GoToPrevYearAction1,
                         GoToNextYearAction1,
                         GoToDaylightStart1,
                         GoToDaylightEnd1,
                         ToggleWindowAction1,
                         ToggleStayOnTop1,
                         ToggleHintsOn1,
                         RestoreAction1,
                         ExitAction1,
                         ShowHelp1,
                         ToggleInfoFormAction1,
                         GoToGoogle,
                         ToggleMinimizeToTray1,
                         ToggleShowHolidays1,
                         ToggleShowTinyMoons1,
                         ToggleStartMinimized1,
                         RunWhenWindowsStartsAction,
                         ToggleSaveOnExit1,
                         ShowWeatherText,
                         UpdateTemperature};
    for (const PageCommand& command : pageCommands())
        list.append(command.action);
    for (QAction* action : GoToSeason)
        list.append(action);
    for (QAction* action : GoToMoonPhase)
        list.append(action);
    for (QAction* action : GoToEclipse)
        list.append(action);
    for (QAction* action : GoToMeteor)
        list.append(action);
    for (QAction* action : GoToHoliday)
        list.append(action);
    return list;
}

} // namespace skelvane
