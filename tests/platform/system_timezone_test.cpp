#include "platform/system_timezone.h"

#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "support/test_environment.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace skelvane {
namespace {

constexpr double kOneSecond = 1.0 / 86400.0;
constexpr double kOffsetTolerance = 1e-12; // offsets are whole minutes / 60
constexpr double kInstantTolerance = 1e-9; // days, well under a millisecond

DateTime At(int y, int mo, int d, int h, int mi = 0) {
    return SafeEncodeDateTime(y, mo, d, h, mi, 0, 0);
}

// A minimal TZif file: one time type, no transitions, then for version 2+ the 64-bit copy
// and the footer.
QByteArray Tzif(char version, const QByteArray& footer = {}) {
    auto header = [version] {
        QByteArray h("TZif");
        h.append(version);
        h.append(15, '\0');
        for (const int count : {0, 0, 0, 0, 1, 4}) { // isut, isstd, leap, time, type, char
            h.append(3, '\0');
            h.append(static_cast<char>(count));
        }
        return h;
    };
    const QByteArray block = QByteArray(6, '\0') + QByteArray("UTC\0", 4);
    QByteArray data = header() + block;
    if (version >= '2')
        data += header() + block + '\n' + footer + '\n';
    return data;
}

bool WriteFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

class TzifFooterTest : public ::testing::Test {
protected:
    std::optional<std::string> FooterOf(const QByteArray& data) {
        const QString path = dir_.filePath(QStringLiteral("zone"));
        EXPECT_TRUE(WriteFile(path, data));
        return ReadTzifFooter(path.toStdString());
    }
    QTemporaryDir dir_;
};

TEST_F(TzifFooterTest, ReadsTheRuleOfVersion2AndLater) {
    EXPECT_EQ(FooterOf(Tzif('2', "AAA3BBB,M3.2.0,M11.1.0")), "AAA3BBB,M3.2.0,M11.1.0");
    EXPECT_EQ(FooterOf(Tzif('3', "<+0330>-3:30")), "<+0330>-3:30");
    EXPECT_EQ(FooterOf(Tzif('4', "UTC0")), "UTC0");
    EXPECT_EQ(ReadTzifFooter("/usr/share/zoneinfo/America/New_York"), "EST5EDT,M3.2.0,M11.1.0")
        << "the installed tzdata file";
}

TEST_F(TzifFooterTest, DamagedOrForeignFilesGiveNothing) {
    const QByteArray good = Tzif('2', "AAA3");
    QByteArray hugeCounts = good;
    hugeCounts[20 + 12] = hugeCounts[20 + 13] = hugeCounts[20 + 14] = '\xff'; // time count
    QByteArray wrongSecondMagic = good;
    wrongSecondMagic[54] = 'X';
    struct Case {
        const char* name;
        QByteArray data;
    };
    const Case cases[] = {
        {"version 1", Tzif('\0')},
        {"not TZif", QByteArray("hello\nworld\n")},
        {"empty file", QByteArray()},
        {"header only", good.left(44)},
        {"cut inside the second block", good.left(good.size() - 12)},
        {"no closing newline", good.left(good.size() - 1)},
        {"trailing bytes after the rule", good + "x"},
        {"empty rule", Tzif('2', "")},
        {"control character in the rule", Tzif('2', QByteArray("AAA\x01"
                                                               "3"))},
        {"newline inside the rule", Tzif('2', "AAA3\nBBB")},
        {"counts larger than the file", hugeCounts},
        {"second header damaged", wrongSecondMagic},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FooterOf(c.data), std::nullopt) << c.name;

    EXPECT_EQ(ReadTzifFooter(dir_.filePath(QStringLiteral("missing")).toStdString()), std::nullopt);
    EXPECT_EQ(ReadTzifFooter(dir_.path().toStdString()), std::nullopt) << "a folder";
    EXPECT_EQ(ReadTzifFooter(""), std::nullopt);
}

// The real tzdata zones through TZ, as the clock reads them every second.
class SystemZoneTest : public ::testing::Test {
protected:
    void SetUp() override { InstallSystemTimeZoneSource(); }
    void TearDown() override { SetTimeZoneRecordSource(nullptr); }
};

struct ZoneCase {
    const char* tz;
    double january;
    double july;
    const char* standardName;
    const char* daylightName;
    DateTime daylightStart; // 2024, local clock
    DateTime daylightEnd;
};

TEST_F(SystemZoneTest, RealZones2024) {
    const ZoneCase cases[] = {
        {"America/New_York", -5, -4, "Eastern Standard Time", "Eastern Daylight Time",
         At(2024, 3, 10, 2), At(2024, 11, 3, 2)},
        {"Europe/Amsterdam", 1, 2, "Central European Standard Time", "Central European Summer Time",
         At(2024, 3, 31, 2), At(2024, 10, 27, 3)},
        {"Australia/Sydney", 11, 10, "Australian Eastern Standard Time",
         "Australian Eastern Daylight Time", At(2024, 10, 6, 2), At(2024, 4, 7, 3)},
        {"Asia/Jerusalem", 2, 3, "Israel Standard Time", "Israel Daylight Time", At(2024, 3, 29, 2),
         At(2024, 10, 27, 2)},
        {"UTC", 0, 0, "UTC", "", 0, 0},
    };
    for (const ZoneCase& c : cases) {
        SCOPED_TRACE(c.tz);
        const test::ScopedEnv tz("TZ", c.tz);
        const double july = TimeZoneOffsetHours(At(2024, 7, 15, 12));
        EXPECT_NEAR(july, c.july, kOffsetTolerance) << "expected " << c.july << " got " << july;
        const double january = TimeZoneOffsetHours(At(2024, 1, 15, 12));
        EXPECT_NEAR(january, c.january, kOffsetTolerance)
            << "expected " << c.january << " got " << january;

        const TimeZoneState& state = CurrentTimeZoneState();
        EXPECT_EQ(state.standardName, c.standardName);
        EXPECT_EQ(state.daylightName, c.daylightName);
        EXPECT_EQ(state.hasDaylightSaving, c.daylightStart != 0);
        EXPECT_NEAR(state.daylightStart, c.daylightStart, kInstantTolerance);
        EXPECT_NEAR(state.daylightEnd, c.daylightEnd, kInstantTolerance);
    }
}

TEST_F(SystemZoneTest, JerusalemChangesOnFriday) {
    const test::ScopedEnv tz("TZ", "Asia/Jerusalem");
    // Friday 29 March 2024 02:00 local standard time is 00:00 UTC.
    EXPECT_NEAR(TimeZoneOffsetHours(At(2024, 3, 29, 0) - kOneSecond), 2, kOffsetTolerance);
    EXPECT_NEAR(TimeZoneOffsetHours(At(2024, 3, 29, 0)), 3, kOffsetTolerance);
    EXPECT_EQ(CurrentTimeZoneState().zoneName, "Israel Daylight Time");
    EXPECT_EQ(DayOfWeekIso(CurrentTimeZoneState().daylightStart), 5) << "a Friday";
}

// The same zone named every way TZ allows, and TZ forms that name no file.
TEST(ReadSystemTimeZoneRecord, TzForms) {
    struct Case {
        const char* name;
        const char* tz;
        int bias;
        const char* standardName;
        const char* daylightName;
    };
    const Case cases[] = {
        {"zone name", "America/New_York", 300, "Eastern Standard Time", "Eastern Daylight Time"},
        {"leading colon", ":America/New_York", 300, "Eastern Standard Time",
         "Eastern Daylight Time"},
        {"absolute path", "/usr/share/zoneinfo/Europe/Amsterdam", -60,
         "Central European Standard Time", "Central European Summer Time"},
        {"set but empty is UTC", "", 0, "UTC", ""},
        {"a rule, not a file", "XST3XDT,M3.2.0,M11.1.0", 180, "XST", "XDT"},
        {"a rule with a colon", ":<+0330>-3:30", -210, "+0330", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const test::ScopedEnv tz("TZ", c.tz);
        const auto record = ReadSystemTimeZoneRecord();
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->bias, c.bias);
        EXPECT_EQ(record->standardName, c.standardName);
        EXPECT_EQ(record->daylightName, c.daylightName);
    }
    for (const char* garbled : {"No/Such_Zone", "/no/such/file", "5EST"}) {
        const test::ScopedEnv tz("TZ", garbled);
        EXPECT_EQ(ReadSystemTimeZoneRecord(), std::nullopt) << garbled;
    }
}

TEST(ReadSystemTimeZoneRecord, NamesNeverExceed32Characters) {
    const test::ScopedEnv tz("TZ", "<ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJ>5");
    const auto record = ReadSystemTimeZoneRecord();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->standardName, "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEF");
}

