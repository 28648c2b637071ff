#include "explorer/FieldFormat.h"

#include <gtest/gtest.h>

using namespace explorer;

namespace {

TRegionalFormats Formats(const char *decimal = ".", const char *time = ":")
{
    TRegionalFormats f;
    f.Locale = QLocale::c();
    f.DecimalSeparator = QLatin1Char(*decimal);
    f.TimeSeparator = QString::fromUtf8(time);
    f.ShortDateFormat = QStringLiteral("d.M.yyyy");
    f.LongTimeFormat = QStringLiteral("H:mm:ss");
    return f;
}

} // namespace

TEST(FieldFormat, SizeTextsRoundHalvesAwayFromZeroWithTheLocaleSeparator)
{
    const struct {
        int64_t size;
        const char *text;
    } rows[] = {
        {0, "0 b"},           {1023, "1023 b"},          {1024, "1.0 k"},
        {1280, "1.3 k"},      {1535, "1.5 k"},           {1048575, "1024.0 k"},
        {1048576, "1.0 M"},   {1073741823, "1024.0 M"},  {1073741824, "1.0 G"},
        {1LL << 40, "1024.0 G"}, {-5, "-5 b"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(FormatFileSize(row.size, Formats()), QString::fromUtf8(row.text)) << row.size;
    EXPECT_EQ(FormatFileSize(1280, Formats(",")), QStringLiteral("1,3 k"));
}

TEST(FieldFormat, AttributeTextsPutLettersInTheirOwnOrderAndFoldersShowNone)
{
    const struct {
        int32_t attributes;
        const char *text;
    } rows[] = {{0x00, "----"}, {0x80, "----"}, {0x20, "-a--"}, {0x21, "ra--"},
                {0x27, "rahs"}, {0x06, "--hs"}, {0x10, "----"}, {0x31, "----"}};
    for (const auto &row : rows)
        EXPECT_EQ(AttributesToText(row.attributes), QString::fromUtf8(row.text)) << row.attributes;
}

TEST(FieldFormat, TimeStampsDropSecondsAndUseTheLocaleTimeSeparator)
{
    const TDateTime t = platform::EncodeDateTime(2015, 3, 7, 9, 5, 59);
    EXPECT_EQ(FormatTimestamp(t, TableTimestampFormat, Formats()), QStringLiteral("07.03.2015 09:05"));
    EXPECT_EQ(FormatTimestamp(t, TableTimestampFormat, Formats(".", ".")),
              QStringLiteral("07.03.2015 09.05"));
    const TDateTime late = platform::EncodeDateTime(2015, 12, 31, 23, 59, 59, 900);
    EXPECT_EQ(FormatTimestamp(late, TableTimestampFormat, Formats()), QStringLiteral("31.12.2015 23:59"));
    EXPECT_EQ(FormatTimestamp(-1.25, TableTimestampFormat, Formats()), QStringLiteral("29.12.1899 06:00"));
}

TEST(FieldFormat, GeneralTimeStampsLeaveMidnightOutAndTheCacheAgrees)
{
    const TRegionalFormats f = Formats();
    EXPECT_EQ(FormatDateTime(platform::EncodeDateTime(2015, 3, 5, 14, 7, 9), f),
              QStringLiteral("5.3.2015 14:07:09"));
    EXPECT_EQ(FormatDateTime(platform::EncodeDateTime(2015, 3, 6, 0, 0, 0, 500), f),
              QStringLiteral("6.3.2015"));
    TDateTimeTexts texts(f);
    for (int i = 0; i < 5000; ++i) {
        const TDateTime value = 42000.0 + i * 0.37312;  // days and times all over
        ASSERT_EQ(texts.Text(value), FormatDateTime(value, f)) << value;
    }
}

TEST(FieldFormat, NamesSplitAtTheLastDotOfTheLastComponent)
{
    EXPECT_EQ(ExtractBaseName(QStringLiteral("/d/report.final.pdf")), QStringLiteral("report.final"));
    EXPECT_EQ(ExtractExtension(QStringLiteral("/d/report.final.pdf")), QStringLiteral("pdf"));
    EXPECT_EQ(ExtractBaseName(QStringLiteral("README")), QStringLiteral("README"));
    EXPECT_TRUE(ExtractExtension(QStringLiteral("README")).isEmpty());
    EXPECT_EQ(ExtractExtension(QStringLiteral("/x/Backup.2015")), QStringLiteral("2015"));
    EXPECT_TRUE(ExtractBaseName(QStringLiteral(".profile")).isEmpty());
    EXPECT_EQ(ExtractExtension(QStringLiteral(".profile")), QStringLiteral("profile"));
    EXPECT_EQ(ExtractBaseName(QStringLiteral("..")), QStringLiteral("."));
    EXPECT_TRUE(ExtractExtension(QStringLiteral("/a.b/c")).isEmpty()) << "a dot in a folder name";
    EXPECT_EQ(ExtractFolderPart(QStringLiteral("/a.b/c")), QStringLiteral("/a.b/"));
    EXPECT_EQ(ExtractExtension(QStringLiteral("x.") + QString(300, QLatin1Char('e'))).size(), 255);
}

TEST(RegionalFormats, ReadsTheLocaleAndDropsTheTimeZone)
{
    const TRegionalFormats us = TRegionalFormats::FromLocale(QLocale(QStringLiteral("en_US")));
    EXPECT_EQ(us.DecimalSeparator, QLatin1Char('.'));
    EXPECT_FALSE(us.LongTimeFormat.contains(QLatin1Char('t')));
    EXPECT_EQ(us.TimeSeparator, QStringLiteral(":"));
    const TRegionalFormats de = TRegionalFormats::FromLocale(QLocale(QStringLiteral("de_DE")));
    EXPECT_EQ(de.DecimalSeparator, QLatin1Char(','));
    EXPECT_EQ(de.DateSeparator, QStringLiteral("."));
    const TRegionalFormats sk = TRegionalFormats::FromLocale(QLocale(QStringLiteral("sk_SK")));
    EXPECT_EQ(sk.DateSeparator, QStringLiteral("."));
}
