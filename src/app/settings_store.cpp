#include "app/settings_store.h"

#include "platform/private_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <optional>
#include <type_traits>
#include <utility>

namespace skelvane {

namespace {

const QString kSection = QStringLiteral("Settings");

// One open INI file, positioned in the settings section. Looks names up without regard to
// case (QSettings itself is case-sensitive here) and, when writing a name, drops any stored
// key that differs from it only in case so that one value per name remains.
class Section {
public:
    explicit Section(const QString& path) : settings_(path, QSettings::IniFormat) {
        settings_.beginGroup(kSection);
        for (const QString& key : settings_.childKeys())
            keys_[key.toLower()].append(key);
    }

    // The stored text of a value, or nothing when it is absent or not text-like.
    std::optional<QString> text(const QString& name) const {
        const auto it = keys_.constFind(name.toLower());
        if (it == keys_.cend())
            return std::nullopt;
        // Several spellings: the exact one wins, else the first in key order.
        const QString key = it->contains(name) ? name : it->first();
        const QVariant value = settings_.value(key);
        // An unquoted value with commas reads as a list; it was meant as one text.
        if (value.typeId() == QMetaType::QStringList)
            return value.toStringList().join(QStringLiteral(", "));
        if (!value.isValid() || !value.canConvert<QString>())
            return std::nullopt;
        return value.toString();
    }

    bool writable() const { return settings_.isWritable(); }

    void write(const QString& name, const QString& value) {
        const auto it = keys_.find(name.toLower());
        if (it != keys_.end()) {
            for (const QString& key : std::as_const(*it))
                if (key != name)
                    settings_.remove(key);
            *it = QStringList{name};
        } else {
            keys_.insert(name.toLower(), QStringList{name});
        }
        settings_.setValue(name, value);
    }

    // Writes the file out. A format error only says that the old file held lines that could
    // not be parsed; the new contents were still written (writability was checked first).
    bool finish() {
        settings_.endGroup();
        settings_.sync();
        return settings_.status() != QSettings::AccessError;
    }

    // The number of values in the whole file, every group's; after finish().
    qsizetype keyCount() const { return settings_.allKeys().size(); }

private:
    QSettings settings_;
    QHash<QString, QStringList> keys_; // lower-case name -> stored spellings
};

// Why a file could not be written into `folder`, found by writing a trial file there as
// large as the store: QSettings and Qt's files report only that a write failed, if that.
QString WhyNotWritten(const QString& folder, qint64 bytes) {
    const QString reason = WhyWritesFail(folder, std::max<qint64>(bytes, 64 * 1024));
    return reason.isEmpty() ? QStringLiteral("the file could not be written completely") : reason;
}

// Whether `bytes` are a whole INI file of `keys` values as QSettings writes one: a line per
// value besides the group headers, the last line ended. A write cut short fails this.
bool IsCompleteIni(const QByteArray& bytes, qsizetype keys) {
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        return false;
    qsizetype values = 0;
    for (const QByteArray& line : bytes.split('\n')) {
        const QByteArray text = line.trimmed();
        if (!text.isEmpty() && !text.startsWith('['))
            ++values;
    }
    return values == keys;
}

// Runs `fill` on the section of the file at `path` and saves the result. False with `reason`
// set when the file could not be written; it is then as it was.
//
// QSettings is never let write the store itself: it writes through QSaveFile, but a write cut
// short (a full disk) still replaces the file with the part that was written. So it works on
// a copy beside the store, created owner-only, and the copy takes the store's place (one
// rename) only once it was read back whole.
template <class Fill> bool WriteFile(const QString& path, Fill&& fill, QString& reason) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!MakePrivateFolder(folder, &reason))
        return false;
    QByteArray contents;
    if (QFileInfo::exists(path)) {
        QFile current(path);
        if (!current.open(QIODevice::ReadOnly)) {
            reason = current.errorString();
            return false;
        }
        contents = current.readAll();
    }
    const qint64 expected = 2 * contents.size();
    QTemporaryFile scratch(folder + QStringLiteral("/.Skelvane-XXXXXX.conf"));
    if (!scratch.open() || scratch.write(contents) != contents.size() || !scratch.flush()) {
        reason = WhyNotWritten(folder, expected);
        return false;
    }
    scratch.close();

