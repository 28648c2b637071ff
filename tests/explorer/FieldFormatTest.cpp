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

// Each row: a locale, the short date it writes for 2023-05-25 and the long
// time for 15:54:35, as the reports show them. Qt's own locale data: its
// short formats have two-digit years for many locales, and its long times a
// zone field, bracketed in some ("H:mm:ss (t)", "Bh:mm:ss [t]"). Qt writes
// the "B" of the last one as it stands.
struct LocaleDates {
    const char *locale;
    const char *date;
    const char *time;
};

class RegionalDates : public ::testing::TestWithParam<LocaleDates> {};

TEST_P(RegionalDates, YearsKeepTheirCenturyAndTimesLoseTheirZoneWithItsBrackets)
{
    const TRegionalFormats f = TRegionalFormats::FromLocale(QLocale(QString::fromLatin1(GetParam().locale)));
    const QDateTime stamp(QDate(2023, 5, 25), QTime(15, 54, 35));
    EXPECT_EQ(f.Locale.toString(stamp.date(), f.ShortDateFormat).toStdString(), GetParam().date);
    EXPECT_EQ(f.Locale.toString(stamp.time(), f.LongTimeFormat).toStdString(), GetParam().time);
}

INSTANTIATE_TEST_SUITE_P(
    QtLocaleData, RegionalDates,
    ::testing::Values(LocaleDates{"en_US", "5/25/2023", "3:54:35 PM"},
                      LocaleDates{"de_DE", "25.05.2023", "15:54:35"},
                      LocaleDates{"es_ES", "25/5/2023", "15:54:35"},
                      LocaleDates{"zh_TW", "2023/5/25", "B15:54:35"},
                      LocaleDates{"en_GB", "25/05/2023", "15:54:35"},
                      LocaleDates{"ja_JP", "2023/05/25", "15\u664254\u520635\u79d2"}));

TEST(RegionalFormats, NoLocaleWritesTwoDigitYearsOrLeavesZoneBracketsBehind)
{
    const QDateTime stamp(QDate(2023, 5, 25), QTime(15, 54, 35));
    for (const QLocale &locale :
         QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        const TRegionalFormats f = TRegionalFormats::FromLocale(locale);
        const QString date = QLocale::c().toString(stamp.date(), f.ShortDateFormat);
        EXPECT_TRUE(date.contains(QStringLiteral("2023"))) << locale.name().toStdString() << " " << date.toStdString();
        const QString time = f.LongTimeFormat;
        EXPECT_FALSE(time.contains(QStringLiteral("()")) || time.contains(QStringLiteral("[]"))
                     || time.endsWith(QLatin1Char(',')) || time != time.trimmed())
            << locale.name().toStdString() << " " << time.toStdString();
    }
}
