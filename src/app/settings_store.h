#pragma once

#include "app/settings.h"

#include <QObject>
#include <QString>

namespace skelvane {

// The persisted settings: INI files under one folder, one section "Settings" with one
// value per name. Three files can be involved:
//   Skelvane.conf          the current location, where every save goes once settings were read
//   Skelvane Clock.conf    the legacy location an older release wrote; read once, then moved
//   Scratch.conf           where saves go while no location was chosen (a "/C" run)
// Names are matched without regard to case, and a value that cannot be read as its type or
// lies outside its range (SettingField::range) reads as its default, so a damaged or
// hand-edited file never stops the program.
// The files are private to the user (mode 0600, folders the store creates 0700), since they
// hold the proxy password. A save writes a new file beside the old one and puts it in the
// old one's place only once it is complete, so a save that fails (a read-only folder, a
// full disk) leaves the previous file as it was.
// Everything here runs on the user-interface thread.
class SettingsStore : public QObject {
    Q_OBJECT
public:
    explicit SettingsStore(QString folder = DefaultFolder(), QObject* parent = nullptr);

    // $XDG_CONFIG_HOME/Skelvane (or the platform's equivalent).
    static QString DefaultFolder();

    // Chooses where to read from: the legacy location when its file exists (and notes that,
    // so the next full save moves everything to the current location), else the current one.
    void SetRegLoc();

    // Fills every field of `settings` from the store, falling back to the built-in default
    // for each value that is missing, unreadable or out of range, and fills the two copies.
    // Refused coordinates leave no place at all (empty place strings), as on a first run.
    // Afterwards every write goes to the current location.
    void ReadIniFile(Settings& settings);

    // Writes SaveOnExit, LastTimeStamp, LastTimeAdjust and RunWhenWindowsStarts, and, when
    // SaveOnExit is on or the legacy store is being moved, every other value too. False when the
    // store could not be written; values already written stay in place.
    bool SaveIniFile(const Settings& settings);

    // Saves everything now while keeping SaveOnExit as it is: the store ends complete, with
    // SaveOnExit holding the value in `settings`.
    bool ForcedSave(const Settings& settings);

    // Writes SaveURL alone, at once.
    bool WriteURL(const QString& url);

    // Removes the legacy store once its contents were saved completely at the current
    // location. True when it was removed.
    bool DeleteOldRegLoc();

    bool legacyLocationUsed() const { return legacy_; }

    // Why the last save failed ("Settings could not be saved to <file>: <reason>"); empty
    // when it succeeded or none was tried.
    const QString& lastSaveError() const { return lastSaveError_; }

    QString currentPath() const;
    QString legacyPath() const;
    QString scratchPath() const;
    // Where the next write goes: the location chosen by SetRegLoc/ReadIniFile, or the
    // scratch file while none was chosen.
    QString activePath() const;

signals:
    // A save failed, with lastSaveError() as the message. Said once: further failures stay
    // quiet until a save succeeds again.
    void saveFailed(const QString& message);

private:
    enum class Location { Unset, Legacy, Current };

    template <class Fill> bool writeFile(const QString& path, Fill&& fill);

    QString folder_;
    Location location_ = Location::Unset;
    bool legacy_ = false;   // settings were read from the legacy location
    bool migrated_ = false; // a full save reached the current location after that
    QString lastSaveError_;
};

} // namespace skelvane