    qsizetype keys = 0;
    {
        Section section(scratch.fileName());
        if (!section.writable()) {
            reason = WhyNotWritten(folder, expected);
            return false;
        }
        fill(section);
        if (!section.finish()) {
            reason = WhyNotWritten(folder, expected);
            return false;
        }
        keys = section.keyCount();
    }
    QFile written(scratch.fileName());
    if (!written.open(QIODevice::ReadOnly) || !IsCompleteIni(written.readAll(), keys)) {
        reason = WhyNotWritten(folder, expected);
        return false;
    }
    written.close();
    return ReplaceFile(scratch.fileName(), path, &reason) && MakePrivateFile(path, &reason);
}

// Cuts to a fixed buffer's length without splitting a surrogate pair.
QString Cut(QString text, int maxLength) {
    if (maxLength > 0 && text.size() > maxLength) {
        qsizetype n = maxLength;
        if (text.at(n - 1).isHighSurrogate())
            --n;
        text.truncate(n);
    }
    return text;
}

std::optional<int> ParseInt(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional(value) : std::nullopt;
}

std::optional<bool> ParseBool(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == u"true" || t == u"1")
        return true;
    if (t == u"false" || t == u"0")
        return false;
    return std::nullopt;
}

std::optional<double> ParseDouble(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok); // C locale, as written
    return ok && std::isfinite(value) ? std::optional(value) : std::nullopt;
}

// Reads one value as type T; nothing when it is absent or unreadable as T.
template <class T> std::optional<T> Parse(const std::optional<QString>& text, int maxLength) {
    if (!text)
        return std::nullopt;
    if constexpr (std::is_same_v<T, int>)
        return ParseInt(*text);
    else if constexpr (std::is_same_v<T, bool>)
        return ParseBool(*text);
    else if constexpr (std::is_same_v<T, double>)
        return ParseDouble(*text);
    else if constexpr (std::is_same_v<T, QChar>)
        return text->isEmpty() ? std::nullopt : std::optional(text->at(0));
    else
        return Cut(*text, maxLength);
}

QString Format(int value) {
    return QString::number(value);
}
QString Format(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}
QString Format(double value) {
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}
QString Format(const QString& value) {
    return value;
}
QString Format(QChar value) {
    return value.isNull() ? QString() : QString(value);
}

// T is the member's type; only QString and int fields have a copy in the Location to save.
template <class T> constexpr bool kHasCopy = std::is_same_v<T, QString> || std::is_same_v<T, int>;

template <class T> T PlaceStrings::*CopyOf(const SettingField& field) {
    const auto* copy = std::get_if<T PlaceStrings::*>(&field.saveCopy);
    return copy ? *copy : nullptr;
}

// Reads one value into `settings`, or leaves its default when the value is absent, cannot
// be read as its type or lies outside its range. True when a stored value was refused.
bool ReadField(const Section& section, const SettingField& field, Settings& settings) {
    bool refused = false;
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(settings.*member)>;
            const std::optional<QString> text = section.text(QLatin1String(field.name));
            auto value = Parse<T>(text, field.maxLength);
            if constexpr (std::is_same_v<T, int> || std::is_same_v<T, double>) {
                if (value && !field.range.allows(static_cast<double>(*value)))
                    value.reset();
            }
            if (value)
                settings.*member = std::move(*value);
            else
                refused = text.has_value();
            if constexpr (kHasCopy<T>) {
                if (auto copy = CopyOf<T>(field))
                    settings.SaveLocation.*copy = settings.*member;
            }
        },
        field.member);
    return refused;
}

// A Location whose stored coordinates were refused is no Location at all: its names would
// stand beside sunrise and sunset computed for 0°, 0°. It reads as none stored, so the
// start-up guess chooses a place from the time zone, as on a first run.
void ForgetPlaceWithoutCoordinates(Settings& settings) {
    const Settings defaults;
    settings.Latitude = defaults.Latitude;
    settings.Longitude = defaults.Longitude;
    for (QString Settings::*name : {&Settings::PlaceName, &Settings::CityName, &Settings::StateName,
                                    &Settings::CountryName, &Settings::ZipCode})
        (settings.*name).clear();
    const int altitude = settings.SaveLocation.Altitude;
    settings.SaveLocation = PlaceStrings{};
    settings.SaveLocation.Altitude = altitude;
}

