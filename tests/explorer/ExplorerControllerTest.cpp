#include "TreeFixture.h"

#include "explorer/ExplorerController.h"

using namespace explorer;

namespace {

using Names = std::vector<std::string>;

// The explorer without a window, over a temporary tree, its drives over a
// mount table the test controls.
class ExplorerControllerTest : public testing_support::TreeFixture {
protected:
    void SetUp() override
    {
        TreeFixture::SetUp();
        MakeExplorerSample();
        mounts = {Mount("/", 1), Mount(Root() + QStringLiteral("data"), 7)};
        QObject::connect(&explorer, &TExplorerController::FocusChanged, [this](int row) { log.push_back(row); });
        explorer.Start(Root() + QStringLiteral("data"));
    }
    Names Rows() const
    {
        Names names;
        for (int row = 0; row < explorer.RowCount(); ++row)
            names.push_back(explorer.EntryAt(row).Name.toStdString());
        return names;
    }
    QString Focused() const
    {
        return explorer.FocusedRow() < 0 ? QString() : explorer.EntryAt(explorer.FocusedRow()).Name;
    }
    void Focus(const char *name) { explorer.SetFocused(QString::fromUtf8(name)); }
    bool Marked(const char *name) const
    {
        return explorer.EntryAt(explorer.FindObjectNode(QString::fromUtf8(name))).Selected;
    }

