// tamarel-list's options as its --help shows them today. The parser keeps
// its own list, so the test that compares --help with the generated manual
// page keeps the two in step until the parser reads a table that can be used
// here directly.

#include "OptionDoc.h"

namespace docgen {

namespace {

TOptionDoc Option(const char *group, char shortName, const char *longName, const char *value,
                  const char *help, bool repeatable = false)
{
    return {QString::fromLatin1(group), shortName ? QChar::fromLatin1(shortName) : QChar(),
            QString::fromLatin1(longName), QString::fromLatin1(value), QString::fromUtf8(help), repeatable};
}

const char *const Selection = "Selection";
const char *const Report = "Report";
const char *const Html = "HTML layout";
const char *const Output = "Output";

} // namespace

std::vector<TOptionDoc> ListOptions()
{
    return {
        Option(Selection, 'r', "recurse", "", "Lists the contents of subfolders too, at every depth."),
        Option(Selection, 'm', "mask", "MASKS",
               "Lists only files whose names match one of the masks, separated by \";\". "
               "A mask may hold * and ?; letter case is ignored; \"*.*\" matches every name. "
               "The default is \"*.*\"."),
        Option(Selection, 'c', "containing", "PHRASE", "Lists only files that contain PHRASE."),
        Option(Selection, 0, "no-dirs", "", "Leaves folders out of the listing."),
        Option(Selection, 0, "no-files", "", "Leaves files out of the listing."),
        Option(Selection, 'u', "untick", "NAME",
               "Leaves the entry NAME of each FOLDER out, as unticking it in the window does. "
               "May be given more than once.",
               true),
        Option(Selection, 0, "list-unticked", "", "Lists the unticked entries all the same."),
        Option(Report, 'f', "format", "csv|html", "Writes a CSV or an HTML report. The default is html."),
        Option(Report, 0, "columns", "LIST",
               "The columns of the report, separated by commas: path, name, ext, size, created, "
               "modified, accessed, attrs. "
               "The default is path,name,ext,size,modified,attrs."),
        Option(Report, 0, "separate", "", "Puts the folder, the name and the extension in columns of their own."),
        Option(Report, 'd', "delimiter", "C", "Separates the CSV fields with C, one character or none. The default is \";\"."),
        Option(Report, 'e', "encoding", "ascii|utf8|unicode",
               "Encoding of a CSV file written with --output; unicode is UTF-16 with its byte order mark. "
               "The default is ascii. Standard output and HTML files are UTF-8."),
        Option(Html, 0, "no-grid", "", "Draws no grid lines between the cells."),
        Option(Html, 0, "grid-color", "#RRGGBB", "Colour of the grid lines."),
        Option(Html, 0, "header-color", "#RRGGBB", "Background colour of the header row."),
        Option(Html, 0, "header-font-color", "#RRGGBB", "Text colour of the header row."),
        Option(Html, 0, "cell-color", "#RRGGBB", "Background colour of the other rows."),
        Option(Html, 0, "cell-font-color", "#RRGGBB", "Text colour of the other rows."),
        Option(Html, 0, "title", "TEXT", "Title of the page. The default is the last FOLDER listed."),
        Option(Html, 0, "tree", "", "With --separate, indents the names by their depth below FOLDER, like a tree."),
        Option(Html, 0, "charset", "NAME", "Character set the page declares. The default is utf-8."),
        Option(Output, 'o', "output", "FILE",
               "Saves the report to FILE as the window's Save does: the extension becomes .csv or .html "
               "and lines end with CR LF. Without it the report goes to standard output."),
        Option(Output, 'j', "jobs", "N",
               "Reads the folders on N threads, 1 for one thread. The default is one thread per processor. "
               "The report is the same for any N."),
        Option(Output, 'q', "quiet", "", "Shows no progress on a terminal."),
        Option(Output, 'h', "help", "", "Shows the options and exits."),
        Option(Output, 0, "version", "", "Shows the version and exits."),
    };
}

} // namespace docgen
