#include "startup/application.h"

#include "app/settings.h"
#include "app/settings_store.h"
#include "astro/datetime.h"
#include "clockwin/application_rules.h"
#include "clockwin/clock_window.h"
#include "clockwin/tray_icon.h"
#include "help/help_form.h"
#include "help/help_launcher.h"
#include "help/text_window.h"
#include "infowin/about_page.h"
#include "infowin/info_form.h"
#include "infowin/radar_page.h"
#include "infowin/weather_page.h"
#include "net/download_state.h"
#include "net/live/live_setup.h"
#include "net/weather_service.h"
#include "platform/clock.h"
#include "platform/clock_setter.h"
#include "platform/system_timezone.h"
#include "startup/command_line.h"
#include "startup/screenshots.h"
#include "startup/startup_timing.h"
#include "startup/window_services.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace skelvane {

namespace {

// Saves the windows, then closes the clock window, which saves the settings and ends the
// process like any other exit.
void SaveScreenshotsAndClose(TForm1& form, const Settings& settings, const QString& folder) {
    QStringList paths = SaveWindowScreenshots(folder);
    // The tray's temperature has no window of its own to be seen in.
    if (settings.TrayType == u'T' && !form.TrayIcon->temperatureText().isEmpty())
        paths << SaveTrayScreenshot(folder, form.TrayIcon->icon());
    for (const QString& path : paths)
        std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
    form.close();
}

// Waits for the first tick to have painted, for the start-up downloads (the weather's and the
// Radar and Satellite pages') to have ended (at most ten seconds: a picture of a server that
// does not answer is a picture too) and for a page the Weather page opened to have loaded (at
// most twenty seconds).
void TakeScreenshotsAfterFirstTick(TForm1& form, TInfoForm& info, const Settings& settings,
                                   const QString& folder) {
    QObject::connect(
        form.Timer1, &QTimer::timeout, &form,
        [&form, &info, &settings, folder] {
            auto* poll = new QTimer(&form);
            auto waited = std::make_shared<int>(0);
            auto pageSeen = std::make_shared<bool>(false);
            QObject::connect(
                poll, &QTimer::timeout, &form,
                [&form, &info, &settings, folder, poll, waited, pageSeen] {
                    *waited += poll->interval();
                    const bool loading = info.weatherPage()->navigationPending();
                    *pageSeen = *pageSeen || loading;
                    const bool downloading =
                        form.weather().downloadsRunning() > 0 || info.downloadsRunning();
                    if ((downloading && *waited < 10000) || (loading && *waited < 20000))
                        return;
                    poll->stop();
                    // A loaded page paints a moment later.
                    QTimer::singleShot(*pageSeen ? 1000 : 0, &form, [&form, &settings, folder] {
                        SaveScreenshotsAndClose(form, settings, folder);
                    });
                });
            poll->start(300);
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
    // Qt Multimedia reads its backend from the environment: ffmpeg plays MPEG-1 reliably where
    // GStreamer fails at random. Set before the application object exists; the movie player
    // plugin, loaded with the first movie, then finds it.
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
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
    form.setClockSetter(std::make_unique<SystemClockSetter>());
    // With the settings read and before the first client exists: requests to the retired
    // radar and satellite trees are answered from today's services from now on, on every
    // thread. A failed live source's status line goes to the status log (the weather memo)
    // whatever the status-logging flag, handed to the user-interface thread; the failed
    // request's errorText carries the same line to the page that asked.
    const std::shared_ptr<LiveSources> liveSources = InstallLiveSources(settings);
    liveSources->setStatusHandler(
        [downloads = QPointer<DownloadState>(&form.downloads())](const QString& line) {
            QMetaObject::invokeMethod(
                downloads,
                [downloads, line] {
                    if (downloads)
                        emit downloads->statusLine(line);
                },
                Qt::QueuedConnection);
        });
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
    // Addresses for the user's own browser send every window of the program back first.
    info.browserHandOff().setWindowsToSendBack([&form, &info, &help] {
        return QList<QWidget*>{&info, help.helpForm(), &form};
    });
    form.setBrowserOpener(
        [&info](const QString& address) { info.browserHandOff().GoBrowser(address); });

    form.UpdateDisplays();
    if (form.showAtStart())
        form.show();
    if (commandLine.showWeatherText)
        QObject::connect(
            form.Timer1, &QTimer::timeout, &form, [&form] { emit form.showWeatherTextRequested(); },
            Qt::SingleShotConnection);
    if (commandLine.timing)
        ReportStartupTiming(form, *form.Timer1);
    if (!commandLine.screenshotFolder.isEmpty())
        TakeScreenshotsAfterFirstTick(form, info, settings, commandLine.screenshotFolder);
    form.Timer1->start();
    return QApplication::exec();
}

} // namespace skelvane
