#pragma once
// What the manual page and the shell completions need to know of one
// tamarel-list option, and how its value is completed.

#include <QString>
#include <QStringList>
#include <vector>

namespace docgen {

struct TOptionDoc {
    QString Group;  // the heading it is listed under, e.g. "Selection"
    QChar Short;    // 'r'; a null QChar when the option has a long name only
    QString Long;   // "recurse", without the dashes
    // Placeholder of the value; empty for a flag. Its spelling decides how a
    // shell completes the value: "csv|html" offers those words (each one word),
    // FILE offers file names, FOLDER folder names, any other name nothing.
    QString Value;
    QString Help;   // one or more sentences; the first one is the short form
    bool Repeatable = false;
};

enum class TValueKind { None, Flag, Choices, File, Folder };

TValueKind ValueKind(const TOptionDoc &option);
QStringList Choices(const TOptionDoc &option);  // "csv|html" -> csv, html
// The first sentence of Help without its full stop, for the shells' one-line
// descriptions.
QString Summary(const TOptionDoc &option);
// "-f", "--format": what may be typed for the option.
QStringList Spellings(const TOptionDoc &option);

// tamarel-list's options, in the order --help lists them.
std::vector<TOptionDoc> ListOptions();

} // namespace docgen
