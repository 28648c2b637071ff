#pragma once
// One folder of a walk with helpers: opened, read in batches of names and
// examined by whichever thread is free, possibly well before the walk gets
// there. The walking thread takes the batches back in listing order and
// delivers them; the folder's answer to OnFolderChange was asked before
// anything here touched it, so a folder kept out is never opened.
//
// A folder's masks are passes over its listing, one after the other, as a
// walk on one thread makes them; the first pass also finds the subfolders.

#include "engine/EntryBatch.h"
#include "platform/DirReader.h"

#include <QStringList>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>

namespace engine {

struct TFolderPlan {
    QString Folder;       // "/data/sub/", as the walk holds it
    std::string RawName;  // as its parent lists it; empty for a target
    uint32_t Level = 0;
    bool FilePass = false;    // its entries are tested to be hits
    bool FolderPass = false;  // its subfolders are to be walked
};

class TFolderListing {
public:
    // Opens the plan's folder inside ParentFd, or takes FolderFd as the
    // folder itself (a target, opened by the walk); takes both descriptors.
    // Once opened, the folder is held until the listing goes.
    // Masks, SubfolderOffAttrs and Stop: as the walk's.
    TFolderListing(TFolderPlan plan, int parentFd, int folderFd, const QStringList &masks,
                   uint32_t subfolderOffAttrs, const std::atomic<bool> &stop, platform::TMountTypes &mountTypes);
    ~TFolderListing();
    TFolderListing(const TFolderListing &) = delete;
    TFolderListing &operator=(const TFolderListing &) = delete;

    const TFolderPlan &Plan() const { return fPlan; }

    // --- One thread at a time, any thread.
    // The next batch of names, kept here and to be queued for examining;
    // null once the listing is read to its end (or the folder could not be
    // opened).
    TEntryBatch *ReadBatch();
    // What ended reading early (out of memory), kept for the walking thread.
    void KeepFailure(std::exception_ptr failure);

    // --- Any thread.
    bool Listed() const;
    size_t Buffered() const;  // batches read and not yet taken back

    // --- The walking thread.
    // The oldest batch not yet taken back (null when none is read yet),
    // and whether the listing has been read to its end, seen at once.
    TEntryBatch *Front(bool &listed) const;
    void PopFront();
    void RethrowFailure() const;
    // 0 or the errno: the folder could not be opened / its listing failed
    // to be read (what was read before is delivered all the same).
    int OpenError() const { return fOpenError; }
    int ReadError() const { return fReadError; }
    // Once the listing has been read to its end and every batch examined,
    // with nothing failed: the subfolders found, in listing order, copied
    // (delivering hands the batches' own on later). False before.
    bool PeekSubfolders(std::vector<TSubfolderName> &subfolders) const;
    // A new descriptor of the open folder, for walking its subfolders; -1
    // with errno set if it was not opened or none is left.
    int DuplicateFolderFd() const;

    // Set by the scheduler under its lock: a thread reads this listing, and
    // how many batches may wait here before reading pauses.
    bool ReadingNow = false;
    size_t Cap = 0;

private:
    bool Open();
    bool NextPass();
    void EndListing();

    TFolderPlan fPlan;
    int fParentFd;
    int fFolderFd;
    const QStringList fMasks;
    const uint32_t fSubfolderOffAttrs;
    const std::atomic<bool> &fStop;
    platform::TMountTypes &fMountTypes;  // for TDirReader, whose Stat is not used here

    std::unique_ptr<platform::TDirReader> fDir;
    std::deque<TListingPass> fPasses;  // batches refer to them
    size_t fPassIndex = 0;
    bool fOpened = false;
    int fOpenError = 0;
    int fReadError = 0;

    mutable std::mutex fLock;
    std::deque<std::unique_ptr<TEntryBatch>> fBatches;
    bool fListed = false;
    std::exception_ptr fFailure;
};

} // namespace engine
