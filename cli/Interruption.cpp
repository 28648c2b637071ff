#include "cli/Interruption.h"

#include "platform/ReplacingFile.h"

#include <csignal>

namespace cli {

namespace {

volatile std::sig_atomic_t requestedSignal = 0;

void OnSignal(int signalNumber)
{
    if (requestedSignal == 0) {
        requestedSignal = signalNumber;
        return;
    }
    // Asked twice: the user means it. Only async-signal-safe calls here.
    platform::RemovePendingTemporaryFile();
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

} // namespace

void TInterruption::Install()
{
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a blocking read or write returns EINTR, so the walk
    // gets to look at the flag.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool TInterruption::Requested()
{
    return requestedSignal != 0;
}

int TInterruption::ExitStatus()
{
    return 128 + int(requestedSignal);
}

void TInterruption::Request(int signalNumber)
{
    requestedSignal = signalNumber;
}

} // namespace cli
