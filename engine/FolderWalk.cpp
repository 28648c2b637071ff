#include "engine/FolderWalk.h"

#include "engine/BatchedPass.h"
#include "engine/Wildcard.h"
#include "platform/NameCodec.h"

#include <cerrno>

namespace engine {

namespace {

// Puts the level back to where a target's walk found it however the walk
// ends, by its end, a stop or an exception from a handler.
class TLevelReset {
public:
    explicit TLevelReset(std::atomic<uint32_t> &level) : fLevel(level), fStart(level) {}
    ~TLevelReset() { fLevel = fStart; }
    TLevelReset(const TLevelReset &) = delete;
    TLevelReset &operator=(const TLevelReset &) = delete;

private:
    std::atomic<uint32_t> &fLevel;
    uint32_t fStart;
};

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
        SearchTarget(targets[i].Folder);
    }
    fRun->Level = 0;
}

void TFolderWalk::SearchTarget(const QString &folder)
{
    TLevelReset levelReset(fRun->Level);
    fFrames.clear();
    fFolders.Clear();
    fPath = folder;
    Enter(nullptr);
    while (!fFrames.empty() && !Stopped()) {
        TFrame &top = fFrames.back();
        if (top.Next == top.Subfolders.size()) {
            fFrames.pop_back();
            LeaveFolder();
            continue;
        }
        const TSubfolder &sub = top.Subfolders[top.Next++];
        fPath.truncate(top.PathLength);
        fPath += sub.Name;
        fPath += QLatin1Char('/');
        Enter(sub.RawName.c_str());
    }
    fFrames.clear();
    fFolders.Clear();
}

void TFolderWalk::Enter(const char *rawName)
{
    if (Stopped())
        return;
    ++fRun->Level;
    const TFolderIgnore ignore = fEngine.DoFolderChange(fPath);
    const TTargetPath &target = *fRun->ActiveTarget;
    const uint32_t level = fRun->Level;
    const bool filePass = (ignore == fiNone || ignore == fiJustSubfolders) && level >= target.MinLevel;
    const bool folderPass = target.Recursive && (ignore == fiNone || ignore == fiJustThis)
                            && (target.MaxLevel == 0 || target.MaxLevel > level);
    if (Stopped() || (!filePass && !folderPass)) {
        --fRun->Level;
        return;
    }
    if (const int error = rawName ? fFolders.PushChild(rawName) : fFolders.PushTarget(fPath)) {
        ReportError(fPath, error);
        --fRun->Level;
        return;
    }
    std::vector<TSubfolder> subfolders;
    if (!ReadFolder(filePass, folderPass, subfolders) || subfolders.empty()) {
        LeaveFolder();
        return;
    }
    fFrames.push_back(TFrame{std::move(subfolders), 0, fPath.size()});
}

bool TFolderWalk::ReadFolder(bool filePass, bool folderPass, std::vector<TSubfolder> &subfolders)
{
    platform::TDirReader dir(fFolders.OpenListing(), fRun->MountTypes);
    fReportedEntries.clear();
    const bool listed = dir.IsOpen() && ListFolder(dir, filePass, folderPass, subfolders);
    // A listing that failed part way has handed out what it read; the
    // subfolders among that are still walked.
    if (dir.Error() != 0 && !fRun->Orphaned)
        ReportError(fPath, dir.Error());
    return listed;
}

void TFolderWalk::LeaveFolder()
{
    fFolders.Pop();
    --fRun->Level;
}

bool TFolderWalk::ListFolder(platform::TDirReader &dir, bool filePass, bool folderPass,
                             std::vector<TSubfolder> &subfolders)
{
    if (!filePass)
        return CollectSubfolders(dir, subfolders);
    // One listing serves the first mask and the folder pass together; the
    // order of the reports is the same as with a listing of its own.
    const QStringList &masks = fRun->ActiveTarget->FileMasks();
    for (qsizetype i = 0; i < masks.size(); ++i) {
        if (i > 0)
            dir.Rewind();
        if (!FilePass(dir, masks[i], (i == 0 && folderPass) ? &subfolders : nullptr))
            return false;
    }
    return true;
}

