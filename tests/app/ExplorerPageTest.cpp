#include "WindowFixture.h"

#include "ui/DriveButtonBar.h"

#include <QApplication>
#include <QHeaderView>
#include <QIcon>
#include <optional>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

using namespace app;

namespace {

// The Explorer page of the real window, driven by keys and clicks, over a
// temporary tree; its drive bar over a mount table the test controls.
class ExplorerPageTest : public testing_support::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        MakeExplorerSample();
        readMounts = [this] { return mounts; };
        mounts = {Mount("/", 1), Mount(Root() + QStringLiteral("data"), 7)};
        StartWindow(Root() + QStringLiteral("data"));
        tree = Find<QTreeView>("Tree");
        tree->setFocus();
    }
    QString Cell(int row, int column) const { return tree->model()->index(row, column).data().toString(); }
    QVariant Box(int row) const { return tree->model()->index(row, 0).data(Qt::CheckStateRole); }
    std::vector<std::string> Column0() const
    {
        std::vector<std::string> names;
        for (int row = 0; row < tree->model()->rowCount(); ++row)
            names.push_back(Cell(row, 0).toStdString());
        return names;
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(tree, Qt::Key(key), modifiers); }
    int Focused() const { return tree->currentIndex().isValid() ? tree->currentIndex().row() : -1; }
    void FocusRow(int row) { tree->setCurrentIndex(tree->model()->index(row, 0)); }
    QString Path() const { return Find<QLineEdit>("ePath")->text(); }
    QList<QToolButton *> DriveButtons() const { return Find<QWidget>("bgDisk")->findChildren<QToolButton *>(); }

    std::vector<platform::TMountInfo> mounts;
    QTreeView *tree = nullptr;
};

using Names = std::vector<std::string>;

TEST_F(ExplorerPageTest, TheTableShowsTheFolderWithBoxesOnFolderRows)
{
    EXPECT_EQ(Column0(), (Names{".", "Photos", "music", "Documents", "aa", "zz"}));
    EXPECT_EQ(Cell(0, 1), QString());
    EXPECT_EQ(Cell(0, 2), QStringLiteral("<DIR>   "));
    EXPECT_EQ(Cell(0, 4), QStringLiteral("----"));
    EXPECT_EQ(Cell(0, 3).size(), 16) << "dd.mm.yyyy hh:nn of the folder's own time";
    EXPECT_EQ(Cell(3, 2), QStringLiteral("300 b"));
    EXPECT_FALSE(Box(0).isValid()) << "the parent row has no box";
    EXPECT_EQ(Box(1).toInt(), Qt::Checked);
    EXPECT_FALSE(Box(3).isValid()) << "file rows have no box";
    EXPECT_EQ(Focused(), 0);
    EXPECT_TRUE(tree->header()->isSortIndicatorShown());
    EXPECT_EQ(tree->header()->sortIndicatorSection(), 0);
}

// A cell shows one line: a name with a line break would be cut at it.
TEST_F(ExplorerPageTest, ControlCharactersInNamesShowAsTheirPictures)
{
    MakeFile("data/new\nline\x1b.t\txt");
    Key(Qt::Key_R, Qt::ControlModifier);
    const Names names = Column0();
    EXPECT_NE(std::find(names.begin(), names.end(), "new\u240aline\u241b"), names.end());
    for (int row = 0; row < tree->model()->rowCount(); ++row)
        if (Cell(row, 0).startsWith(QStringLiteral("new")))
            EXPECT_EQ(Cell(row, 1), QStringLiteral("t\u2409xt"));
}