    TRegionalFormats formats = TRegionalFormats::FromLocale(QLocale::c());
    std::vector<platform::TMountInfo> mounts;
    TExplorerController explorer{formats, [this] { return mounts; }};
    std::vector<int> log;  // the rows the controller focused
};

TEST_F(ExplorerControllerTest, AScanListsFoldersFirstFocusesTheParentRowAndTicksAllButIt)
{
    EXPECT_EQ(Rows(), (Names{"..", "Photos", "music", "Documents.txt", "aa.doc", "zz.txt"}));
    EXPECT_EQ(explorer.ShownPath(), Root() + QStringLiteral("data"));
    EXPECT_EQ(explorer.List().Location, Root() + QStringLiteral("data/"));
    EXPECT_EQ(explorer.FocusedRow(), 0);
    EXPECT_EQ(log, (std::vector<int>{0}));
    for (int row = 0; row < explorer.RowCount(); ++row) {
        EXPECT_EQ(explorer.EntryAt(row).NodePointer, row);
        EXPECT_EQ(explorer.EntryAt(row).Selected, row != 0) << row;
    }
}

TEST_F(ExplorerControllerTest, EachColumnSortsBothWaysWithFoldersFirstAndTheFocusOnItsEntry)
{
    Focus("zz.txt");
    int about = 0, changed = 0;
    QObject::connect(&explorer, &TExplorerController::OrderAboutToChange, [&] { ++about; });
    QObject::connect(&explorer, &TExplorerController::OrderChanged, [&] { ++changed; });
    explorer.SortBy(ecSize);
    EXPECT_EQ(Rows(), (Names{"..", "Photos", "music", "aa.doc", "Documents.txt", "zz.txt"}));
    explorer.SortBy(ecSize);
    EXPECT_EQ(explorer.SortDirection(), sdDescending);
    EXPECT_EQ(Rows(), (Names{"Photos", "music", "..", "Documents.txt", "zz.txt", "aa.doc"}))
        << "the parent row last among the folders, equal sizes in their present order";
    EXPECT_EQ(Focused(), QStringLiteral("zz.txt"));
    EXPECT_EQ(about, 2);
    EXPECT_EQ(changed, 2);
    explorer.SortBy(ecExt);
    EXPECT_EQ(explorer.SortDirection(), sdAscending) << "another column starts ascending";
    explorer.SortBy(NoSortColumn);
    EXPECT_EQ(explorer.SortColumn(), NoSortColumn);
    EXPECT_EQ(Rows().front(), "..") << "unsorted keeps the present order";
}

TEST_F(ExplorerControllerTest, MarksFollowTheirModesAndInsertMovesDownToTheEnd)
{
    std::vector<std::pair<int, int>> marked;
    QObject::connect(&explorer, &TExplorerController::MarksChanged,
                     [&](int first, int last) { marked.emplace_back(first, last); });
    Focus("aa.doc");
    explorer.MarkAndMoveDown();
    EXPECT_FALSE(Marked("aa.doc"));
    EXPECT_EQ(Focused(), QStringLiteral("zz.txt"));
    explorer.MarkAndMoveDown();
    EXPECT_EQ(explorer.FocusedRow(), -1) << "no row after the last";
    EXPECT_EQ(log.back(), -1);
    explorer.MarkAndMoveDown();
    EXPECT_FALSE(Marked("zz.txt")) << "nothing happens without a focused row";
    EXPECT_EQ(marked, (std::vector<std::pair<int, int>>{{4, 4}, {5, 5}}));

    explorer.SelectNode(0, cmInvert);
    EXPECT_TRUE(Marked("..")) << "the parent row has no box but a mark";
    explorer.SelectAll(cmUncheck);
    for (const TFileData &d : explorer.List().FileData)
        EXPECT_FALSE(d.Selected);
    explorer.SelectAll(cmCheck);
    explorer.SelectAll(cmInvert);
    explorer.SelectAll(cmInvert);
    for (const TFileData &d : explorer.List().FileData)
        EXPECT_TRUE(d.Selected) << "invert twice restores";
    EXPECT_EQ(marked.back(), std::make_pair(0, 5));
}

TEST_F(ExplorerControllerTest, OpeningFoldersAndGoingUpFocusesTheFolderJustLeft)
{
    Focus("Photos");
    explorer.OpenFocused();
    EXPECT_EQ(explorer.List().Location, Root() + QStringLiteral("data/Photos/"));
    EXPECT_EQ(Rows(), (Names{"..", "p.jpg"}));
    explorer.GoUp();
    EXPECT_EQ(explorer.List().Location, Root() + QStringLiteral("data/"));
    EXPECT_EQ(Focused(), QStringLiteral("Photos"));

    Focus("zz.txt");
    explorer.OpenFocused();
    EXPECT_EQ(explorer.List().Location, Root() + QStringLiteral("data/")) << "a file does not open";

    Focus("..");
    explorer.OpenFocused();
    EXPECT_EQ(explorer.List().Location, Root());
    EXPECT_EQ(explorer.ShownPath(), Root()) << "the parent row's name ends in \"/\"";
    EXPECT_EQ(Focused(), QStringLiteral("data"));
}

TEST_F(ExplorerControllerTest, TheDriveRootHasNoParentRow)
{
    explorer.GoToDriveRoot();
    EXPECT_EQ(explorer.ShownPath(), Root() + QStringLiteral("data")) << "data is a drive of its own here";
    mounts.pop_back();
    explorer.RefreshDisks(explorer.List().Location);
    explorer.GoToDriveRoot();
    EXPECT_EQ(explorer.List().Location, QStringLiteral("/"));
    EXPECT_NE(Rows().front(), "..");
}

TEST_F(ExplorerControllerTest, TypingFindsRowsByTheirWholeName)
{
    EXPECT_EQ(explorer.IncrementalSearch(QStringLiteral("DOC")), 3);
    EXPECT_EQ(explorer.IncrementalSearch(QStringLiteral("X")), -1) << "\"DOCX\" finds nothing";
}

TEST_F(ExplorerControllerTest, DrivesFollowTheMountTableAndAClickShowsTheDrive)
{
    const QString data = Root() + QStringLiteral("data");
    ASSERT_EQ(explorer.Drives().Drives().size(), 2u);
    EXPECT_EQ(explorer.Drives().Current(), 1) << "the drive that holds the start folder";
    EXPECT_EQ(explorer.Drives().Drives()[1].Caption, QStringLiteral("data"));
    EXPECT_TRUE(explorer.VolumeLine().startsWith(QStringLiteral("Label:      System: ext4     Capacity: ")));
    EXPECT_EQ(explorer.RefreshDisks(QStringLiteral("C")), QStringLiteral("/"));
    EXPECT_EQ(explorer.RefreshDisks(QStringLiteral("nowhere")), QStringLiteral("/"));
    EXPECT_EQ(explorer.List().Location, data + QStringLiteral("/")) << "a refresh of the bar alone";

    explorer.OpenDrive(1);
    EXPECT_EQ(explorer.Drives().Current(), 1);
    EXPECT_EQ(explorer.ShownPath(), data);
    explorer.OpenDrive(5);
    EXPECT_EQ(explorer.Drives().Current(), 1) << "no such drive";
}

TEST_F(ExplorerControllerTest, RereadKeepsTheFocusedEntryAndFallsBackWhenTheDriveHasGone)
{
    Focus("zz.txt");
    MakeFile("data/new.txt");
    explorer.Reread();
    EXPECT_EQ(Focused(), QStringLiteral("zz.txt"));
    EXPECT_EQ(explorer.RowCount(), 7);

    mounts.pop_back();
    explorer.Reread();
    EXPECT_EQ(explorer.ShownPath(), QStringLiteral("/")) << "the drive made current instead";
}

} // namespace
