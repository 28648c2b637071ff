#include "cli/StandardOutput.h"

#include "platform/ReplacingFile.h"

#include <cerrno>

namespace cli {

namespace {
constexpr qsizetype FlushSize = 1 << 16;
} // namespace

void TStandardOutput::Write(const QByteArray &bytes)
{
    if (fError)
        return;
    fBuffer += bytes;
    if (fBuffer.size() >= FlushSize)
        Flush();
}

void TStandardOutput::Flush()
{
    if (!fError && !fBuffer.isEmpty())
        fError = platform::WriteAll(fFd, fBuffer.constData(), size_t(fBuffer.size()));
    fBuffer.clear();
}

int TStandardOutput::Finish()
{
    Flush();
    return fError;
}

bool TStandardOutput::IsQuietFailure(int error)
{
    return error == EPIPE;
}

} // namespace cli