void WriteField(Section& section, const SettingField& field, const Settings& settings) {
    std::visit(
        [&](auto member) {
            using T = std::remove_cvref_t<decltype(settings.*member)>;
            const T* value = &(settings.*member);
            if constexpr (kHasCopy<T>) {
                if (auto copy = CopyOf<T>(field))
                    value = &(settings.SaveLocation.*copy);
            }
            section.write(QLatin1String(field.name), Format(*value));
        },
        field.member);
}

} // namespace

SettingsStore::SettingsStore(QString folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)) {}

template <class Fill> bool SettingsStore::writeFile(const QString& path, Fill&& fill) {
    QString reason;
    if (WriteFile(path, std::forward<Fill>(fill), reason)) {
        lastSaveError_.clear();
        return true;
    }
    const bool alreadySaid = !lastSaveError_.isEmpty();
    lastSaveError_ = QStringLiteral("Settings could not be saved to %1: %2")
                         .arg(QDir::toNativeSeparators(path), reason);
    if (!alreadySaid)
        emit saveFailed(lastSaveError_);
    return false;
}

QString SettingsStore::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Skelvane");
}

QString SettingsStore::currentPath() const {
    return folder_ + QStringLiteral("/Skelvane.conf");
}
QString SettingsStore::legacyPath() const {
    return folder_ + QStringLiteral("/Skelvane Clock.conf");
}
QString SettingsStore::scratchPath() const {
    return folder_ + QStringLiteral("/Scratch.conf");
}

QString SettingsStore::activePath() const {
    switch (location_) {
    case Location::Legacy:
        return legacyPath();
    case Location::Current:
        return currentPath();
    case Location::Unset:
        break;
    }
    return scratchPath();
}

void SettingsStore::SetRegLoc() {
    legacy_ = QFileInfo(legacyPath()).isFile();
    location_ = legacy_ ? Location::Legacy : Location::Current;
}

void SettingsStore::ReadIniFile(Settings& settings) {
    SetRegLoc();
    settings = Settings{};
    {
        const Section section(activePath());
        bool coordinatesRefused = false;
        for (const SettingField& field : SettingFields()) {
            const bool refused = ReadField(section, field, settings);
            const auto* number = std::get_if<double Settings::*>(&field.member);
            if (refused && number &&
                (*number == &Settings::Latitude || *number == &Settings::Longitude))
                coordinatesRefused = true;
        }
        if (coordinatesRefused)
            ForgetPlaceWithoutCoordinates(settings);

        if (!Parse<bool>(section.text(QStringLiteral("SouthernHemisphere")), 0))
            settings.SouthernHemisphere = settings.Latitude < 0;
    }
    settings.LoadedWeatherStationCode = settings.WeatherStationCode;
    settings.LoadedWeatherStationName = settings.WeatherStationName;
    location_ = Location::Current;
}

bool SettingsStore::SaveIniFile(const Settings& settings) {
    // While the legacy store is being moved every value goes to the new location, whatever
    // SaveOnExit says, so that nothing is lost when the legacy file is removed.
    const bool moving = legacy_ && location_ == Location::Current;
    const bool full = settings.SaveOnExit || legacy_;
    const bool ok = writeFile(activePath(), [&](Section& section) {
        for (const SettingField& field : SettingFields()) {
            const bool wanted = field.when == SaveWhen::Always ||
                                (full && field.when == SaveWhen::Full) ||
                                (moving && field.when == SaveWhen::Migration);
            if (wanted)
                WriteField(section, field, settings);
        }
    });
    if (ok && full && moving)
        migrated_ = true;
    return ok;
}

bool SettingsStore::ForcedSave(const Settings& settings) {
    Settings all = settings;
    all.SaveOnExit = true;
    bool ok = SaveIniFile(all);
    if (!settings.SaveOnExit)
        ok = SaveIniFile(settings) && ok; // leaves SaveOnExit off in the store
    return ok;
}

bool SettingsStore::WriteURL(const QString& url) {
    return writeFile(activePath(),
                     [&](Section& section) { section.write(QStringLiteral("SaveURL"), url); });
}

bool SettingsStore::DeleteOldRegLoc() {
    // Only once everything has been saved at the current location: a failed save must not
    // cost the user the settings still held in the legacy file.
    if (!legacy_ || !migrated_)
        return false;
    return QFile::remove(legacyPath());
}

} // namespace skelvane
