#include "platform/FolderStack.h"

#include "platform/FolderHandle.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int ChildFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
// A folder found again only serves to open its subfolders by: that needs no
// right to read it.
constexpr int RefindFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

bool OutOfDescriptors(int error)
{
    return error == EMFILE || error == ENFILE;
}

} // namespace

TFolderStack::~TFolderStack()
{
    Clear();
}

void TFolderStack::Clear()
{
    for (TLevel &level : fLevels)
        if (level.Fd >= 0)
            close(level.Fd);
    fLevels.clear();
    fHeld = 0;
    fLowestHeld = 1;
}

int TFolderStack::PushTarget(const QString &path)
{
    const int fd = OpenFolder(path);
    if (fd < 0)
        return errno;
    return PushOpened(fd, std::string());
}

int TFolderStack::PushChild(const char *name)
{
    int error = 0;
    const int parent = FdOf(fLevels.size() - 1, error);
    if (parent < 0)
        return error;
    int fd = openat(parent, name, ChildFlags);
    if (fd < 0 && OutOfDescriptors(errno)) {
        // Whatever else holds descriptors in this process, the ones held
        // here for speed can be found again.
        LetGoOfAllButEnds();
        fd = openat(parent, name, ChildFlags);
    }
    if (fd < 0)
        return errno;
    return PushOpened(fd, name);
}

int TFolderStack::PushOpenedChild(int fd, const char *name)
{
    return PushOpened(fd, name);
}

int TFolderStack::PushOpened(int fd, std::string name)
{
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        const int error = errno;
        close(fd);
        return error;
    }
    fLevels.push_back({-1, st.st_dev, st.st_ino, std::move(name)});
    Hold(fLevels.size() - 1, fd);
    LetGoBeyondLimit();
    return 0;
}

void TFolderStack::Pop()
{
    if (fLevels.empty())
        return;
    const size_t top = fLevels.size() - 1;
    // The child is the one way back to a parent let go of that costs a
    // single step whatever the depth; it must be taken before the child
    // closes.
    if (top >= 2 && fLevels[top - 1].Fd < 0)
        TakeParentFromChild();
    if (fLevels[top].Fd >= 0)
        LetGo(top);
    fLevels.pop_back();
}

int TFolderStack::OpenListing()
{
    if (fLevels.empty() || fLevels.back().Fd < 0) {
        errno = EBADF;
        return -1;
    }
    int fd = fcntl(fLevels.back().Fd, F_DUPFD_CLOEXEC, 0);
    if (fd < 0 && OutOfDescriptors(errno)) {
        LetGoOfAllButEnds();
        fd = fcntl(fLevels.back().Fd, F_DUPFD_CLOEXEC, 0);
    }
    return fd;
}

int TFolderStack::Duplicate(size_t index)
{
    int error = 0;
    const int held = FdOf(index, error);
    if (held < 0) {
        errno = error;
        return -1;
    }
    int fd = fcntl(held, F_DUPFD_CLOEXEC, 0);
    if (fd < 0 && OutOfDescriptors(errno)) {
        LetGoOfAllButEnds();
        const int again = FdOf(index, error);
        if (again < 0) {
            errno = error;
            return -1;
        }
        fd = fcntl(again, F_DUPFD_CLOEXEC, 0);
    }
    return fd;
}

int TFolderStack::FdOf(size_t index, int &error)
{
    if (fLevels[index].Fd >= 0)
        return fLevels[index].Fd;
    return Reopen(index, error);
}

int TFolderStack::Reopen(size_t index, int &error)
{
    // The target is always held, so some level below is.
    size_t base = index;
    while (fLevels[--base].Fd < 0) {
    }
    int fd = fLevels[base].Fd;
    for (size_t i = base + 1; i <= index; ++i) {
        const int next = openat(fd, fLevels[i].Name.c_str(), RefindFlags);
        const int openError = errno;
        if (i > base + 1)
            close(fd);
        if (next < 0) {
            error = openError;
            return -1;
        }
        fd = next;
    }
    if (!Identical(fd, fLevels[index])) {
        close(fd);
        error = ENOENT;  // renamed or replaced: by this name it is gone
        return -1;
    }
    Hold(index, fd);
    return fd;
}

void TFolderStack::TakeParentFromChild()
{
    const size_t top = fLevels.size() - 1;
    if (fLevels[top].Fd < 0)
        return;
    const int fd = openat(fLevels[top].Fd, "..", RefindFlags);
    if (fd < 0)
        return;  // found again by name when it is needed
    if (!Identical(fd, fLevels[top - 1])) {
        close(fd);
        return;
    }
    Hold(top - 1, fd);
}

void TFolderStack::LetGoBeyondLimit()
{
    const size_t top = fLevels.size() - 1;
    while (fHeld > fHeldFolders && fLowestHeld < top) {
        if (fLevels[fLowestHeld].Fd >= 0)
            LetGo(fLowestHeld);
        ++fLowestHeld;
    }
}

void TFolderStack::LetGoOfAllButEnds()
{
    const size_t top = fLevels.size() - 1;
    for (size_t i = 1; i < top; ++i)
        if (fLevels[i].Fd >= 0)
            LetGo(i);
    fLowestHeld = std::max<size_t>(top, 1);
}

bool TFolderStack::Identical(int fd, const TLevel &level) const
{
    struct stat st {};
    return fstat(fd, &st) == 0 && st.st_dev == level.Device && st.st_ino == level.Inode;
}

void TFolderStack::Hold(size_t index, int fd)
{
    fLevels[index].Fd = fd;
    if (index > 0) {
        ++fHeld;
        fLowestHeld = std::min(fLowestHeld, index);
    }
}

void TFolderStack::LetGo(size_t index)
{
    close(fLevels[index].Fd);
    fLevels[index].Fd = -1;
    if (index > 0)
        --fHeld;
}

} // namespace platform
