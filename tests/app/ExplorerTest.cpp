#include "WindowFixture.h"

#include "app/ExplorerModel.h"
#include "app/MainWindow.h"
#include "ui/DriveButtonBar.h"
#include "ui/ExplorerView.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

using namespace app;

namespace {

// The real window over a temporary tree, its drive bar over a mount table
// the test controls.
class ExplorerTest : public testing_support::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        MakeFolder("data");
        MakeFolder("data/Photos");
        MakeFolder("data/music");
        MakeFile("data/zz.txt", std::string(300, 'z'));
        MakeFile("data/aa.doc", std::string(10, 'a'));
        MakeFile("data/Documents.txt", std::string(300, 'd'));
        MakeFile("data/Photos/p.jpg", "jpg");
        StartWindow(Root() + QStringLiteral("data"));
        window->Tree->setFocus();
    }

    QString Cell(int row, int column) const
    {
        return window->Tree->model()->index(row, column).data().toString();
    }
    std::vector<std::string> Column0() const
    {
        std::vector<std::string> names;
        for (int row = 0; row < window->Tree->model()->rowCount(); ++row)
            names.push_back(Cell(row, 0).toStdString());
        return names;
    }
    const explorer::TFileData &EntryAt(int row) const
    {
        return window->FFileList.FileData[size_t(window->TreeModel->EntryOf(row))];
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window->Tree, Qt::Key(key), modifiers);
    }
    QString FocusedName() const
    {
        const int row = window->FocusedRow();
        return row < 0 ? QString() : EntryAt(row).Name;
    }
    void Focus(const char *name)
    {
        window->SetFocused(QString::fromUtf8(name));
    }
};

using Names = std::vector<std::string>;

