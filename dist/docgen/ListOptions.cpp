// tamarel-list's options for the manual page and the completions, read from
// the table its parser and --help use, so that neither can drift from the
// program.

#include "OptionDoc.h"

#include "cli/OptionTable.h"

namespace docgen {

std::vector<TOptionDoc> ListOptions()
{
    std::vector<TOptionDoc> options;
    for (const cli::TOptionInfo &o : cli::ListOptionTable())
        options.push_back({QString::fromLatin1(o.Group), o.Short ? QChar::fromLatin1(o.Short) : QChar(),
                           QString::fromLatin1(o.Long), QString::fromLatin1(o.Value), QString::fromUtf8(o.Help),
                           o.Repeatable});
    return options;
}

} // namespace docgen
