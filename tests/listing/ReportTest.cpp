#include "SampleListing.h"

#include "listing/CsvReport.h"
#include "listing/HtmlReport.h"
#include "listing/JsonReport.h"
#include "listing/PathReport.h"
#include "listing/StampTexts.h"
#include "ScopedTimeZone.h"
#include "listing/ReportFile.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace explorer;
using namespace listing;

namespace {

class ReportTest : public ::testing::Test {
protected:
    QStringList Csv(const QString &delimiter = QStringLiteral(";"))
    {
        QStringList report{QStringLiteral("stale")};
        ExportCSV(report, delimiter, TReportSource{list, order, columns, formats});
        return report;
    }
    QStringList Html()
    {
        QStringList report;
        ExportHTML(report, layout, TReportSource{list, order, columns, formats});
        return report;
    }
    // Compares with a file in golden/; TAMAREL_UPDATE_GOLDEN=1 rewrites the
    // file instead, to be read and committed by hand.
    static void ExpectGolden(const QStringList &actual, const char *name)
    {
        QFile file(QStringLiteral(TAMAREL_GOLDEN_DIR "/") + QLatin1String(name));
        if (qEnvironmentVariableIsSet("TAMAREL_UPDATE_GOLDEN")) {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write((actual.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
            return;
        }
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        EXPECT_EQ(actual, lines) << name;
    }

    TFileList list = SampleListing();
    std::vector<int> order = ListingRowOrder(list, QLocale::c());
    TColumnOptions columns;
    THtmlLayout layout;
    TRegionalFormats formats = SampleFormats();
};

TEST_F(ReportTest, CsvWithTheDefaultColumns)
{
    EXPECT_EQ(Csv(), (QStringList{
                         QStringLiteral("Name;Size;Modified;Attributes"),
                         QStringLiteral("/data/old;0;4.3.2015 9:12:40;16"),
                         QStringLiteral("/data/old/deep;0;1.1.2016 12:00:00;16"),
                         QStringLiteral("/data/.profile;0;31.12.2014 23:59:59;2"),
                         QStringLiteral("/data/README;511;6.3.2015;128"),
                         QStringLiteral("/data/b.txt;1536;5.3.2015 14:07:09;32"),
                         QStringLiteral("/data/old/deep/x,y&<z>.tar.gz;512;2.1.2016 3:04:05;33"),
                     }));
}

TEST_F(ReportTest, CsvColumnChoicesAndDelimiters)
{
    columns.Separate = true;
    columns.Created = columns.Accessed = true;
    QStringList r = Csv(QStringLiteral(","));
    EXPECT_EQ(r[0], QStringLiteral("Path,Name,Ext,Size,Created,Modified,Accessed,Attributes"));
    EXPECT_EQ(r[5], QStringLiteral("/data/,b,txt,1536,4.3.2015 14:07:09,5.3.2015 14:07:09,"
                                   "6.3.2015 2:07:09,32"));
    EXPECT_EQ(r[6], QStringLiteral("/data/old/deep/,\"x,y&<z>.tar\",gz,512,1.1.2016 3:04:05,"
                                   "2.1.2016 3:04:05,2.1.2016 15:04:05,33"))
        << "a name holding the delimiter is quoted";
    EXPECT_EQ(r[3], QStringLiteral("/data/,,profile,0,30.12.2014 23:59:59,31.12.2014 23:59:59,"
                                   "1.1.2015 11:59:59,2"));

    columns = TColumnOptions();
    columns.Path = columns.Name = columns.Size = columns.Modified = columns.Attributes = false;
    r = Csv();
    EXPECT_EQ(r[0], QStringLiteral("Name"));
    EXPECT_EQ(r[4], QStringLiteral("")) << "README has no extension";
    EXPECT_EQ(r[5], QStringLiteral(".txt"));

    columns.Ext = false;
    r = Csv();
    EXPECT_EQ(r.size(), 7);
    for (const QString &line : r)
        EXPECT_TRUE(line.isEmpty());

    columns = TColumnOptions();
    columns.Separate = true;
    columns.Modified = columns.Attributes = false;
    r = Csv(QString());
    EXPECT_EQ(r[0], QStringLiteral("PathNameExtSize"));
    EXPECT_EQ(r[5], QStringLiteral("/data/btxt1536"));

    list.FileData.clear();
    order.clear();
    EXPECT_EQ(Csv().size(), 1) << "the header alone";
}

// Reads CSV text the RFC 4180 way, as spreadsheet programs and Python's csv
// module do: records end at a line break outside quotes.
std::vector<QStringList> ReadCsv(const QString &text, QChar delimiter)
{
    std::vector<QStringList> records(1, QStringList{QString()});
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        QString &field = records.back().last();
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                field += c, ++i;
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == delimiter) {
            records.back().append(QString());
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
            records.push_back(QStringList{QString()});
            ++i;
        } else {
            field += c;
        }
    }
    if (records.back() == QStringList{QString()})
        records.pop_back();
    return records;
}

TEST_F(ReportTest, EveryEntryIsOneCsvRecordWhateverItsName)
{
    const QStringList hostile{QStringLiteral("semi;colon"), QStringLiteral("com,ma"),
                              QStringLiteral("say \"hi\""), QStringLiteral("line\nfeed"),
                              QStringLiteral("carriage\rreturn"), QStringLiteral("\"")};
    list.FileData.clear();
    for (const QString &name : hostile)
        list.FileData.push_back(SampleEntry("/d;x/", name.toUtf8().constData(), 7, 0x20,
                                            platform::EncodeDateTime(2020, 1, 2, 3, 4, 5)));
    order = ListingRowOrder(list, QLocale::c());
    columns.Separate = true;
    for (const QChar delimiter : {QLatin1Char(';'), QLatin1Char(',')}) {
        const std::vector<QStringList> records = ReadCsv(Csv(delimiter).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), delimiter);
        ASSERT_EQ(records.size(), hostile.size() + 1) << "delimiter " << QString(delimiter).toStdString();
        for (size_t row = 1; row < records.size(); ++row) {
            const explorer::TFileData &d = list.FileData[size_t(order[row - 1])];
            const qsizetype dot = d.Name.lastIndexOf(QLatin1Char('.'));
            EXPECT_EQ(records[row], (QStringList{QStringLiteral("/d;x/"), dot < 0 ? d.Name : d.Name.left(dot),
                                                 dot < 0 ? QString() : d.Name.mid(dot + 1), QStringLiteral("7"),
                                                 QStringLiteral("2.1.2020 3:04:05"), QStringLiteral("32")}))
                << d.Name.toStdString();
        }
    }
    columns.Separate = false;
    EXPECT_EQ(Csv()[1], QStringLiteral("\"/d;x/\"\"\";7;2.1.2020 3:04:05;32"))
        << "inner quotes doubled, the rest of the record bare";
}

