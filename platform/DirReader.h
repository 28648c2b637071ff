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
    TDirReader(int folderFd, TMountTypes &mountTypes);
    ~TDirReader();
    TDirReader(const TDirReader &) = delete;
    TDirReader &operator=(const TDirReader &) = delete;

    bool IsOpen() const { return fDir != nullptr; }
    int Fd() const;

    // The next entry other than "." and "..": its name bytes (valid until the
    // next call) and whether it may be a folder (from d_type, without statx).
    struct Entry {
        const char *name;
        size_t length;
        bool mayBeFolder;
    };
    bool Next(Entry &entry);
    void Rewind();

    // Fills everything but cFileName. False when the entry has vanished
    // since it was listed, or cannot be examined.
    bool Stat(const char *name, TFindData &data);

private:
    DIR *fDir = nullptr;
    uint64_t fFolderDevice = 0;
    TMountTypes &fMountTypes;
};

} // namespace platform
