#include "platform/DirReader.h"

#include "platform/MountTable.h"
#include "platform/StatxTimes.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace platform {

namespace {

bool IsDotOrDotDot(const char *name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

uint32_t AttributesOf(const struct statx &sx, const char *name, bool linkToFolder,
                      bool pseudoMountPoint)
{
    const mode_t type = sx.stx_mode & S_IFMT;
    uint32_t attr = 0;
    if (type == S_IFDIR || linkToFolder)
        attr |= faDirectory;
    if (type == S_IFLNK)
        attr |= faReparsePoint;
    const bool special = type == S_IFCHR || type == S_IFBLK || type == S_IFIFO || type == S_IFSOCK;
    if (special)
        attr |= faSystem | faDevice;
    if (pseudoMountPoint)
        attr |= faSystem;
    if (type != S_IFLNK && ((sx.stx_mode & 0222) == 0 || (sx.stx_attributes & STATX_ATTR_IMMUTABLE)))
        attr |= faReadOnly;
    if (name[0] == '.')
        attr |= faHidden;
    if (type == S_IFREG && (sx.stx_mask & STATX_BLOCKS) && sx.stx_blocks * 512 < sx.stx_size)
        attr |= faSparseFile;
    if (sx.stx_attributes & STATX_ATTR_COMPRESSED)
        attr |= faCompressed;
    if (sx.stx_attributes & STATX_ATTR_ENCRYPTED)
        attr |= faEncrypted;
    if (type == S_IFREG && attr == 0)
        attr = faNormal;
    return attr;
}

} // namespace

TDirReader::TDirReader(int folderFd, TMountTypes &mountTypes) : fMountTypes(mountTypes)
{
    if (folderFd < 0) {
        fError = errno != 0 ? errno : EBADF;
        return;
    }
    struct stat st {};
    if (fstat(folderFd, &st) == 0)
        fFolderDevice = DeviceNumber(major(st.st_dev), minor(st.st_dev));
    fDir = fdopendir(folderFd);
    if (!fDir) {
        fError = errno;
        close(folderFd);
    }
}

TDirReader::~TDirReader()
{
    if (fDir)
        closedir(fDir);
}

int TDirReader::Fd() const
{
    return fDir ? dirfd(fDir) : -1;
}

bool TDirReader::Next(Entry &entry)
{
    if (!fDir || fEnded)
        return false;
    for (;;) {
        // readdir tells its end from its failure only through errno.
        errno = 0;
        const struct dirent *e = readdir(fDir);
        if (!e) {
            if (errno != 0 && fError == 0)
                fError = errno;
            fEnded = true;
            return false;
        }
        if (IsDotOrDotDot(e->d_name))
            continue;
        entry.name = e->d_name;
        entry.length = strlen(e->d_name);
        entry.mayBeFolder = e->d_type == DT_DIR || e->d_type == DT_UNKNOWN;
        return true;
    }
}

void TDirReader::Rewind()
{
    if (fDir)
        rewinddir(fDir);
    fEnded = false;
}

int TDirReader::Stat(const char *name, TFindData &data)
{
    return StatEntry(Fd(), fFolderDevice, fMountTypes, name, data);
}

int StatEntry(int folderFd, uint64_t folderDevice, TMountTypes &mountTypes, const char *name,
              TFindData &data)
{
    struct statx sx {};
    if (statx(folderFd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
              STATX_BASIC_STATS | STATX_BTIME, &sx) != 0)
        return errno;

    const mode_t type = sx.stx_mode & S_IFMT;
    bool linkToFolder = false;
    if (type == S_IFLNK) {
        struct statx target {};
        linkToFolder = statx(folderFd, name, AT_NO_AUTOMOUNT, STATX_TYPE, &target) == 0
                       && S_ISDIR(target.stx_mode);
    }
    bool pseudoMountPoint = false;
    if (type == S_IFDIR) {
        const uint64_t device = DeviceNumber(sx.stx_dev_major, sx.stx_dev_minor);
        pseudoMountPoint = device != folderDevice && mountTypes.IsPseudo(device);
    }

    data.dwFileAttributes = AttributesOf(sx, name, linkToFolder, pseudoMountPoint);
    data.size = (data.dwFileAttributes & faDirectory) ? 0 : int64_t(sx.stx_size);
    FillTimes(sx, data);
    data.folderFd = folderFd;
    data.rawName = name;
    return 0;
}

} // namespace platform