TEST_F(ReportTest, HtmlPagesMatchTheirGoldenFiles)
{
    layout.Title = QStringLiteral("/data/");
    ExpectGolden(Html(), "default.html");

    layout.Grid = false;
    layout.Tree = true;
    layout.Title = QStringLiteral("<b>\"Mine\" & yours</b>");
    layout.Charset = QStringLiteral("windows-1250");
    columns.Separate = true;
    columns.Created = columns.Accessed = true;
    ExpectGolden(Html(), "separate-tree-nogrid.html");
}

TEST_F(ReportTest, HtmlCellsForSizesExtensionsAndEscapedNames)
{
    columns.Separate = true;
    const QStringList page = Html();
    const QString all = page.join(QLatin1Char('\n'));
    EXPECT_TRUE(all.contains(QStringLiteral("x,y&amp;&lt;z&gt;.tar")));
    EXPECT_FALSE(all.contains(QStringLiteral("<z>")));
    EXPECT_TRUE(all.contains(QStringLiteral("face=\"verdana\">&nbsp;</font>"))) << "README's Ext";
    EXPECT_TRUE(all.contains(QStringLiteral("verdana\">2</font>"))) << "1536 bytes";
    EXPECT_TRUE(all.contains(QStringLiteral("verdana\">1</font>"))) << "512 bytes";
    EXPECT_TRUE(all.contains(QStringLiteral("verdana\">0</font>"))) << "511 bytes";
    EXPECT_TRUE(all.contains(QStringLiteral("&lt;DIR&gt;  </font>")));
    EXPECT_EQ(HtmlEscape(QStringLiteral("<img src=x onerror=\"alert(1)\">")),
              QStringLiteral("&lt;img src=x onerror=&quot;alert(1)&quot;&gt;"));

    // A regional date format may hold any text.
    formats.ShortDateFormat = QStringLiteral("d'<&>'M");
    EXPECT_TRUE(Html().join(QLatin1Char('\n')).contains(QStringLiteral(">4&lt;&amp;&gt;3 9:12:40</font>")));
}

