#pragma once
// Ctrl+C and SIGTERM for tamarel-list. The first signal asks the running
// listing to stop: nothing is written then, an existing output file stays
// as it was, and the exit status tells which signal it was (130, 143). A
// second signal ends the process at once, removing the temporary file of a
// save in progress first.

namespace cli {

class TInterruption {
public:
    // Installs the handlers for SIGINT and SIGTERM.
    static void Install();
    // True once a first signal has arrived.
    static bool Requested();
    // 128 plus the signal's number, as shells report a process it ended.
    static int ExitStatus();
    // Lets tests and callers ask for a stop the way a signal does.
    static void Request(int signalNumber);
};

} // namespace cli
