#pragma once
// tamarel-list's options, read from the command line into the same option
// records the window fills from its controls.

#include "listing/ListingController.h"
#include "listing/ListingOptions.h"

#include <QStringList>

namespace cli {

struct TCommandLine {
    QStringList Folders;
    QStringList Unticked;  // entry names of each FOLDER left unticked
    listing::TListingOptions Listing;
    listing::TReportOptions Report;
    bool TitleGiven = false;
    QString Output;  // empty: standard output
    bool Quiet = false;
    bool Help = false;
    bool Version = false;
};

// Reads the arguments (without the program name). On a usage error returns
// false with a one-line message in Error.
bool ParseCommandLine(const QStringList &arguments, TCommandLine &command, QString &error);

QString UsageText();

} // namespace cli
