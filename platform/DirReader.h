#pragma once
// Reads one open folder: the names in the order the file system returns them,
// and one statx per entry that somebody asks about. Everything is relative to
// the folder's descriptor, so paths longer than PATH_MAX never occur.

#include "platform/FindData.h"

#include <dirent.h>
#include <string>

namespace platform {

class TMountTypes;

class TDirReader {
public:
    // Takes ownership of folderFd (closed with the reader, also on failure).
    // A folderFd of -1 stands for a folder that could not be opened, with
    // errno still telling why.
    TDirReader(int folderFd, TMountTypes &mountTypes);
    ~TDirReader();
    TDirReader(const TDirReader &) = delete;
    TDirReader &operator=(const TDirReader &) = delete;

    bool IsOpen() const { return fDir != nullptr; }
    int Fd() const;
    // 0, or the errno of the first failure: the folder could not be opened,
    // or a read of its listing failed (Next then returns false as at the
    // end, with the entries read so far already handed out).
    int Error() const { return fError; }

    // The next entry other than "." and "..": its name bytes (valid until the
    // next call) and whether it may be a folder (from d_type, without statx).
    struct Entry {
        const char *name;
        size_t length;
        bool mayBeFolder;
    };
    bool Next(Entry &entry);
    void Rewind();

    // Fills everything but cFileName. 0, or the errno when the entry cannot
    // be examined: ENOENT when it has vanished since it was listed.
    int Stat(const char *name, TFindData &data);

    // The device of the folder, which tells a mount point among its
    // subfolders; for StatEntry on other threads.
    uint64_t FolderDevice() const { return fFolderDevice; }

private:
    DIR *fDir = nullptr;
    // The listing has ended: asking readdir again would cost another
    // system call to hear the same.
    bool fEnded = false;
    uint64_t fFolderDevice = 0;
    int fError = 0;
    TMountTypes &fMountTypes;
};

// TDirReader::Stat for an entry of the open folder FolderFd whose device is
// FolderDevice. Safe on any thread that brings its own MountTypes.
int StatEntry(int folderFd, uint64_t folderDevice, TMountTypes &mountTypes, const char *name,
              TFindData &data);

} // namespace platform
