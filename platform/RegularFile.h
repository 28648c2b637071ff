#pragma once
// A regular file opened to read its content, and never anything else. The
// name is first opened as a bare handle (O_PATH), which opens no device, FIFO
// or socket whatever the name has become since the listing; only a handle
// that is a regular file is opened for reading, through the handle itself,
// so nothing swapped in meanwhile can take its place.
//
// Reads stop at the size the file had when it was opened: a file that grows
// without end, or a kernel file that says 0 and reads on (/proc/self/pagemap),
// is read no further.

#include <cstddef>
#include <cstdint>
#include <sys/types.h>

namespace platform {

class TRegularFile {
public:
    TRegularFile() = default;
    ~TRegularFile();
    TRegularFile(const TRegularFile &) = delete;
    TRegularFile &operator=(const TRegularFile &) = delete;

    // Name inside the open folder FolderFd, or a path when FolderFd is -1.
    // A link is followed only when FollowLink says so. 0, or the errno:
    // EINVAL when the name is not (or does not lead to) a regular file.
    int Open(int folderFd, const char *name, bool followLink);

    int64_t Size() const { return fSize; }

    // Up to Count bytes from the start, without moving on.
    size_t Peek(uint8_t *buffer, size_t count) const;
    // Up to Count bytes from where the last read ended; fewer only at the
    // size seen at opening, or when a read fails, which ends the content
    // like its end does.
    size_t Read(uint8_t *buffer, size_t count);

private:
    int fFd = -1;
    int64_t fSize = 0;
    int64_t fPosition = 0;
};

} // namespace platform
