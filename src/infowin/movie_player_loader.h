#pragma once

#include <QString>
#include <QStringList>

namespace skelvane {

class MoviePlayerFactory;

// The movie player plugin's file name on this platform ("libskelvane_media_player.so").
QString MoviePlayerPluginFileName();

// Where the movie player plugin is looked for, in order: beside the program, in the
// "plugins" folder beside it (the build tree), and in an installed program's
// ../lib/skelvane/plugins. `programFolder` is the folder of the running program.
QStringList MoviePlayerPluginFolders(const QString& programFolder);
// The same for the running program, after $SKELVANE_PLUGIN_DIR when that is set (as for the
// browser plugin).
QStringList MoviePlayerPluginFolders();

// Loads the plugin from the first folder that holds it and returns its factory, which lives
// until the process ends; once loaded, later calls return the same factory whatever the
// folders. Null, with `error` saying why in one line, when no folder holds the plugin or it
// cannot be loaded (Qt Multimedia missing, a plugin of another build).
MoviePlayerFactory* LoadMoviePlayerFactory(const QStringList& folders, QString* error);

// Whether the plugin has been loaded into this process.
bool MoviePlayerPluginLoaded();

} // namespace skelvane
