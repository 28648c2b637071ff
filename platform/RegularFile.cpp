#include "platform/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool SameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The handle opened for reading. /proc/self/fd reopens the very file the
// handle holds. Without /proc, the name is opened again, never through a
// link and without waiting on anything, and accepted only if it is the
// same file.
int ReopenForReading(int handle, const struct stat &held, int dirFd, const char *name,
                     bool followLink)
{
    char path[32];
    std::snprintf(path, sizeof path, "/proc/self/fd/%d", handle);
    const int fd = open(path, O_RDONLY | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0 || errno != ENOENT || followLink)
        return fd;
    const int again = openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat st {};
    if (again >= 0 && (fstat(again, &st) != 0 || !SameFile(st, held))) {
        close(again);
        errno = EINVAL;
        return -1;
    }
    return again;
}

} // namespace

TRegularFile::~TRegularFile()
{
    if (fFd >= 0)
        close(fFd);
}

int TRegularFile::Open(int folderFd, const char *name, bool followLink)
{
    const int dirFd = folderFd >= 0 ? folderFd : AT_FDCWD;
    const int handle = openat(dirFd, name, O_PATH | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
    if (handle < 0)
        return errno;
    struct stat st {};
    int error = 0;
    if (fstat(handle, &st) != 0)
        error = errno;
    else if (!S_ISREG(st.st_mode))
        error = EINVAL;
    else if ((fFd = ReopenForReading(handle, st, dirFd, name, followLink)) < 0)
        error = errno;
    close(handle);
    fSize = error == 0 ? int64_t(st.st_size) : 0;
    fPosition = 0;
    return error;
}

size_t TRegularFile::Peek(uint8_t *buffer, size_t count) const
{
    count = size_t(std::min<int64_t>(int64_t(count), fSize));
    ssize_t n;
    do
        n = pread(fFd, buffer, count, 0);
    while (n < 0 && errno == EINTR);
    return n > 0 ? size_t(n) : 0;
}

size_t TRegularFile::Read(uint8_t *buffer, size_t count)
{
    count = size_t(std::min<int64_t>(int64_t(count), fSize - fPosition));
    size_t done = 0;
    while (done < count) {
        const ssize_t n = read(fFd, buffer + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += size_t(n);
    }
    fPosition += int64_t(done);
    return done;
}

} // namespace platform
