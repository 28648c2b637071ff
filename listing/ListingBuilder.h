#pragma once
// Builds the flat listing from the explorer's folder and its check marks.
// The window and tamarel-list both drive it; each adds what it shows while a
// listing runs through the hooks, and the window's handlers call the steps.

#include "engine/FindFile.h"
#include "explorer/FileData.h"
#include "listing/ListingOptions.h"
#include "listing/ListingSelection.h"

#include <functional>

namespace listing {

class TListingBuilder {
public:
    // List is the built listing (the window's FList), owned by the caller.
    explicit TListingBuilder(explorer::TFileList &list);

    // Lists Folder (the explorer's folder) with the options and returns when
    // the search has ended. Explorer's check marks are read at each look-up,
    // in their state of that moment.
    void BuildList(const QString &folder, const explorer::TFileList &explorer,
                   const TListingOptions &options);
    // STOP: aborts a running listing; the list keeps what was counted.
    void Stop();

    bool Listing() const { return fListing; }
    // The threads the last listing read folders on; sorting and writing
    // its report may use as many.
    int Workers() const { return fFileLister.Workers; }
    int DirCount() const { return fDirs; }    // FTDC
    int FileCount() const { return fFiles; }  // FTFC
    // "Dirs: 3   Files: 12"
    QString StatusText() const;

    // The search engine's steps, bound to its events.
    void SearchBegin();
    engine::TFolderIgnore FolderChange(const QString &folder);
    bool FileMatch(const engine::TFileDetails &fileInfo);  // true when kept
    void SearchAbort();

    // After the begin step; after each kept hit (the caller shows the counts
    // and lets pending events run, which is how Stop arrives); every few tens
    // of milliseconds while a file is read for the phrase (the same again:
    // a big file is read to its end otherwise); after each folder is
    // entered; after the end step, which runs twice after a Stop.
    std::function<void()> OnBegin;
    std::function<void()> OnHitKept;
    std::function<void()> OnProgress;
    std::function<void()> OnFolderEntered;
    std::function<void()> OnEnd;
    // A folder or entry that could not be read: the listing goes on without
    // it, and is incomplete. Unbound, such gaps pass in silence, as the
    // window wants them to.
    std::function<void(const engine::TSearchError &error)> OnError;

    engine::TFindFile &FileLister() { return fFileLister; }
    explorer::TFileList &List() { return fList; }

private:
    explorer::TFileList &fList;
    engine::TFindFile fFileLister;
    const explorer::TFileList *fExplorer = nullptr;
    TListingOptions fOptions;
    TListingSelection fSelection;
    bool fListing = false;
    int fDirs = 0;
    int fFiles = 0;
};

} // namespace listing
