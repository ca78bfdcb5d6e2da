// A settings file the user edited, or one that got damaged: any bytes. Reading it must give
// every value within its range (out of range and unreadable values read as defaults), texts
// no longer than their buffers and the Location to save equal to the loaded one. A save
// over the same file must then work, and reading that back must give the same settings.
#include "app/settings.h"
#include "app/settings_store.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

namespace {

// Stops the run with the line of the failed check, which the fuzzer's report then shows.
void Check(bool condition, int line = __builtin_LINE()) {
    if (!condition) {
        std::fprintf(stderr, "check failed at line %d\n", line);
        std::abort();
    }
}

void CheckRead(const skelvane::Settings& settings) {
    using namespace skelvane;
    for (const SettingField& field : SettingFields()) {
        std::visit(
            [&](auto member) {
                const auto& value = settings.*member;
                using T = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<T, int> || std::is_same_v<T, double>)
                    Check(field.range.allows(static_cast<double>(value)));
                else if constexpr (std::is_same_v<T, QString>)
                    Check(field.maxLength == 0 || value.size() <= field.maxLength);
            },
            field.member);
    }
    Check(settings.SaveLocation.PlaceName == settings.PlaceName);
    Check(settings.SaveLocation.ZipCode == settings.ZipCode);
    Check(settings.SaveLocation.Altitude == settings.Altitude);
    Check(settings.LoadedWeatherStationCode == settings.WeatherStationCode);
}

// Equal as stored: every value of the table.
bool SameStoredValues(const skelvane::Settings& a, const skelvane::Settings& b) {
    using namespace skelvane;
    bool same = true;
    for (const SettingField& field : SettingFields()) {
        if (field.when == SaveWhen::Migration)
            continue; // SaveURL has its own writer
        std::visit([&](auto member) { same = same && a.*member == b.*member; }, field.member);
    }
    return same;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skelvane;
    // In memory where the system has a tmpfs: each save syncs its file to disk, which on a
    // disk would make this target a hundred times slower.
    static QTemporaryDir root(QDir(QStringLiteral("/dev/shm")).exists()
                                  ? QStringLiteral("/dev/shm/skelvane-fuzz-XXXXXX")
                                  : QDir::tempPath() + QStringLiteral("/skelvane-fuzz-XXXXXX"));
    static int run = 0;
    // A folder of its own each time: QSettings keeps files it read by name, size and time.
    const QString folder = root.filePath(QString::number(++run));
    Check(QDir().mkpath(folder));
    {
        SettingsStore store(folder);
        QFile file(store.currentPath());
        Check(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
        file.close();

        Settings first;
        store.ReadIniFile(first);
        CheckRead(first);
        first.SaveOnExit = true;
        Check(store.SaveIniFile(first));

        SettingsStore again(folder);
        Settings second;
        again.ReadIniFile(second);
        CheckRead(second);
        Check(SameStoredValues(first, second));
    }
    QDir(folder).removeRecursively();
    return 0;
}
