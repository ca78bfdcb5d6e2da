#pragma once

#include <QString>
#include <QStringList>

namespace skelvane {

class BrowserViewFactory;

// File name of the browser plugin.
inline constexpr const char* kBrowserPluginFileName = "libskelvane_browser.so";

// Where the browser plugin is looked for, in order: $SKELVANE_PLUGIN_DIR when set, the
// program's folder, a "plugins" folder beside the program (the build tree), and the
// install's lib/skelvane/plugins (beside bin/).
QStringList BrowserPluginFolders();

// The outcome of loading the plugin.
struct BrowserPlugin {
    BrowserViewFactory* factory = nullptr; // owned by the plugin loader, lives until exit
    QString error;                         // one line when factory is null
};

// Loads the browser plugin once per process and keeps it loaded; later calls return the
// first outcome. Before loading, a process running as root switches the web engine's
// sandbox off for itself (the engine refuses to start as root otherwise); the variable is
// set in this process's environment only.
BrowserPlugin LoadBrowserPlugin();

} // namespace skelvane