TEST_F(ExplorerTest, RowsAreSortedByEachHeaderClickInBothDirections)
{
    EXPECT_EQ(Column0(), (Names{".", "Photos", "music", "Documents", "aa", "zz"}));
    window->TreeHeaderClick(2, Qt::LeftButton);
    EXPECT_EQ(Column0(), (Names{".", "Photos", "music", "aa", "Documents", "zz"}));
    window->TreeHeaderClick(2, Qt::LeftButton);
    EXPECT_EQ(Column0(), (Names{"Photos", "music", ".", "Documents", "zz", "aa"}))
        << "folders first, the parent row last among them, equal sizes in their present order";
    EXPECT_EQ(window->Tree->header()->sortIndicatorSection(), 2);
    EXPECT_EQ(window->Tree->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    window->TreeHeaderClick(1, Qt::LeftButton);
    EXPECT_EQ(window->SortDirection(), explorer::sdAscending) << "another column starts ascending";
    window->TreeHeaderClick(0, Qt::RightButton);
    EXPECT_EQ(window->SortColumn(), 1) << "the right button only opens the menu";

    window->cmSortMenu(explorer::NoSortColumn);
    EXPECT_FALSE(window->Tree->header()->isSortIndicatorShown());
    window->HeaderPopupPopup();
    const auto items = window->HeaderPopup->actions();
    EXPECT_TRUE(items.last()->isChecked()) << "Unsorted is ticked";
    window->cmSortMenu(0);
    window->HeaderPopupPopup();
    EXPECT_TRUE(items.first()->isChecked());
    EXPECT_FALSE(items.last()->isChecked());
}

TEST_F(ExplorerTest, TheParentRowReadsAsTheFolderItself)
{
    EXPECT_EQ(Cell(0, 0), QStringLiteral("."));
    EXPECT_EQ(Cell(0, 1), QString());
    EXPECT_EQ(Cell(0, 2), QStringLiteral("<DIR>   "));
    EXPECT_EQ(Cell(0, 4), QStringLiteral("----"));
    EXPECT_EQ(Cell(0, 3).size(), 16) << "dd.mm.yyyy hh:nn of the folder's own time";
    EXPECT_FALSE(window->Tree->model()->index(0, 0).data(Qt::CheckStateRole).isValid());
    EXPECT_EQ(window->Tree->model()->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_FALSE(window->Tree->model()->index(3, 0).data(Qt::CheckStateRole).isValid()) << "file rows have no box";
    EXPECT_EQ(Cell(3, 2), QStringLiteral("300 b"));
    EXPECT_EQ(window->FocusedRow(), 0) << "the row of entry 0";
}

TEST_F(ExplorerTest, KeysAndMenusSetTheMarks)
{
    Focus("aa.doc");
    Key(Qt::Key_Insert);
    EXPECT_FALSE(window->FFileList.FileData[size_t(window->TreeModel->EntryOf(4))].Selected);
    EXPECT_EQ(FocusedName(), QStringLiteral("zz.txt")) << "the focus moves down";
    Key(Qt::Key_Insert);
    EXPECT_EQ(window->FocusedRow(), -1) << "no row after the last";
    Key(Qt::Key_Insert);  // does nothing now

    Focus("Photos");
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_FALSE(EntryAt(1).Selected);
    EXPECT_EQ(window->Tree->model()->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(FocusedName(), QStringLiteral("music"));

    Key(Qt::Key_Insert, Qt::AltModifier);
    EXPECT_TRUE(EntryAt(2).Selected) << "Alt+Insert does nothing";

    window->Tree->model()->setData(window->Tree->model()->index(2, 0), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_FALSE(EntryAt(2).Selected) << "a click on the box";

    window->cmSelect(cmCheck);
    for (const auto &d : window->FFileList.FileData)
        EXPECT_TRUE(d.Selected) << "the parent entry too";
    window->cmSelect(cmUncheck);
    for (const auto &d : window->FFileList.FileData)
        EXPECT_FALSE(d.Selected);
    window->cmSelect(cmInvert);
    window->cmSelect(cmInvert);
    for (const auto &d : window->FFileList.FileData)
        EXPECT_FALSE(d.Selected) << "invert twice restores";
    EXPECT_EQ(window->PopupMenu1->actions().size(), 5);
}

TEST_F(ExplorerTest, GoingUpFocusesTheFolderJustLeftAndEnterOpensFolders)
{
    Focus("Photos");
    Key(Qt::Key_Return);
    EXPECT_EQ(window->FFileList.Location, Root() + QStringLiteral("data/Photos/"));
    EXPECT_EQ(window->ePath->text(), Root() + QStringLiteral("data/Photos"));
    Key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(window->FFileList.Location, Root() + QStringLiteral("data/"));
    EXPECT_EQ(FocusedName(), QStringLiteral("Photos"));

    Focus("zz.txt");
    Key(Qt::Key_Return);
    EXPECT_EQ(window->FFileList.Location, Root() + QStringLiteral("data/")) << "Enter on a file";
    Key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(window->FFileList.Location, Root() + QStringLiteral("data/"));

    Focus("..");
    Key(Qt::Key_Return);
    EXPECT_EQ(window->FFileList.Location, Root());
    EXPECT_EQ(FocusedName(), QStringLiteral("data"));
}

TEST_F(ExplorerTest, CtrlBackslashGoesToTheDriveRootAndCtrlShiftRDoesNothing)
{
    Key(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window->FFileList.Location, Root() + QStringLiteral("data/"));
    Key(Qt::Key_Backslash, Qt::ControlModifier);
    const QString drive = window->ExtractFileDrive(Root());
    EXPECT_EQ(window->ePath->text(), drive);
    for (const auto &d : window->FFileList.FileData)
        EXPECT_NE(d.Name, QStringLiteral("..")) << "a drive root has no parent row";
}

TEST_F(ExplorerTest, TypingFindsRowsFoldingAsciiLettersOnly)
{
    QTest::keyClicks(window->Tree, QStringLiteral("DOC"));
    EXPECT_EQ(FocusedName(), QStringLiteral("Documents.txt"));
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(window->Tree, QStringLiteral("pH"));
    EXPECT_EQ(FocusedName(), QStringLiteral("Photos"));
}

TEST_F(ExplorerTest, TheDriveBarFollowsTheMountTableAndAPostedRefreshLeavesTheTable)
{
    const QString root = Root();
    window->ReadMounts = [root] {
        std::vector<platform::TMountInfo> mounts(2);
        mounts[0].mountPoint = QStringLiteral("/");
        mounts[0].fsType = QStringLiteral("ext4");
        mounts[0].source = QStringLiteral("/dev/vda");
        mounts[0].root = QStringLiteral("/");
        mounts[1] = mounts[0];
        mounts[1].minor = 7;
        mounts[1].mountPoint = root + QStringLiteral("data");
        mounts[1].source = QStringLiteral("/dev/vdb");
        return mounts;
    };
    EXPECT_EQ(window->RefreshDisks(root + QStringLiteral("data/Photos")), root + QStringLiteral("data"));
    EXPECT_EQ(window->bgDisk->Count(), 2);
    EXPECT_EQ(window->bgDisk->Current(), 1);
    EXPECT_EQ(window->bgDisk->Caption(1), QStringLiteral("data"));
    EXPECT_EQ(window->RefreshDisks(QStringLiteral("C")), QStringLiteral("/"));
    EXPECT_EQ(window->RefreshDisks(QStringLiteral("nowhere")), QStringLiteral("/"));
    EXPECT_EQ(window->bgDisk->Current(), 0);

    window->RefreshDisks(root + QStringLiteral("data"));
    const QString location = window->FFileList.Location;
    const int rows = window->Tree->model()->rowCount();
    const QString path = window->ePath->text();
    window->ReadMounts = [] {
        std::vector<platform::TMountInfo> mounts(1);
        mounts[0].mountPoint = QStringLiteral("/");
        mounts[0].fsType = QStringLiteral("ext4");
        mounts[0].source = QStringLiteral("/dev/vda");
        mounts[0].root = QStringLiteral("/");
        return mounts;
    };
    // A volume leaving, as the monitor reports it to the window.
    devices::TDeviceNotice notice;
    notice.Code = devices::DBT_DEVICEREMOVECOMPLETE;
    notice.DeviceType = devices::DBT_DEVTYP_VOLUME;
    notice.Drive = root + QStringLiteral("data");
    window->DeviceMonitor->WMDeviceChange(notice);
    EXPECT_EQ(window->bgDisk->Count(), 2) << "posted, not yet handled";
    QCoreApplication::processEvents();
    EXPECT_EQ(window->bgDisk->Count(), 1);
    EXPECT_EQ(window->bgDisk->Current(), 0);
    EXPECT_EQ(window->FFileList.Location, location);
    EXPECT_EQ(window->Tree->model()->rowCount(), rows);
    EXPECT_EQ(window->ePath->text(), path);
}

TEST_F(ExplorerTest, RefreshKeepsTheFocusedEntryAndShowsNewFiles)
{
    Focus("zz.txt");
    MakeFile("data/new.txt");
    Key(Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(FocusedName(), QStringLiteral("zz.txt"));
    EXPECT_EQ(window->Tree->model()->rowCount(), 7);
}

} // namespace
