#include "engine/FolderWalk.h"

#include "engine/Wildcard.h"
#include "platform/FolderHandle.h"
#include "platform/NameCodec.h"

#include <fcntl.h>

namespace engine {

namespace {

// Undoes the level's increment however SearchIn is left.
class TLevelGuard {
public:
    explicit TLevelGuard(std::atomic<uint16_t> &level) : fLevel(level) { ++fLevel; }
    ~TLevelGuard() { --fLevel; }
    TLevelGuard(const TLevelGuard &) = delete;
    TLevelGuard &operator=(const TLevelGuard &) = delete;

private:
    std::atomic<uint16_t> &fLevel;
};

bool IsEnterable(uint32_t attributes)
{
    // A link to a folder carries the directory bit too, but a walk never
    // follows one, so it cannot loop.
    return (attributes & platform::faDirectory) && !(attributes & platform::faReparsePoint);
}

} // namespace

TFolderWalk::TFolderWalk(TFindFile &engine, std::shared_ptr<TSearchRun> run)
    : fEngine(engine), fRun(std::move(run))
{
}

void TFolderWalk::SearchTargets()
{
    const TTargetPaths &targets = fRun->Criteria->Files().GetTargetPaths();
    for (int i = 0; i < targets.Count() && !Stopped(); ++i) {
        fRun->Level = 0;
        fRun->ActiveTarget = &targets[i];
        SearchIn(targets[i].Folder, -1, nullptr);
    }
    fRun->Level = 0;
}

void TFolderWalk::SearchIn(const QString &folder, int parentFd, const char *rawName)
{
    if (Stopped())
        return;
    TLevelGuard levelGuard(fRun->Level);
    const TFolderIgnore ignore = fEngine.DoFolderChange(folder);
    if (fRun->Orphaned)
        return;

    const TTargetPath &target = *fRun->ActiveTarget;
    const unsigned level = fRun->Level;
    const bool filePass = (ignore == fiNone || ignore == fiJustSubfolders) && level >= target.MinLevel;
    const bool folderPass = target.Recursive && (ignore == fiNone || ignore == fiJustThis)
                            && (target.MaxLevel == 0 || target.MaxLevel > level);
    if (!filePass && !folderPass)
        return;

    const int fd = rawName ? openat(parentFd, rawName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)
                           : platform::OpenFolder(folder);
    platform::TDirReader dir(fd, fRun->MountTypes);
    if (!dir.IsOpen())
        return;  // missing or unreadable: nothing, and no error

    // One listing serves the first mask and the folder pass together; the
    // order of the reports is the same as with a listing of its own.
    std::vector<TSubfolder> subfolders;
    if (filePass) {
        const QStringList &masks = target.FileMasks();
        for (qsizetype i = 0; i < masks.size(); ++i) {
            if (i > 0)
                dir.Rewind();
            if (!FilePass(dir, folder, masks[i], (i == 0 && folderPass) ? &subfolders : nullptr))
                return;
        }
    } else if (!CollectSubfolders(dir, subfolders)) {
        return;
    }

    for (const TSubfolder &sub : subfolders) {
        if (Stopped())
            return;
        if (sub.Attributes & fRun->SubfolderOffAttrs)
            continue;
        SearchIn(folder + sub.Name + QLatin1Char('/'), dir.Fd(), sub.RawName.c_str());
    }
}

bool TFolderWalk::FilePass(platform::TDirReader &dir, const QString &folder, const QString &mask,
                           std::vector<TSubfolder> *subfolders)
{
    const bool everyName = MatchesEveryName(mask);
    platform::TDirReader::Entry entry;
    platform::TFindData data;
    while (dir.Next(entry)) {
        if (Stopped())
            return false;
        data.cFileName = platform::DecodeFileName(entry.name, entry.length);
        const bool matched = everyName || NameMatchesMask(data.cFileName, mask);
        const bool mayEnter = subfolders && entry.mayBeFolder;
        if (!matched && !mayEnter)
            continue;
        if (!dir.Stat(entry.name, data))
            continue;  // vanished since it was listed
        if (mayEnter && IsEnterable(data.dwFileAttributes))
            subfolders->push_back({entry.name, data.cFileName, data.dwFileAttributes});
        if (matched && fEngine.AcceptFile(folder, data)) {
            fEngine.DoFileMatch(folder, data);
            if (fRun->Orphaned)
                return false;
        }
    }
    return !Stopped();
}

bool TFolderWalk::CollectSubfolders(platform::TDirReader &dir, std::vector<TSubfolder> &subfolders)
{
    platform::TDirReader::Entry entry;
    platform::TFindData data;
    while (dir.Next(entry)) {
        if (Stopped())
            return false;
        if (!entry.mayBeFolder || !dir.Stat(entry.name, data))
            continue;
        if (IsEnterable(data.dwFileAttributes))
            subfolders.push_back({entry.name, platform::DecodeFileName(entry.name, entry.length),
                                  data.dwFileAttributes});
    }
    return !Stopped();
}

} // namespace engine
