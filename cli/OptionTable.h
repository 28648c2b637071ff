#pragma once
// tamarel-list's options, each described once: the parser reads its names
// from here, --help and the manual page their texts, the shell completions
// how a value is completed. Nothing else lists the options.

#include <vector>

namespace cli {

enum TOptionId {
    oRecurse, oMask, oExclude, oMinDepth, oMaxDepth, oMinSize, oMaxSize, oNewer, oOlder, oHidden,
    oOneFileSystem, oNoDirs, oNoFiles, oUntick, oListUnticked,
    oContaining, oCaseSensitive, oWholeWord,
    oFormat, oOutput, oEncoding, oDelimiter, oColumns, oSeparate, oTimeStyle, oNull, oJobs, oQuiet,
    oNoGrid, oGridColor, oHeaderColor, oHeaderFontColor, oCellColor, oCellFontColor, oTitle, oTree, oCharset,
    oHelp, oVersion,
};

struct TOptionInfo {
    TOptionId Id;
    const char *Group;  // the heading it is listed under: "Selection"
    char Short;         // 'r'; 0 when it has a long name only
    const char *Long;   // "recurse", without the dashes
    // The value's placeholder; empty for an option without one. Its
    // spelling tells the shells how to complete it: "csv|html" offers those
    // words, FILE file names, FOLDER folder names, anything else nothing.
    const char *Value;
    const char *Help;  // sentences; the first is the short form
    bool Repeatable;   // each value counts, not only the last
};

// In the order --help lists them, grouped.
const std::vector<TOptionInfo> &ListOptionTable();

} // namespace cli
