#include "cli/CommandLine.h"

#include "listing/ReportColumns.h"

#include <QRegularExpression>

namespace cli {

namespace {

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

// "path,name,ext,size,created,modified,accessed,attrs", or only the
// columns a report has by default.
QString ColumnNames(bool defaultsOnly)
{
    const listing::TColumnOptions defaults;
    QStringList names;
    for (const listing::TReportColumnInfo &column : listing::ReportColumns())
        if (!defaultsOnly || defaults.*column.Chosen)
            names.append(QLatin1String(column.OptionName));
    return names.join(QLatin1Char(','));
}

// One option that takes a value: its value, or a usage error when the
// arguments end first.
struct TArguments {
    const QStringList &List;
    qsizetype Next = 0;
    bool Value(const QString &option, QString &value, QString &error)
    {
        if (Next >= List.size()) {
            error = QStringLiteral("option %1 needs a value").arg(option);
            return false;
        }
        value = List[Next++];
        return true;
    }
};

} // namespace

bool ParseCommandLine(const QStringList &arguments, TCommandLine &c, QString &error)
{
    TArguments args{arguments};
    bool optionsEnded = false;
    while (args.Next < arguments.size()) {
        QString arg = arguments[args.Next++];
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            c.Folders.append(arg);
            continue;
        }
        QString inlineValue;
        bool hasInline = false;
        if (arg.startsWith(QLatin1String("--")) && arg.contains(QLatin1Char('='))) {
            inlineValue = arg.mid(arg.indexOf(QLatin1Char('=')) + 1);
            arg = arg.left(arg.indexOf(QLatin1Char('=')));
            hasInline = true;
        }
        static const QStringList flags = {
            QStringLiteral("--recurse"), QStringLiteral("--no-dirs"), QStringLiteral("--no-files"),
            QStringLiteral("--list-unticked"), QStringLiteral("--separate"), QStringLiteral("--no-grid"),
            QStringLiteral("--tree"), QStringLiteral("--quiet"), QStringLiteral("--help"),
            QStringLiteral("--version")};
        if (hasInline && flags.contains(arg)) {
            error = QStringLiteral("option %1 takes no value").arg(arg);
            return false;
        }
        auto value = [&](QString &out) {
            if (hasInline) {
                out = inlineValue;
                return true;
            }
            return args.Value(arg, out, error);
        };
        QString v;
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (arg == QLatin1String("-r") || arg == QLatin1String("--recurse")) {
            c.Listing.Recurse = true;
        } else if (arg == QLatin1String("-m") || arg == QLatin1String("--mask")) {
            if (!value(c.Listing.FileMask))
                return false;
        } else if (arg == QLatin1String("-c") || arg == QLatin1String("--containing")) {
            if (!value(c.Listing.Phrase))
                return false;
        } else if (arg == QLatin1String("--no-dirs")) {
            c.Listing.ListDirs = false;
        } else if (arg == QLatin1String("--no-files")) {
            c.Listing.ListFiles = false;
        } else if (arg == QLatin1String("-u") || arg == QLatin1String("--untick")) {
            if (!value(v))
                return false;
            c.Unticked.append(v);
        } else if (arg == QLatin1String("--list-unticked")) {
            c.Listing.ListUnticked = true;
        } else if (arg == QLatin1String("-f") || arg == QLatin1String("--format")) {
            if (!value(v))
                return false;
            if (v == QLatin1String("csv"))
                c.Report.Format = listing::rfCSV;
            else if (v == QLatin1String("html"))
                c.Report.Format = listing::rfHTML;
            else {
                error = QStringLiteral("unknown format \"%1\" (csv or html)").arg(v);
                return false;
            }
        } else if (arg == QLatin1String("--columns")) {
            if (!value(v) || !ReadColumns(v, c.Report.Columns, error))
                return false;
        } else if (arg == QLatin1String("--separate")) {
            c.Report.Columns.Separate = true;
        } else if (arg == QLatin1String("-d") || arg == QLatin1String("--delimiter")) {
            if (!value(c.Report.Delimiter))
                return false;
            if (c.Report.Delimiter.size() > 1) {
                error = QStringLiteral("the delimiter is one character or none");
                return false;
            }
        } else if (arg == QLatin1String("-e") || arg == QLatin1String("--encoding")) {
            if (!value(v))
                return false;
            if (v == QLatin1String("ascii"))
                c.Report.Encoding = listing::teAscii;
            else if (v == QLatin1String("utf8"))
                c.Report.Encoding = listing::teUtf8;
            else if (v == QLatin1String("unicode"))
                c.Report.Encoding = listing::teUnicode;
            else {
                error = QStringLiteral("unknown encoding \"%1\" (ascii, utf8 or unicode)").arg(v);
                return false;
            }
        } else if (arg == QLatin1String("--no-grid")) {
            c.Report.Layout.Grid = false;
        } else if (arg == QLatin1String("--grid-color") || arg == QLatin1String("--header-color")
                   || arg == QLatin1String("--header-font-color") || arg == QLatin1String("--cell-color")
                   || arg == QLatin1String("--cell-font-color")) {
            if (!value(v))
                return false;
            if (!IsColour(v)) {
                error = QStringLiteral("%1 takes a colour as #RRGGBB").arg(arg);
                return false;
            }
            QString &target = arg == QLatin1String("--grid-color")          ? c.Report.Layout.GridColor
                              : arg == QLatin1String("--header-color")      ? c.Report.Layout.HeaderColor
                              : arg == QLatin1String("--header-font-color") ? c.Report.Layout.HeaderFontColor
                              : arg == QLatin1String("--cell-color")        ? c.Report.Layout.CellColor
                                                                            : c.Report.Layout.CellFontColor;
            target = v;
        } else if (arg == QLatin1String("--title")) {
            if (!value(c.Report.Layout.Title))
                return false;
            c.TitleGiven = true;
        } else if (arg == QLatin1String("--tree")) {
            c.Report.Layout.Tree = true;
        } else if (arg == QLatin1String("--charset")) {
            if (!value(c.Report.Layout.Charset))
                return false;
        } else if (arg == QLatin1String("-o") || arg == QLatin1String("--output")) {
            if (!value(c.Output))
                return false;
        } else if (arg == QLatin1String("-j") || arg == QLatin1String("--jobs")) {
            if (!value(v))
                return false;
            bool number = false;
            c.Listing.Workers = v.toInt(&number);
            if (!number || c.Listing.Workers < 1) {
                error = QStringLiteral("option %1 takes a number of threads, 1 or more").arg(arg);
                return false;
            }
        } else if (arg == QLatin1String("-q") || arg == QLatin1String("--quiet")) {
            c.Quiet = true;
        } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            c.Help = true;
        } else if (arg == QLatin1String("--version")) {
            c.Version = true;
        } else {
            error = QStringLiteral("unknown option %1").arg(arg);
            return false;
        }
    }
    if (c.Folders.isEmpty() && !c.Help && !c.Version) {
        error = QStringLiteral("no FOLDER given");
        return false;
    }
    return true;
}

