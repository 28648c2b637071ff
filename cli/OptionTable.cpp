#include "cli/OptionTable.h"

namespace cli {

namespace {

const char *const Selection = "Selection";
const char *const Content = "Content";
const char *const Output = "Output";
const char *const Html = "HTML layout";
const char *const Program = "Program";

const char *const Colour = "#RRGGBB";

} // namespace

const std::vector<TOptionInfo> &ListOptionTable()
{
    static const std::vector<TOptionInfo> table{
        {oRecurse, Selection, 'r', "recurse", "", "Lists the contents of subfolders too, at every depth.", false},
        {oMask, Selection, 'm', "mask", "MASKS",
         "Lists only entries whose names match one of MASKS; folders are entered all the same. "
         "The default is \"*.*\".",
         false},
        {oExclude, Selection, 0, "exclude", "MASKS",
         "Leaves out files and folders whose names match one of MASKS, and does not enter such folders. "
         "May be given more than once.",
         true},
        {oMinDepth, Selection, 0, "min-depth", "N",
         "Lists only entries at least N folders below FOLDER, whose own entries are depth 0. "
         "Implies -r.",
         false},
        {oMaxDepth, Selection, 0, "max-depth", "N",
         "Enters folders at most N levels below FOLDER, so that 0 lists its own entries only. Implies -r.",
         false},
        {oMinSize, Selection, 0, "min-size", "SIZE",
         "Lists only entries of at least SIZE bytes; SIZE may end in k, M or G (1024, 1024^2, 1024^3). "
         "Folders count as 0 bytes.",
         false},
        {oMaxSize, Selection, 0, "max-size", "SIZE", "Lists only entries of at most SIZE bytes, as --min-size reads it.",
         false},
        {oNewer, Selection, 0, "newer", "DATE",
         "Lists only entries modified at or after DATE. "
         "DATE is 2024-05-01 (its midnight) or 2024-05-01T12:00[:00], local time unless an offset follows "
         "(Z, +02:00, -0500).",
         false},
        {oOlder, Selection, 0, "older", "DATE", "Lists only entries modified before DATE, read as for --newer.", false},
        {oHidden, Selection, 0, "hidden", "", "Lists dot-named entries too, and enters dot-named folders.", false},
        {oOneFileSystem, Selection, 0, "one-file-system", "",
         "Lists the folders where other file systems are mounted, but does not enter them.", false},
        {oNoDirs, Selection, 0, "no-dirs", "", "Leaves folders out of the listing.", false},
        {oNoFiles, Selection, 0, "no-files", "", "Leaves files out of the listing.", false},
        {oUntick, Selection, 'u', "untick", "NAME",
         "Leaves the entry NAME of each FOLDER out, as unticking it in the window does. "
         "May be given more than once.",
         true},
        {oListUnticked, Selection, 0, "list-unticked", "", "Lists the unticked entries all the same.", false},

        {oContaining, Content, 'c', "containing", "PHRASE", "Lists only files that contain PHRASE, in any letter case.",
         false},
        {oCaseSensitive, Content, 0, "case-sensitive", "", "Finds PHRASE only in its exact letter case.", false},
        {oWholeWord, Content, 0, "whole-word", "",
         "Finds PHRASE only as a whole word: no letter or digit right before or after it.", false},

        {oFormat, Output, 'f', "format", "csv|html|json|paths",
         "Writes a CSV report, an HTML page, JSON Lines (one object per entry: path, name, ext, type, size, "
         "modified, created, accessed, attributes) or bare full paths. The default is html.",
         false},
        {oOutput, Output, 'o', "output", "FILE",
         "Writes the report to FILE, which is replaced only once the report is complete. "
         "Standard output is the default, or -; a device or FIFO such as /dev/stdout is written directly.",
         false},
        {oEncoding, Output, 'e', "encoding", "ascii|utf8|unicode|utf16",
         "Encoding of a CSV report; unicode (or utf16) is UTF-16LE, starting with its byte-order mark. "
         "The default is utf8.",
         false},
        {oDelimiter, Output, 'd', "delimiter", "C",
         "Separates the CSV fields with C, one character (not a quote or a line break) or none. The default is \";\".", false},
        {oColumns, Output, 0, "columns", "LIST",
         "The columns of a CSV or HTML report, separated by commas: path, name, ext, size, created, "
         "modified, accessed, attrs. The default is path,name,ext,size,modified,attrs.",
         false},
        {oSeparate, Output, 0, "separate", "",
         "Puts the folder, the name and the extension in columns of their own.", false},
        {oTimeStyle, Output, 0, "time-style", "locale|iso|utc",
         "How CSV and HTML reports write times: locale as the locale's date and time (the default), "
         "iso as 2024-05-01T12:00:00+02:00 with the offset in force at that date, "
         "utc as 2024-05-01T10:00:00Z. JSON writes iso unless utc is asked for.",
         false},
        {oNull, Output, '0', "null", "", "With -f paths, ends each path with a NUL byte instead of a line break.",
         false},
        {oQuiet, Output, 'q', "quiet", "", "Shows no progress on a terminal.", false},

        {oNoGrid, Html, 0, "no-grid", "", "Draws no grid lines between the cells.", false},
        {oGridColor, Html, 0, "grid-color", Colour, "Colour of the grid lines.", false},
        {oHeaderColor, Html, 0, "header-color", Colour, "Background colour of the header row.", false},
        {oHeaderFontColor, Html, 0, "header-font-color", Colour, "Text colour of the header row.", false},
        {oCellColor, Html, 0, "cell-color", Colour, "Background colour of the other rows.", false},
        {oCellFontColor, Html, 0, "cell-font-color", Colour, "Text colour of the other rows.", false},
        {oTitle, Html, 0, "title", "TEXT", "Title of the page. The default is the last FOLDER listed.", false},
        {oTree, Html, 0, "tree", "", "With --separate, indents the names by their depth below FOLDER, like a tree.",
         false},
        {oCharset, Html, 0, "charset", "NAME",
         "Character set the page declares; the page is UTF-8 whatever it says. The default is utf-8.", false},

        {oHelp, Program, 'h', "help", "", "Shows the options and exits.", false},
        {oVersion, Program, 0, "version", "", "Shows the version and exits.", false},
    };
    return table;
}

} // namespace cli
