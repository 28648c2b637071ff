#pragma once
// One pass over a folder's listing with helpers: the walking thread reads
// the names in batches and puts them in the workers' queue, examines queued
// batches itself while the oldest one is not done, and delivers the batches
// strictly in listing order. A few batches are read ahead, no more, so a
// folder of a million entries costs no more memory than one of a thousand.
//
// The last batch of a listing is never queued: the walking thread examines
// it itself, so a folder that fits in one batch never wakes a worker.

#include "engine/EntryBatch.h"
#include "engine/WalkWorkers.h"
#include "platform/DirReader.h"

#include <deque>
#include <functional>
#include <memory>

namespace engine {

class TBatchedPass {
public:
    // Delivers a done batch on the walking thread; false stops the pass.
    using TDeliver = std::function<bool(TEntryBatch &batch)>;
    // The walk's workers, made on first use; may be null.
    using TWorkersSource = std::function<TWalkWorkers *()>;

    // WhileWaiting runs on the walking thread every ProgressInterval the
    // oldest batch keeps it waiting (a worker reading a long file).
    TBatchedPass(platform::TDirReader &dir, const TListingPass &pass, TEntryTools ownTools,
                 TWorkersSource workers, TDeliver deliver, std::function<void()> whileWaiting);
    // Nothing of the pass is queued or being examined any more.
    ~TBatchedPass();
    TBatchedPass(const TBatchedPass &) = delete;
    TBatchedPass &operator=(const TBatchedPass &) = delete;

    // False when the search stopped, or delivering did.
    bool Run();

private:
    // False at the end of the listing (the batch read then stays unqueued).
    bool ReadBatch();
    bool FrontDone() const;
    // A queued batch, or else the unqueued last one: examined here.
    bool ExamineOne();
    void Wait();
    bool Stopped() const { return fPass.Stop->load(std::memory_order_relaxed); }

    platform::TDirReader &fDir;
    const TListingPass &fPass;
    TEntryTools fOwnTools;
    TWorkersSource fWorkersSource;
    TDeliver fDeliver;
    std::function<void()> fWhileWaiting;
    TWalkWorkers *fWorkers = nullptr;  // set once a batch is queued
    std::deque<std::unique_ptr<TEntryBatch>> fBatches;  // read, not yet delivered
    TEntryBatch *fUnqueued = nullptr;  // the last batch of the listing
};

} // namespace engine
