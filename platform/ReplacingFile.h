#pragma once
// A file that is written in full or not at all. The bytes go to a file with
// no name in the target's folder (O_TMPFILE, or a hidden temporary name where
// the file system cannot do that); only Commit, after every byte has been
// written and synced, puts it in the target's place with one rename. Until
// then the old file stays exactly as it was, and whatever fails (a full disk,
// a size limit, an I/O error) leaves no temporary file behind.
//
// A target that exists and is not a regular file (a terminal, a FIFO,
// /dev/null) cannot be replaced; it is written in place.
//
// Every call answers 0 or the errno of what failed; the first failure sticks,
// so a caller may write on and look once at the end.

#include <QString>

#include <cstddef>
#include <sys/types.h>
#include <string>

namespace platform {

class TReplacingFile {
public:
    TReplacingFile() = default;
    // Discards the new content unless Commit succeeded.
    ~TReplacingFile();
    TReplacingFile(const TReplacingFile &) = delete;
    TReplacingFile &operator=(const TReplacingFile &) = delete;

    int Open(const QString &path);
    int Write(const char *data, size_t size);
    int Commit();
    void Cancel();

    // The target is a device or FIFO written in place, not replaced.
    bool Direct() const { return fDirect; }

private:
    int Fail(int error);
    int LinkIntoPlace();

    int fFolderFd = -1;
    int fFd = -1;
    std::string fName;       // the target's last component, as bytes
    std::string fTempName;   // set while a named temporary file exists
    int fError = 0;
    bool fDirect = false;
    bool fCommitted = false;
    off_t fWritten = 0;     // bytes written so far
    off_t fWrittenBack = 0; // of those, handed to the disk ahead of the sync
};

// Writes every byte, retrying short and interrupted writes: 0 or errno.
int WriteAll(int fd, const char *data, size_t size);

// For a signal handler that must end the process at once: removes the named
// temporary file of a save in progress, if there is one. Async-signal-safe.
void RemovePendingTemporaryFile();

} // namespace platform
