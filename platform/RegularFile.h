#pragma once
// A regular file opened to read its content, and never anything that could
// act on being opened. A name the walk saw as a regular file is opened
// without following a link and without waiting on anything, and checked
// before any read: a link swapped in is refused by the kernel, a FIFO swapped
// in is let go unread (only whoever can create device nodes could swap in a
// device). A link is first opened as a bare handle (O_PATH), which opens
// nothing, wherever it points; only a handle that is a regular file is then
// opened for reading, through the handle itself, so no FIFO or device it
// leads to is ever opened.
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
    // A link is followed only when FollowLink says so (the walk listed a
    // link, or the caller names a path). 0, or the errno: EINVAL when the
    // name is not, or does not lead to, a regular file.
    int Open(int folderFd, const char *name, bool followLink);

    int64_t Size() const { return fSize; }

    // Up to Count bytes from where the last read ended; fewer only at the
    // size seen at opening, or when a read fails, which ends the content
    // like its end does and is kept in ReadError.
    size_t Read(uint8_t *buffer, size_t count);
    // The errno of the read that failed, or 0.
    int ReadError() const { return fReadError; }

private:
    int fFd = -1;
    int64_t fSize = 0;
    int64_t fPosition = 0;
    int fReadError = 0;
};

} // namespace platform
