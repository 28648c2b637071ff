#pragma once
// tamarel-list's command line, read into the same option records the window
// fills from its controls. The options are those of OptionTable.h, read by
// getopt_long with the GNU conventions: bundled short options (-rq),
// attached values (-fcsv, --format=csv), long names shortened to any
// unambiguous start (--rec), options and folders in any order, "--" ending
// the options.

#include "listing/ListingController.h"
#include "listing/ListingOptions.h"

#include <QStringList>

namespace cli {

struct TCommandLine {
    QStringList Folders;   // "." when none is given
    QStringList Unticked;  // entry names of each FOLDER left unticked
    listing::TListingOptions Listing;
    listing::TReportOptions Report;
    bool TitleGiven = false;
    QString Output;  // empty: standard output (also for "-o -")
    bool NulTerminated = false;  // -0: paths end with NUL, not a line break
    bool Quiet = false;
    bool Help = false;
    bool Version = false;
};

// Reads the arguments (without the program name) as decoded file names
// (platform::DecodeFileName), so that a value's bytes that are not UTF-8
// survive. On a usage error returns false with a one-line message in Error.
// Not reentrant: getopt_long keeps its state in globals.
bool ParseCommandLine(const QStringList &arguments, TCommandLine &command, QString &error);

} // namespace cli
