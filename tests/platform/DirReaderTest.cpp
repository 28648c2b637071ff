#include "TreeFixture.h"

#include "platform/DirReader.h"
#include "platform/FolderHandle.h"
#include "platform/MountTable.h"
#include "platform/StatxTimes.h"

#include <cerrno>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

class DirReaderTest : public testing_support::TreeFixture {
protected:
    std::map<std::string, TFindData> ReadAll(const QString &folder)
    {
        std::map<std::string, TFindData> result;
        TDirReader reader(OpenFolder(folder), mountTypes);
        TDirReader::Entry entry;
        while (reader.Next(entry)) {
            TFindData data;
            if (reader.Stat(entry.name, data) == 0)
                result[entry.name] = data;
        }
        return result;
    }
    TMountTypes mountTypes;
};

TEST_F(DirReaderTest, DerivesTheAttributeBitsFromOneStatx)
{
    MakeFile("normal", "abc");
    MakeFile("readonly", "", 0444);
    MakeFile(".hidden");
    MakeFolder("folder");
    MakeLink("link-to-folder", "folder");
    MakeLink("link-to-file", "normal");
    MakeLink("dangling", "nowhere");
    MakeFifo("fifo");
    MakeSparse("sparse", 1 << 20);
    const auto entries = ReadAll(Root());

    struct Row {
        const char *name;
        uint32_t attributes;
    } rows[] = {
        {"normal", faNormal},
        {"readonly", faReadOnly},
        {".hidden", faHidden},
        {"folder", faDirectory},
        {"link-to-folder", faDirectory | faReparsePoint},
        {"link-to-file", faReparsePoint},
        {"dangling", faReparsePoint},
        {"fifo", faSystem | faDevice},
        {"sparse", faSparseFile},
    };
    ASSERT_EQ(entries.size(), std::size(rows));
    for (const Row &row : rows) {
        ASSERT_EQ(entries.count(row.name), 1u) << row.name;
        EXPECT_EQ(entries.at(row.name).dwFileAttributes, row.attributes) << row.name;
    }
    EXPECT_EQ(entries.at("normal").size, 3);
    EXPECT_EQ(entries.at("folder").size, 0);
    EXPECT_EQ(entries.at("link-to-folder").size, 0);
}

TEST_F(DirReaderTest, TimesComeFromTheEntryAndCreationNeverFollowsModification)
{
    MakeFile("dated");
    SetTimes("dated", 1000000000, 1100000000);
    const TFindData data = ReadAll(Root()).at("dated");
    EXPECT_EQ(data.lastWriteTime.seconds, 1000000000);
    EXPECT_EQ(data.lastAccessTime.seconds, 1100000000);
    EXPECT_GT(data.creationTime.seconds, 0);
}

// Images and some drivers store a birth time of zero; taken at its word,
// every such folder would have been created in 1970.
TEST(StatxTimes, ABirthTimeOfZeroIsNoRecord)
{
    struct statx sx {};
    sx.stx_mask = STATX_BASIC_STATS | STATX_BTIME;
    sx.stx_mtime.tv_sec = 2000;
    sx.stx_ctime.tv_sec = 1500;
    TFindData data;
    FillTimes(sx, data);
    EXPECT_EQ(data.creationTime.seconds, 1500) << "the earlier of modification and change";
    sx.stx_btime.tv_sec = 1200;
    FillTimes(sx, data);
    EXPECT_EQ(data.creationTime.seconds, 1200);
}

TEST_F(DirReaderTest, AnEntryThatVanishedAfterTheListingIsSkipped)
{
    MakeFile("gone");
    TDirReader reader(OpenFolder(Root()), mountTypes);
    TDirReader::Entry entry;
    ASSERT_TRUE(reader.Next(entry));
    unlink(Abs("gone").c_str());
    TFindData data;
    EXPECT_EQ(reader.Stat(entry.name, data), ENOENT);
}

TEST_F(DirReaderTest, KernelFileSystemMountPointsAreSystemFolders)
{
    const auto entries = ReadAll(QStringLiteral("/"));
    ASSERT_EQ(entries.count("proc"), 1u);
    const uint32_t proc = entries.at("proc").dwFileAttributes;
    EXPECT_EQ(proc & (faDirectory | faSystem), faDirectory | faSystem);
    ASSERT_EQ(entries.count("tmp"), 1u);
    EXPECT_FALSE(entries.at("tmp").dwFileAttributes & faSystem);
}

TEST_F(DirReaderTest, AMissingOrNonFolderPathOpensNothing)
{
    MakeFile("file");
    EXPECT_LT(OpenFolder(Root() + QStringLiteral("missing")), 0);
    EXPECT_LT(OpenFolder(Root() + QStringLiteral("file")), 0);
    EXPECT_FALSE(IsExistingFolder(Root() + QStringLiteral("file")));
    EXPECT_TRUE(IsExistingFolder(Root()));
    TDirReader reader(-1, mountTypes);
    TDirReader::Entry entry;
    EXPECT_FALSE(reader.Next(entry));
}

} // namespace