TEST_F(ExplorerPageTest, KeysOpenFoldersGoUpAndToTheDriveRoot)
{
    FocusRow(1);  // Photos
    Key(Qt::Key_Return);
    EXPECT_EQ(Path(), Root() + QStringLiteral("data/Photos"));
    EXPECT_EQ(Column0(), (Names{".", "p"}));
    Key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(Path(), Root() + QStringLiteral("data/"));
    EXPECT_EQ(Cell(Focused(), 0), QStringLiteral("Photos")) << "the folder just left";

    FocusRow(5);  // zz.txt
    Key(Qt::Key_Return);
    Key(Qt::Key_Return, Qt::ShiftModifier);
    Key(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Path(), Root() + QStringLiteral("data/")) << "Enter on a file, Shift+Enter, Ctrl+Shift+R";
    EXPECT_EQ(Focused(), 5);

    Key(Qt::Key_Backslash, Qt::ControlModifier);
    EXPECT_EQ(Path(), Root() + QStringLiteral("data")) << "data is a drive of its own";
    EXPECT_EQ(Cell(0, 0), QStringLiteral(".")) << "only \"/\" is without a parent row";
}

TEST_F(ExplorerPageTest, KeysSpaceAndTheRowMenuSetTheMarks)
{
    FocusRow(4);  // aa.doc
    Key(Qt::Key_Insert);
    EXPECT_EQ(Focused(), 5) << "Insert moves down";
    Key(Qt::Key_Insert);
    EXPECT_EQ(Focused(), -1) << "no row after the last";

    FocusRow(1);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Box(1).toInt(), Qt::Unchecked);
    EXPECT_EQ(Focused(), 2) << "the table moves on as for the plain arrow";
    Key(Qt::Key_Insert, Qt::AltModifier);
    EXPECT_EQ(Box(2).toInt(), Qt::Checked) << "Alt+Insert does nothing";
    Key(Qt::Key_Space);
    EXPECT_EQ(Box(2).toInt(), Qt::Unchecked) << "Space flips a folder's box";
    Key(Qt::Key_Space);
    EXPECT_EQ(Box(2).toInt(), Qt::Checked);

    Choose("pmUncheckall");
    EXPECT_EQ(Box(1).toInt(), Qt::Unchecked);
    EXPECT_EQ(Box(2).toInt(), Qt::Unchecked);
    Choose("pmInvert");
    EXPECT_EQ(Box(1).toInt(), Qt::Checked);
    EXPECT_EQ(Find<QMenu>("PopupMenu1")->actions().size(), 5);
}

TEST_F(ExplorerPageTest, TheHeaderMenuSortsAndTicksTheSortColumn)
{
    auto *menu = Find<QMenu>("HeaderPopup");
    EXPECT_FALSE(Find<QAction>("pmName")->isChecked());
    menu->popup(tree->mapToGlobal(QPoint(5, 5)));
    EXPECT_TRUE(Find<QAction>("pmName")->isChecked()) << "opening the menu ticks the column sorted by";
    menu->close();

    Choose("pmSize");
    EXPECT_EQ(Column0(), (Names{".", "Photos", "music", "aa", "Documents", "zz"}));
    Choose("pmSize");
    EXPECT_EQ(Column0(), (Names{"Photos", "music", ".", "Documents", "zz", "aa"}));
    EXPECT_EQ(tree->header()->sortIndicatorSection(), 2);
    EXPECT_EQ(tree->header()->sortIndicatorOrder(), Qt::DescendingOrder);

    Choose("pmUnsorted");
    EXPECT_FALSE(tree->header()->isSortIndicatorShown());
    menu->popup(tree->mapToGlobal(QPoint(5, 5)));
    EXPECT_TRUE(Find<QAction>("pmUnsorted")->isChecked());
    menu->close();
    Choose("pmName");
    menu->popup(tree->mapToGlobal(QPoint(5, 5)));
    EXPECT_TRUE(Find<QAction>("pmName")->isChecked());
    EXPECT_FALSE(Find<QAction>("pmUnsorted")->isChecked());
    menu->close();
}