TEST(ReadSystemTimeZoneRecord, ZoneFolderFromTzdir) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Test")));
    ASSERT_TRUE(WriteFile(dir.filePath(QStringLiteral("Test/Zone")), Tzif('2', "<+0545>-5:45")));
    const test::ScopedEnv zoneDir("TZDIR", dir.path().toUtf8());
    const test::ScopedEnv tz("TZ", "Test/Zone");
    const auto record = ReadSystemTimeZoneRecord();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->bias, -345);
    EXPECT_EQ(record->standardName, "+0545") << "no database name for an unknown id";
}

// The record is kept between calls but follows a change of the zone file at once.
TEST(ReadSystemTimeZoneRecord, FollowsChangesOfTheZoneFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("localtime"));
    const test::ScopedEnv tz("TZ", path.toUtf8());

    ASSERT_TRUE(WriteFile(path, Tzif('2', "AAA3")));
    ASSERT_TRUE(ReadSystemTimeZoneRecord().has_value());
    EXPECT_EQ(ReadSystemTimeZoneRecord()->standardName, "AAA");

    ASSERT_TRUE(WriteFile(path, Tzif('2', "BBBB-4"))); // a different size
    EXPECT_EQ(ReadSystemTimeZoneRecord().value_or(TimeZoneRecord{}).standardName, "BBBB");

    ASSERT_TRUE(WriteFile(path, Tzif('2', "CCCC-4"))); // same size, later modification time
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(60),
                                 QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(ReadSystemTimeZoneRecord().value_or(TimeZoneRecord{}).standardName, "CCCC");

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(ReadSystemTimeZoneRecord(), std::nullopt) << "file gone";
}

// Without TZ the zone is /etc/localtime, whatever this computer has there.
TEST(ReadSystemTimeZoneRecord, LocalTimeFileWithoutTz) {
    const std::optional<QByteArray> saved =
        qEnvironmentVariableIsSet("TZ") ? std::optional(qgetenv("TZ")) : std::nullopt;
    qunsetenv("TZ");
    const auto footer = ReadTzifFooter("/etc/localtime");
    const auto record = ReadSystemTimeZoneRecord();
    if (saved)
        qputenv("TZ", *saved);
    if (!footer)
        GTEST_SKIP() << "this computer has no version 2 /etc/localtime";
    const auto expected = ParsePosixTzRule(*footer);
    ASSERT_TRUE(expected.has_value());
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->bias, expected->bias);
    EXPECT_EQ(record->daylightBias, expected->daylightBias);
    EXPECT_FALSE(record->standardName.empty());
}

} // namespace
} // namespace skelvane
