#pragma once
// The walk of one search with helper threads (TFindFile::Workers > 1).
//
// The order of the walk is the one of TFolderWalk: every target, and in each
// folder first its hits (mask after mask), then its subfolders, each to its
// full depth. Hits, errors and the end of each folder are delivered on the
// walking thread in exactly that order, so a list made from them is the same
// list. What changes is when a folder is read: as soon as a folder has been
// delivered, the walk asks OnFolderChange for the next few folders it will
// enter, in walk order as far as it knows them, and the helpers open, read
// and examine those that are to be entered while the walking thread
// delivers. A folder read ahead whose listing is all examined already tells
// its own subfolders, which come next in walk order; they are asked about
// and read ahead too, else every first subfolder would be read only when
// the walk gets there, with the helpers waiting. So OnFolderChange for a
// folder comes earlier than on one thread, and not always in walk order,
// though always before anything of that folder and never for a folder the
// walk does not reach; its answer keeps a folder out exactly as on one
// thread, unopened.
//
// The bounds of TFolderWalk hold: the walking thread keeps its own stack of
// folders and a TFolderStack, and the folders read ahead are few, each with
// a handful of batches at most, so neither the stack, the descriptors nor
// the memory grow with the depth or the width of a tree.

#include "engine/FindFile.h"
#include "engine/FolderListing.h"
#include "engine/SearchRun.h"
#include "engine/WalkWorkers.h"
#include "platform/FolderStack.h"

#include <memory>
#include <unordered_set>
#include <vector>

namespace engine {

class TParallelWalk {
public:
    TParallelWalk(TFindFile &engine, std::shared_ptr<TSearchRun> run);
    ~TParallelWalk();
    void SearchTargets();

private:
    // A subfolder still to be walked, asked about ahead of its turn or not.
    struct TChild {
        TSubfolderName Name;
        bool Asked = false;
        TFolderPlan Plan;  // valid once asked; Enter tells whether to go in
        bool Enter = false;
        std::shared_ptr<TFolderListing> Listing;  // once read ahead
        // Its own subfolders, once its listing read ahead told them.
        bool Peeked = false;
        std::vector<TChild> Children;
    };
    struct TFrame {
        std::vector<TChild> Children;
        size_t Next = 0;
        qsizetype PathLength = 0;  // the folder's path is fPath cut to this
    };

    void SearchTarget(const QString &folder);
    // OnFolderChange for the folder Path at Level, and what the answer
    // means for it.
    void Ask(TChild &child, const QString &path, uint32_t level);
    std::shared_ptr<TFolderListing> MakeListing(const TFolderPlan &plan, int parentFd, int folderFd);
    // Delivers the folder and, if it has subfolders to walk, makes it the
    // deepest frame; FromStack: the folder is on fFolders already.
    void Visit(TChild &child, bool onStack);
    bool Deliver(TFolderListing &listing, std::vector<TSubfolderName> &subfolders);
    bool DeliverBatch(TEntryBatch &batch, std::vector<TSubfolderName> *subfolders);
    void Descend(TChild &child, std::vector<TSubfolderName> subfolders, bool onStack);
    // Asks about and sets reading the next folders the walk will enter.
    void LookAhead(TChild &current);
    // Child, then what is known of its subfolders, into Ahead; Frame: the
    // walk's frame Child or its closest ancestor is in; Parent: the listing
    // of the folder holding Child, if read ahead. False once no more may be.
    bool PlanAhead(TChild &child, uint32_t level, size_t frame, const TFolderListing *parent,
                   std::vector<std::shared_ptr<TFolderListing>> &ahead);
    // The subfolders Child's listing has told, if it has been examined.
    void Peek(TChild &child);
    // Children the walk will not enter after all, with what was read ahead
    // for them.
    void Drop(std::vector<TChild> &children);
    void WhileWaiting();
    void ReportError(const QString &path, int errorNumber);
    bool Stopped() const { return fRun->Stop; }

    TFindFile &fEngine;
    std::shared_ptr<TSearchRun> fRun;
    QString fPath;  // the folder being walked, ending in "/"
    platform::TFolderStack fFolders;
    std::vector<TFrame> fFrames;
    std::unordered_set<std::string> fReportedEntries;
    size_t fReadAhead = 0;  // listings made ahead and not yet visited
    const size_t fReadAheadLimit;
    // Last, so that the threads are joined before anything they use goes.
    TWalkWorkers fWorkers;
};

} // namespace engine
