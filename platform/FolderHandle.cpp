#include "platform/FolderHandle.h"

#include "platform/NameCodec.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

int OpenWithFlags(const QString &path, int flags)
{
    const std::string bytes = EncodeFileName(path);
    if (bytes.empty()) {
        errno = ENOENT;
        return -1;
    }
    flags |= O_DIRECTORY | O_CLOEXEC;
    if (bytes.size() < PATH_MAX)
        return open(bytes.c_str(), flags);

    // Walk down in pieces that each stay well below PATH_MAX, cut at "/".
    int fd = open(bytes[0] == '/' ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    size_t pos = bytes[0] == '/' ? 1 : 0;
    while (fd >= 0 && pos < bytes.size()) {
        size_t end = pos + PATH_MAX / 2;
        if (end >= bytes.size()) {
            end = bytes.size();
        } else {
            const size_t slash = bytes.rfind('/', end);
            end = (slash != std::string::npos && slash > pos) ? slash : bytes.find('/', end);
            if (end == std::string::npos)
                end = bytes.size();
        }
        const std::string piece = bytes.substr(pos, end - pos);
        const bool last = bytes.find_first_not_of('/', end) == std::string::npos;
        const int next = openat(fd, piece.c_str(), last ? flags : (O_PATH | O_DIRECTORY | O_CLOEXEC));
        const int saved = errno;
        close(fd);
        errno = saved;
        fd = next;
        pos = end + 1;
    }
    return fd;
}

} // namespace

int OpenFolder(const QString &path)
{
    return OpenWithFlags(path, O_RDONLY);
}

int OpenFolderLocation(const QString &path)
{
    return OpenWithFlags(path, O_PATH);
}

bool IsExistingFolder(const QString &path)
{
    const int fd = OpenWithFlags(path, O_PATH);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

} // namespace platform

#include "platform/StatxTimes.h"

namespace platform {

bool StatFolder(const QString &path, TFindData &data)
{
    const int fd = OpenWithFlags(path, O_PATH);
    if (fd < 0)
        return false;
    struct statx sx {};
    const bool ok = statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &sx) == 0;
    close(fd);
    if (!ok)
        return false;
    data.dwFileAttributes = faDirectory;
    data.size = 0;
    FillTimes(sx, data);
    return true;
}

} // namespace platform
