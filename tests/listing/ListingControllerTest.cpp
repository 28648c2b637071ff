#include "TreeFixture.h"

#include "explorer/FolderScanner.h"
#include "listing/ListingController.h"
#include "listing/ReportColumns.h"

#include <QFile>

using namespace explorer;
using namespace listing;

namespace {

// A folder scanned as the explorer does, listed through the controller the
// window and tamarel-list drive.
class ListingControllerTest : public testing_support::TreeFixture {
protected:
    void SetUp() override
    {
        TreeFixture::SetUp();
        MakeFolder("top");
        MakeFolder("top/sub");
        MakeFolder("top/Sub2");
        for (int i = 0; i < 20; ++i)
            MakeFile("top/f" + std::to_string(i) + ".txt", std::string(size_t(i), 'x'));
        MakeFile("top/sub/archive.tar.gz", "gz");
        scanner.ScanFolder(Root() + QStringLiteral("top"));
        QObject::connect(&listing, &TListingController::ListingStarted, [this] { events.push_back("started"); });
        QObject::connect(&listing, &TListingController::RowsReset,
                         [this] { events.push_back("rows " + std::to_string(listing.RowCount())); });
        QObject::connect(&listing, &TListingController::ListingFinished, [this] { events.push_back("finished"); });
    }
    void List(bool recurse = true)
    {
        TListingOptions options;
        options.Recurse = recurse;
        listing.BuildList(explorerList.Location, explorerList, options);
    }
    QByteArray Read(const char *name)
    {
        QFile file(QString::fromStdString(Abs(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    TFileList explorerList;
    TFolderScanner scanner{explorerList};
    TRegionalFormats formats = TRegionalFormats::FromLocale(QLocale::c());
    TListingController listing{formats};
    std::vector<std::string> events;
};

TEST_F(ListingControllerTest, RowsAreEmptiedAtTheStartAndShowFoldersFirstAtTheEnd)
{
    List();
    EXPECT_EQ(events, (std::vector<std::string>{"rows 0", "started", "rows 23", "finished"}));
    EXPECT_EQ(listing.StatusText(), QStringLiteral("Dirs: 2   Files: 21"));
    const QString top = Root() + QStringLiteral("top/");
    EXPECT_EQ(listing.EntryAt(0).FullName(), top + QStringLiteral("Sub2"));
    EXPECT_EQ(listing.EntryAt(1).FullName(), top + QStringLiteral("sub"));
    EXPECT_EQ(listing.EntryAt(2).FullName(), top + QStringLiteral("f0.txt"));
    EXPECT_EQ(listing.EntryAt(22).FullName(), top + QStringLiteral("sub/archive.tar.gz"));
    for (int row = 0; row < listing.RowCount(); ++row)
        EXPECT_EQ(listing.EntryAt(row).NodePointer, row);
    EXPECT_EQ(listing.IncrementalSearch(QStringLiteral("ARCH"), 0), 22) << "by name, either case";
}

TEST_F(ListingControllerTest, WithoutFillingOnEndTheRowsWaitUntilAsked)
{
    listing.SetFillListOnEnd(false);
    TListingOptions options;
    options.Recurse = true;
    options.ClearPrevious = false;
    listing.BuildList(explorerList.Location, explorerList, options);
    listing.BuildList(explorerList.Location, explorerList, options);
    EXPECT_EQ(listing.RowCount(), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"rows 0", "started", "finished", "rows 0", "started", "finished"}));
    listing.FillList();
    EXPECT_EQ(listing.RowCount(), 46) << "both listings, in one sort";
}

TEST_F(ListingControllerTest, StopFromProgressKeepsExactlyTheCountedEntriesAndEndsTwice)
{
    int progress = 0;
    QObject::connect(&listing, &TListingController::Progress, [&] {
        if (++progress == 3)
            listing.Stop();
    });
    List();
    EXPECT_FALSE(listing.Listing());
    EXPECT_EQ(progress, 3) << "no interval set: progress after every kept hit";
    EXPECT_EQ(listing.RowCount(), 3);
    EXPECT_EQ(listing.DirCount() + listing.FileCount(), 3);
    EXPECT_EQ(events, (std::vector<std::string>{"rows 0", "started", "rows 3", "finished", "finished"}))
        << "the second end has nothing new to show";
}

TEST_F(ListingControllerTest, ProgressComesAtMostOncePerIntervalAndAStopRequestIsPolled)
{
    int progress = 0;
    QObject::connect(&listing, &TListingController::Progress, [&] { ++progress; });
    listing.SetProgressInterval(60 * 1000);
    List();
    EXPECT_EQ(progress, 1) << "the first hit only";

    int asked = 0;
    listing.StopRequested = [&] { return ++asked == 2; };
    List();
    EXPECT_EQ(listing.RowCount(), 1) << "a hit after the first folder, then the second question stops";
}

TEST_F(ListingControllerTest, PrintingGivesTheTextShownNotTheReportSavedSince)
{
    EXPECT_EQ(listing.TextToPrint(), QStringList{QString()}) << "an empty viewer prints one empty line";
    List(false);
    TReportOptions options;
    options.Format = rfCSV;
    listing.Preview(options, false);
    const QStringList shown = listing.TextToPrint();
    EXPECT_EQ(shown.first(), QStringLiteral("Name;Size;Modified;Attributes"));
    EXPECT_EQ(shown.size(), 23);

    options.Format = rfHTML;
    listing.Preview(options, true);
    EXPECT_EQ(listing.Report().first(), QStringLiteral("<html>"));
    EXPECT_EQ(listing.TextToPrint(), shown) << "a page shown in the browser view prints there";
    const QString saved = listing.Save(QString::fromStdString(Abs("page.htm")), rftHtml, options);
    EXPECT_TRUE(saved.endsWith(QStringLiteral("/page.html")));
    EXPECT_EQ(listing.TextToPrint(), shown);
}

// A browser view cannot hold a table of any size: beyond its cells, the
// page shows the first rows and says how many of how many; the report
// itself, saved or printed, keeps them all.
TEST_F(ListingControllerTest, APageForTheBrowserViewKeepsTheRowsThatFitAndSaysHowMany)
{
    List(false);
    TReportOptions options;  // four cells a row: name, size, modified, attributes
    listing.Preview(options, true);
    EXPECT_EQ(listing.PageToShow(4 * 22), listing.Report()) << "every row fits";

    const QStringList page = listing.PageToShow(4 * 5 + 3);
    const QStringList report = listing.Report();
    EXPECT_EQ(page.count(QStringLiteral("<tr>")), 1 + 5) << "the header row and five rows";
    const qsizetype end = page.indexOf(QStringLiteral("</table>"));
    ASSERT_GT(end, 0);
    EXPECT_EQ(page.mid(0, end), report.mid(0, end)) << "the report's first rows as they are";
    EXPECT_EQ(page.at(end + 1), QStringLiteral("<p>This preview shows the first 5 of 22 rows; Save and Print take all "
                                                "of them.</p>"));
    EXPECT_EQ(page.mid(end + 2), report.mid(report.size() - 3));
    EXPECT_EQ(listing.Report().count(QStringLiteral("<tr>")), 1 + 22);
}

TEST_F(ListingControllerTest, SaveBuildsTheFileTypesReportAndAllFilesWritesTheOneBuiltLast)
{
    List(false);
    TReportOptions options;  // HTML chosen
    options.Encoding = teUnicode;
    listing.Save(QString::fromStdString(Abs("list.txt")), rftCsv, options);
    const QByteArray wide = Read("list.csv");
    EXPECT_TRUE(wide.startsWith(QByteArray("\xFF\xFEN\x00", 4))) << "the file type decides, in the CSV encoding";
    EXPECT_TRUE(wide.endsWith(QByteArray("\r\x00\n\x00", 4)));
    EXPECT_EQ(listing.Report().first(), QStringLiteral("Name;Size;Modified;Attributes"));

    listing.Save(QString::fromStdString(Abs("x")), rftAll, options);
    EXPECT_TRUE(Read("x.xml").startsWith("\xEF\xBB\xBFName;Size")) << "the CSV report, built last, as UTF-8";

    QStringList streamed;
    listing.WriteReport(options, [&](const QString &line) { streamed.append(line); });
    EXPECT_EQ(listing.Report().first(), QStringLiteral("Name;Size;Modified;Attributes")) << "a streamed report is not kept";
    listing.BuildReport(options);
    EXPECT_EQ(streamed, listing.Report()) << "streamed and built alike";
}

TEST(ReportColumns, NamePartsAreOneFieldUnlessSeparateAndEveryColumnHasAnOptionName)
{
    TColumnOptions c;
    EXPECT_EQ(ReportFields(c), (std::vector<int>{CombinedName, rcSize, rcModified, rcAttributes}));
    c.Path = false;
    c.Name = false;
    EXPECT_EQ(ReportFields(c).front(), CombinedName) << "the extension alone";
    c.Separate = true;
    c.Path = true;
    EXPECT_EQ(ReportFields(c), (std::vector<int>{rcPath, rcExt, rcSize, rcModified, rcAttributes}));
    c = TColumnOptions();
    c.Path = c.Name = c.Ext = c.Size = c.Modified = c.Attributes = false;
    EXPECT_TRUE(ReportFields(c).empty());
    for (const TReportColumnInfo &column : ReportColumns())
        EXPECT_EQ(FindReportColumn(QLatin1String(column.OptionName)), &column);
    EXPECT_EQ(FindReportColumn(QStringLiteral("Path")), nullptr);
}

} // namespace
