#include "platform/system_timezone.h"

#include "astro/posix_tz.h"
#include "platform/tzif_footer.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QTimeZone>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <string_view>

namespace skelvane {

namespace {

constexpr const char* kDefaultZoneDir = "/usr/share/zoneinfo";
constexpr const char* kLocalTimeFile = "/etc/localtime";
constexpr const char* kTimeZoneNameFile = "/etc/timezone";
// Real TZif files are a few kilobytes; anything far larger is not one.
constexpr std::int64_t kMaxTzifBytes = 1 << 20;
constexpr std::size_t kMaxNameLength = 32;

struct FileIdentity {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t size = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The regular file a path leads to (symbolic links followed), or nothing.
std::optional<FileIdentity> Identify(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return FileIdentity{path, info.st_dev, info.st_ino,
                        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 +
                            info.st_mtim.tv_nsec,
                        static_cast<std::int64_t>(info.st_size)};
}

std::string CutName(std::string name) {
    if (name.size() <= kMaxNameLength)
        return name;
    std::size_t cut = kMaxNameLength;
    // Do not split a UTF-8 sequence: step back over continuation bytes.
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    name.resize(cut);
    return name;
}

// The zone id in a path below a zoneinfo folder ("/usr/share/zoneinfo/Europe/Paris" gives
// "Europe/Paris"), without the posix/ or right/ variants' prefix.
std::string ZoneIdFromPath(std::string_view path) {
    constexpr std::string_view kMarker = "zoneinfo/";
    const std::size_t at = path.rfind(kMarker);
    if (at == std::string_view::npos)
        return {};
    std::string_view id = path.substr(at + kMarker.size());
    for (const std::string_view prefix : {"posix/", "right/"}) {
        if (id.starts_with(prefix))
            id.remove_prefix(prefix.size());
    }
    return std::string(id);
}

// The id of the zone behind /etc/localtime: its link target, else /etc/timezone.
std::string LocalTimeZoneId() {
    std::array<char, 4096> target{};
    const ssize_t length = ::readlink(kLocalTimeFile, target.data(), target.size() - 1);
    if (length > 0) {
        std::string id = ZoneIdFromPath(std::string_view(target.data(), length));
        if (!id.empty())
            return id;
    }
    std::ifstream file(kTimeZoneNameFile);
    std::string line;
    if (!std::getline(file, line))
        return {};
    const std::size_t first = line.find_first_not_of(" \t");
    const std::size_t last = line.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string{} : line.substr(first, last - first + 1);
}

// An English long name is useful when it is a name rather than an offset in disguise
// ("GMT+05:30"), which is what the zone database gives for zones it has no name for.
bool IsUsefulName(const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('+')) || name.startsWith(QLatin1Char('-')))
        return false;
    for (const char* prefix : {"GMT+", "GMT-", "UTC+", "UTC-", "GMT\u2212", "UTC\u2212"}) {
        if (name.startsWith(QString::fromUtf8(prefix)))
            return false;
    }
    return true;
}

struct LongNames {
    std::string standard;
    std::string daylight;
};

LongNames LookUpLongNames(const std::string& id) {
    const QTimeZone zone(QByteArray::fromStdString(id));
    if (!zone.isValid())
        return {};
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QString standard =
        zone.displayName(QTimeZone::StandardTime, QTimeZone::LongName, english);
    const QString daylight =
        zone.displayName(QTimeZone::DaylightTime, QTimeZone::LongName, english);
    LongNames names;
    if (IsUsefulName(standard))
        names.standard = CutName(standard.toStdString());
    if (IsUsefulName(daylight) && daylight != standard)
        names.daylight = CutName(daylight.toStdString());
    return names;
}

// The record of a rule with its abbreviations replaced by the zone's long names where the
// zone database has them. A zone without daylight time keeps an empty daylight name.
TimeZoneRecord WithLongNames(TimeZoneRecord record, const LongNames& names) {
    if (!names.standard.empty())
        record.standardName = names.standard;
    if (!names.daylight.empty() && !record.daylightName.empty())
        record.daylightName = names.daylight;
    return record;
}

TimeZoneRecord UtcRecord() {
    TimeZoneRecord record;
    record.standardName = "UTC";
    return record;
}

// Where the zone comes from, compared between calls to decide whether to read it again.
struct ZoneKey {
    bool tzSet = false;
    std::string tz;
    std::optional<FileIdentity> file;
    friend bool operator==(const ZoneKey&, const ZoneKey&) = default;
};

class RecordCache {
public:
    std::optional<TimeZoneRecord> Get(const ZoneKey& key) {
        const std::lock_guard lock(mutex_);
        if (!key_ || !(*key_ == key)) {
            record_ = Read(key);
            key_ = key;
        }
        return record_;
    }

private:
    std::optional<TimeZoneRecord> Read(const ZoneKey& key) {
        std::string_view name = key.tz;
        if (name.starts_with(':'))
            name.remove_prefix(1);

        std::optional<TimeZoneRecord> record;
        std::string id;
        if (key.file) {
            if (const auto footer = ReadTzifFooter(key.file->path))
                record = ParsePosixTzRule(*footer);
            if (record) {
                if (!key.tzSet)
                    id = LocalTimeZoneId();
                else if (name.starts_with('/'))
                    id = ZoneIdFromPath(name);
                else
                    id = std::string(name);
            }
        }
        if (!record && key.tzSet)
            record = ParsePosixTzRule(name);
        if (record && !id.empty())
            record = WithLongNames(*record, NamesFor(id));
        return record;
    }

    const LongNames& NamesFor(const std::string& id) {
        auto found = names_.find(id);
        if (found == names_.end())
            found = names_.emplace(id, LookUpLongNames(id)).first;
        return found->second;
    }

    std::mutex mutex_;
    std::optional<ZoneKey> key_;
    std::optional<TimeZoneRecord> record_;
    std::map<std::string, LongNames> names_;
};

RecordCache& Cache() {
    static RecordCache cache;
    return cache;
}

} // namespace

std::optional<std::string> ReadTzifFooter(const std::string& path) {
    const auto identity = Identify(path);
    if (!identity || identity->size > kMaxTzifBytes)
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    const std::string data{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return TzifFooter(data);
}

std::optional<TimeZoneRecord> ReadSystemTimeZoneRecord() {
    ZoneKey key;
    std::string path = kLocalTimeFile;
    if (const char* tz = std::getenv("TZ")) {
        key.tzSet = true;
        key.tz = tz;
        std::string_view name = key.tz;
        if (name.starts_with(':'))
            name.remove_prefix(1);
        if (name.empty())
            return UtcRecord();
        if (name.starts_with('/')) {
            path = std::string(name);
        } else {
            const char* zoneDir = std::getenv("TZDIR");
            path = std::string(zoneDir && *zoneDir ? zoneDir : kDefaultZoneDir) + "/" +
                   std::string(name);
        }
    }
    key.file = Identify(path);
    return Cache().Get(key);
}

void InstallSystemTimeZoneSource() {
    SetTimeZoneRecordSource(ReadSystemTimeZoneRecord);
}

} // namespace skelvane
