#include "help/user_guide.h"

#include <QStringList>

namespace skelvane {

namespace {

// One entry per paragraph; the guide puts an empty line between them. Each paragraph is a
// single line of text, which the help window wraps to its width.
constexpr const char* kParagraphs[] = {
    "The full help file is called Skelvane.chm. When it lies in the current folder or in the "
    "folder of the program, Help (F1) opens it in the help viewer of your desktop instead of "
    "this window. Without it, or without a viewer for it, this guide is shown.",

    "WHAT SKELVANE SHOWS",

    "Skelvane is a small clock window that stays above your other windows. It shows the time in "
    "large figures, the date, a month calendar with holidays and moon phases, sunrise and "
    "sunset for your place, the Moon's phase with its rising and setting, the names of the "
    "day's holidays and events, and the outdoor temperature. A larger information window adds "
    "pages for the Moon, the planets, the weather, weather radar, satellite pictures, time and "
    "world clocks, settings and location, a full-year calendar, a calculator, a graph of the "
    "year's sunrise and sunset, holidays, maps and an about page. An icon in the notification "
    "area of your desktop can show the temperature or the Moon.",

    "All astronomy is computed on your own computer from your latitude, longitude and altitude "
    "and from the computer's time zone: the Sun, the Moon and the planets, rising and setting, "
    "moon phases, equinoxes and solstices, solar and lunar eclipses, sidereal time, and the "
    "holidays of any year from 1600 to 3429.",

    "INTERNET USE",

    "The Weather, Radar, Satellite and Maps pages fetch data from public weather-service "
    "servers over the internet: the temperature and the weather report come from the decoded "
    "observation reports of the US National Weather Service, radar and satellite pictures from "
    "its radar and satellite servers, forecasts from the forecast sites you choose, and the "
    "Maps page opens public map sites at your location. The Time page can ask an internet time "
    "server for the exact time. If you must go through a proxy server for the weather, enter "
    "it on the Settings2 page.",

    "The temperature is fetched at start and every 20 minutes (Settings2) from the report "
    "of your weather station, and shown in the clock window's caption, in the tray "
    "(\"Tray Temperature\") and, with the whole report, in the weather text window "
    "(\"Show Weather Text\") and on the Settings1 page. A server that does not answer, "
    "or answers too slowly, is given up after at most half a minute; the next try follows "
    "at the next minute. If the connection is refused (a firewall), Skelvane says so once.",

    "The weather service retired its old radar picture server in 2020 and moved its "
    "satellite pictures. Unless you point the radar or satellite server elsewhere, Skelvane "
    "asks today's public services instead (the weather service's map server for radar frames, "
    "mosaics and warnings, the USGS and census map servers for the map overlays, and the "
    "satellite image servers) and shows their pictures in the usual way; legends, range rings "
    "and cities it draws itself. Nothing is fetched unless you ask for it. If one of these "
    "services does not answer, the page stays usable and the status line names the service. "
    "The command skelvane-fetch live-check tells which services answer.",

    "THE CLOCK WINDOW",

    "The clock window has four panes, one above the other.",

    "Pane 1, the time. The current time in large figures, in 12- or 24-hour form. Right-click "
    "it for the menu of all commands; double-click it to change the size of the window (see "
    "below).",

    "Pane 2, the date. The long date. Click it to open the Year page; its hint shows the day "
    "and week of the year.",

    "Pane 3, the month calendar. The buttons and boxes on top move to the previous or next "
    "month or year, or choose a month and a year (1600 to 3429); the buttons repeat while you "
    "hold them down. Holidays are red, eclipse days and the days of the equinoxes and "
    "solstices blue, and the days of new moon, first quarter, full moon and last quarter carry "
    "a tiny moon. Click a day to see everything for that day; the whole program follows the "
    "chosen day. The \"Go To\" button in the lower right corner jumps to a holiday, moon "
    "phase, eclipse, season, meteor shower or daylight-saving change of the year shown. After "
    "five minutes without a change the calendar returns to today by itself.",

    "Pane 4, sun and moon. On the left, sunrise and sunset for the chosen day; they are black "
    "while the Sun is up and blue while it is down, and on days when the Sun does not rise or "
    "set they read \"Sun up all day\" or \"Sun down all day\". On the right, the Moon's phase "
    "picture and two lines with the day's moonrise and moonset, or the names of the day's "
    "holidays, equinox or solstice, moon phase or eclipse in red. Point at the pane for the "
    "Sun's or Moon's direction; click it to open the Moon page.",

    "Once a temperature has been received, the window's caption shows it together with the "
    "current weather.",

    "WHY DOUBLE-CLICKING CHANGES THE SIZE",

    "The clock is meant to stay on screen all day, so it can fold up to take less room. Each "
    "double-click on the window, the time or the calendar (or the Change Size command) shows "
    "one pane more: the time alone, then the time and date, then the month calendar as well, "
    "then all four panes, and then back to the time alone. The size you leave it at is used "
    "at the next start.",

    "THE TRAY ICON",

    "On the Settings2 page, or in the Settings part of the menu, choose what the notification "
    "area shows: \"Tray Icon Off\" shows nothing, \"Tray Temperature\" the outdoor "
    "temperature as small figures (the Moon until the first report arrives), \"Tray Moon\" "
    "today's moon phase, and \"Tray Animation\" the whole lunar cycle as an animation. "
    "Clicking a checked tray choice in the menu again turns the icon off. A left click on the "
    "icon hides or restores the clock window; a right click opens the menu. With \"Minimize "
    "To Tray\" on, minimising the clock window hides it and leaves only the icon, as long as "
    "the icon can be seen. The colours of the temperature, and whether its background is "
    "transparent, are chosen on the Settings2 page. The Moon picture is also the program's "
    "own icon.",

    "THE INFORMATION WINDOW",

    "The information window opens from the menu or by clicking the date, the Moon or the "
    "sunrise and sunset lines. Choosing the page that is already in front closes the window "
    "again. Its menu holds Close, three sizes, Today and Help; its status bar shows the long "
    "date, the day and week of the year, and the Hebrew date. Double-clicking its background "
    "closes it.",

    "Moon page. The Moon's phase picture for the chosen day at the present time (turned over "
    "in the southern hemisphere), how much of it is lit, the name of a principal phase on that "
    "day, moonrise and moonset with their compass directions, whether the Moon is up, and its "
    "direction and height right now. Clicking the picture shows or hides the Apollo 11 "
    "landing site as a red dot. \"Animate Moon\" runs through the phases. The page also lists "
    "the month's moon phases, sunrise and sunset with the length of the day and the Sun's "
    "position, the year's equinoxes and solstices, and the daylight-saving changes; click a "
    "line to go to that day. Three choices here apply to the whole program: local time or "
    "Greenwich time, AM/PM or 24-hour clock, and northern or southern hemisphere. \"View 1\" "
    "and \"View 2\" show today's Moon on two web sites and \"USNO Data\" the Naval "
    "Observatory's tables; \"Get Map\" and the two small maps open a map of your place in "
    "your own browser.",

    "Planet page. Where the Sun, the Moon and the planets from Mercury to Pluto stand for the "
    "chosen day at the present time: either as a compass direction and an angle above the "
    "horizon (a negative angle means below the horizon), or as right ascension and "
    "declination. Below the table are the sidereal time, the year's meteor showers with their "
    "dates (each opens a page about the shower), and the year's solar and lunar eclipses, as a "
    "summary or in detail with their contact times. Click an eclipse to go to its day. "
    "\"View Sky\" shows the sky over your postal code on the web, \"Get Sky Map\" leads to "
    "monthly sky maps and \"US Naval Observatory\" to its astronomical data.",

    "Weather page. A web browser for weather forecasts at your location. \"Get Weather\" opens "
    "the forecast source chosen in the list; type an address and press \"GO\", or use "
    "\"Back\", \"Fwd\" and \"Refresh\" as in any browser. \"Open Browser\" shows the page in "
    "your own browser. \"Save Address\" remembers the current page, which then opens at start "
    "when the Weather page was the last page shown. "
    "Enter \"City, ST\" or a postal code, or pick a state and city from the lists, to change "
    "the place of the forecast. The built-in browser starts the first time the page opens an "
    "address; where it is not installed the page says so, and \"Open Browser\" still works.",

    "Radar page. Weather radar of the United States: national and regional mosaics, or one "
    "of 155 radar sites, chosen in the location list, by clicking the map (the nearest site is "
    "taken) or with the eight direction buttons that move to the neighbouring site. The "
    "product list chooses reflectivity (long or short range), composite reflectivity, rainfall "
    "of the last hour or of the storm, storm-relative motion or base velocity. \"Get Radar\" "
    "downloads the pictures; with \"Animate\" it downloads up to 30 frames (set by \"Frames\") "
    "and plays them, looping or rocking back and forth, at the chosen speed; \"FWD\" and "
    "\"REV\" step through them by hand. \"Zoom In\" doubles the size, \"USA Map\" returns to "
    "the whole country. In \"Distance\" mode two clicks on the map measure the distance "
    "between two points in miles and kilometres. The name of the nearest site and the "
    "longitude and latitude under the pointer show below the map, and its hint names the site "
    "(\"Hints\" turns the hints off). The label above the map says how old the picture is. "
    "\"Radar Info\" and \"Clutter Info\" open the weather service's pages about radar "
    "pictures in your browser. The picture of a radar site is built from layers, each switched "
    "by a box:",

    "Topo: the topographic map under the radar picture. Without it the background is black.",

    "Radar: the radar echoes themselves, one picture per frame.",

    "Counties: county borders.",

    "Rivers: rivers and lakes.",

    "Highways: the main roads.",

    "Cities: the names of cities and towns.",

    "Warnings: the areas under weather warnings, drawn in the warning colours.",

    "Legend: the colour scale of the radar product.",

    "Range Ring: rings showing the distance from the radar (not with long-range "
    "reflectivity).",

    "Warning Text (the \"Warn Text\" box): when the warnings layer shows an extreme weather, "
    "tornado, severe weather or flash flood warning, its name is written in large coloured "
    "letters over the map.",

    "Tiny Circles: small circles marking every radar site, and a cyan circle marking your own "
    "location.",

    "Satellite page. Weather-satellite pictures of sixteen areas, from the coasts of the "
    "United States to the whole Earth, in infrared, visible or water-vapour light, some also "
    "in colourised versions; short movies of the two coasts; and loops of the tropical areas. "
    "\"Get Satellite\" downloads the chosen picture; \"Animate\" and \"Repeat\" play the "
    "loops. Movies play in the panel above the picture with its Play, Stop, Step and Back "
    "buttons; the player needs Qt Multimedia, and without it the page shows the stills and "
    "loops and says that movies are unavailable.",

    "Time page. Local time, Greenwich time, sidereal time and the Julian date, the time in "
    "seven cities around the world, and the internet time server. \"Get Time\" asks the server "
    "for the exact time and shows how far your clock is off; with \"Update PC Clock\" it also "
    "sets the computer's clock. Skelvane asks the desktop's date and time service, which may "
    "ask for your password as the desktop's own settings do; without that service it needs "
    "root or the CAP_SYS_TIME capability. When the clock cannot be set (automatic time "
    "synchronisation is on, or the right is missing), the page says why. The clock can also "
    "be set at start and every so many minutes; those synchronisations always set it.",

    "Set page, Settings1. Your location. Find a US city by its five-digit postal code, or "
    "choose a country, a state and a place from the lists; the nearest weather station is "
    "chosen with it. You can also type a name, the latitude and longitude in degrees, minutes "
    "and seconds, and the altitude in feet or metres. \"Save\" keeps the location, the second "
    "\"Save\" the weather station, and \"Save ALL\" both; \"Reset\" brings back what was "
    "saved. The place lists need the file sitename.dat (see below). Under \"Current "
    "Weather\", \"Get Weather\" fetches the report of the station in the boxes and shows it "
    "with the time it arrived and its own time stamp; the clock's temperature follows only "
    "the report of your saved station.",

    "Set page, Settings2. The weather server, whether to fetch the weather at start and every "
    "so many minutes (20 at first), Fahrenheit or Celsius, the radar server and its two "
    "alternatives (tried in turn for a radar site's pictures), the satellite server, the proxy "
    "server, and the general "
    "settings: Minimize To Tray, Show Holidays, Show Tiny Moons, Start Minimized, Run When "
    "Windows Starts (on this system: start Skelvane when you log in), Save Settings On Exit, "
    "and the tray choices and colours.",

    "Year page. The whole year of the chosen day as twelve months, from 1756 on, with the "
    "holidays in bold, optional week numbers and the first day of the week you choose. Below "
    "it, how many days and how many working days the chosen day lies from today, and the name "
    "of its holiday or event. Click a day to choose it everywhere. \"Save\", \"Copy\" and "
    "\"Print\" keep the calendar as a picture.",

    "Tools page. A calculator with one-click conversions between units (kilograms "
    "and pounds, Celsius and Fahrenheit, litres and gallons, millimetres and inches, "
    "kilometres and miles, grams and ounces, millilitres and fluid ounces) and trigonometry in "
    "degrees, with copy and paste "
    "of the number shown. Boxes beside it look words up in a dictionary and a thesaurus, or "
    "search the web and an encyclopedia.",

    "Graph page. The local times of sunrise and sunset for every day of the year at your "
    "place, with day and night shaded; or, with \"Position\", the compass directions in which "
    "the Sun rises and sets. \"Daylight Saving\" chooses whether summer time is taken into "
    "account. Click the graph to choose a day. The graph can be saved, copied or printed.",

    "Holiday page. The year's holidays with their dates; click one to go to it.",

    "Maps page. Opens one of 24 map sites, street maps, aerial photos, topographic maps and "
    "charts, at your location. With \"Auto Open\" the map opens as soon as the page is "
    "chosen.",

    "About page. The program's name and version, and buttons to send an e-mail and to visit "
    "the home page. The same two commands are in the menu of this help window.",

    "Keeping pictures. The Radar, Satellite, Year and Graph pages have \"Copy\", \"Save\" and "
    "\"Print\" buttons, and a right click on the picture gives the same three commands. "
    "\"Copy\" puts the picture on the clipboard. \"Save\" asks for a file name: a picture is "
    "saved as JPEG, bitmap or GIF, as the file type chosen in the dialog says; the radar loop "
    "is saved as an animated GIF while it animates, and a satellite movie as a copy of its "
    "MPEG file. The dialog starts in the folder you last saved to, and Skelvane asks before it "
    "replaces a file. \"Print\" opens the print dialog and prints the picture as large as the "
    "page allows, from its top left corner; when the Weather page's browser has the keyboard "
    "focus, the web page is printed instead. A right click on a text field (the calculator, "
    "the planet, eclipse and weather texts, the address and location boxes of the Weather "
    "page, the look-up boxes) gives Cut, Copy, Paste and Select All.",

    "THE MENUS",

    "Right-click the clock window, its calendar, the information window or the tray icon for "
    "the menu of all commands. \"Go To...\" jumps to today, an equinox or solstice, one of the "
    "month's moon phases, one of the year's eclipses, a meteor shower, the start or end of "
    "daylight saving, or one of 25 holidays from New Year to Christmas. \"Settings\" holds "
    "Stay On Top, Hints On, the three tray choices, and the general settings of the Settings2 "
    "page. Then come Change Size; the commands that open the pages of the information window "
    "(Moon and Sun, Planets, Time, Settings, About, Tools, Year, Go To Maps, Satellite, Radar, "
    "Weather); Help; Google, which opens a web search; \"Show Weather Text\", which fetches the "
    "weather and shows the "
    "full report in a small window; \"Update Temperature\", which fetches it without the "
    "window; Restore, which brings the clock window back from the tray; and \"Exit "
    "Skelvane\". The menu strip of the clock window opens the Weather, Radar, Satellite, Maps "
    "and Year pages directly. F1 opens this help.",

    "SETTINGS ARE REMEMBERED",

    "Skelvane remembers your choices when it exits and uses them at the next start: the "
    "window positions and sizes, the pages last shown, your location and weather station, and "
    "every setting. They are kept in the file ~/.config/Skelvane/Skelvane.conf (in "
    "$XDG_CONFIG_HOME when that is set). With \"Save Settings On Exit\" turned off, changes "
    "made during a run are not saved at exit, except that a location or weather station you "
    "save is written at once. Starting the program with the argument /C runs it on the "
    "built-in settings and leaves the stored ones untouched.",

    "INSTALLING AND REMOVING",

    "To install Skelvane on a Debian 12 computer, open a terminal in the Skelvane source "
    "folder and run scripts/run. It installs the packages that are missing (as root, or "
    "asking for your password through sudo), builds the program and starts it. The program is then "
    "build/bin/skelvane; start it from there, or with scripts/run again. scripts/test builds "
    "the program and runs its tests.",

    "The place list file sitename.dat belongs in the same folder as the program (build/bin), "
    "or in /usr/share/skelvane for every user of the computer. Without it the clock still "
    "works, but the country, state and place lists on the Settings1 page stay empty and the "
    "location has to be typed in.",

    "To remove Skelvane, turn off \"Run When Windows Starts\" (or delete "
    "~/.config/autostart/skelvane.desktop), exit the program, and delete the Skelvane source "
    "folder and the folder ~/.config/Skelvane with your settings.",

    "REVISION HISTORY",

    "Version 2.0: Skelvane for Linux desktops, built with Qt 6. Settings are kept in "
    "~/.config/Skelvane/Skelvane.conf; settings that an older release wrote to Skelvane "
    "Clock.conf are read once and moved there. "
    "The tray icon shows the temperature, the Moon or the lunar cycle; the built-in guide "
    "appears when no help file is installed.",
};

} // namespace

QString BuiltInGuideText() {
    QStringList paragraphs;
    for (const char* paragraph : kParagraphs)
        paragraphs.append(QString::fromUtf8(paragraph));
    return QStringLiteral("Skelvane User Guide\n") + QLatin1String(kProductLine) +
           QStringLiteral("\n\n") + paragraphs.join(QStringLiteral("\n\n"));
}

QString WithProductLine(const QString& guide, const QString& productLine) {
    if (productLine.size() <= kShortestProductLine)
        return guide;
    QStringList lines = guide.split(QLatin1Char('\n'));
    while (lines.size() < 2)
        lines.append(QString());
    lines[1] = productLine;
    return lines.join(QLatin1Char('\n'));
}

} // namespace skelvane
