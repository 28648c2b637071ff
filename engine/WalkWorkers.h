#pragma once
// The threads that help one walk, and the work they share with it: batches
// of entries to examine (a queue, oldest first) and the listings of folders
// to read (the folder being delivered first, then the ones the walk will
// enter next, in walk order). A helper examines a batch if one is queued,
// else reads names from the first listing that may be read. Helpers never
// deliver anything and never touch the engine, only batches, listings and
// their own tools, so the owner's events all stay on the walking thread,
// which takes part in the same work whenever it would otherwise wait.
//
// The threads start on first need and end with this object, whatever ends
// the walk.

#include "engine/EntryBatch.h"
#include "engine/FolderListing.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace engine {

class TWalkWorkers {
public:
    // Threads: at most this many helpers, each with its own copy of
    // Criteria whose content test gives up between two blocks once Stop is
    // set.
    TWalkWorkers(int threads, const TSearchCriteria &criteria, const std::atomic<bool> &stop);
    // Drops what is queued, lets the batches being examined and the
    // listings being read finish, joins.
    ~TWalkWorkers();
    TWalkWorkers(const TWalkWorkers &) = delete;
    TWalkWorkers &operator=(const TWalkWorkers &) = delete;

    // Starts the helpers, if not yet done (fewer when the system refuses).
    void Start();
    int Running() const { return int(fThreads.size()); }

    // The listings to read, in the order they are needed; Current (may be
    // null) is the one being delivered and may be read further ahead.
    void SetListings(std::shared_ptr<TFolderListing> current,
                     std::vector<std::shared_ptr<TFolderListing>> ahead);
    // A batch has been taken back from a listing: it may be read further.
    void Nudge();
    // Reads a run of batches here if a listing may be read: true if it did.
    bool ReadIfIdle();

    // A queued batch with the listing it belongs to, which the queue keeps
    // alive: a stop or an exception may drop the walk's own hold of it.
    struct TQueued {
        TEntryBatch *Batch = nullptr;
        std::shared_ptr<TFolderListing> Owner;
    };
    // The newest batch no thread has begun, now the caller's to examine;
    // none when nothing is queued.
    TQueued Take();
    // Batch, if no thread has begun it: now the caller's to examine.
    bool Take(TEntryBatch &batch);

    // Reads finished so far, to be given to WaitForWork: taken before the
    // caller looks at what has been read.
    uint64_t Reads() const { return fReads.load(); }
    // Until Batch (may be null) is done, a batch is queued, a listing may be
    // read or a read has finished since Reads, at most Timeout: false when
    // the time ran out.
    bool WaitForWork(const TEntryBatch *batch, uint64_t reads, std::chrono::milliseconds timeout);
    // Forgets the listings, drops the queued batches and waits until no
    // thread reads or examines: everything they use may go after this.
    void Quiesce();

private:
    struct TWorker {
        std::unique_ptr<TSearchCriteria> Criteria;
        platform::TMountTypes MountTypes;
    };
    void Work(TWorker &worker);
    void Post(TEntryBatch &batch, const std::shared_ptr<TFolderListing> &owner);
    std::shared_ptr<TFolderListing> ToReadLocked() const;
    bool WorkReadyLocked() const { return !fQueue.empty() || fReadable; }
    void UpdateReadableLocked(bool &wake);
    // Reads with the lock let go meanwhile; false when nothing may be read.
    bool ReadLocked(std::unique_lock<std::mutex> &lock);
    void NotifyProgressLocked();
    template <class Predicate>
    void WaitForProgressLocked(std::unique_lock<std::mutex> &lock, Predicate done);

    const int fMaxThreads;
    const TSearchCriteria &fCriteria;
    const std::atomic<bool> &fStop;

    mutable std::mutex fLock;
    std::condition_variable fWorkArrived;
    std::condition_variable fProgressMade;
    std::deque<TQueued> fQueue;
    std::vector<std::shared_ptr<TFolderListing>> fListings;  // the current one first
    bool fReadable = false;  // a listing may be read now
    // What the threads look at while they wait without the lock.
    std::atomic<size_t> fQueued{0};
    std::atomic<bool> fReadableHint{false};
    std::atomic<bool> fQuitting{false};
    std::atomic<uint64_t> fReads{0};  // runs of reading finished so far
    int fRunning = 0;  // batches being examined by the threads
    int fReading = 0;  // threads reading a listing
    int fAsleep = 0;   // threads waiting for work
    int fWoken = 0;    // of those, woken and not yet running
    int fProgressWaiters = 0;  // threads waiting on fProgressMade
    bool fQuit = false;
    std::vector<std::unique_ptr<TWorker>> fWorkers;
    std::vector<std::thread> fThreads;
};

} // namespace engine
