#pragma once
// Runs a parsed tamarel-list command: scans each FOLDER as the explorer does,
// unticks what was named, lists it into one list as the window does with
// "Clear previous list" off, and writes the report, all through the same
// listing controller the window drives.

#include "cli/CommandLine.h"

#include <QString>
#include <cstdio>

namespace cli {

enum TExitCode { ecSuccess = 0, ecWriteFailed = 1, ecUsage = 2 };

class TListCommand {
public:
    // Progress goes to Progress when it is not null (a terminal).
    TListCommand(const TCommandLine &commandLine, FILE *out, FILE *progress);
    // Prints a one-line message on Errors and returns the exit status.
    int Run(FILE *errors);
    // Asks a running listing to stop, the way STOP does. Safe to call from
    // a signal handler: it only sets a flag the listing polls.
    static void RequestStop();

private:
    const TCommandLine &fCommandLine;
    FILE *fOut;
    FILE *fProgress;
};

int RunTamarelList(int argc, char **argv);

} // namespace cli