bool TFolderWalk::FilePass(platform::TDirReader &dir, const QString &mask,
                           std::vector<TSubfolder> *subfolders)
{
    if (fRun->Workers > 1)
        return BatchedPass(dir, &mask, subfolders);
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
        if (!StatEntry(dir, entry, data))
            continue;
        if (mayEnter && MayEnter(data.dwFileAttributes))
            subfolders->push_back({entry.name, data.cFileName});
        if (!matched || !fEngine.AcceptFile(fPath, data))
            continue;
        // A handler that runs while a long file is read may have destroyed
        // the engine.
        if (fRun->Orphaned)
            return false;
        fEngine.DoFileMatch(fPath, data);
        if (fRun->Orphaned)
            return false;
    }
    return !Stopped();
}

bool TFolderWalk::CollectSubfolders(platform::TDirReader &dir, std::vector<TSubfolder> &subfolders)
{
    if (fRun->Workers > 1)
        return BatchedPass(dir, nullptr, &subfolders);
    platform::TDirReader::Entry entry;
    platform::TFindData data;
    while (dir.Next(entry)) {
        if (Stopped())
            return false;
        if (!entry.mayBeFolder)
            continue;
        data.cFileName = platform::DecodeFileName(entry.name, entry.length);
        if (StatEntry(dir, entry, data) && MayEnter(data.dwFileAttributes))
            subfolders.push_back({entry.name, data.cFileName});
    }
    return !Stopped();
}

bool TFolderWalk::StatEntry(platform::TDirReader &dir, const platform::TDirReader::Entry &entry,
                            platform::TFindData &data)
{
    const int error = dir.Stat(entry.name, data);
    if (error == 0)
        return true;
    // An entry deleted since the listing was read is simply not there.
    if (error != ENOENT && fReportedEntries.insert(entry.name).second)
        ReportError(fPath + data.cFileName, error);
    return false;
}

bool TFolderWalk::MayEnter(uint32_t attributes) const
{
    return MayEnterFolder(attributes, fRun->SubfolderOffAttrs);
}

bool TFolderWalk::BatchedPass(platform::TDirReader &dir, const QString *mask,
                              std::vector<TSubfolder> *subfolders)
{
    TListingPass pass;
    pass.FolderFd = dir.Fd();
    pass.FolderDevice = dir.FolderDevice();
    pass.Folder = fPath;
    pass.FilePass = mask != nullptr;
    if (mask) {
        pass.Mask = *mask;
        pass.EveryName = MatchesEveryName(*mask);
    }
    pass.CollectSubfolders = subfolders != nullptr;
    pass.SubfolderOffAttrs = fRun->SubfolderOffAttrs;
    pass.Stop = &fRun->Stop;
    TBatchedPass batched(
        dir, pass, TEntryTools{*fRun->Criteria, fRun->MountTypes}, [this] { return Workers(); },
        [this, subfolders](TEntryBatch &batch) { return DeliverBatch(batch, subfolders); },
        [this] { WhileWaiting(); });
    return batched.Run();
}

bool TFolderWalk::DeliverBatch(TEntryBatch &batch, std::vector<TSubfolder> *subfolders)
{
    batch.RethrowFailure();
    if (subfolders)
        for (TSubfolder &sub : batch.Subfolders())
            subfolders->push_back(std::move(sub));
    for (const TEntryBatch::TOutcome &outcome : batch.Outcomes()) {
        if (Stopped())
            return false;
        if (outcome.ErrorNumber != 0) {
            if (fReportedEntries.insert(batch.RawName(outcome.NameIndex)).second)
                ReportError(fPath + outcome.Data.cFileName, outcome.ErrorNumber);
            continue;
        }
        fEngine.DoFileMatch(fPath, outcome.Data);
        // The handler may have destroyed the engine.
        if (fRun->Orphaned)
            return false;
    }
    return !Stopped();
}

TWalkWorkers *TFolderWalk::Workers()
{
    if (!fWorkers)
        fWorkers = std::make_unique<TWalkWorkers>(fRun->Workers - 1, *fRun->Criteria, fRun->Stop);
    return fWorkers.get();
}

void TFolderWalk::WhileWaiting()
{
    // A worker is reading a long file for the phrase: the owner hears of it
    // as it would if this thread read the file.
    if (!fRun->Criteria->Content().Phrase().isEmpty())
        fEngine.ContinueReading(*fRun);
}

void TFolderWalk::ReportError(const QString &path, int errorNumber)
{
    fEngine.DoSearchError(
        TSearchError{path, uint16_t(std::min<uint32_t>(fRun->Level, UINT16_MAX)), errorNumber});
}

} // namespace engine
