#include "app/settings_store.h"
#include "fetch/fetch_commands.h"
#include "net/decode/server_addresses.h"

#include <QFileInfo>

namespace skelvane::fetch {

Settings ReadSettings(const Arguments& arguments) {
    Settings settings;
    const QString folder = arguments.has("settings-dir")
                               ? QString::fromStdString(arguments.text("settings-dir"))
                               : SettingsStore::DefaultFolder();
    SettingsStore store(folder);
    if (QFileInfo::exists(store.currentPath()) || QFileInfo::exists(store.legacyPath()))
        store.ReadIniFile(settings); // reading only: this tool never saves
    return settings;
}

std::string HostOption(const Arguments& arguments, const std::string& name,
                       const std::string& fallback) {
    if (!arguments.has(name))
        return fallback;
    const std::string& host = arguments.text(name);
    if (!IsValidHostSetting(host))
        throw UsageError{"--" + name + " needs a host name with an optional :port"};
    return host;
}

} // namespace skelvane::fetch
