#include "platform/locale_formats.h"

#include "astro/format_date.h"
#include "platform/clock.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(DatePatternFromQt, RewritesFieldsAndQuotesLiteralLetters) {
    struct Case {
        const char* qt;
        const char* expected;
    } cases[] = {
        {"dddd, MMMM d, yyyy", "dddd, mmmm d, yyyy"},
        {"dd.MM.yyyy", "dd.mm.yyyy"},
        {"M/d/yy", "m/d/yy"},
        {"d 'de' MMMM 'de' yyyy", "d \"de\" mmmm \"de\" yyyy"},
        {"d MMMM yyyy 'o''clock'", "d mmmm yyyy \"o'clock\""},
        {"EEE d", "\"EEE\" d"}, // letters Qt does not know are text, not minutes or hours
    };
    for (const Case& c : cases)
        EXPECT_EQ(DatePatternFromQt(QString::fromUtf8(c.qt)), c.expected) << c.qt;
}

TEST(MakeLocaleDateFormats, ShortDateRules) {
    struct Case {
        const char* shortDate;
        const char* expectedShort;
        const char* expectedShortYear;
    } cases[] = {
        {"m/d/yyyy", "mm/dd/yyyy", "mm/dd/yy"}, {"M/D/YYYY", "mm/dd/yyyy", "mm/dd/yy"},
        {"d/m/yyyy", "dd/mm/yyyy", "dd/mm/yy"}, {"dd.mm.YYYY", "dd.mm.YYYY", "dd.mm.yy"},
        {"m/d/yy", "m/d/yy", "m/d/yy"},
    };
    for (const Case& c : cases) {
        const LocaleDateFormats formats = MakeLocaleDateFormats("dddd", c.shortDate);
        EXPECT_EQ(formats.shortDate, c.expectedShort) << c.shortDate;
        EXPECT_EQ(formats.shortDateShortYear, c.expectedShortYear) << c.shortDate;
    }
}

// The converted locale patterns with the locale's names print what Qt itself prints.
TEST(LocaleDateFormats, LongDateMatchesQtForSeveralLocales) {
    const QDate dates[] = {QDate(2024, 1, 7), QDate(2026, 9, 22), QDate(1999, 12, 31)};
    for (const char* name : {"en_US", "en_GB", "de_DE", "fr_FR", "es_ES", "ja_JP", "ru_RU"}) {
        const QLocale locale{QString::fromLatin1(name)};
        const LocaleDateFormats formats = LocaleDateFormatsFrom(locale);
        const DateLocale names = DateLocaleFrom(locale);
        for (const QDate& date : dates) {
            const DateTime value = DateTimeFromQt(QDateTime(date, QTime(12, 0)));
            EXPECT_EQ(QString::fromStdString(FormatDate(formats.longDate, value, names)),
                      locale.toString(date, QLocale::LongFormat))
                << name << " " << formats.longDate;
        }
    }
}

TEST(LocaleDateFormats, FirstDayOfWeek) {
    EXPECT_EQ(FirstDayOfWeekIndex(QLocale(QStringLiteral("en_US"))), 6) << "Sunday";
    EXPECT_EQ(FirstDayOfWeekIndex(QLocale(QStringLiteral("de_DE"))), 0) << "Monday";
}

TEST(DateTimeFromQt, CountsDaysFromTheEndOf1899) {
    EXPECT_DOUBLE_EQ(DateTimeFromQt(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_DOUBLE_EQ(DateTimeFromQt(QDateTime(QDate(1899, 12, 29), QTime(18, 0))), -0.25);
    EXPECT_DOUBLE_EQ(DateTimeFromQt(QDateTime(QDate(2000, 1, 1), QTime(12, 0))), 36526.5);
}

} // namespace
} // namespace skelvane
