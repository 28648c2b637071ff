#pragma once
// A run of consecutive entries of one folder's listing, examined apart from
// the walk: on a worker thread, or on the walking thread when it has nothing
// better to do. Examining is what costs (a statx per entry, the criteria, a
// file's content for a phrase); delivering is left to the walking thread,
// which hands the outcomes on in listing order, so that the events of a walk
// on several threads are exactly those of a walk on one.

#include "engine/SearchCriteria.h"
#include "platform/FindData.h"
#include "platform/MountTable.h"

#include <QString>
#include <atomic>
#include <exception>
#include <string>
#include <vector>

namespace engine {

// A subfolder still to be walked: its name as the file system spells it,
// and as text.
struct TSubfolderName {
    std::string RawName;
    QString Name;
};

// A folder the walk may enter: a folder, not a link to one (a walk never
// follows a link, so it cannot loop), without the attribute bits that keep
// subfolders closed.
inline bool MayEnterFolder(uint32_t attributes, uint32_t subfolderOffAttrs)
{
    return (attributes & platform::faDirectory) && !(attributes & platform::faReparsePoint)
           && !(attributes & subfolderOffAttrs);
}

// What all batches of one pass over a folder's listing share. It lives as
// long as the pass, which outlasts every batch it made.
struct TListingPass {
    int FolderFd = -1;  // entries are examined relative to it
    uint64_t FolderDevice = 0;
    QString Folder;  // "/data/sub/", for the criteria's filters
    QString Mask;
    bool EveryName = true;        // the mask matches every name
    bool FilePass = true;         // entries are tested to be hits
    bool CollectSubfolders = false;
    uint32_t SubfolderOffAttrs = 0;
    const std::atomic<bool> *Stop = nullptr;
};

// What a thread examines entries with: the content test keeps a reader of
// its own, and the mount table is loaded on demand, so neither is shared.
struct TEntryTools {
    TSearchCriteria &Criteria;
    platform::TMountTypes &MountTypes;
};

class TEntryBatch {
public:
    // Small enough that a folder of a hundred entries is shared among a few
    // threads, large enough that handing a batch over costs little.
    static constexpr size_t Capacity = 32;

    explicit TEntryBatch(const TListingPass &pass) : fPass(pass) {}
    TEntryBatch(const TEntryBatch &) = delete;
    TEntryBatch &operator=(const TEntryBatch &) = delete;

    // Name: bytes as the listing gave them, copied.
    void Add(const char *name, size_t length, bool mayBeFolder);
    bool Full() const { return fNames.size() == Capacity; }
    bool Empty() const { return fNames.empty(); }

    // Examines every entry; on any thread. Returns early once the search
    // stops. A failure (out of memory) is kept for the walking thread.
    void Examine(TEntryTools &tools) noexcept;

    // A hit (ErrorNumber 0) or an entry that could not be examined, in
    // listing order.
    struct TOutcome {
        int ErrorNumber = 0;
        size_t NameIndex = 0;  // for RawName
        platform::TFindData Data;  // for an error, only cFileName
    };
    const std::vector<TOutcome> &Outcomes() const { return fOutcomes; }
    std::vector<TSubfolderName> &Subfolders() { return fSubfolders; }
    const std::vector<TSubfolderName> &Subfolders() const { return fSubfolders; }
    const char *RawName(size_t index) const { return fBytes.data() + fNames[index].Offset; }
    // Rethrows what ended Examine, if anything did.
    void RethrowFailure() const;
    bool Failed() const { return bool(fFailure); }

    // Set by whoever hands the batch out: queued, being examined, done.
    enum TState { bsQueued, bsRunning, bsDone };
    std::atomic<int> State{bsQueued};

private:
    struct TName {
        size_t Offset;
        size_t Length;
        bool MayBeFolder;
    };
    void ExamineOne(size_t index, TEntryTools &tools);

    const TListingPass &fPass;
    std::vector<char> fBytes;  // the names, each ending in a NUL
    std::vector<TName> fNames;
    std::vector<TOutcome> fOutcomes;
    std::vector<TSubfolderName> fSubfolders;
    std::exception_ptr fFailure;
};

} // namespace engine
