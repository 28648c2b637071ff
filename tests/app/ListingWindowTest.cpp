#include "WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace app;

namespace {

// Listings started through the real window, over a temporary tree.
class ListingWindowTest : public testing_support::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        MakeFolder("top");
        MakeFolder("top/sub");
        MakeFolder("top/Sub2");
        for (int i = 0; i < Files; ++i)
            MakeFile("top/f" + std::to_string(i) + ".txt", std::string(size_t(i), 'x'));
        MakeFile("top/sub/archive.tar.gz", "gz");
        StartWindow(Root() + QStringLiteral("top"));
    }
    QTreeView *List() const { return Find<QTreeView>("List"); }
    QString Cell(int row, int column) const { return List()->model()->index(row, column).data().toString(); }
    QString Status() const { return Find<QLabel>("sb")->text(); }
    QByteArray Read(const char *name)
    {
        QFile file(QString::fromStdString(Abs(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    static constexpr int Files = 40;
    static constexpr int AllEntries = Files + 3;  // with sub, Sub2 and the archive inside sub
};

TEST_F(ListingWindowTest, StopLeavesExactlyTheCountedEntries)
{
    QString caption;
    QTimer::singleShot(0, window.get(), [&] {
        caption = Find<QPushButton>("bList")->text();
        Click("bList");  // STOP, from inside the running listing
    });
    Click("cbxSubdirs");
    Click("bList");
    EXPECT_EQ(caption, QStringLiteral("STOP"));
    EXPECT_EQ(Find<QAction>("acList")->text(), QStringLiteral("Start"));
    EXPECT_EQ(Page(), pgList);
    const int rows = List()->model()->rowCount();
    EXPECT_LT(rows, AllEntries);
    EXPECT_EQ(Status(), QStringLiteral("Dirs: %1   Files: %2").arg(rows > 1 ? 1 : 0).arg(rows > 1 ? rows - 1 : rows))
        << "the counts are the rows: one folder comes first, the rest are files";
}

TEST_F(ListingWindowTest, CountsGrowWithoutClearingAndRestartWithIt)
{
    Click("cbxClear");
    Press(Qt::Key_L);
    Press(Qt::Key_L);
    EXPECT_EQ(Status(), QStringLiteral("Dirs: 4   Files: 80"));
    EXPECT_EQ(List()->model()->rowCount(), 84);
    Click("Button2");
    Click("cbxClear");
    Click("cbxDirs");
    Click("bList");
    EXPECT_EQ(Status(), QStringLiteral("Dirs: 0   Files: 40"));
}

TEST_F(ListingWindowTest, TheListShowsFoldersFirstThenFilesByFullName)
{
    Click("cbxSubdirs");
    Click("bList");
    const QString top = Root() + QStringLiteral("top/");
    ASSERT_EQ(List()->model()->rowCount(), AllEntries);
    EXPECT_EQ(Cell(0, 0), top + QStringLiteral("Sub2"));
    EXPECT_EQ(Cell(1, 0), top + QStringLiteral("sub"));
    EXPECT_EQ(Cell(1, 3), QStringLiteral("<DIR>   "));
    EXPECT_EQ(Cell(2, 0), top + QStringLiteral("f0.txt"));
    const int last = AllEntries - 1;
    EXPECT_EQ(Cell(last, 0), top + QStringLiteral("sub/archive.tar.gz"));
    EXPECT_EQ(Cell(last, 1), QStringLiteral("archive.tar"));
    EXPECT_EQ(Cell(last, 2), QStringLiteral("gz"));
    EXPECT_EQ(Cell(last, 3), QStringLiteral("2 b"));
    EXPECT_EQ(Cell(last, 5).size(), 16);
    EXPECT_EQ(List()->currentIndex().row(), 0);
    QTest::keyClicks(List(), QStringLiteral("ARCH"));
    EXPECT_EQ(List()->currentIndex().row(), last) << "typing a name in either case";
    Press(Qt::Key_L);
    EXPECT_EQ(List()->currentIndex().row(), 0) << "a list built anew starts at its first row";
}

TEST_F(ListingWindowTest, SaveWritesTheFileTypeChosenInItsEncoding)
{
    Press(Qt::Key_L);
    Click("rgReportCSV");
    int type = 1;
    const char *name = "wide.csv";
    saveDialog = [&](int &fileType, QString &fileName) {
        fileType = type;
        fileName = QString::fromStdString(Abs(name));
        return true;
    };
    auto *format = Find<QComboBox>("cbCSVFormat");
    QTest::keyClick(format, Qt::Key_Down);
    QTest::keyClick(format, Qt::Key_Down);  // "UNICODE"
    Press(Qt::Key_S);
    const QByteArray wide = Read("wide.csv");
    EXPECT_TRUE(wide.startsWith(QByteArray("\xFF\xFEN\x00", 4)));
    EXPECT_TRUE(wide.endsWith(QByteArray("\r\x00\n\x00", 4)));

    type = 2;
    name = "page.htm";
    Press(Qt::Key_S);
    EXPECT_TRUE(Read("page.html").startsWith("\xEF\xBB\xBF<html>\r\n")) << "the file type decides";
    type = 3;
    name = "x";
    Press(Qt::Key_S);
    EXPECT_TRUE(Read("x.xml").startsWith("\xEF\xBB\xBF<html>\r\n")) << "the report built last";
    saveDialog = nullptr;
    Press(Qt::Key_S);
    EXPECT_EQ(saveDialogs, 4) << "a cancelled dialog writes nothing";
}

TEST_F(ListingWindowTest, PrintingTheCsvPreviewGivesItsText)
{
    if (QProcess::execute(QStringLiteral("pdftotext"), {QStringLiteral("-v")}) < 0)
        GTEST_SKIP() << "pdftotext is not installed";
    Press(Qt::Key_L);
    Click("rgReportCSV");
    Click("bPreview");
    const QString pdf = QString::fromStdString(Abs("print.pdf"));
    printDialog = [&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    Click("Button1");
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains(QStringLiteral("Name;Size;Modified;Attributes")));
    EXPECT_TRUE(printed.contains(Root() + QStringLiteral("top/f39.txt;39;")));
}

// Closing while a listing runs must neither pull the window from under the
// listing nor let the listing run to its end: it stops, unwinds, and then
// the window closes.
TEST_F(ListingWindowTest, ClosingDuringAListingStopsItAndThenCloses)
{
    bool visibleAfterClose = false;
    QTimer::singleShot(0, window.get(), [&] {
        Choose("mmExit");
        visibleAfterClose = window->isVisible();
    });
    Click("cbxSubdirs");
    Click("bList");
    EXPECT_TRUE(visibleAfterClose) << "the window waits for the listing to unwind";
    EXPECT_LT(List()->model()->rowCount(), AllEntries) << "the listing stopped";
    EXPECT_EQ(Find<QAction>("acList")->text(), QStringLiteral("Start"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
}

// Gigabytes of sparse file are read from memory.
class HugeFileWindowTest : public ListingWindowTest {
protected:
    std::string TreeBase() const override { return MemoryTreeBase(); }
};

TEST_F(HugeFileWindowTest, StopIsHonouredInsideAHugeFile)
{
    MakeSparseWithTail("top/huge.txt", 8LL << 30, "needle");
    QTest::keyClicks(Find<QLineEdit>("eText"), QStringLiteral("needle"));
    QString captionWhileReading;
    QTimer::singleShot(100, window.get(), [&] {
        captionWhileReading = Find<QPushButton>("bList")->text();
        Click("bList");
    });
    Click("bList");  // the listing runs inside the click
    EXPECT_EQ(captionWhileReading, QStringLiteral("STOP"));
    EXPECT_EQ(List()->model()->rowCount(), 0) << "huge.txt holds the phrase only at its very end";
    EXPECT_EQ(Find<QPushButton>("bList")->text(), QStringLiteral("Start"));
}

} // namespace
