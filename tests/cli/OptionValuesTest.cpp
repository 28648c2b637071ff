// Sizes, depths and dates as tamarel-list reads them, with their edges.

#include "ScopedTimeZone.h"
#include "cli/OptionValues.h"

#include <gtest/gtest.h>

using namespace cli;
using platform::EncodeDateTime;

namespace {

TEST(OptionValuesTest, SizesTakePowersOf1024AndRefuseWhatDoesNotFit)
{
    const struct {
        const char *Text;
        int64_t Bytes;
    } good[] = {{"0", 0}, {"4096", 4096}, {"1k", 1024}, {"1K", 1024}, {"3M", 3 << 20}, {"2G", 2LL << 30},
                {"8589934591G", 8589934591LL << 30}};
    for (const auto &row : good) {
        int64_t bytes = -1;
        QString error;
        EXPECT_TRUE(ParseSize(QString::fromLatin1(row.Text), bytes, error)) << row.Text;
        EXPECT_EQ(bytes, row.Bytes) << row.Text;
    }
    for (const char *bad : {"", "k", "-1", "1.5M", "1m", "1 k", "8589934592G", "99999999999999999999", "1T"}) {
        int64_t bytes = 0;
        QString error;
        EXPECT_FALSE(ParseSize(QString::fromLatin1(bad), bytes, error)) << bad;
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(OptionValuesTest, DepthsStayWithinTheWalksLevels)
{
    int depth = -1;
    QString error;
    EXPECT_TRUE(ParseDepth(QStringLiteral("0"), depth, error));
    EXPECT_EQ(depth, 0);
    EXPECT_TRUE(ParseDepth(QStringLiteral("65534"), depth, error));
    for (const char *bad : {"65535", "-1", "", "2x", "99999999999999999999"})
        EXPECT_FALSE(ParseDepth(QString::fromLatin1(bad), depth, error)) << bad;
}

listing::TTimeBound Date(const char *text)
{
    listing::TTimeBound bound;
    QString error;
    EXPECT_TRUE(ParseDate(QString::fromLatin1(text), bound, error)) << text << ": " << error.toStdString();
    return bound;
}

TEST(OptionValuesTest, DatesWithoutAnOffsetAreLocalClockReadings)
{
    testing_support::ScopedTimeZone zone("Europe/Berlin");
    // Midnight is a whole number, which the engine reads as a date.
    EXPECT_EQ(Date("2024-05-01").Local, EncodeDateTime(2024, 5, 1));
    EXPECT_EQ(Date("2024-05-01T00:00").Local, EncodeDateTime(2024, 5, 1));
    EXPECT_EQ(Date("2024-05-01T12:00").Local, EncodeDateTime(2024, 5, 1, 12));
    EXPECT_EQ(Date("2024-05-01 12:00:30.25").Local, EncodeDateTime(2024, 5, 1, 12, 0, 30, 250));
    EXPECT_FALSE(Date("2024-05-01T12:00").HasInstant);
    // 02:30 did not happen on 2024-03-31; as a reading it lies between
    // 01:59 and 03:00 all the same.
    EXPECT_EQ(Date("2024-03-31T02:30").Local, EncodeDateTime(2024, 3, 31, 2, 30));
    EXPECT_EQ(Date("1900-01-01").Local, EncodeDateTime(1900, 1, 1));
}

TEST(OptionValuesTest, DatesWithAnOffsetAreInstantsShownOnTheLocalClock)
{
    testing_support::ScopedTimeZone zone("Europe/Berlin");
    const listing::TTimeBound summer = Date("2024-05-01T10:00:00Z");
    EXPECT_TRUE(summer.HasInstant);
    EXPECT_EQ(summer.InstantMs, 1714557600000);
    EXPECT_EQ(summer.Local, EncodeDateTime(2024, 5, 1, 12)) << "CEST in May";
    EXPECT_EQ(Date("2024-05-01T12:00+02:00").InstantMs, summer.InstantMs);
    EXPECT_EQ(Date("2024-05-01T12:00+0200").InstantMs, summer.InstantMs);
    EXPECT_EQ(Date("2024-05-01T05:00-05").InstantMs, summer.InstantMs);
    EXPECT_EQ(Date("2024-01-15T12:00Z").Local, EncodeDateTime(2024, 1, 15, 13)) << "CET in January";
    // The two 02:30 of 2024-10-27 are one reading but two instants.
    const listing::TTimeBound first = Date("2024-10-27T02:30+02:00");
    const listing::TTimeBound second = Date("2024-10-27T02:30+01:00");
    EXPECT_EQ(first.Local, second.Local);
    EXPECT_EQ(second.InstantMs - first.InstantMs, 3600000);
}

TEST(OptionValuesTest, DatesThatDoNotExistOrCannotBeComparedAreRefused)
{
    for (const char *bad : {"2024-5-1", "2024-02-30", "2023-02-29", "2024-13-01", "2024-05-01T24:00", "2024-05-01T12:60",
                            "2024-05-01T12:00:60", "2024-05-01T12", "2024-05-01Z", "2024-05-01T12:00+24:00",
                            "1899-12-31", "1900-01-01T00:30+05:00", "tomorrow", ""}) {
        listing::TTimeBound bound;
        QString error;
        EXPECT_FALSE(ParseDate(QString::fromLatin1(bad), bound, error)) << bad;
        EXPECT_FALSE(error.isEmpty());
    }
}

} // namespace
