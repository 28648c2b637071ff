#include "TreeFixture.h"

#include "explorer/FolderScanner.h"
#include "listing/ListingBuilder.h"

using namespace explorer;
using namespace listing;

namespace {

// A folder shown in the explorer, then listed, as the window does it.
class ListingBuilderTest : public testing_support::TreeFixture {
protected:
    void SetUp() override
    {
        TreeFixture::SetUp();
        MakeFolder("top");
        MakeFolder("top/sub");
        MakeFolder("top/sub/deep");
        MakeFile("top/a.txt", "a");
        MakeFile("top/b.log", "bb");
        MakeFile("top/sub/c.txt", "needle inside");
        MakeFile("top/sub/deep/d.txt");
        scanner.ScanFolder(Root() + QStringLiteral("top"));
    }

    void Untick(const char *name)
    {
        for (TFileData &d : explorerList.FileData)
            if (d.Name == QLatin1String(name))
                d.Selected = false;
    }

    std::vector<std::string> Listed() const
    {
        std::vector<std::string> names;
        const std::string root = RootBytes() + "/top/";
        for (const TFileData &d : list.FileData)
            names.push_back(d.FullName().toStdString().substr(root.size()));
        std::sort(names.begin(), names.end());
        return names;
    }

    TFileList explorerList;
    TFolderScanner scanner{explorerList};
    TFileList list;
    TListingBuilder builder{list};
    TListingOptions options;
};

using Names = std::vector<std::string>;

TEST_F(ListingBuilderTest, ListsTheFolderAndWithRecursionEverythingBelow)
{
    builder.BuildList(explorerList.Location, explorerList, options);
    EXPECT_EQ(Listed(), (Names{"a.txt", "b.log", "sub"}));
    EXPECT_EQ(builder.StatusText(), QStringLiteral("Dirs: 1   Files: 2"));
    EXPECT_EQ(list.Location, explorerList.Location);
    for (const TFileData &d : list.FileData)
        EXPECT_FALSE(d.Selected);

    options.Recurse = true;
    builder.BuildList(explorerList.Location, explorerList, options);
    EXPECT_EQ(Listed(), (Names{"a.txt", "b.log", "sub", "sub/c.txt", "sub/deep", "sub/deep/d.txt"}));
    EXPECT_FALSE(builder.Listing());
}

TEST_F(ListingBuilderTest, WithoutClearingTheListAndTheCountsGrow)
{
    options.ClearPrevious = false;
    builder.BuildList(explorerList.Location, explorerList, options);
    builder.BuildList(explorerList.Location, explorerList, options);
    EXPECT_EQ(list.FileData.size(), 6u);
    EXPECT_EQ(builder.StatusText(), QStringLiteral("Dirs: 2   Files: 4"));
    options.ClearPrevious = true;
    builder.BuildList(explorerList.Location, explorerList, options);
    EXPECT_EQ(list.FileData.size(), 3u);
}

TEST_F(ListingBuilderTest, TypeFiltersMaskAndPhraseWithBlanks)
{
    options.ListDirs = false;
    options.Recurse = true;
    options.FileMask = QStringLiteral("  *.txt ");
    builder.BuildList(explorerList.Location, explorerList, options);
    EXPECT_EQ(Listed(), (Names{"a.txt", "sub/c.txt", "sub/deep/d.txt"}));

    options.Phrase = QStringLiteral(" NEEDLE  ");
    builder.BuildList(explorerList.Location, explorerList, options);
    EXPECT_EQ(Listed(), (Names{"sub/c.txt"}));

    int kept = 0;
    builder.OnHitKept = [&] { ++kept; };
    options.ListFiles = false;
    options.Phrase.clear();
    builder.BuildList(explorerList.Location, explorerList, options);
    EXPECT_TRUE(list.FileData.empty());
    EXPECT_EQ(kept, 0);
}

TEST_F(ListingBuilderTest, UntickedEntriesStayOutUnlessSiblingsAreListed)
{
    Untick("sub");
    Untick("a.txt");
    options.Recurse = true;
    builder.BuildList(explorerList.Location, explorerList, options);
    EXPECT_EQ(Listed(), (Names{"b.log"})) << "neither the folder nor anything below it";

    options.ListUnticked = true;
    builder.BuildList(explorerList.Location, explorerList, options);
    EXPECT_EQ(Listed(), (Names{"a.txt", "b.log", "sub"})) << "the folder's own entry, nothing below";
}

TEST_F(ListingBuilderTest, AFileCreatedAfterTheScanIsListed)
{
    MakeFile("top/new.txt");
    builder.BuildList(explorerList.Location, explorerList, options);
    EXPECT_EQ(Listed(), (Names{"a.txt", "b.log", "new.txt", "sub"}));
}

TEST_F(ListingBuilderTest, StopKeepsExactlyTheCountedEntries)
{
    for (int i = 0; i < 50; ++i)
        MakeFile("top/sub/f" + std::to_string(i));
    options.Recurse = true;
    int ends = 0;
    builder.OnEnd = [&] { ++ends; };
    builder.OnHitKept = [&] {
        if (list.FileData.size() == 10)
            builder.Stop();
    };
    builder.BuildList(explorerList.Location, explorerList, options);
    EXPECT_EQ(list.FileData.size(), 10u);
    EXPECT_EQ(builder.DirCount() + builder.FileCount(), 10);
    EXPECT_EQ(ends, 2) << "once inside Stop, once when the search has unwound";
    EXPECT_FALSE(builder.Listing());
}

// Gigabytes of sparse file are read from memory.
class HugeFileListingTest : public ListingBuilderTest {
protected:
    std::string TreeBase() const override { return MemoryTreeBase(); }
};

TEST_F(HugeFileListingTest, StopFromTheProgressHookEndsTheListingInsideAHugeFile)
{
    MakeSparseWithTail("top/huge.txt", 8LL << 30, "needle");
    options.Phrase = QStringLiteral("needle");
    int progress = 0, kept = 0;
    builder.OnProgress = [&] {
        ++progress;
        builder.Stop();
    };
    builder.OnHitKept = [&] { ++kept; };
    builder.BuildList(explorerList.Location, explorerList, options);
    EXPECT_GE(progress, 1);
    EXPECT_EQ(kept, 0) << "huge.txt holds the phrase only at its very end";
    EXPECT_TRUE(list.FileData.empty());
    EXPECT_FALSE(builder.Listing());
}

} // namespace
