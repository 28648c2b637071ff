#include "cli/HelpText.h"

#include "cli/OptionTable.h"

#include <QStringList>

namespace cli {

namespace {

constexpr qsizetype TextColumn = 30;
constexpr qsizetype LineWidth = 79;

const char *const Head =
    "Usage: tamarel-list [OPTION]... [FOLDER]...\n"
    "Lists the entries of each FOLDER (the current folder when none is given) into\n"
    "one report, folders first, each by full name.\n";

const char *const Tail =
    "\n"
    "MASKS: \";\" separates masks, \"*\" is any run of characters and \"?\" one; letter\n"
    "case is ignored; \"*.*\" matches every name and \"*.\" the names without a dot.\n"
    "Left out: dot-named entries unless --hidden; devices, FIFOs and sockets. Links\n"
    "are listed but never followed.\n"
    "\n"
    "Examples:\n"
    "  tamarel-list -r -m '*.pdf' -f csv -o papers.csv ~/Documents\n"
    "  tamarel-list -r --no-dirs --newer 2024-05-01 -f paths -0 | xargs -0 md5sum\n"
    "  tamarel-list -r --min-size 100M -f json --time-style utc /srv > big.jsonl\n"
    "\n"
    "Exit status: 0 complete; 1 incomplete (something could not be read) or not\n"
    "written; 2 usage error or FOLDER not found; 130 interrupted (143 by SIGTERM).\n";

// "  -f, --format=csv|html|json|paths"
QString Spelling(const TOptionInfo &o)
{
    QString text = o.Short ? QStringLiteral("  -%1, ").arg(QLatin1Char(o.Short)) : QStringLiteral("      ");
    text += QStringLiteral("--") + QLatin1String(o.Long);
    if (o.Value[0])
        text += QLatin1Char('=') + QLatin1String(o.Value);
    return text;
}

// The help beside the spelling, or on the lines below when the spelling is
// too wide, broken at blanks to the line width.
void AppendOption(QString &out, const TOptionInfo &o)
{
    QString line = Spelling(o);
    const QString indent(TextColumn, QLatin1Char(' '));
    line = line.size() + 2 <= TextColumn ? line.leftJustified(TextColumn) : (line + QLatin1Char('\n') + indent);
    qsizetype lineStart = line.lastIndexOf(QLatin1Char('\n')) + 1;
    bool first = true;
    for (const QString &word : QString::fromUtf8(o.Help).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!first && line.size() - lineStart + 1 + word.size() > LineWidth) {
            line += QLatin1Char('\n') + indent;
            lineStart = line.size() - indent.size();
        } else if (!first) {
            line += QLatin1Char(' ');
        }
        line += word;
        first = false;
    }
    out += line + QLatin1Char('\n');
}

} // namespace

QString UsageText()
{
    QString out = QString::fromLatin1(Head);
    QString group;
    for (const TOptionInfo &o : ListOptionTable()) {
        if (group != QLatin1String(o.Group)) {
            group = QLatin1String(o.Group);
            out += QLatin1Char('\n') + group + QStringLiteral(":\n");
        }
        AppendOption(out, o);
    }
    return out + QString::fromLatin1(Tail);
}

} // namespace cli
