#pragma once
// Runs a parsed tamarel-list command: scans each FOLDER as the explorer does,
// unticks what was named, lists it into one list as the window does with
// "Clear previous list" off, and writes the report, all through the same
// listing controller the window drives.

#include "cli/CommandLine.h"
#include "cli/Diagnostics.h"

#include <QString>
#include <cstdio>
#include <functional>
#include <memory>

namespace cli {

// 0: the report is complete. 1: written, but something could not be read
// (each said on standard error), or the report could not be written.
// 2: a usage error. 130 and 143 (128 + the signal): interrupted, nothing
// written.
enum TExitCode { ecSuccess = 0, ecIncomplete = 1, ecUsage = 2 };

class TListCommand {
public:
    // The report goes to OutFd unless the command names a file; progress to
    // Progress when it is not null (a terminal); warnings and errors to
    // Errors.
    TListCommand(const TCommandLine &commandLine, int outFd, FILE *progress, FILE *errors);
    ~TListCommand();
    // The listing made stays with this object until it goes.
    int Run();

private:
    bool ResolveFolders(QStringList &folders);
    // The last folder listed, for the HTML title.
    QString BuildListing(const QStringList &folders, listing::TListingController &listing);
    int WriteToOutput(const listing::TListingController &listing, const listing::TReportOptions &report,
                      const listing::TReportEncoder &encoder);
    int WriteToFile(const listing::TListingController &listing, const listing::TReportOptions &report,
                    const listing::TReportEncoder &encoder);

    const TCommandLine &fCommandLine;
    int fOutFd;
    TDiagnostics fDiagnostics;
    bool fIncomplete = false;
    std::unique_ptr<explorer::TRegionalFormats> fFormats;
    std::unique_ptr<listing::TListingController> fListing;
};

int RunTamarelList(int argc, char **argv);

} // namespace cli
