#include "TreeFixture.h"

#include "engine/FileCriteria.h"

#include <QDir>

using namespace engine;

namespace {

class TargetPathsTest : public testing_support::TreeFixture {
protected:
    const TTargetPaths &Targets(const QString &fileName, const QString &location,
                                const QStringList &paths = {})
    {
        files.SetFileName(fileName);
        files.SetLocation(location);
        files.SetPaths(paths);
        return files.GetTargetPaths();
    }
    TFileCriteria files;
};

TEST(SplitList, TrimsDropsEmptyPiecesAndRepeats)
{
    EXPECT_EQ(SplitList(QStringLiteral("*.txt; *.doc ;;*.TXT"), QLatin1Char(';')),
              (QStringList{QStringLiteral("*.txt"), QStringLiteral("*.doc")}));
    EXPECT_EQ(SplitList(QStringLiteral("/A;/a"), QLatin1Char(';'), Qt::CaseSensitive).size(), 2);
    EXPECT_TRUE(SplitList(QStringLiteral(" ; \t;"), QLatin1Char(';')).isEmpty());
}

TEST_F(TargetPathsTest, EveryFolderGetsEveryMaskInOrder)
{
    const auto &t = Targets(QStringLiteral("*.txt;*.doc"), QStringLiteral("/A;/B"));
    ASSERT_EQ(t.Count(), 2);
    EXPECT_EQ(t[0].Folder, QStringLiteral("/A/"));
    EXPECT_EQ(t[1].Folder, QStringLiteral("/B/"));
    EXPECT_EQ(t[1].FileMasks(), (QStringList{QStringLiteral("*.txt"), QStringLiteral("*.doc")}));
    EXPECT_TRUE(t[0].Recursive) << "Subfolders is on by default";

    const auto &empty = Targets(QString(), QStringLiteral("/A"));
    EXPECT_EQ(empty[0].FileMasks(), QStringList{QStringLiteral("*.*")});
    EXPECT_EQ(Targets(QString(), QString()).Count(), 0);
}

TEST_F(TargetPathsTest, ARepeatedFolderIsOneTargetButLetterCaseMakesTwo)
{
    const auto &same = Targets(QStringLiteral("*.txt"), QStringLiteral("/A; /A/ "));
    ASSERT_EQ(same.Count(), 1);
    EXPECT_EQ(same[0].FileMasks().size(), 1);
    EXPECT_EQ(Targets(QStringLiteral("*.txt"), QStringLiteral("/A;/a")).Count(), 2);
}

TEST_F(TargetPathsTest, PrefixesSetRecursionAndLevels)
{
    struct Row {
        const char *info;
        bool recursive;
        int minLevel, maxLevel;
    } rows[] = {
        {"/X", false, 5, 7},     {">/X", true, 5, 7},    {"2>/X", true, 0, 2},
        {"1-3>/X", true, 1, 3},  {"4->/X", true, 4, 7},  {"-2>/X", true, 5, 2},
        {"x>/X", true, 0, 7},    {"</X", false, 5, 7},   {"2<3>/X", true, 0, 7},
    };
    for (const Row &row : rows) {
        const TFolderInfo parsed = ParseFolderInfo(QString::fromUtf8(row.info), false, 5, 7);
        EXPECT_EQ(parsed.Folder, QStringLiteral("/X/")) << row.info;
        EXPECT_EQ(parsed.Recursive, row.recursive) << row.info;
        EXPECT_EQ(parsed.MinLevel, row.minLevel) << row.info;
        EXPECT_EQ(parsed.MaxLevel, row.maxLevel) << row.info;
    }
    files.SetSubfolders(false);
    const auto &t = Targets(QString(), QStringLiteral("2>/A"));
    EXPECT_TRUE(t[0].Recursive);
    EXPECT_EQ(t[0].MaxLevel, 2);
}

TEST_F(TargetPathsTest, LevelsBeyondSixteenBitsAreClampedInsteadOfWrappingAround)
{
    // 65536 would wrap to 0, "no limit", and 65538 to 2.
    const auto &t = Targets(QString(), QStringLiteral("65536>/A;70000-65538>/B;3--1>/C"));
    ASSERT_EQ(t.Count(), 3);
    EXPECT_EQ(t[0].MaxLevel, 65535);
    EXPECT_EQ(t[1].MinLevel, 65535);
    EXPECT_EQ(t[1].MaxLevel, 65535);
    EXPECT_EQ(t[2].MinLevel, 3);
    EXPECT_EQ(t[2].MaxLevel, 0) << "a negative level reads as the lowest";
}

TEST_F(TargetPathsTest, PathLinesSplitIntoFolderAndMaskAndMergeWithLocation)
{
    const auto &t = Targets(QStringLiteral("*.doc"), QStringLiteral("/A"),
                            {QStringLiteral(" 2>/A/*.txt "), QStringLiteral("/B/"),
                             QStringLiteral("/Cfile"), QString()});
    ASSERT_EQ(t.Count(), 3);
    EXPECT_EQ(t[0].FileMasks(), (QStringList{QStringLiteral("*.doc"), QStringLiteral("*.txt")}));
    EXPECT_EQ(t[0].MaxLevel, 2) << "the Paths line's settings win";
    EXPECT_EQ(t[1].Folder, QStringLiteral("/B/"));
    EXPECT_EQ(t[1].FileMasks(), QStringList{QStringLiteral("*.*")});
    EXPECT_EQ(t[2].Folder, QStringLiteral("/"));
    EXPECT_EQ(t[2].FileMasks(), QStringList{QStringLiteral("Cfile")});
}

TEST_F(TargetPathsTest, FoldersWhoseNamesLookLikeSyntaxAreTakenLiterally)
{
    MakeFolder("a;b");
    MakeFolder("x>y");
    MakeFolder("1-2<z");
    for (const char *name : {"a;b", "x>y", "1-2<z"}) {
        const QString folder = Root() + QString::fromUtf8(name);
        const auto &t = Targets(QString(), folder);
        ASSERT_EQ(t.Count(), 1) << name;
        EXPECT_EQ(t[0].Folder, folder + QLatin1Char('/')) << name;
        const auto &p = Targets(QString(), QString(), {folder});
        EXPECT_EQ(p[0].Folder, folder + QLatin1Char('/')) << name;
        EXPECT_EQ(p[0].FileMasks(), QStringList{QStringLiteral("*.*")});
    }
}

TEST_F(TargetPathsTest, RelativeFoldersResolveAgainstTheCurrentFolder)
{
    MakeFolder("Docs");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(Root()));
    const QString folder = Targets(QString(), QStringLiteral("Docs"))[0].Folder;
    QDir::setCurrent(previous);
    EXPECT_EQ(folder, Root() + QStringLiteral("Docs/"));
}

TEST_F(TargetPathsTest, TheCachedListIsRebuiltOnlyWhenAnInputChanges)
{
    const TTargetPaths *first = &Targets(QString(), QStringLiteral("/A"));
    files.SetLocation(QStringLiteral("/A"));
    files.SetFilters({QStringLiteral("*.tmp")});
    EXPECT_EQ(&files.GetTargetPaths(), first);
    EXPECT_EQ(files.GetTargetPaths()[0].Folder, QStringLiteral("/A/"));
    files.SetLocation(QStringLiteral("/a"));
    EXPECT_EQ(files.GetTargetPaths()[0].Folder, QStringLiteral("/a/"));
    files.SetMaxLevel(3);
    EXPECT_EQ(files.GetTargetPaths()[0].MaxLevel, 3);
    files.SetPaths({QStringLiteral("/B/")});
    EXPECT_EQ(files.GetTargetPaths().Count(), 2);
}

} // namespace
