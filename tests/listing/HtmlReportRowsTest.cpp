#include "SampleListing.h"

#include "listing/HtmlReport.h"
#include "listing/HtmlReportRows.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace listing;

namespace {

// The HTML report of the sample, with names that look like the lines the
// rows are cut at, and a note after the table.
class HtmlReportRowsTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        list.FileData.push_back(SampleEntry("/data/", "<tr>", 1, 0x20, 42000));
        list.FileData.push_back(SampleEntry("/data/", "</table>", 2, 0x20, 42000));
        order = ListingRowOrder(list, QLocale::c());
        layout.Grid = GetParam();
        WriteHTML([this](const QString &line) { report.append(line); }, layout,
                  TReportSource{list, order, TColumnOptions(), SampleFormats()}, QStringLiteral("a note"));
    }
    // The first cell of each row, in the order the text has them.
    static QStringList Names(const QString &html)
    {
        QStringList names;
        QRegularExpressionMatchIterator cell =
            QRegularExpression(QStringLiteral("<tr>\r\n<td[^>]*><font[^>]*>([^<]*)</font>")).globalMatch(html);
        while (cell.hasNext())
            names.append(cell.next().captured(1));
        return names;
    }

    explorer::TFileList list = SampleListing();
    std::vector<int> order;
    THtmlLayout layout;
    QStringList report;
};

TEST_P(HtmlReportRowsTest, RunsOfRowsPutTogetherAreTheReport)
{
    const THtmlReportRows rows(report);
    ASSERT_EQ(rows.RowCount(), qsizetype(list.FileData.size()));
    const QString whole = report.join(QStringLiteral("\r\n"));
    EXPECT_EQ(rows.Document(0, rows.RowCount()), whole);
    const QStringList all = Names(whole);
    ASSERT_EQ(all.size(), rows.RowCount());
    EXPECT_TRUE(all.contains(QStringLiteral("/data/&lt;tr&gt;")));

    for (const qsizetype step : {1, 3, 7}) {
        QStringList joined;
        for (qsizetype first = 0; first < rows.RowCount(); first += step) {
            const qsizetype last = qMin(rows.RowCount(), first + step);
            const QString run = rows.Document(first, last);
            joined += Names(run);
            EXPECT_TRUE(run.contains(QStringLiteral("<style type=\"text/css\">"))) << first;
            EXPECT_TRUE(run.contains(QStringLiteral("<th align=\"left\"><font size=\"1\" face=\"arial\">Name"))) << first;
            EXPECT_EQ(run.contains(QStringLiteral("<h2>")), first == 0) << first;
            EXPECT_EQ(run.contains(QStringLiteral("<p>a note</p>")), last == rows.RowCount()) << first;
            EXPECT_TRUE(run.contains(QStringLiteral("</table>"))) << first;
        }
        EXPECT_EQ(joined, all) << "every row once, in order, in runs of " << step;
    }
}

TEST_P(HtmlReportRowsTest, AnEmptyListingIsOneRunOfNoRows)
{
    report.clear();
    list.FileData.clear();
    WriteHTML([this](const QString &line) { report.append(line); }, layout,
              TReportSource{list, {}, TColumnOptions(), SampleFormats()});
    const THtmlReportRows rows(report);
    EXPECT_EQ(rows.RowCount(), 0);
    EXPECT_EQ(rows.Document(0, 0), report.join(QStringLiteral("\r\n")));
}

INSTANTIATE_TEST_SUITE_P(GridOrNot, HtmlReportRowsTest, ::testing::Bool());

TEST(HtmlReportRows, LinesOfAnotherShapeAreGivenBackWhole)
{
    for (const QStringList &text : {QStringList(), QStringList{QStringLiteral("<p>no table</p>")},
                                    QStringList{QStringLiteral("<table>"), QStringLiteral("<tr>"), QStringLiteral("x")}}) {
        const THtmlReportRows rows(text);
        EXPECT_EQ(rows.RowCount(), 0);
        EXPECT_EQ(rows.Document(0, 5), text.join(QStringLiteral("\r\n")));
    }
}

} // namespace