QString UsageText()
{
    return QString::fromLatin1(
        "Usage: tamarel-list [options] FOLDER...\n"
        "Lists the entries of each FOLDER into one report.\n"
        "\n"
        "  -r, --recurse              recurse subdirectories\n"
        "  -m, --mask MASKS           file masks separated by \";\" (default \"*.*\")\n"
        "  -c, --containing PHRASE    only files that contain PHRASE\n"
        "      --no-dirs              leave directories out\n"
        "      --no-files             leave files out\n"
        "  -u, --untick NAME          leave the entry NAME of FOLDER unticked (repeatable)\n"
        "      --list-unticked        list unticked entries of FOLDER all the same\n"
        "  -f, --format csv|html      report format (default html)\n"
        "      --columns LIST         of %1\n"
        "                             (default %2)\n"
        "      --separate             separate path, name and extension\n"
        "  -d, --delimiter C          CSV delimiter (default \";\"; may be empty)\n"
        "  -e, --encoding ascii|utf8|unicode   CSV file encoding (default ascii)\n"
        "      --no-grid  --grid-color  --header-color  --header-font-color\n"
        "      --cell-color  --cell-font-color  (#RRGGBB)\n"
        "      --title TEXT           HTML title (default: the listed folder)\n"
        "      --tree                 tree simulation in the Name column\n"
        "      --charset NAME         HTML charset (default utf-8)\n"
        "  -o, --output FILE          save as the window's Save does for the format's file type\n"
        "  -j, --jobs N               read folders on N threads (default: one per processor)\n"
        "  -q, --quiet                no progress display\n"
        "  -h, --help   --version\n")
        .arg(ColumnNames(false), ColumnNames(true));
}

} // namespace cli
