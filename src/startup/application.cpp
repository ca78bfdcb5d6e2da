#include "startup/application.h"

#include "app/settings.h"
#include "app/settings_store.h"
#include "clockwin/clock_window.h"
#include "platform/clock.h"
#include "platform/system_timezone.h"
#include "startup/command_line.h"
#include "startup/screenshots.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

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
    SystemClock clock;
    TForm1 form(settings, store, clock, TForm1::Options{commandLine.defaultsOnly});

    // The information window is created here once it is part of the build; the clock
    // window then hands it over with setInfoWindow before the displays are filled.
    form.UpdateDisplays();
    if (form.showAtStart())
        form.show();
    if (!commandLine.screenshotFolder.isEmpty())
        TakeScreenshotsAfterFirstTick(form, commandLine.screenshotFolder);
    form.Timer1->start();
    return QApplication::exec();
}

} // namespace skelvane