TEST_F(ReportTest, BytesThatWereNotUtf8AreWrittenAsReplacementCharacters)
{
    list.FileData[0].Name = QStringLiteral("bad") + QChar(0xDCFF) + QStringLiteral(".txt");
    const QStringList r = Csv();
    EXPECT_TRUE(r.join(QString()).contains(QStringLiteral("bad\uFFFD.txt")));
    EXPECT_FALSE(r.join(QString()).contains(QChar(0xDCFF)));
}

TEST(JsonText, EscapesWhatJsonForbidsAndKeepsTheRest)
{
    const auto json = [](const QString &text) {
        QString out;
        AppendJsonString(out, text);
        return out;
    };
    EXPECT_EQ(json(QStringLiteral("a\"b\\c\nd\te\x01")), QStringLiteral("\"a\\\"b\\\\c\\nd\\u0009e\\u0001\""));
    EXPECT_EQ(json(QString::fromUtf8("\xc3\xa9\xf0\x9f\x98\x80")), QString::fromUtf8("\"\xc3\xa9\xf0\x9f\x98\x80\""))
        << "a character outside the BMP is a pair, written as it is";
    EXPECT_EQ(json(QString(QChar(0xDCFF)) + QChar(0xD800)), QStringLiteral("\"\\udcff\\ud800\""));
}

// Amsterdam kept its own mean time, 19 minutes 32 seconds ahead of UTC,
// until 1937.
TEST(IsoTimes, OffsetsKeepTheirSecondsAndUtcIsTheInstant)
{
    testing_support::ScopedTimeZone zone("Europe/Amsterdam");
    QString text;
    AppendIsoDateTime(text, platform::EncodeDateTime(1920, 1, 15, 12, 0, 0, 999), false, false);
    EXPECT_EQ(text, QStringLiteral("1920-01-15T12:00:00+00:19:32"));
    text.clear();
    AppendIsoDateTime(text, platform::EncodeDateTime(1920, 1, 15, 12), false, true);
    EXPECT_EQ(text, QStringLiteral("1920-01-15T11:40:28Z"));
    text.clear();
    AppendIsoDateTime(text, platform::EncodeDateTime(1899, 12, 29, 6), false, false);
    EXPECT_EQ(text, QStringLiteral("1899-12-29T06:00:00+00:19:32")) << "before the scale's day 0";
}

// Reports written in chunks on several threads are byte for byte the report
// written line by line on one.
class ChunkedReportTest : public ::testing::Test {
protected:
    QByteArray Encoded(const TReportParts &parts, int threads)
    {
        QByteArray bytes;
        WriteEncodedParts(
            parts, [this](QByteArray &out, const QString &line) { encoder.Append(out, line); },
            [&](const QByteArray &chunk) { bytes += chunk; }, threads);
        return bytes;
    }
    QByteArray LineByLine(const TReportParts &parts)
    {
        QStringList lines;
        WriteParts(parts, [&](const QString &line) { lines.append(line); });
        return EncodeReport(lines, teUnicode).mid(2);  // without the byte-order mark
    }

    TFileList list = LargeSampleListing(40, 500);
    std::vector<int> order = ListingRowOrder(list, QLocale::c());
    TColumnOptions columns;
    TRegionalFormats formats = SampleFormats();
    TReportSource source{list, order, columns, formats};
    TReportEncoder encoder{teUnicode};
};

TEST_F(ChunkedReportTest, RowsWrittenOnSeveralThreadsComeOutInOrder)
{
    columns.Separate = true;
    columns.Created = columns.Accessed = true;
    THtmlLayout layout;
    layout.Tree = true;
    for (const TReportParts &parts : {CsvParts(QStringLiteral(","), source), HtmlParts(layout, source),
                                      JsonParts(tsUtc, source), PathParts(source)}) {
        const QByteArray expected = LineByLine(parts);
        ASSERT_GT(expected.size(), 500000);
        EXPECT_TRUE(Encoded(parts, 1) == expected);
        EXPECT_TRUE(Encoded(parts, 3) == expected);
    }
}

TEST_F(ChunkedReportTest, ASinkThatThrowsStopsTheReport)
{
    int chunks = 0;
    const auto stop = [&](const QByteArray &) {
        if (++chunks == 3)
            throw std::runtime_error("stop");
    };
    const auto encode = [](QByteArray &out, const QString &line) { out += line.toUtf8(); };
    EXPECT_THROW(WriteEncodedParts(CsvParts(QStringLiteral(";"), source), encode, stop, 4), std::runtime_error);
    EXPECT_EQ(chunks, 3) << "nothing after the throw";
}

} // namespace
