// Prints of HTML reports laid out a run of rows at a time, into PDF files
// read back with pdftotext: the runs must give the very pages one document
// of the whole report gives, every row once, numbered "Page N of M".

#include "PdfText.h"
#include "TreeFixture.h"

#include "app/PrintJob.h"
#include "listing/HtmlReport.h"
#include "listing/HtmlReportRows.h"
#include "ui/HtmlPrinter.h"
#include "ui/TextPrinter.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <numeric>

using testing_support::HasPdfToText;
using testing_support::PdfText;

namespace {

class HtmlPrintTest : public testing_support::TreeFixture {
protected:
    void SetUp() override
    {
        TreeFixture::SetUp();
        if (!HasPdfToText())
            GTEST_SKIP() << "pdftotext is not installed";
    }
    // Rows "row-00000.txt" and on, one line each but every 37th, which takes
    // three; the row Tall, unless -1, has a name taller than a page, of the
    // words "q0000" to "q1499" run together.
    static QStringList Report(int rows, int tall = -1)
    {
        explorer::TFileList list;
        for (int i = 0; i < rows; ++i) {
            explorer::TFileData d;
            d.Location = QStringLiteral("/srv/");
            d.Name = QStringLiteral("row-%1.txt").arg(i, 5, 10, QLatin1Char('0'));
            if (i % 37 == 5)
                d.Name += QString(150, QLatin1Char('n'));
            for (int word = 0; i == tall && word < TallWords; ++word)
                d.Name += QStringLiteral("q%1").arg(word, 4, 10, QLatin1Char('0'));
            d.Size = i;
            list.FileData.push_back(d);
        }
        std::vector<int> order(list.FileData.size());
        std::iota(order.begin(), order.end(), 0);
        const explorer::TRegionalFormats formats = explorer::TRegionalFormats::FromLocale(QLocale::c());
        QStringList html;
        listing::ExportHTML(html, listing::THtmlLayout(), {list, order, listing::TColumnOptions(), formats});
        return html;
    }
    QString Pdf(const char *name) const { return QString::fromStdString(Abs(name)); }
    // Prints Report into the file Name, AtATime rows at a time.
    ui::TPrintResult Print(const QStringList &report, const char *name, qsizetype atATime,
                           const ui::TPrintProgress &progress = [](const ui::TPrintStatus &) { return true; })
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Pdf(name));
        app::TPrintJob job(printer);
        const listing::THtmlReportRows rows(report);
        const ui::THtmlRows source{rows.RowCount(), [&rows](qsizetype f, qsizetype l) { return rows.Document(f, l); }};
        const ui::THtmlPageTexts texts{QStringLiteral("file:///report.html"), QStringLiteral("1.2.2025")};
        ui::THtmlPrintSettings settings;
        settings.RowsAtATime = atATime;
        ui::THtmlPrint print(job.Device(), source, texts, settings);
        ui::TPrintResult result{0, !print.CountPages(progress)};
        if (!result.Cancelled)
            result = print.Paint(job.Begin(), job.Device(), progress);
        if (result.Cancelled)
            job.Cancel();
        else
            job.Finish();
        return result;
    }
    // Each page's text.
    QStringList Pages(const char *name) const
    {
        QStringList pages = PdfText(Pdf(name)).split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }
    // The numbers of the rows on a page, in the order they are read.
    static QList<int> RowsOn(const QString &page)
    {
        QList<int> rows;
        QRegularExpressionMatchIterator row = QRegularExpression(QStringLiteral("row-(\\d{5})")).globalMatch(page);
        while (row.hasNext())
            rows.append(row.next().captured(1).toInt());
        return rows;
    }
    QStringList Folder() const
    {
        return QDir(Root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    static constexpr int TallWords = 1500;
};

// Runs of a few pages each, so that rows split by a page's edge meet their
// ends too.
TEST_F(HtmlPrintTest, RunsOfRowsGiveThePagesOfOneDocumentNumberedOfAll)
{
    const QStringList report = Report(600);
    ASSERT_FALSE(Print(report, "whole.pdf", 1000).Cancelled);
    const ui::TPrintResult runs = Print(report, "runs.pdf", 150);
    const QStringList whole = Pages("whole.pdf"), pages = Pages("runs.pdf");
    ASSERT_GT(pages.size(), 5);
    EXPECT_EQ(runs.Pages, pages.size());
    ASSERT_EQ(pages.size(), whole.size());
    QList<int> all;
    for (int p = 0; p < pages.size(); ++p) {
        EXPECT_EQ(RowsOn(pages[p]), RowsOn(whole[p])) << "page " << p + 1;
        EXPECT_TRUE(pages[p].contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size()))) << p + 1;
        EXPECT_EQ(pages[p].contains(QStringLiteral("Name")), true) << "the heading row on page " << p + 1;
        all += RowsOn(pages[p]);
    }
    QList<int> expected(600);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(all, expected) << "every row once, in order";
}

