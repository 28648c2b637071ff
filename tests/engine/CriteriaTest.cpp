#include "engine/SearchCriteria.h"

#include <gtest/gtest.h>

using namespace engine;
using namespace platform;

namespace {

TFindData Entry(const char *name, uint32_t attributes, int64_t size = 0)
{
    TFindData data;
    data.cFileName = QString::fromUtf8(name);
    data.dwFileAttributes = attributes;
    data.size = size;
    return data;
}

} // namespace

TEST(AttributesCriteria, FreshCriteriaKeepHiddenSystemAndFoldersOutClearAdmitsAll)
{
    TSearchCriteria criteria;
    const QString folder = QStringLiteral("/d/");
    EXPECT_TRUE(criteria.Matches(folder, Entry("f", faNormal)));
    EXPECT_TRUE(criteria.Matches(folder, Entry("r", faReadOnly)));
    EXPECT_FALSE(criteria.Matches(folder, Entry(".h", faHidden)));
    EXPECT_FALSE(criteria.Matches(folder, Entry("s", faSystem | faDevice)));
    EXPECT_FALSE(criteria.Matches(folder, Entry("d", faDirectory)));

    criteria.Files().SetSubfolders(false);
    criteria.Clear();
    EXPECT_TRUE(criteria.Files().Subfolders());
    EXPECT_TRUE(criteria.Matches(folder, Entry(".h", faHidden)));
    EXPECT_TRUE(criteria.Matches(folder, Entry("d", faDirectory)));
    EXPECT_EQ(criteria.Attributes().Hidden(), fsIgnore);
}

TEST(AttributesCriteria, StatusesCombineAsTheirMasks)
{
    TAttributesCriteria a;
    a.Clear();
    a.SetHidden(fsSet);
    EXPECT_TRUE(a.Matches(faHidden));
    EXPECT_FALSE(a.Matches(faNormal));

    a.Clear();
    a.SetHidden(fsAnySet);
    a.SetSystem(fsAnySet);
    EXPECT_TRUE(a.Matches(faHidden));
    EXPECT_TRUE(a.Matches(faSystem));
    EXPECT_TRUE(a.Matches(faHidden | faSystem));
    EXPECT_FALSE(a.Matches(faReadOnly));

    a.Clear();
    a.SetReadonly(fsAnyUnset);
    EXPECT_TRUE(a.Matches(faNormal));
    EXPECT_FALSE(a.Matches(faReadOnly));

    TAttributesCriteria fresh;
    fresh.SetDirectory(fsUnset);
    fresh.SetVirtual(fsIgnore);
    EXPECT_EQ(fresh.Hidden(), fsUnset);
    EXPECT_EQ(fresh.System(), fsUnset);
    EXPECT_EQ(fresh.OffAttributes(), uint32_t(0x16));
    fresh.SetDirectory(fsAnyUnset);
    EXPECT_EQ(fresh.OffAttributes(), uint32_t(0x6));
    EXPECT_EQ(fresh.AnyOffAttributes(), uint32_t(0x10));
    EXPECT_EQ(fresh.Directory(), fsAnyUnset);
    EXPECT_EQ(fresh.GetAttributeStatus(17), fsIgnore);
}

TEST(SizeCriteria, BoundsAreInclusiveAndZeroIsUnset)
{
    TSizeCriteria s;
    EXPECT_TRUE(s.Matches(0));
    s.Min = 1;
    EXPECT_FALSE(s.Matches(0));
    s.Min = s.Max = 100;
    EXPECT_TRUE(s.Matches(100));
    EXPECT_FALSE(s.Matches(101));
    EXPECT_FALSE(s.Matches(99));
    s.Min = 0;
    s.Max = 5LL << 30;
    EXPECT_TRUE(s.Matches(5LL << 30));
    EXPECT_FALSE(s.Matches((5LL << 30) + 1));
}

