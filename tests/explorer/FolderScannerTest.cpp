#include "TreeFixture.h"

#include "explorer/FolderScanner.h"

using namespace explorer;

namespace {

class FolderScannerTest : public testing_support::TreeFixture {
protected:
    TFileList list;
    TFolderScanner scanner{list};
};

TEST_F(FolderScannerTest, AFolderGetsItsParentEntryFirstAndEveryEntryTicked)
{
    MakeFolder("data");
    MakeFolder("data/Backup.2015");
    MakeFile("data/b.txt", "12345");
    MakeFile("data/.hidden");
    MakeFifo("data/pipe");
    const QString folder = Root() + QStringLiteral("data");
    scanner.ScanFolder(folder);

    EXPECT_EQ(list.Location, folder + QLatin1Char('/'));
    ASSERT_EQ(list.FileData.size(), 3u) << "hidden and system entries never appear";
    const TFileData &parent = list.FileData[0];
    EXPECT_EQ(parent.Name, QStringLiteral(".."));
    EXPECT_EQ(parent.FullName(), Root());
    EXPECT_TRUE(parent.Directory);
    EXPECT_FALSE(parent.Selected);
    EXPECT_EQ(parent.ImageIndex, iiParent);
    EXPECT_EQ(parent.Attributes, 0x10);
    EXPECT_GT(parent.Modified, 40000.0) << "the folder's own times";
    for (size_t i = 1; i < list.FileData.size(); ++i) {
        const TFileData &d = list.FileData[i];
        EXPECT_TRUE(d.Selected);
        EXPECT_EQ(d.FullName(), folder + QLatin1Char('/') + d.Name);
        if (d.Name == QLatin1String("Backup.2015")) {
            EXPECT_EQ(d.Ext(), QStringLiteral("2015"));
            EXPECT_EQ(d.ImageIndex, iiFolder);
            EXPECT_TRUE(d.Directory);
        } else {
            EXPECT_EQ(d.Size, 5);
            EXPECT_EQ(d.ImageIndex, iiFile);
        }
    }
}

TEST_F(FolderScannerTest, TheRootHasNoParentEntryAndLastLocationRemembersTheFolderBefore)
{
    scanner.ScanFolder(Root());
    scanner.ScanFolder(QStringLiteral("/"));
    EXPECT_EQ(list.LastLocation, Root());
    EXPECT_EQ(list.Location, QStringLiteral("/"));
    ASSERT_FALSE(list.FileData.empty());
    for (const TFileData &d : list.FileData)
        EXPECT_NE(d.Name, QStringLiteral(".."));
}

TEST_F(FolderScannerTest, AnEmptyOrUnreadableFolderHoldsOnlyItsParentEntry)
{
    MakeFolder("empty");
    scanner.ScanFolder(Root() + QStringLiteral("empty/"));
    ASSERT_EQ(list.FileData.size(), 1u);
    scanner.ScanFolder(Root() + QStringLiteral("gone"));
    ASSERT_EQ(list.FileData.size(), 1u);
    EXPECT_EQ(list.FileData[0].Modified, 0.0) << "no own entry to read times from";
}

TEST_F(FolderScannerTest, ManyEntriesAreAllKeptAndFoundByExactFullName)
{
    MakeFolder("many");
    for (int i = 0; i < 1500; ++i)
        MakeFile("many/f" + std::to_string(i));
    MakeFile("many/Readme");
    MakeFile("many/README");
    scanner.ScanFolder(Root() + QStringLiteral("many"));
    EXPECT_EQ(list.FileData.size(), 1503u);
    const QString base = Root() + QStringLiteral("many/");
    const int upper = list.FindObjectIndex(base + QStringLiteral("README"));
    const int mixed = list.FindObjectIndex(base + QStringLiteral("Readme"));
    ASSERT_GE(upper, 0);
    ASSERT_GE(mixed, 0);
    EXPECT_NE(upper, mixed);
    EXPECT_EQ(list.FindObjectIndex(base + QStringLiteral("readme")), -1);
    EXPECT_EQ(list.FindObjectIndex(Root()), 0) << "the parent entry's full name";
}

TEST(FolderPaths, ParentsAndRoots)
{
    EXPECT_EQ(ParentFolder(QStringLiteral("/a/b/c/")), QStringLiteral("/a/b/"));
    EXPECT_EQ(ParentFolder(QStringLiteral("/a/b/c")), QStringLiteral("/a/b/"));
    EXPECT_EQ(ParentFolder(QStringLiteral("/a/")), QStringLiteral("/"));
    EXPECT_EQ(ParentFolder(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_TRUE(IsRootFolder(QStringLiteral("/")));
    EXPECT_FALSE(IsRootFolder(QStringLiteral("/home/")));
}

} // namespace
