#include "cli/CommandLine.h"

#include "cli/OptionTable.h"
#include "cli/OptionValues.h"
#include "listing/CsvReport.h"
#include "listing/ReportColumns.h"
#include "platform/NameCodec.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstring>
#include <getopt.h>
#include <string>
#include <vector>

namespace cli {

namespace {

using listing::TReportFormat;

// getopt_long returns a short option's letter; an option with a long name
// only is told by this base plus its place in the table.
constexpr int LongOnlyBase = 256;

const TOptionInfo &Info(TOptionId id)
{
    const std::vector<TOptionInfo> &table = ListOptionTable();
    return *std::find_if(table.begin(), table.end(), [id](const TOptionInfo &o) { return o.Id == id; });
}

QString LongName(TOptionId id)
{
    return QStringLiteral("--") + QLatin1String(Info(id).Long);
}

bool HasValue(const TOptionInfo &o)
{
    return o.Value[0] != 0;
}

// The value among "a|b|c", by its index, or -1.
int Choice(const QString &value, const char *choices)
{
    return int(QString::fromLatin1(choices).split(QLatin1Char('|')).indexOf(value));
}

bool ChoiceError(TOptionId id, const QString &value, QString &error)
{
    error = QStringLiteral("unknown value \"%1\" (%2)")
                .arg(value, QString::fromLatin1(Info(id).Value).replace(QLatin1Char('|'), QLatin1String(", ")));
    return false;
}

bool IsColour(const QString &text)
{
    static const QRegularExpression colour(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    return colour.match(text).hasMatch();
}

bool ReadColumns(const QString &list, listing::TColumnOptions &c, QString &error)
{
    for (const listing::TReportColumnInfo &column : listing::ReportColumns())
        c.*column.Chosen = false;
    for (const QString &raw : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = raw.trimmed();
        const listing::TReportColumnInfo *column = listing::FindReportColumn(name);
        if (!column) {
            error = QStringLiteral("unknown column \"%1\"").arg(name);
            return false;
        }
        c.*column->Chosen = true;
    }
    return true;
}

bool ApplyListingOption(TOptionId id, const QString &v, TCommandLine &c, QString &error)
{
    listing::TListingOptions &l = c.Listing;
    listing::TSelectionOptions &s = l.Selection;
    switch (id) {
    case oRecurse: l.Recurse = true; return true;
    case oMask: l.FileMask = v; return true;
    case oExclude: s.Exclude += (s.Exclude.isEmpty() ? QString() : QStringLiteral(";")) + v; return true;
    case oMinDepth: l.Recurse = true; return ParseDepth(v, s.MinDepth, error);
    case oMaxDepth: l.Recurse = true; return ParseDepth(v, s.MaxDepth, error);
    case oMinSize: return ParseSize(v, s.MinSize, error);
    case oMaxSize: return ParseSize(v, s.MaxSize, error);
    case oNewer: return ParseDate(v, s.ModifiedFrom, error);
    case oOlder: return ParseDate(v, s.ModifiedBefore, error);
    case oHidden: s.Hidden = true; return true;
    case oOneFileSystem: s.OneFileSystem = true; return true;
    case oNoDirs: l.ListDirs = false; return true;
    case oNoFiles: l.ListFiles = false; return true;
    case oUntick: c.Unticked.append(v); return true;
    case oListUnticked: l.ListUnticked = true; return true;
    case oContaining: l.Phrase = v; return true;
    case oCaseSensitive: s.CaseSensitive = true; return true;
    case oWholeWord: s.WholeWord = true; return true;
    default: return true;
    }
}

bool ApplyReportOption(TOptionId id, const QString &v, TCommandLine &c, QString &error)
{
    listing::TReportOptions &r = c.Report;
    int choice = -1;
    switch (id) {
    case oFormat:
        choice = Choice(v, Info(id).Value);
        r.Format = TReportFormat(choice);
        return choice >= 0 || ChoiceError(id, v, error);
    case oEncoding:
        choice = Choice(v, Info(id).Value);
        r.Encoding = v == QLatin1String("utf16") ? listing::teUnicode : listing::TTextEncoding(choice);
        return choice >= 0 || ChoiceError(id, v, error);
    case oTimeStyle:
        choice = Choice(v, Info(id).Value);
        r.TimeStyle = listing::TTimeStyle(choice);
        return choice >= 0 || ChoiceError(id, v, error);
    case oDelimiter:
        r.Delimiter = v;
        if (!listing::IsCsvDelimiter(v))
            error = QStringLiteral("one character or none, not a quote or a line break");
        return error.isEmpty();
    case oColumns: return ReadColumns(v, r.Columns, error);
    case oSeparate: r.Columns.Separate = true; return true;
    case oOutput:
        c.Output = v == QLatin1String("-") ? QString() : v;
        if (v.isEmpty())
            error = QStringLiteral("a file name, or - for standard output");
        return !v.isEmpty();
    case oNull: c.NulTerminated = true; return true;
    case oJobs: return ParseJobs(v, c.Listing.Workers, error);
    case oQuiet: c.Quiet = true; return true;
    case oHelp: c.Help = true; return true;
    case oVersion: c.Version = true; return true;
    default: return true;
    }
}

bool ApplyHtmlOption(TOptionId id, const QString &v, TCommandLine &c, QString &error)
{
    listing::THtmlLayout &h = c.Report.Layout;
    QString *colour = nullptr;
    switch (id) {
    case oNoGrid: h.Grid = false; return true;
    case oGridColor: colour = &h.GridColor; break;
    case oHeaderColor: colour = &h.HeaderColor; break;
    case oHeaderFontColor: colour = &h.HeaderFontColor; break;
    case oCellColor: colour = &h.CellColor; break;
    case oCellFontColor: colour = &h.CellFontColor; break;
    case oTitle: h.Title = v; c.TitleGiven = true; return true;
    case oTree: h.Tree = true; return true;
    case oCharset: h.Charset = v; return true;
    default: return true;
    }
    *colour = v;
    if (!IsColour(v))
        error = QStringLiteral("a colour is written #RRGGBB");
    return IsColour(v);
}

// Each of the three knows its own options and passes over the others.
bool Apply(TOptionId id, const QString &value, TCommandLine &c, QString &error)
{
    return ApplyListingOption(id, value, c, error) && ApplyReportOption(id, value, c, error)
           && ApplyHtmlOption(id, value, c, error);
}

// getopt_long's view of the table: the short letters (a leading ":" makes a
// missing value its own answer) and the long names.
struct TGetoptTable {
    std::string ShortOptions = ":";
    std::vector<option> LongOptions;

    TGetoptTable()
    {
        const std::vector<TOptionInfo> &table = ListOptionTable();
        for (size_t i = 0; i < table.size(); ++i) {
            const TOptionInfo &o = table[i];
            if (o.Short) {
                ShortOptions += o.Short;
                if (HasValue(o))
                    ShortOptions += ':';
            }
            LongOptions.push_back({o.Long, HasValue(o) ? required_argument : no_argument, nullptr,
                                   o.Short ? int(o.Short) : LongOnlyBase + int(i)});
        }
        LongOptions.push_back({nullptr, 0, nullptr, 0});
    }
};

const TOptionInfo *FromGetopt(int answer)
{
    const std::vector<TOptionInfo> &table = ListOptionTable();
    if (answer >= LongOnlyBase)
        return answer - LongOnlyBase < int(table.size()) ? &table[size_t(answer - LongOnlyBase)] : nullptr;
    const auto found = std::find_if(table.begin(), table.end(),
                                    [answer](const TOptionInfo &o) { return o.Short && o.Short == answer; });
    return found == table.end() ? nullptr : &*found;
}

// What getopt_long refused, in one line. Argument is the word it was
// reading when it refused a long option.
QString RefusalText(int answer, const char *argument)
{
    const TOptionInfo *option = FromGetopt(optopt);
    if (answer == ':' && option)
        return QStringLiteral("option %1 needs a value").arg(LongName(option->Id));
    if (option)  // only a long option can be given a value it does not take
        return QStringLiteral("option %1 takes no value").arg(LongName(option->Id));
    if (optopt != 0)
        return QStringLiteral("unknown option -%1").arg(QChar::fromLatin1(char(optopt)));
    const QString word = platform::DecodeFileName(argument, std::strlen(argument));
    const QString name = word.mid(2).section(QLatin1Char('='), 0, 0);
    QStringList candidates;
    for (const TOptionInfo &o : ListOptionTable())
        if (QLatin1String(o.Long).startsWith(name))
            candidates << QStringLiteral("--") + QLatin1String(o.Long);
    if (candidates.size() > 1)
        return QStringLiteral("option --%1 is ambiguous (%2)").arg(name, candidates.join(QLatin1String(", ")));
    return QStringLiteral("unknown option --%1").arg(name);
}

// Options that would change nothing in the chosen format are mistakes, not
// wishes to ignore.
bool CheckCombination(const std::vector<bool> &given, const TCommandLine &c, QString &error)
{
    const TReportFormat format = c.Report.Format;
    const auto refuse = [&](TOptionId id, const char *why) {
        error = QStringLiteral("option %1 %2").arg(LongName(id), QLatin1String(why));
        return false;
    };
    for (const TOptionInfo &o : ListOptionTable()) {
        if (!given[size_t(o.Id)])
            continue;
        if ((o.Id == oEncoding || o.Id == oDelimiter) && format != listing::rfCSV)
            return refuse(o.Id, "applies to -f csv only");
        if (QLatin1String(o.Group) == QLatin1String("HTML layout") && format != listing::rfHTML)
            return refuse(o.Id, "applies to -f html only");
        if ((o.Id == oColumns || o.Id == oSeparate) && format != listing::rfCSV && format != listing::rfHTML)
            return refuse(o.Id, "applies to -f csv and -f html only");
        if (o.Id == oTimeStyle && (format == listing::rfPaths || (format == listing::rfJSON && c.Report.TimeStyle == listing::tsLocale)))
            return refuse(o.Id, format == listing::rfPaths ? "does not apply to -f paths" : "locale does not apply to -f json");
        if (o.Id == oNull && format != listing::rfPaths)
            return refuse(o.Id, "applies to -f paths only");
        if ((o.Id == oCaseSensitive || o.Id == oWholeWord) && c.Listing.Phrase.isEmpty())
            return refuse(o.Id, "needs -c PHRASE");
    }
    return true;
}

} // namespace

bool ParseCommandLine(const QStringList &arguments, TCommandLine &c, QString &error)
{
    // getopt_long reads and reorders C strings; the texts go back to the
    // bytes they were decoded from.
    std::vector<std::string> words{"tamarel-list"};
    for (const QString &argument : arguments)
        words.push_back(platform::EncodeFileName(argument));
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    static const TGetoptTable table;
    std::vector<bool> given(ListOptionTable().size());
    c.Report.Encoding = listing::teUtf8;
    optind = 0;  // glibc: start afresh, also after an earlier parse
    opterr = 0;
    for (;;) {
        const int answer = getopt_long(int(words.size()), argv.data(), table.ShortOptions.c_str(),
                                       table.LongOptions.data(), nullptr);
        if (answer == -1)
            break;
        const TOptionInfo *option = answer == '?' || answer == ':' ? nullptr : FromGetopt(answer);
        if (!option) {
            error = RefusalText(answer, argv[size_t(std::max(optind - 1, 1))]);
            return false;
        }
        given[size_t(option->Id)] = true;
        const QString value = optarg ? platform::DecodeFileName(optarg, std::strlen(optarg)) : QString();
        if (!Apply(option->Id, value, c, error)) {
            error = LongName(option->Id) + QStringLiteral(": ") + error;
            return false;
        }
    }
    for (int i = optind; i < int(words.size()); ++i)
        c.Folders.append(platform::DecodeFileName(argv[size_t(i)], std::strlen(argv[size_t(i)])));
    if (c.Folders.isEmpty())
        c.Folders.append(QStringLiteral("."));
    return CheckCombination(given, c, error);
}

} // namespace cli
