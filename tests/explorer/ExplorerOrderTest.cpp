#include "explorer/ExplorerOrder.h"

#include <gtest/gtest.h>
#include <numeric>

using namespace explorer;

namespace {

TFileData Entry(const char *name, bool folder, int64_t size, double modified = 0, int32_t attributes = 0)
{
    TFileData d;
    d.Location = QStringLiteral("/d/");
    d.Name = QString::fromUtf8(name);
    d.Directory = folder;
    d.Size = size;
    d.Modified = modified;
    d.Attributes = folder ? 0x10 : attributes;
    d.ImageIndex = folder ? (d.Name == QLatin1String("..") ? iiParent : iiFolder) : iiFile;
    return d;
}

class ExplorerOrderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.FileData = {Entry("..", true, 0),          Entry("zeta", true, 0),   Entry("Alpha", true, 0),
                         Entry("b.txt", false, 300, 5), Entry("a.doc", false, 100, 7, 0x01),
                         Entry("c.txt", false, 300, 6), Entry("B.TXT", false, 50, 4, 0x20)};
        rows.resize(list.FileData.size());
        std::iota(rows.begin(), rows.end(), 0);
    }
    std::vector<std::string> Sorted(int column, TSortDirection direction, const QLocale &locale = QLocale::c())
    {
        rows = SortExplorerRows(list, rows, column, direction, locale);
        std::vector<std::string> names;
        for (const int i : rows)
            names.push_back(list.FileData[size_t(i)].Name.toStdString());
        return names;
    }
    TFileList list;
    std::vector<int> rows;
};

using Names = std::vector<std::string>;

TEST_F(ExplorerOrderTest, FoldersFirstInBothDirectionsAndTheParentRowMoves)
{
    EXPECT_EQ(Sorted(0, sdAscending), (Names{"..", "Alpha", "zeta", "B.TXT", "a.doc", "b.txt", "c.txt"}));
    EXPECT_EQ(Sorted(0, sdDescending), (Names{"zeta", "Alpha", "..", "c.txt", "b.txt", "a.doc", "B.TXT"}));
    EXPECT_EQ(Sorted(0, sdAscending, QLocale(QStringLiteral("en_US"))),
              (Names{"..", "Alpha", "zeta", "a.doc", "b.txt", "B.TXT", "c.txt"}))
        << "the user's collation, letter case distinguished";
}

TEST_F(ExplorerOrderTest, SizeTimesAttributesAndTiesKeepTheirPresentOrder)
{
    EXPECT_EQ(Sorted(2, sdAscending), (Names{"..", "zeta", "Alpha", "B.TXT", "a.doc", "b.txt", "c.txt"}));
    EXPECT_EQ(Sorted(2, sdDescending), (Names{"zeta", "Alpha", "..", "b.txt", "c.txt", "a.doc", "B.TXT"}))
        << "equal sizes keep their present order";
    EXPECT_EQ(Sorted(3, sdAscending), (Names{"..", "zeta", "Alpha", "B.TXT", "b.txt", "c.txt", "a.doc"}));
    EXPECT_EQ(Sorted(4, sdAscending), (Names{"..", "zeta", "Alpha", "b.txt", "c.txt", "B.TXT", "a.doc"}))
        << "----, -a--, r---";
}

TEST_F(ExplorerOrderTest, UnsortedKeepsThePresentOrderButFoldersFirst)
{
    Sorted(1, sdAscending);
    const Names before = Sorted(1, sdAscending);
    EXPECT_EQ(Sorted(NoSortColumn, sdAscending), before);
    const Names flipped = Sorted(NoSortColumn, sdDescending);
    EXPECT_EQ(flipped.front(), before[1]) << "the parent row goes last among the folders";
    EXPECT_EQ(flipped[2], "..");
}

} // namespace
