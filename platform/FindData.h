#pragma once
// One directory entry as the walk reads it: the Linux counterpart of the
// find-data record. Times stay raw until somebody needs a date-time, because
// most entries of a large walk are never shown with a converted time.

#include "platform/FileTime.h"

#include <QString>
#include <cstdint>

namespace platform {

// Attribute bits; the values are the ones reports and settings know.
enum : uint32_t {
    faReadOnly = 0x1,
    faHidden = 0x2,
    faSystem = 0x4,
    faDirectory = 0x10,
    faArchive = 0x20,
    faDevice = 0x40,
    faNormal = 0x80,
    faTemporary = 0x100,
    faSparseFile = 0x200,
    faReparsePoint = 0x400,
    faCompressed = 0x800,
    faOffline = 0x1000,
    faNotContentIndexed = 0x2000,
    faEncrypted = 0x4000,
    faVirtual = 0x10000,
};

struct TFindData {
    QString cFileName;
    uint32_t dwFileAttributes = 0;
    int64_t size = 0;
    TFileTime creationTime;
    TFileTime lastWriteTime;
    TFileTime lastAccessTime;

    // Where the entry can be opened without rebuilding its path: the open
    // folder and the entry's name as the file system spells it. Valid only
    // while the walk that produced the record is on that folder.
    int folderFd = -1;
    const char *rawName = nullptr;
};

} // namespace platform

namespace platform {

// The folder's own entry (for its times), through OpenFolder, so that long
// paths work too. False when it cannot be read.
bool StatFolder(const QString &path, TFindData &data);

} // namespace platform