TEST_F(ExplorerPageTest, HeaderClicksSortAndReverseButARightClickDoesNot)
{
    QHeaderView *header = tree->header();
    auto clickHeader = [&](int column, Qt::MouseButton button) {
        const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), button, Qt::NoModifier, middle);
    };
    clickHeader(explorer::ecSize, Qt::LeftButton);
    EXPECT_EQ(Column0(), (Names{".", "Photos", "music", "aa", "Documents", "zz"}));
    clickHeader(explorer::ecSize, Qt::LeftButton);
    const Names bySizeDescending{"Photos", "music", ".", "Documents", "zz", "aa"};
    EXPECT_EQ(Column0(), bySizeDescending) << "the same column again reverses";
    EXPECT_EQ(header->sortIndicatorSection(), int(explorer::ecSize));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    clickHeader(explorer::ecName, Qt::RightButton);
    EXPECT_EQ(Column0(), bySizeDescending) << "the right button only opens the menu";
    clickHeader(explorer::ecName, Qt::MiddleButton);
    EXPECT_EQ(Column0(), (Names{".", "Photos", "music", "Documents", "aa", "zz"})) << "another column starts ascending";
    EXPECT_EQ(header->sortIndicatorSection(), int(explorer::ecName));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
}

// Where Picture's opaque pixels appear unchanged in Image, searched along
// the row; none when they do not.
std::optional<QPoint> FindPicture(const QImage &image, const QImage &picture, const QRect &within)
{
    for (int y = within.top(); y + picture.height() <= within.bottom() + 1; ++y) {
        for (int x = within.left(); x + picture.width() <= within.right() + 1; ++x) {
            bool same = true;
            for (int py = 0; same && py < picture.height(); ++py)
                for (int px = 0; same && px < picture.width(); ++px)
                    if (qAlpha(picture.pixel(px, py)) == 255)
                        same = (picture.pixel(px, py) & 0xFFFFFF) == (image.pixel(x + px, y + py) & 0xFFFFFF);
            if (same)
                return QPoint(x, y);
        }
    }
    return std::nullopt;
}

TEST_F(ExplorerPageTest, TheFocusedRowIsFramedFaceWithItsIconAsItIsAndUntickedBoxesShow)
{
    FocusRow(2);  // music
    Key(Qt::Key_Space);
    FocusRow(1);  // Photos
    const QImage shot = tree->viewport()->grab().toImage();
    const QRect photos = tree->visualRect(tree->model()->index(1, explorer::ecExt));
    const QRect music = tree->visualRect(tree->model()->index(2, explorer::ecName));
    EXPECT_EQ(shot.pixelColor(photos.center()), QApplication::palette().color(QPalette::Button)) << "face colour";
    EXPECT_EQ(shot.pixelColor(photos.center().x(), photos.top()), QColor(Qt::black)) << "framed";
    EXPECT_EQ(shot.pixelColor(photos.center().x(), photos.bottom()), QColor(Qt::black));

    const QImage folder = tree->model()->index(2, 0).data(Qt::DecorationRole).value<QIcon>()
                              .pixmap(tree->style()->pixelMetric(QStyle::PM_SmallIconSize)).toImage().convertToFormat(QImage::Format_ARGB32);
    const auto inMusic = FindPicture(shot, folder, music);
    ASSERT_TRUE(inMusic.has_value()) << "the folder's picture on a plain row";
    const int rowOffset = tree->visualRect(tree->model()->index(1, 0)).top() - music.top();
    EXPECT_TRUE(FindPicture(shot, folder, QRect(*inMusic + QPoint(0, rowOffset), folder.size())).has_value())
        << "the same picture on the highlighted row";
    EXPECT_GE(testing_support::DarkPixels(shot, QRect(music.left(), music.top(), inMusic->x() - music.left(), music.height())), 24)
        << "the unticked box's edge";

    Find<QWidget>("eFileMask")->setFocus();
    const QImage unfocused = tree->viewport()->grab().toImage();
    EXPECT_EQ(unfocused.pixelColor(photos.center()), QColor(0xED, 0xEC, 0xE9));
    EXPECT_EQ(unfocused.pixelColor(photos.center().x(), photos.top()), QColor(0xED, 0xEC, 0xE9)) << "no frame";
}