TEST(DateTimeCriteria, DateTimeOfDayAndFullBoundsCompareTheirOwnPart)
{
    setenv("TZ", "UTC", 1);
    tzset();
    ForgetTimeZoneOffsets();
    // 2015-03-01 09:30 UTC
    const TFileTime t{1425202200, 0};
    const TFileTime none{};
    TDateTimeCriteria c;
    EXPECT_TRUE(c.Matches(none, t, none));

    c.ModifiedBefore = EncodeDateTime(2015, 3, 1);  // a date: the whole day
    EXPECT_TRUE(c.Matches(none, t, none));
    c.ModifiedBefore = EncodeDateTime(2015, 3, 1, 9);  // a full date-time
    EXPECT_FALSE(c.Matches(none, t, none));
    c.ModifiedBefore = 0;
    c.ModifiedAfter = EncodeDateTime(2015, 3, 1);
    EXPECT_TRUE(c.Matches(none, t, none));
    c.ModifiedAfter = EncodeDateTime(2015, 3, 2);
    EXPECT_FALSE(c.Matches(none, t, none));

    c.Clear();
    c.CreatedBefore = 0.5;  // 06:00 to 12:00 on any day
    c.CreatedAfter = 0.25;
    EXPECT_TRUE(c.Matches(t, none, none));
    EXPECT_FALSE(c.Matches({1425202200 + 3 * 3600, 0}, none, none));
    EXPECT_FALSE(c.Matches({1425202200 - 4 * 3600, 0}, none, none));
    EXPECT_TRUE(c.Matches({1425202200 - 3 * 3600 - 1800, 0}, none, none)) << "06:00 is inclusive";
    unsetenv("TZ");
    tzset();
    ForgetTimeZoneOffsets();
}

TEST(FileCriteria, FiltersDecideByTheFirstMatchingLine)
{
    TFileCriteria f;
    EXPECT_TRUE(f.Matches(QStringLiteral("/d/"), QStringLiteral("any")));
    f.SetFilters({QStringLiteral(">*.txt"), QStringLiteral("*.*")});
    EXPECT_TRUE(f.Matches(QStringLiteral("/d/"), QStringLiteral("a.TXT")));
    EXPECT_FALSE(f.Matches(QStringLiteral("/d/"), QStringLiteral("a.doc")));
    EXPECT_FALSE(f.Matches(QStringLiteral("/d/"), QStringLiteral("noext")));

    f.SetFilters({QStringLiteral("*/temp/*")});
    EXPECT_FALSE(f.Matches(QStringLiteral("/d/Temp/"), QStringLiteral("x.txt")));
    EXPECT_TRUE(f.Matches(QStringLiteral("/d/"), QStringLiteral("temp")));
    f.SetFilters({QStringLiteral("<*.")});
    EXPECT_FALSE(f.Matches(QStringLiteral("/d/"), QStringLiteral("noext")));
    EXPECT_TRUE(f.Matches(QStringLiteral("/d/"), QStringLiteral("a.b")));
    f.SetFilters({QString(), QStringLiteral(">"), QStringLiteral("<")});
    EXPECT_TRUE(f.Matches(QStringLiteral("/d/"), QStringLiteral("x")));
}

TEST(SearchCriteria, AssignCopiesEveryPartAndRejectsAnotherClass)
{
    TSearchCriteria source;
    source.Files().SetLocation(QStringLiteral("/x"));
    source.Files().SetFilters({QStringLiteral("*.tmp")});
    source.Attributes().SetHidden(fsSet);
    source.TimeStamp().AccessedAfter = 3;
    source.Size().Max = 9;
    source.Content().SetPhrase(QStringLiteral("needle"));
    source.Content().Options = csoWholeWord;

    TSearchCriteria copy;
    copy.Assign(source);
    EXPECT_EQ(copy.Files().Location(), QStringLiteral("/x"));
    EXPECT_EQ(copy.Files().Filters(), source.Files().Filters());
    EXPECT_EQ(copy.Attributes().Hidden(), fsSet);
    EXPECT_EQ(copy.TimeStamp().AccessedAfter, 3);
    EXPECT_EQ(copy.Size().Max, 9);
    EXPECT_EQ(copy.Content().Phrase(), QStringLiteral("needle"));
    EXPECT_EQ(copy.Content().PhraseVariants().Utf8, QByteArray("needle"));
    EXPECT_EQ(copy.Content().Options, csoWholeWord);

    TSizeCriteria size;
    EXPECT_THROW(copy.Assign(size), EAssignError);
    EXPECT_EQ(copy.Size().Max, 9);
}
