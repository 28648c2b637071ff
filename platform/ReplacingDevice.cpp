#include "platform/ReplacingDevice.h"

#include <cerrno>

namespace platform {

namespace {
constexpr qsizetype FlushSize = 1 << 16;
} // namespace

TReplacingDevice::~TReplacingDevice()
{
    Cancel();
}

int TReplacingDevice::Open(const QString &path)
{
    fError = fFile.Open(path);
    if (fError == 0)
        QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return fError;
}

void TReplacingDevice::Flush()
{
    if (fError == 0 && !fBuffer.isEmpty())
        fError = fFile.Write(fBuffer.constData(), size_t(fBuffer.size()));
    fBuffer.clear();
}

qint64 TReplacingDevice::writeData(const char *data, qint64 size)
{
    if (fError)
        return -1;
    fBuffer.append(data, qsizetype(size));
    if (fBuffer.size() >= FlushSize)
        Flush();
    return fError ? -1 : size;
}

qint64 TReplacingDevice::readData(char *, qint64)
{
    return -1;
}

int TReplacingDevice::Commit()
{
    if (!isOpen())
        return fError ? fError : EBADF;
    Flush();
    // Commit answers the first failure of any write too, and discards the
    // content then.
    const int committed = fFile.Commit();
    if (fError == 0)
        fError = committed;
    QIODevice::close();
    return fError;
}

void TReplacingDevice::Cancel()
{
    fBuffer.clear();
    fFile.Cancel();
    if (isOpen())
        QIODevice::close();
}

} // namespace platform
