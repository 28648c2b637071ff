#include "platform/ReplacingFile.h"

#include "platform/FolderHandle.h"
#include "platform/NameCodec.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// The one named temporary file a signal handler may have to remove. Saves
// happen one at a time, so one slot is enough.
volatile std::sig_atomic_t pendingSet = 0;
int pendingFolder = -1;
char pendingName[NAME_MAX + 1];

void SetPending(int folderFd, const std::string &name)
{
    pendingSet = 0;
    pendingFolder = folderFd;
    std::snprintf(pendingName, sizeof pendingName, "%s", name.c_str());
    pendingSet = 1;
}

void ClearPending()
{
    pendingSet = 0;
}

// ".NAME.Xk3f9Qa2": hidden, beside the target, and short enough for any
// target name.
std::string TemporaryName(const std::string &target)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char random[8] = {};
    if (getrandom(random, sizeof random, 0) != ssize_t(sizeof random)) {
        const unsigned long long seed = (unsigned long long)getpid() ^ (unsigned long long)(uintptr_t)&random;
        std::memcpy(random, &seed, sizeof random);
    }
    std::string name = "." + target.substr(0, 200) + ".";
    for (unsigned char r : random)
        name += letters[r % (sizeof letters - 1)];
    return name;
}

void CloseKeepingErrno(int fd)
{
    const int saved = errno;
    close(fd);
    errno = saved;
}

} // namespace

int WriteAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return EIO;
        data += n;
        size -= size_t(n);
    }
    return 0;
}

void RemovePendingTemporaryFile()
{
    if (pendingSet)
        unlinkat(pendingFolder, pendingName, 0);
}

TReplacingFile::~TReplacingFile()
{
    if (!fCommitted)
        Cancel();
    if (fFolderFd >= 0)
        close(fFolderFd);
}

int TReplacingFile::Fail(int error)
{
    if (fError == 0)
        fError = error;
    return fError;
}

int TReplacingFile::Open(const QString &path)
{
    std::string bytes = EncodeFileName(path);
    // A link is followed, so that saving through it replaces what it points
    // to and keeps the link.
    struct stat st {};
    if (lstat(bytes.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char *real = realpath(bytes.c_str(), nullptr)) {
            bytes = real;
            free(real);
        }
    }
    const size_t slash = bytes.rfind('/');
    fName = slash == std::string::npos ? bytes : bytes.substr(slash + 1);
    if (fName.empty() || fName == "." || fName == "..")
        return Fail(EISDIR);
    const std::string folder = slash == std::string::npos ? std::string(".")
                               : slash == 0               ? std::string("/")
                                                          : bytes.substr(0, slash);
    fFolderFd = OpenFolderLocation(DecodeFileName(folder));
    if (fFolderFd < 0)
        return Fail(errno);

    const bool exists = fstatat(fFolderFd, fName.c_str(), &st, 0) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return Fail(EISDIR);
    if (exists && !S_ISREG(st.st_mode)) {
        fDirect = true;
        fFd = openat(fFolderFd, fName.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        return fFd < 0 ? Fail(errno) : 0;
    }

    fFd = openat(fFolderFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fFd < 0) {
        // Not every file system has unnamed files; a hidden name does.
        for (int attempt = 0; attempt < 100 && fFd < 0; ++attempt) {
            fTempName = TemporaryName(fName);
            fFd = openat(fFolderFd, fTempName.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
            if (fFd < 0 && errno != EEXIST)
                break;
        }
        if (fFd < 0) {
            fTempName.clear();
            return Fail(errno);
        }
        SetPending(fFolderFd, fTempName);
    }
    if (exists) {
        // The new file takes the old one's place, so it takes its owner and
        // permissions too (the owner only where we may give it).
        const bool ownerKept = fchown(fFd, st.st_uid, st.st_gid) == 0;
        (void)ownerKept;
        fchmod(fFd, st.st_mode & 07777);
    }
    return 0;
}

int TReplacingFile::Write(const char *data, size_t size)
{
    if (fError)
        return fError;
    if (fFd < 0)
        return Fail(EBADF);
    const int error = WriteAll(fFd, data, size);
    if (error)
        return Fail(error);
    fWritten += off_t(size);
    // The sync at the commit waits for every byte to reach the disk: what is
    // written meanwhile goes there while the rest of the report is made, so
    // that little is left to wait for. Only a hint; the sync checks.
    constexpr off_t WriteBackStep = 4 << 20;
    if (!fDirect && fWritten - fWrittenBack >= WriteBackStep) {
        sync_file_range(fFd, fWrittenBack, fWritten - fWrittenBack, SYNC_FILE_RANGE_WRITE);
        fWrittenBack = fWritten;
    }
    return 0;
}

int TReplacingFile::LinkIntoPlace()
{
    if (!fTempName.empty())
        return 0;
    // An unnamed file gets a hidden name first; a link cannot replace an
    // existing file, the rename after it can.
    char procPath[64];
    std::snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", fFd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = TemporaryName(fName);
        SetPending(fFolderFd, name);
        if (linkat(AT_FDCWD, procPath, fFolderFd, name.c_str(), AT_SYMLINK_FOLLOW) == 0
            || linkat(fFd, "", fFolderFd, name.c_str(), AT_EMPTY_PATH) == 0) {
            fTempName = name;
            return 0;
        }
        if (errno != EEXIST)
            break;
    }
    const int error = errno;
    ClearPending();
    return error;
}

int TReplacingFile::Commit()
{
    if (fError || fFd < 0) {
        const int error = fError ? fError : EBADF;
        Cancel();
        return error;
    }
    if (!fDirect) {
        // Data first, name after: a crash between the two leaves the old
        // file, never a renamed empty one. File systems that cannot sync
        // (EINVAL) have nothing to wait for.
        if (fdatasync(fFd) != 0 && errno != EINVAL && errno != EROFS) {
            const int error = Fail(errno);
            Cancel();
            return error;
        }
        if (const int error = LinkIntoPlace()) {
            Fail(error);
            Cancel();
            return error;
        }
    }
    const int closed = close(fFd);
    fFd = -1;
    if (closed != 0 && errno != EINTR) {
        const int error = Fail(errno);
        Cancel();
        return error;
    }
    if (fDirect) {
        fCommitted = true;
        return 0;
    }
    if (renameat(fFolderFd, fTempName.c_str(), fFolderFd, fName.c_str()) != 0) {
        const int error = Fail(errno);
        Cancel();
        return error;
    }
    ClearPending();
    fTempName.clear();
    fCommitted = true;
    return 0;
}

void TReplacingFile::Cancel()
{
    if (fFd >= 0) {
        CloseKeepingErrno(fFd);
        fFd = -1;
    }
    if (!fTempName.empty()) {
        ClearPending();
        unlinkat(fFolderFd, fTempName.c_str(), 0);
        fTempName.clear();
    }
}

} // namespace platform
