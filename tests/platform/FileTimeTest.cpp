#include "ScopedTimeZone.h"
#include "platform/FileTime.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>

using namespace platform;

namespace {

using TimeZone = testing_support::ScopedTimeZone;

constexpr double Millisecond = 1.0 / 86400000.0;

} // namespace

TEST(FileTime, UsesTheOffsetInForceAtTheStoredDate)
{
    TimeZone zone("Europe/Bratislava");
    // 2021-01-15 12:00 UTC is 13:00 local (CET), 2021-07-15 12:00 UTC is
    // 14:00 local (CEST), whatever today's offset is.
    EXPECT_NEAR(FileTimeToDateTime({1610712000, 0}), EncodeDateTime(2021, 1, 15, 13), Millisecond);
    EXPECT_NEAR(FileTimeToDateTime({1626350400, 0}), EncodeDateTime(2021, 7, 15, 14), Millisecond);
    // Both sides of the spring change, 2021-03-28 01:00 UTC.
    EXPECT_NEAR(FileTimeToDateTime({1616893199, 0}), EncodeDateTime(2021, 3, 28, 1, 59, 59),
                Millisecond);
    EXPECT_NEAR(FileTimeToDateTime({1616893200, 0}), EncodeDateTime(2021, 3, 28, 3, 0, 0),
                Millisecond);
}

TEST(FileTime, KeepsMillisecondsAndCountsDaysBeforeTheEpochBackwards)
{
    TimeZone zone("UTC");
    EXPECT_DOUBLE_EQ(FileTimeToDateTime({0, 0}), 25569.0);
    EXPECT_NEAR(FileTimeToDateTime({0, 250999999}), 25569.0 + 250 * Millisecond, 1e-12);
    // 1899-12-29 06:00 is -1.25: the day counts back, the time of day is
    // subtracted.
    const int64_t dayBefore = -25570LL * 86400 + 6 * 3600;
    EXPECT_DOUBLE_EQ(FileTimeToDateTime({dayBefore, 0}), -1.25);
    EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 29, 6), -1.25);
    EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime(2000, 1, 1, 18), 36526.75);
}

TEST(FileTime, StampsAtTheEndsOfSixtyFourBitsShowAsTheFirstOrLastDate)
{
    // tmpfs keeps any value a program sets; they must still list as dates:
    // the first or last day, at the local time of that zone.
    const double firstDay = EncodeDateTime(1, 1, 1), lastDay = EncodeDateTime(9999, 12, 31);
    for (const char *zone : {"UTC", "Asia/Tokyo", "America/Los_Angeles"}) {
        TimeZone tz(zone);
        EXPECT_EQ(std::trunc(FileTimeToDateTime({INT64_MIN, 0})), firstDay) << zone;
        EXPECT_EQ(std::trunc(FileTimeToDateTime({INT64_MIN + 1, 0})), firstDay) << zone;
        EXPECT_EQ(std::trunc(FileTimeToDateTime({INT64_MAX, 999999999})), lastDay) << zone;
        EXPECT_EQ(std::trunc(FileTimeToDateTime({INT64_MAX - 3600, 0})), lastDay) << zone;
    }
    TimeZone utc("UTC");
    EXPECT_DOUBLE_EQ(FileTimeToDateTime({INT64_MIN, 0}), firstDay);
    EXPECT_DOUBLE_EQ(FileTimeToDateTime({INT64_MAX, 999999999}),
                     EncodeDateTime(9999, 12, 31, 23, 59, 59));
    EXPECT_NEAR(FileTimeToDateTime({253402300799, 500000000}),
                EncodeDateTime(9999, 12, 31, 23, 59, 59, 500), Millisecond)
        << "the last second itself keeps its milliseconds";
}

// Berlin set its clocks back at 2024-10-27 01:00 UTC: 02:00 to 03:00 local
// came twice, first with +02:00, then with +01:00. In spring, at 2024-03-31
// 01:00 UTC, 02:00 to 03:00 was skipped.
TEST(FileTime, TheHourShownTwiceIsToldApartAndGivesBackItsInstant)
{
    TimeZone zone("Europe/Berlin");
    const int64_t first = 1729989000;  // 00:30 UTC, 02:30 CEST
    const int64_t second = first + 3600;  // 01:30 UTC, 02:30 CET
    EXPECT_FALSE(IsRepeatedLocalTime({first, 0}));
    EXPECT_TRUE(IsRepeatedLocalTime({second, 0}));
    EXPECT_FALSE(IsRepeatedLocalTime({second + 1800, 0})) << "03:00 CET came once";
    EXPECT_FALSE(IsRepeatedLocalTime({first - 3600, 0}));
    EXPECT_EQ(FileTimeToDateTime({first, 0}), FileTimeToDateTime({second, 0}));

    for (const int64_t instant : {first, second, first - 3600, second + 3600, int64_t(1711846800) /* spring */,
                                  int64_t(-2208988800) /* 1900 */, int64_t(0)}) {
        const TFileTime time{instant, 250000000};
        const bool repeated = IsRepeatedLocalTime(time);
        EXPECT_EQ(LocalDateTimeToUnixMilliseconds(FileTimeToDateTime(time), repeated), instant * 1000 + 250)
            << instant;
    }
    // A reading the clocks skipped takes the offset from before the change.
    EXPECT_EQ(UtcOffsetOfLocalTime(1711852200 /* 02:30 local, as if UTC */, false), 3600);
}

TEST(FileTime, MillisecondsOfADateTimeAreTheInverseOfTheScale)
{
    EXPECT_EQ(DateTimeToMilliseconds(UnixEpochDay), 0);
    EXPECT_EQ(DateTimeToMilliseconds(EncodeDateTime(2024, 5, 1, 12, 0, 0, 250)), 1714564800250);
    EXPECT_EQ(DateTimeToMilliseconds(-1.25), (-1 - UnixEpochDay) * 86400000LL + 6 * 3600000LL)
        << "1899-12-29 06:00: the day counts back, the time of day forward";
    EXPECT_EQ(DateTimeToMilliseconds(1e300), DateTimeToMilliseconds(1e12)) << "held, not overflowed";
}
