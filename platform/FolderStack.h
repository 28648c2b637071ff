#pragma once
// The chain of open folders from a walk's target down to the folder being
// walked. Each subfolder is opened relative to its parent by the name the
// listing gave, so paths never meet PATH_MAX and no link is followed below
// the target.
//
// Only the target and the deepest few folders keep a descriptor.
// Going deeper lets go of the ones in between; leaving a folder finds its
// parent again through "..", accepted only if it is the same device and
// inode as when the parent was first opened (else the parent is looked up
// again by name from the target, with the same check). So descriptors stay
// bounded however deep a tree goes, and a folder moved meanwhile is never
// mistaken for another one. Every failure is returned as an errno.

#include <QString>
#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

class TFolderStack {
public:
    // Deep enough for nearly every real tree to be walked without finding a
    // folder again, and a small share of the usual 1,024 descriptors.
    static constexpr size_t DefaultHeldFolders = 32;

    explicit TFolderStack(size_t heldFolders = DefaultHeldFolders) : fHeldFolders(heldFolders) {}
    ~TFolderStack();
    TFolderStack(const TFolderStack &) = delete;
    TFolderStack &operator=(const TFolderStack &) = delete;

    // The target by its path, links in it followed as the user named it;
    // on an empty stack only. 0 or the errno.
    int PushTarget(const QString &path);
    // A subfolder of the deepest folder by its raw name. 0 or the errno
    // (ENOTDIR when the name is a file or a link now).
    int PushChild(const char *name);
    // The same for a subfolder somebody has opened already (openat on a
    // descriptor of the deepest folder, with O_NOFOLLOW); takes Fd.
    int PushOpenedChild(int fd, const char *name);
    // Leaves the deepest folder.
    void Pop();
    // Closes everything; the stack is empty again.
    void Clear();

    size_t Depth() const { return fLevels.size(); }

    // A new descriptor for reading the listing of the folder just pushed,
    // owned by the caller (for fdopendir); -1 with errno set.
    int OpenListing();
    // A new descriptor of the folder at Index (0: the target), found again
    // if it was let go; owned by the caller. -1 with errno set.
    int Duplicate(size_t index);

private:
    struct TLevel {
        int Fd = -1;  // -1 while let go
        dev_t Device = 0;
        ino_t Inode = 0;
        std::string Name;  // as its parent lists it; empty for the target
    };

    int PushOpened(int fd, std::string name);
    // The descriptor of level Index, found again if it was let go.
    int FdOf(size_t index, int &error);
    int Reopen(size_t index, int &error);
    void TakeParentFromChild();
    void LetGoBeyondLimit();
    void LetGoOfAllButEnds();
    bool Identical(int fd, const TLevel &level) const;
    void Hold(size_t index, int fd);
    void LetGo(size_t index);

    const size_t fHeldFolders;
    std::vector<TLevel> fLevels;
    size_t fHeld = 0;       // levels above the target with a descriptor
    size_t fLowestHeld = 1;  // no level below this one (but the target) is held
};

} // namespace platform
