#include "platform/clock_setter.h"
#include "support/fake_clock_setter.h"
#include "support/qstring_printer.h"

#include <gtest/gtest.h>
#include <type_traits>

namespace skelvane {
namespace {

// The real setter is never called here: it could change the computer's clock.
static_assert(std::is_base_of_v<ClockSetter, SystemClockSetter>);
static_assert(std::is_default_constructible_v<SystemClockSetter>);

TEST(IsTimeServiceMissing, TellsAnAbsentServiceFromARefusal) {
    struct Case {
        const char* name;
        bool missing;
    };
    const Case cases[] = {
        {"org.freedesktop.DBus.Error.ServiceUnknown", true},
        {"org.freedesktop.DBus.Error.NameHasNoOwner", true},
        {"org.freedesktop.DBus.Error.Spawn.ServiceNotFound", true},
        {"org.freedesktop.DBus.Error.Spawn.ChildExited", true},
        {"org.freedesktop.DBus.Error.UnknownMethod", true},
        {"org.freedesktop.DBus.Error.Disconnected", true},
        // Refusals: the service is there and said no, so nothing else may try.
        {"org.freedesktop.timedate1.AutomaticTimeSyncEnabled", false},
        {"org.freedesktop.DBus.Error.AccessDenied", false},
        {"org.freedesktop.DBus.Error.InteractiveAuthorizationRequired", false},
        {"org.freedesktop.DBus.Error.NoReply", false}, // the password dialog was left open
        {"org.freedesktop.DBus.Error.InvalidArgs", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsTimeServiceMissing(QString::fromLatin1(c.name)), c.missing) << c.name;
}

TEST(DescribeTimeServiceRefusal, GivesOneLineTheUserCanRead) {
    struct Case {
        const char* name;
        const char* message;
        const char* reason;
    };
    const Case cases[] = {
        {"org.freedesktop.timedate1.AutomaticTimeSyncEnabled",
         "Automatic time synchronization is enabled", "Automatic time synchronization is enabled"},
        {"org.freedesktop.DBus.Error.AccessDenied", "  Access denied\nby polkit rule 12\n",
         "Access denied"},
        {"org.freedesktop.DBus.Error.InteractiveAuthorizationRequired", "",
         "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"},
        {"", "", "the time-date service refused"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            DescribeTimeServiceRefusal(QString::fromLatin1(c.name), QString::fromLatin1(c.message)),
            QString::fromLatin1(c.reason))
            << c.name;
}

TEST(FakeClockSetter, RecordsEveryRequestAndRefusesWhenTold) {
    test::FakeClockSetter fake;
    ClockSetter& setter = fake;
    EXPECT_TRUE(setter.setUtc(1715934615250).ok);
    fake.refuseWith(QStringLiteral("Automatic time synchronization is enabled"));
    const ClockSetResult refused = setter.setUtc(1715934616000);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.reason, QStringLiteral("Automatic time synchronization is enabled"));
    EXPECT_EQ(fake.requests(), (std::vector<std::int64_t>{1715934615250, 1715934616000}));
}

} // namespace
} // namespace skelvane
