#include "platform/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// /proc/self/fd, opened once: a handle's number looked up in it reopens the
// very file the handle holds, at one step's cost. -1 without /proc.
int ProcessDescriptors()
{
    static const int fd = open("/proc/self/fd", O_PATH | O_DIRECTORY | O_CLOEXEC);
    return fd;
}

int ReopenForReading(int handle)
{
    if (ProcessDescriptors() < 0) {
        errno = ENOENT;
        return -1;
    }
    char number[16];
    char *p = number + sizeof number;
    *--p = '\0';
    for (unsigned n = unsigned(handle); p == number + sizeof number - 1 || n != 0; n /= 10)
        *--p = char('0' + n % 10);
    return openat(ProcessDescriptors(), p, O_RDONLY | O_NOCTTY | O_CLOEXEC);
}

// Through a link: a bare handle first, reopened only if it is a regular file.
int OpenThroughLink(int dirFd, const char *name, struct stat &st)
{
    const int handle = openat(dirFd, name, O_PATH | O_CLOEXEC);
    if (handle < 0)
        return -1;
    int fd = -1;
    if (fstat(handle, &st) == 0) {
        if (S_ISREG(st.st_mode))
            fd = ReopenForReading(handle);
        else
            errno = EINVAL;
    }
    const int error = errno;
    close(handle);
    errno = error;
    return fd;
}

// A name seen as a regular file: never through a link, never waiting.
int OpenAsSeen(int dirFd, const char *name, struct stat &st)
{
    const int fd = openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        return fd;
    close(fd);
    errno = EINVAL;
    return -1;
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
    struct stat st {};
    fFd = followLink ? OpenThroughLink(dirFd, name, st) : OpenAsSeen(dirFd, name, st);
    fSize = fFd >= 0 ? int64_t(st.st_size) : 0;
    fPosition = 0;
    fReadError = 0;
    return fFd >= 0 ? 0 : errno;
}

size_t TRegularFile::Read(uint8_t *buffer, size_t count)
{
    count = size_t(std::min<int64_t>(int64_t(count), fSize - fPosition));
    size_t done = 0;
    while (done < count) {
        const ssize_t n = read(fFd, buffer + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fReadError = errno;
        if (n <= 0)
            break;
        done += size_t(n);
    }
    fPosition += int64_t(done);
    return done;
}

} // namespace platform
