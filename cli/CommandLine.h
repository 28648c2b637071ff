#pragma once
// tamarel-list's options, read from the command line into the same option
// records the window fills from its controls.

#include "listing/ListingOptions.h"
#include "listing/ReportFile.h"

#include <QStringList>

namespace cli {

enum class TReportFormat { Csv, Html };

struct TListCommand {
    QStringList Folders;
    QStringList Unticked;  // entry names of each FOLDER left unticked
    listing::TListingOptions Listing;
    listing::TColumnOptions Columns;
    listing::THtmlLayout Layout;
    bool TitleGiven = false;
    TReportFormat Format = TReportFormat::Html;
    QString Delimiter = QStringLiteral(";");
    listing::TTextEncoding Encoding = listing::teAscii;
    QString Output;  // empty: standard output
    bool Quiet = false;
    bool Help = false;
    bool Version = false;
};

// Reads the arguments (without the program name). On a usage error returns
// false with a one-line message in Error.
bool ParseCommandLine(const QStringList &arguments, TListCommand &command, QString &error);

QString UsageText();

} // namespace cli