// A run whose last page holds the end of a row begun a page before cannot
// leave that page to the next run: the end of the row would never print.
// The rich-text engine cuts such a row at the page's edge as one document
// of the report does too: the line on the edge shows half on each page,
// where pdftotext may not read its words.
TEST_F(HtmlPrintTest, ARowTallerThanAPageIsPrintedWhole)
{
    const QStringList report = Report(120, 50);
    for (const int atATime : {40, 51, 53, 1000}) {
        ASSERT_FALSE(Print(report, "runs.pdf", atATime).Cancelled);
        QString text = PdfText(Pdf("runs.pdf"));
        text.remove(QRegularExpression(QStringLiteral("\\s")));
        int missing = 0;
        for (int word = 0; word < TallWords; ++word)
            missing += !text.contains(QStringLiteral("q%1").arg(word, 4, 10, QLatin1Char('0')));
        EXPECT_LE(missing, 2) << "no more than the lines cut by the edges of the row's two pages; "
                              << "in runs of " << atATime;
        QList<int> all;
        for (const QString &page : Pages("runs.pdf"))
            all += RowsOn(page);
        QList<int> expected(120);
        std::iota(expected.begin(), expected.end(), 0);
        EXPECT_EQ(all, expected) << atATime;
    }
}

// Stopped while the pages are counted or while they are painted, the print
// ends there and the file it would have replaced stays as it was.
TEST_F(HtmlPrintTest, ACancelledPrintStopsAtOnceAndLeavesTheOldFile)
{
    const QStringList report = Report(230);
    MakeFile("print.pdf", "precious");
    for (const bool whileCounting : {true, false}) {
        int counted = 0, painted = 0;
        const ui::TPrintResult result = Print(report, "print.pdf", 40, [&](const ui::TPrintStatus &status) {
            if (status.Pages == 0)
                return !whileCounting || ++counted < 2;
            return ++painted < 3;
        });
        EXPECT_TRUE(result.Cancelled);
        EXPECT_EQ(counted, whileCounting ? 2 : 0);
        EXPECT_EQ(result.Pages, whileCounting ? 0 : 3) << "no page after the cancel";
        QFile file(Pdf("print.pdf"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("precious"));
        EXPECT_EQ(Folder(), QStringList{QStringLiteral("print.pdf")}) << "no temporary file left";
    }
}

TEST_F(HtmlPrintTest, ACancelledTextPrintStopsAfterThePageInHand)
{
    QStringList lines;
    for (int i = 0; i < 1000; ++i)
        lines.append(QStringLiteral("line %1").arg(i));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Pdf("text.pdf"));
    app::TPrintJob job(printer);
    QList<int> seen;
    const ui::TPrintResult result = ui::PrintPlainText(
        job.Begin(), job.Device(), lines, QFont(), 80, [&](const ui::TPrintStatus &status) {
            seen.append(status.Page);
            return status.Page < 3;
        });
    job.Cancel();
    EXPECT_TRUE(result.Cancelled);
    EXPECT_EQ(result.Pages, 3);
    EXPECT_EQ(seen, (QList<int>{1, 2, 3}));
    EXPECT_FALSE(QFile::exists(Pdf("text.pdf")));
    EXPECT_TRUE(Folder().isEmpty());
}

} // namespace