TEST_F(ExplorerPageTest, TypingFindsRowsFoldingAsciiLettersOnly)
{
    QTest::keyClicks(tree, QStringLiteral("DOC"));
    EXPECT_EQ(Cell(Focused(), 0), QStringLiteral("Documents"));
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(tree, QStringLiteral("pH"));
    EXPECT_EQ(Cell(Focused(), 0), QStringLiteral("Photos"));
}

// Many drives whose long captions differ only at their end.
TEST_F(ExplorerPageTest, LongCaptionsKeepTheirEndsAndManyDrivesScrollInsteadOfSqueezing)
{
    for (int i = 1; i <= 24; ++i) {
        const std::string name = "archive-volume-of-the-backups-" + std::to_string(100 + i);
        MakeFolder(name);
        mounts.push_back(Mount(Root() + QString::fromStdString(name), 10 + i));
    }
    Key(Qt::Key_R, Qt::ControlModifier);
    QCoreApplication::processEvents();
    const QList<QToolButton *> buttons = DriveButtons();
    ASSERT_EQ(buttons.size(), 26);
    QSet<QString> shown;
    for (int i = 1; i <= 24; ++i) {
        QToolButton *button = buttons[i + 1];
        const QString number = QString::number(100 + i);
        EXPECT_TRUE(button->text().endsWith(number)) << button->text().toStdString();
        EXPECT_TRUE(button->toolTip().contains(QStringLiteral("archive-volume-of-the-backups-") + number));
        EXPECT_GE(button->width(), button->sizeHint().width()) << "not squeezed";
        shown.insert(button->text());
    }
    EXPECT_EQ(shown.size(), 24) << "every caption tells its drive apart";
    const auto *scroller = Find<QScrollArea>("bgDiskScroller");
    EXPECT_GT(scroller->horizontalScrollBar()->maximum(), 0) << "the bar scrolls";

    QTest::mouseClick(buttons[25], Qt::LeftButton);  // the last drive's root
    tree->setFocus();
    Key(Qt::Key_R, Qt::ControlModifier);  // the bar anew, that drive current
    QCoreApplication::processEvents();
    QToolButton *last = DriveButtons()[25];
    EXPECT_TRUE(last->isChecked());
    const QRect inView(last->mapTo(scroller->viewport(), QPoint()), last->size());
    EXPECT_TRUE(scroller->viewport()->rect().contains(inView)) << "the current drive's button is in view";
}

TEST_F(ExplorerPageTest, TheVolumeLineHasThePagesColour)
{
    auto *volume = Find<QLineEdit>("eVolume");
    const QImage drawn = volume->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(drawn.width() - 3, drawn.height() / 2),
              volume->parentWidget()->palette().color(QPalette::Window));
}

TEST_F(ExplorerPageTest, DriveButtonsShowTheirRootAndAVolumeNoticeRebuildsTheBarLater)
{
    ASSERT_EQ(DriveButtons().size(), 2);
    EXPECT_TRUE(DriveButtons()[1]->isChecked()) << "the drive of the start folder";
    EXPECT_TRUE(Find<QLineEdit>("eVolume")->text().startsWith(QStringLiteral("Label:      System: ext4")));
    QTest::mouseClick(DriveButtons()[1], Qt::LeftButton);
    EXPECT_EQ(Path(), Root() + QStringLiteral("data"));

    const int rows = tree->model()->rowCount();
    mounts.pop_back();
    devices::TDeviceNotice notice;
    notice.Code = devices::DBT_DEVICEREMOVECOMPLETE;
    notice.DeviceType = devices::DBT_DEVTYP_VOLUME;
    notice.Drive = Root() + QStringLiteral("data");
    deliverVolumeNotice(notice);
    EXPECT_EQ(DriveButtons().size(), 2) << "posted, not yet handled";
    QCoreApplication::processEvents();
    ASSERT_EQ(DriveButtons().size(), 1);
    EXPECT_TRUE(DriveButtons()[0]->isChecked());
    EXPECT_EQ(Path(), Root() + QStringLiteral("data")) << "the table stays";
    EXPECT_EQ(tree->model()->rowCount(), rows);
}

} // namespace
