#include "WindowFixture.h"

#include "app/ListModel.h"
#include "app/MainWindow.h"
#include "ui/ExplorerView.h"
#include "ui/PageControl.h"

#include <QAction>
#include <QButtonGroup>
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
        for (int i = 0; i < 40; ++i)
            MakeFile("top/f" + std::to_string(i) + ".txt", std::string(size_t(i), 'x'));
        MakeFile("top/sub/archive.tar.gz", "gz");
        StartWindow(Root() + QStringLiteral("top"));
    }
    QString Cell(int row, int column) const { return window->List->model()->index(row, column).data().toString(); }
    QByteArray SaveAs(int type, const char *name, int csvFormat = 0)
    {
        window->cbCSVFormat->setCurrentIndex(csvFormat);
        window->RunSaveDialog = [&](int &fileType, QString &fileName) {
            fileType = type;
            fileName = QString::fromStdString(Abs(name));
            return true;
        };
        window->acSaveExecute();
        return QByteArray();
    }
    QByteArray Read(const char *name)
    {
        QFile file(QString::fromStdString(Abs(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

TEST_F(ListingWindowTest, StopLeavesExactlyTheCountedEntries)
{
    QString caption;
    QTimer::singleShot(0, window.get(), [&] {
        caption = window->acList->text();
        window->acListExecute();  // STOP, from inside the running listing
    });
    window->cbxSubdirs->setChecked(true);
    window->acListExecute();
    EXPECT_EQ(caption, QStringLiteral("STOP"));
    EXPECT_EQ(window->acList->text(), QStringLiteral("Start"));
    EXPECT_FALSE(window->Builder().Listing());
    const size_t counted = size_t(window->Builder().DirCount() + window->Builder().FileCount());
    EXPECT_EQ(window->FList.FileData.size(), counted);
    EXPECT_LT(counted, 44u);
    EXPECT_EQ(window->sb->text(), window->Builder().StatusText());
    EXPECT_EQ(window->pc->currentIndex(), pgList);
    EXPECT_EQ(window->List->model()->rowCount(), int(counted));
}

TEST_F(ListingWindowTest, CountsGrowWithoutClearingAndRestartWithIt)
{
    window->cbxClear->setChecked(false);
    window->acListExecute();
    window->BuildList(window->FFileList.Location);
    EXPECT_EQ(window->sb->text(), QStringLiteral("Dirs: 4   Files: 80"));
    EXPECT_EQ(window->List->model()->rowCount(), 84);
    window->cbxClear->setChecked(true);
    window->cbxDirs->setChecked(false);
    window->BuildList(window->FFileList.Location);
    EXPECT_EQ(window->sb->text(), QStringLiteral("Dirs: 0   Files: 40"));
}

TEST_F(ListingWindowTest, TheListShowsFoldersFirstThenFilesByFullName)
{
    window->cbxSubdirs->setChecked(true);
    window->acListExecute();
    const QString top = Root() + QStringLiteral("top/");
    ASSERT_EQ(window->List->model()->rowCount(), 43);
    EXPECT_EQ(Cell(0, TListModel::colFullName), top + QStringLiteral("Sub2"));
    EXPECT_EQ(Cell(1, TListModel::colFullName), top + QStringLiteral("sub"));
    EXPECT_EQ(Cell(1, TListModel::colSize), QStringLiteral("<DIR>   "));
    EXPECT_EQ(Cell(2, TListModel::colFullName), top + QStringLiteral("f0.txt"));
    const int last = window->List->model()->rowCount() - 1;
    EXPECT_EQ(Cell(last, TListModel::colFullName), top + QStringLiteral("sub/archive.tar.gz"));
    EXPECT_EQ(Cell(last, TListModel::colName), QStringLiteral("archive.tar"));
    EXPECT_EQ(Cell(last, TListModel::colExt), QStringLiteral("gz"));
    EXPECT_EQ(Cell(last, TListModel::colSize), QStringLiteral("2 b"));
    EXPECT_EQ(Cell(last, TListModel::colModified).size(), 16);
    EXPECT_EQ(window->List->currentIndex().row(), 0);
    QTest::keyClicks(window->List, QStringLiteral("ARCH"));
    EXPECT_EQ(window->List->currentIndex().row(), last) << "typing a name in either case";
}

TEST_F(ListingWindowTest, SaveWritesEachFileTypeInItsEncoding)
{
    window->acListExecute();
    window->rgReportItems->button(rfCSV)->click();
    SaveAs(1, "ascii.txt", 0);
    const QByteArray ascii = Read("ascii.csv");
    EXPECT_TRUE(ascii.startsWith("Name;Size;Modified;Attributes\r\n"));
    EXPECT_TRUE(ascii.endsWith("\r\n"));
    SaveAs(1, "utf8", 1);
    EXPECT_TRUE(Read("utf8.csv").startsWith("\xEF\xBB\xBFName;"));
    SaveAs(1, "wide.csv", 2);
    const QByteArray wide = Read("wide.csv");
    EXPECT_TRUE(wide.startsWith(QByteArray("\xFF\xFEN\x00", 4)));
    EXPECT_TRUE(wide.endsWith(QByteArray("\r\x00\n\x00", 4)));

    SaveAs(2, "page.htm");
    EXPECT_TRUE(Read("page.html").startsWith("\xEF\xBB\xBF<html>\r\n"));
    EXPECT_EQ(window->FReport.first(), QStringLiteral("<html>")) << "saving as HTML built the HTML report";
    SaveAs(3, "x");
    EXPECT_TRUE(Read("x.xml").startsWith("\xEF\xBB\xBF<html>\r\n")) << "the report built last";

    bool asked = false;
    window->RunSaveDialog = [&](int &, QString &) {
        asked = true;
        return false;
    };
    window->acSaveExecute();
    EXPECT_TRUE(asked);
}

TEST_F(ListingWindowTest, PrintingTheCsvPreviewGivesItsText)
{
    if (QProcess::execute(QStringLiteral("pdftotext"), {QStringLiteral("-v")}) < 0)
        GTEST_SKIP() << "pdftotext is not installed";
    window->acListExecute();
    window->rgReportItems->button(rfCSV)->click();
    window->acPreviewExecute();
    const QString pdf = QString::fromStdString(Abs("print.pdf"));
    window->RunPrintDialog = [&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    window->acPrintExecute();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains(QStringLiteral("Name;Size;Modified;Attributes")));
    EXPECT_TRUE(printed.contains(Root() + QStringLiteral("top/f39.txt;39;")));
}

TEST_F(ListingWindowTest, ClosingDuringAListingStopsItAndThenCloses)
{
    QTimer::singleShot(0, window.get(), [&] { window->close(); });
    window->cbxSubdirs->setChecked(true);
    window->acListExecute();
    EXPECT_FALSE(window->Builder().Listing());
    EXPECT_EQ(window->FList.FileData.size(),
              size_t(window->Builder().DirCount() + window->Builder().FileCount()));
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
    QTest::keyClicks(window->eText, QStringLiteral("needle"));
    QString captionWhileReading;
    QTimer::singleShot(100, window.get(), [&] {
        captionWhileReading = window->bList->text();
        QTest::mouseClick(window->bList, Qt::LeftButton);
    });
    QTest::mouseClick(window->bList, Qt::LeftButton);  // the listing runs inside the click
    EXPECT_EQ(captionWhileReading, QStringLiteral("STOP"));
    EXPECT_TRUE(window->FList.FileData.empty()) << "huge.txt holds the phrase only at its very end";
    EXPECT_EQ(window->bList->text(), QStringLiteral("Start"));
}

} // namespace
