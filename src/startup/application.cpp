#include "startup/application.h"

#include "app/settings.h"
#include "app/settings_store.h"
#include "astro/datetime.h"
#include "clockwin/application_rules.h"
#include "clockwin/clock_window.h"
#include "help/help_form.h"
#include "help/help_launcher.h"
#include "help/text_window.h"
#include "infowin/about_page.h"
#include "infowin/info_form.h"
#include "platform/clock.h"
#include "platform/system_timezone.h"
#include "startup/command_line.h"
#include "startup/screenshots.h"
#include "startup/startup_timing.h"
#include "startup/window_services.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace skelvane {

namespace {

// Waits for the first tick to have painted, saves the windows and closes the clock
// window, which saves the settings and ends the process like any other exit.
void TakeScreenshotsAfterFirstTick(TForm1& form, const QString& folder) {
    QObject::connect(
        form.Timer1, &QTimer::timeout, &form,
        [&form, folder] {
            QTimer::singleShot(300, &form, [&form, folder] {
                for (const QString& path : SaveWindowScreenshots(folder))
                    std::printf("%s\n", qPrintable(path));
                std::fflush(stdout);
                form.close();
            });
        },
        Qt::SingleShotConnection);
}

// F1 and the help menus: the help file when there is one, else the built-in guide; the
// weather text window on first use. Both follow the stay-on-top choice.
void ConnectHelpWindows(TForm1& form, TInfoForm& info, HelpLauncher& help,
                        std::unique_ptr<TForm6>& textWindow, const Settings& settings) {
    help.setProductLineSource([&info] { return info.productLine(); });
    help.setWindowLowerer([&form, &info] {
        if (info.isVisible())
            info.lower();
        if (form.isVisible())
            form.lower();
    });
    form.setHelpHandler([&help] { help.ShowHelp1Execute(); });
    QObject::connect(&help, &HelpLauncher::sendEmailRequested, info.aboutPage(),
                     &AboutPage::SendEmail1Execute);
    QObject::connect(&help, &HelpLauncher::homePageRequested, info.aboutPage(),
                     &AboutPage::GoToHomePage1Execute);
    // The weather text window is made when first shown; the last report waits for it.
    auto lastReport = std::make_shared<std::pair<QStringList, QString>>();
    QObject::connect(&form, &TForm1::weatherTextReady, &form,
                     [&textWindow, lastReport](const QStringList& lines, const QString& caption) {
                         *lastReport = {lines, caption};
                         if (textWindow)
                             textWindow->SetReport(lines, caption);
                     });
    QObject::connect(&form, &TForm1::showWeatherTextRequested, &form,
                     [&textWindow, &settings, lastReport] {
                         if (!textWindow) {
                             textWindow = std::make_unique<TForm6>(settings.StayOnTop);
                             if (!lastReport->first.isEmpty())
                                 textWindow->SetReport(lastReport->first, lastReport->second);
                         }
                         textWindow->show();
                         textWindow->raise();
                     });
    QObject::connect(&form, &TForm1::stayOnTopChanged, &form, [&textWindow, &help](bool on) {
        if (help.helpForm())
            help.helpForm()->setStayOnTop(on);
        if (textWindow)
            textWindow->setStayOnTop(on);
    });
}

} // namespace

int RunApplication(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Skelvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Skelvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SKELVANE_VERSION));

    const CommandLine commandLine = ParseCommandLine(QCoreApplication::arguments().mid(1));
    if (!commandLine.error.isEmpty()) {
        std::fprintf(stderr, "skelvane: %s\n", qPrintable(commandLine.error));
        return 2;
    }

    InstallSystemTimeZoneSource();
    Settings settings;
    SettingsStore store(commandLine.settingsFolder.isEmpty() ? SettingsStore::DefaultFolder()
                                                             : commandLine.settingsFolder);
    // A failed save is told on stderr (the information window's memo tells it too); the
    // exit save's failure has nowhere else to go.
    QObject::connect(&store, &SettingsStore::saveFailed, [](const QString& message) {
        std::fprintf(stderr, "skelvane: %s\n", qPrintable(message));
        std::fflush(stderr);
    });
    // Closing the information window only hides it; the process ends with the clock window.
    QApplication::setQuitOnLastWindowClosed(false);

    SystemClock systemClock;
    // --date moves the clock to that day at the present time of day, or to that time.
    DateTime start = systemClock.nowLocal();
    if (commandLine.hasTime)
        start = SafeEncodeDateTime(commandLine.year, commandLine.month, commandLine.day,
                                   commandLine.hour, commandLine.minute, commandLine.second, 0);
    else if (commandLine.year != 0)
        start = CombineDateTime(
            start, SafeEncodeDate(commandLine.year, commandLine.month, commandLine.day));
    const ShiftedClock clock = ShiftedClock::StartingAt(systemClock, start);
    TForm1 form(settings, store, clock, TForm1::Options{commandLine.defaultsOnly});
    if (commandLine.page >= 0) {
        settings.LastInfoFormTabIndex = commandLine.page;
        settings.ShowInfoFormAtStartup = true;
    }
    WindowServices services(form, settings, clock);
    TInfoForm info(services.pageServices());
    form.setInfoWindow(&info);
    ApplicationRules rules(&form);
    app.installEventFilter(&rules);
    HelpLauncher help(settings);
    std::unique_ptr<TForm6> textWindow;
    ConnectHelpWindows(form, info, help, textWindow, settings);

    form.UpdateDisplays();
    if (form.showAtStart())
        form.show();
    if (commandLine.timing)
        ReportStartupTiming(form, *form.Timer1);
    if (!commandLine.screenshotFolder.isEmpty())
        TakeScreenshotsAfterFirstTick(form, commandLine.screenshotFolder);
    form.Timer1->start();
    return QApplication::exec();
}

} // namespace skelvane
