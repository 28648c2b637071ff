// tamarel-list's command line from any arguments (cut at NUL bytes): it is
// read, or refused with a message; nothing else.

#include "cli/CommandLine.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList arguments = size == 0 ? QStringList() : input.split(QChar(0));
    cli::TCommandLine command;
    QString error;
    if (!cli::ParseCommandLine(arguments, command, error) && error.isEmpty())
        std::abort();
    return 0;
}
