// tamarel-list's command line as people who script with find, fd and rg
// type it, and what it refuses.

#include "cli/CommandLine.h"
#include "cli/HelpText.h"
#include "cli/OptionTable.h"
#include "listing/ReportColumns.h"

#include <gtest/gtest.h>

using namespace cli;

namespace {

TCommandLine Parsed(const QStringList &arguments)
{
    TCommandLine c;
    QString error;
    EXPECT_TRUE(ParseCommandLine(arguments, c, error)) << arguments.join(QLatin1Char(' ')).toStdString() << ": "
                                                       << error.toStdString();
    return c;
}

QString Refusal(const QStringList &arguments)
{
    TCommandLine c;
    QString error;
    EXPECT_FALSE(ParseCommandLine(arguments, c, error)) << arguments.join(QLatin1Char(' ')).toStdString();
    EXPECT_FALSE(error.contains(QLatin1Char('\n')));
    return error;
}

QStringList Words(const char *line)
{
    return QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

TEST(CommandLineTest, GnuConventionsAllGiveTheSameCommand)
{
    for (const char *line : {"-rqfcsv -m*.h top", "-r -q -f csv -m *.h top", "--recurse --quiet --format=csv --mask *.h top",
                             "--rec --qui --form csv --mas=*.h top", "top -rq --format csv -m *.h"}) {
        const TCommandLine c = Parsed(Words(line));
        EXPECT_TRUE(c.Listing.Recurse) << line;
        EXPECT_TRUE(c.Quiet) << line;
        EXPECT_EQ(c.Report.Format, listing::rfCSV) << line;
        EXPECT_EQ(c.Listing.FileMask, QStringLiteral("*.h")) << line;
        EXPECT_EQ(c.Folders, QStringList{QStringLiteral("top")}) << line;
    }
    const TCommandLine ended = Parsed(Words("-r -- -q --format"));
    EXPECT_FALSE(ended.Quiet);
    EXPECT_EQ(ended.Folders, (QStringList{QStringLiteral("-q"), QStringLiteral("--format")}));
    EXPECT_EQ(Parsed(Words("-c -x")).Listing.Phrase, QStringLiteral("-x")) << "a value may start with a dash";
    EXPECT_EQ(Parsed({QStringLiteral("--title="), QStringLiteral("x")}).Report.Layout.Title, QString());
}

TEST(CommandLineTest, DefaultsForScripts)
{
    const TCommandLine c = Parsed({});
    EXPECT_EQ(c.Folders, QStringList{QStringLiteral(".")});
    EXPECT_EQ(c.Report.Encoding, listing::teUtf8);
    EXPECT_TRUE(c.Output.isEmpty());
    EXPECT_TRUE(Parsed(Words("-o -")).Output.isEmpty()) << "- is standard output";
    EXPECT_EQ(Parsed(Words("-o list.txt")).Output, QStringLiteral("list.txt")) << "exactly the name given";
    EXPECT_EQ(Parsed(Words("-f csv -e utf16")).Report.Encoding, listing::teUnicode);
    EXPECT_EQ(Parsed(Words("-f csv -e ascii")).Report.Encoding, listing::teAscii);
}

TEST(CommandLineTest, NewOptionsFillTheSelection)
{
    const TCommandLine c = Parsed(Words("--min-depth 1 --max-depth=3 --min-size 2k --max-size 0 --hidden "
                                        "--exclude .git --exclude *.o;build -c x --case-sensitive --whole-word "
                                        "--one-file-system --newer 2024-05-01 --older 2024-06-01T12:00Z"));
    const listing::TSelectionOptions &s = c.Listing.Selection;
    EXPECT_TRUE(c.Listing.Recurse) << "a depth implies -r";
    EXPECT_EQ(s.MinDepth, 1);
    EXPECT_EQ(s.MaxDepth, 3);
    EXPECT_EQ(s.MinSize, 2048);
    EXPECT_EQ(s.MaxSize, 0);
    EXPECT_TRUE(s.Hidden && s.CaseSensitive && s.WholeWord && s.OneFileSystem);
    EXPECT_EQ(s.Exclude, QStringLiteral(".git;*.o;build"));
    EXPECT_FALSE(s.ModifiedFrom.HasInstant);
    EXPECT_TRUE(s.ModifiedBefore.HasInstant);
    EXPECT_TRUE(Parsed(Words("--max-depth 0")).Listing.Recurse);
}

TEST(CommandLineTest, UsageErrorsAreOneLineThatNamesTheProblem)
{
    EXPECT_EQ(Refusal(Words("--bogus")), QStringLiteral("unknown option --bogus"));
    EXPECT_EQ(Refusal(Words("-rxq")), QStringLiteral("unknown option -x"));
    EXPECT_EQ(Refusal(Words("top -f")), QStringLiteral("option --format needs a value"));
    EXPECT_EQ(Refusal(Words("--recurse=yes")), QStringLiteral("option --recurse takes no value"));
    EXPECT_TRUE(Refusal(Words("--no")).startsWith(QStringLiteral("option --no is ambiguous (--no-dirs")));
    EXPECT_EQ(Refusal(Words("-f pdf")), QStringLiteral("--format: unknown value \"pdf\" (csv, html, json, paths)"));
    EXPECT_TRUE(Refusal(Words("--newer 2024-02-30")).startsWith(QStringLiteral("--newer: \"2024-02-30\" is not a date")));
    EXPECT_TRUE(Refusal(Words("--max-depth -1")).startsWith(QStringLiteral("--max-depth:")));
    EXPECT_TRUE(Refusal(Words("--columns path,colour")).contains(QStringLiteral("colour")));
    EXPECT_FALSE(Refusal(Words("-d ;;")).isEmpty());
    EXPECT_FALSE(Refusal({QStringLiteral("-d"), QStringLiteral("\"")}).isEmpty()) << "quoting would be ambiguous";
    EXPECT_FALSE(Refusal({QStringLiteral("-d"), QStringLiteral("\n")}).isEmpty());
    EXPECT_FALSE(Refusal({QStringLiteral("-o"), QString()}).isEmpty()) << "not standard output by accident";
    EXPECT_FALSE(Refusal(Words("--grid-color red")).isEmpty());
}

TEST(CommandLineTest, OptionsThatWouldChangeNothingAreRefused)
{
    for (const char *line : {"-e ascii", "-f json -e utf8", "-f csv --title x", "-f csv --no-grid", "-f json --columns name",
                             "-f paths --separate", "-f html -0", "-f paths --time-style utc", "-f json --time-style locale",
                             "--case-sensitive", "--whole-word top"})
        EXPECT_FALSE(Refusal(Words(line)).isEmpty()) << line;
    for (const char *line : {"-f csv -e unicode -d ,", "--title x", "-f json --time-style utc", "-f paths -0",
                             "-f csv --time-style iso --columns name", "-c x --whole-word"})
        Parsed(Words(line));
}

TEST(CommandLineTest, HelpShowsEveryOptionOfTheTableAndEveryColumn)
{
    const QString help = UsageText();
    for (const TOptionInfo &o : ListOptionTable()) {
        const QString spelling = (o.Short ? QStringLiteral("-%1, ").arg(QLatin1Char(o.Short)) : QStringLiteral("    "))
                                 + QStringLiteral("--") + QLatin1String(o.Long);
        EXPECT_TRUE(help.contains(QStringLiteral("  ") + spelling)) << spelling.toStdString();
    }
    for (const QString &line : help.split(QLatin1Char('\n')))
        EXPECT_LE(line.size(), 79) << line.toStdString();
    const TOptionInfo &columns =
        *std::find_if(ListOptionTable().begin(), ListOptionTable().end(), [](const TOptionInfo &o) { return o.Id == oColumns; });
    for (const listing::TReportColumnInfo &column : listing::ReportColumns())
        EXPECT_TRUE(QString::fromLatin1(columns.Help).contains(QLatin1String(column.OptionName))) << column.OptionName;
}

} // namespace
