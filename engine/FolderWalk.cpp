#include "engine/FolderWalk.h"

#include "engine/WalkRules.h"
#include "engine/Wildcard.h"
#include "platform/NameCodec.h"

#include <cerrno>

namespace engine {

TFolderWalk::TFolderWalk(TFindFile &engine, std::shared_ptr<TSearchRun> run)
    : fEngine(engine), fRun(std::move(run))
{
}

void TFolderWalk::SearchTargets()
{
    SearchEachTarget(*fRun, [this](const QString &folder) { SearchTarget(folder); });
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
    const TFolderPasses passes = PassesFor(ignore, fRun->Level, *fRun->ActiveTarget);
    const bool filePass = passes.File, folderPass = passes.Folder;
    if (Stopped() || !passes.Any()) {
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
        int contentError = 0;
        if (!matched || !fEngine.AcceptFile(fPath, data, contentError)) {
            // Each mask's pass may meet the file again: one report.
            if (contentError != 0 && !Stopped() && fReportedEntries.insert(entry.name).second)
                ReportError(fPath + data.cFileName, contentError);
            continue;
        }
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

void TFolderWalk::ReportError(const QString &path, int errorNumber)
{
    fEngine.DoSearchError(
        TSearchError{path, uint16_t(std::min<uint32_t>(fRun->Level, UINT16_MAX)), errorNumber});
}

} // namespace engine
