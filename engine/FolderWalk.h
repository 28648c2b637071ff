#pragma once
// The walk of one search: every target, and in each folder first its hits
// (mask after mask) and then its subfolders, each to its full depth. It
// talks to the engine only while the engine exists (see TSearchRun).
//
// The walk keeps its own stack of folders still to visit instead of calling
// itself, and each folder's listing is read whole and closed before its
// subfolders are entered; with TFolderStack holding only a few descriptors,
// neither the call stack nor the open files grow with the depth of a tree.
//
// This is the walk on one thread; TParallelWalk is the walk with helpers.

#include "engine/EntryBatch.h"
#include "engine/FindFile.h"
#include "engine/SearchRun.h"
#include "platform/DirReader.h"
#include "platform/FolderStack.h"

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace engine {

class TFolderWalk {
public:
    TFolderWalk(TFindFile &engine, std::shared_ptr<TSearchRun> run);
    void SearchTargets();

private:
    using TSubfolder = TSubfolderName;
    // A folder entered whose subfolders are still to be walked.
    struct TFrame {
        std::vector<TSubfolder> Subfolders;
        size_t Next = 0;
        qsizetype PathLength = 0;  // fPath cut to this length names the folder
    };

    void SearchTarget(const QString &folder);
    // Enters the folder fPath names, opened by RawName inside the deepest
    // folder of fFolders, or by its path when RawName is null (a target):
    // its OnFolderChange, its hits, and a frame for its subfolders.
    void Enter(const char *rawName);
    // Lists the folder just entered: its hits, and the subfolders to walk.
    // False when the search stopped meanwhile.
    bool ReadFolder(bool filePass, bool folderPass, std::vector<TSubfolder> &subfolders);
    bool ListFolder(platform::TDirReader &dir, bool filePass, bool folderPass,
                    std::vector<TSubfolder> &subfolders);
    bool FilePass(platform::TDirReader &dir, const QString &mask, std::vector<TSubfolder> *subfolders);
    bool CollectSubfolders(platform::TDirReader &dir, std::vector<TSubfolder> &subfolders);
    // The entry's details; false, and its error reported unless it simply
    // vanished, when they cannot be read.
    bool StatEntry(platform::TDirReader &dir, const platform::TDirReader::Entry &entry,
                   platform::TFindData &data);
    bool MayEnter(uint32_t attributes) const;
    void ReportError(const QString &path, int errorNumber);
    void LeaveFolder();
    bool Stopped() const { return fRun->Stop; }

    TFindFile &fEngine;
    std::shared_ptr<TSearchRun> fRun;
    QString fPath;  // the folder being entered or walked, ending in "/"
    platform::TFolderStack fFolders;
    std::vector<TFrame> fFrames;
    // Entries of the current folder already reported, so that a second
    // mask does not report them again.
    std::unordered_set<std::string> fReportedEntries;
};

} // namespace engine
