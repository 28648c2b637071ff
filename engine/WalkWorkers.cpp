#include "engine/WalkWorkers.h"

#include <system_error>

namespace engine {

namespace {

// Waking a sleeping thread costs the kernel a few microseconds, and the
// thread starts tens of microseconds later on a processor that was idle
// (far more in a virtual machine); folders come tens of microseconds apart.
// So a thread that runs out of work, or waits for a batch, first keeps
// looking for a while, and only then sleeps.
constexpr auto IdleSpin = std::chrono::microseconds(200);
constexpr auto BatchSpin = std::chrono::microseconds(1000);

// Batches a listing may hold before reading it pauses: the folder being
// delivered keeps every thread busy, one read ahead holds some five hundred
// entries, enough to be read whole when it is a typical folder.
constexpr size_t CurrentBatchesPerThread = 8;
constexpr size_t AheadBatches = 16;

// Looks until Ready or the time is up. Between two looks the processor is
// offered to other threads: when this process gets fewer processors than it
// has threads, the thread that would make Ready true may be waiting for it.
template <class Ready>
bool SpinUntil(std::chrono::microseconds spin, Ready ready)
{
    const auto end = std::chrono::steady_clock::now() + spin;
    do {
        for (int i = 0; i < 16; ++i) {
            if (ready())
                return true;
            __builtin_ia32_pause();
        }
        std::this_thread::yield();
    } while (std::chrono::steady_clock::now() < end);
    return ready();
}

} // namespace

TWalkWorkers::TWalkWorkers(int threads, const TSearchCriteria &criteria, const std::atomic<bool> &stop)
    : fMaxThreads(threads), fCriteria(criteria), fStop(stop)
{
}

TWalkWorkers::~TWalkWorkers()
{
    {
        std::lock_guard<std::mutex> lock(fLock);
        fQuit = true;
        fQuitting = true;
        fQueue.clear();
        fQueued = 0;
        fListings.clear();
    }
    fWorkArrived.notify_all();
    for (std::thread &thread : fThreads)
        thread.join();
}

void TWalkWorkers::Start()
{
    if (!fThreads.empty() || fMaxThreads < 1)
        return;
    for (int i = 0; i < fMaxThreads; ++i) {
        auto worker = std::make_unique<TWorker>();
        worker->Criteria = std::make_unique<TSearchCriteria>();
        worker->Criteria->Assign(fCriteria);
        const std::atomic<bool> &stop = fStop;
        worker->Criteria->Content().ReadMonitor = [&stop] { return !stop.load(std::memory_order_relaxed); };
        try {
            fThreads.emplace_back(&TWalkWorkers::Work, this, std::ref(*worker));
        } catch (const std::system_error &) {
            break;  // the walking thread does the work of those not started
        }
        fWorkers.push_back(std::move(worker));
    }
}

void TWalkWorkers::Work(TWorker &worker)
{
    TEntryTools tools{*worker.Criteria, worker.MountTypes};
    std::unique_lock<std::mutex> lock(fLock);
    for (;;) {
        // Another thread may take what was seen first: look again until
        // the time to look is up, and only then sleep.
        const auto lookUntil = std::chrono::steady_clock::now() + IdleSpin;
        while (!fQuit && !WorkReadyLocked()) {
            const auto left =
                std::chrono::duration_cast<std::chrono::microseconds>(lookUntil - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            lock.unlock();
            const bool seen = SpinUntil(left, [this] {
                return fQueued.load(std::memory_order_relaxed) != 0 || fReadableHint.load(std::memory_order_relaxed)
                       || fQuitting.load(std::memory_order_relaxed);
            });
            lock.lock();
            if (!seen)
                break;
        }
        ++fAsleep;
        while (!fQuit && !WorkReadyLocked()) {
            fWorkArrived.wait(lock);
            // A wake-up, called for or not, is used up: the next piece of
            // work wakes this thread again if it still sleeps.
            if (fWoken > 0)
                --fWoken;
        }
        --fAsleep;
        if (fQuit)
            return;
        if (fQueue.empty()) {
            ReadLocked(lock);
            continue;
        }
        TQueued queued = std::move(fQueue.front());
        fQueue.pop_front();
        --fQueued;
        queued.Batch->State = TEntryBatch::bsRunning;
        ++fRunning;
        lock.unlock();
        queued.Batch->Examine(tools);
        queued.Batch->State.store(TEntryBatch::bsDone, std::memory_order_release);
        // The listing may go with this hold: not under the lock.
        queued.Owner.reset();
        lock.lock();
        --fRunning;
        NotifyProgressLocked();
    }
}

std::shared_ptr<TFolderListing> TWalkWorkers::ToReadLocked() const
{
    for (const std::shared_ptr<TFolderListing> &listing : fListings)
        if (!listing->ReadingNow && !listing->Listed() && listing->Buffered() < listing->Cap)
            return listing;
    return nullptr;
}

void TWalkWorkers::UpdateReadableLocked(bool &wake)
{
    fReadable = ToReadLocked() != nullptr;
    fReadableHint = fReadable;
    // Waking a thread is a system call: only for one that sleeps and has
    // not been woken already.
    wake = fReadable && fAsleep > fWoken;
    if (wake)
        ++fWoken;
}

bool TWalkWorkers::ReadLocked(std::unique_lock<std::mutex> &lock)
{
    const std::shared_ptr<TFolderListing> listing = ToReadLocked();
    if (!listing)
        return false;
    listing->ReadingNow = true;
    const size_t cap = listing->Cap;
    ++fReading;
    bool wake = false;
    UpdateReadableLocked(wake);
    lock.unlock();
    if (wake)
        fWorkArrived.notify_one();
    // Reads on until enough is read ahead: the batches queued meanwhile
    // keep the other threads busy.
    try {
        while (listing->Buffered() < cap) {
            TEntryBatch *batch = listing->ReadBatch();
            if (!batch)
                break;
            Post(*batch, listing);
        }
    } catch (...) {
        listing->KeepFailure(std::current_exception());
    }
    lock.lock();
    listing->ReadingNow = false;
    --fReading;
    ++fReads;
    UpdateReadableLocked(wake);
    NotifyProgressLocked();
    if (wake)
        fWorkArrived.notify_one();
    return true;
}

void TWalkWorkers::NotifyProgressLocked()
{
    // Signalling a condition variable nobody waits on is not free: glibc
    // may even block the signalling thread for a while.
    if (fProgressWaiters > 0)
        fProgressMade.notify_all();
}

template <class Predicate>
void TWalkWorkers::WaitForProgressLocked(std::unique_lock<std::mutex> &lock, Predicate done)
{
    ++fProgressWaiters;
    fProgressMade.wait(lock, done);
    --fProgressWaiters;
}

void TWalkWorkers::Post(TEntryBatch &batch, const std::shared_ptr<TFolderListing> &owner)
{
    bool wake = false;
    {
        std::lock_guard<std::mutex> lock(fLock);
        fQueue.push_back({&batch, owner});
        ++fQueued;
        wake = fAsleep > fWoken;
        if (wake)
            ++fWoken;
        NotifyProgressLocked();
    }
    if (wake)
        fWorkArrived.notify_one();
}

void TWalkWorkers::SetListings(std::shared_ptr<TFolderListing> current,
                               std::vector<std::shared_ptr<TFolderListing>> ahead)
{
    bool wake = false;
    {
        std::lock_guard<std::mutex> lock(fLock);
        fListings = std::move(ahead);
        for (const std::shared_ptr<TFolderListing> &listing : fListings)
            listing->Cap = AheadBatches;
        if (current) {
            current->Cap = CurrentBatchesPerThread * size_t(fThreads.size() + 1);
            fListings.insert(fListings.begin(), std::move(current));
        }
        UpdateReadableLocked(wake);
    }
    if (wake)
        fWorkArrived.notify_one();
}

void TWalkWorkers::Nudge()
{
    bool wake = false;
    {
        std::lock_guard<std::mutex> lock(fLock);
        UpdateReadableLocked(wake);
    }
    if (wake)
        fWorkArrived.notify_one();
}

bool TWalkWorkers::ReadIfIdle()
{
    if (!fReadableHint.load(std::memory_order_relaxed))
        return false;
    std::unique_lock<std::mutex> lock(fLock);
    return ReadLocked(lock);
}

TWalkWorkers::TQueued TWalkWorkers::Take()
{
    if (fQueued.load(std::memory_order_relaxed) == 0)
        return {};
    std::lock_guard<std::mutex> lock(fLock);
    if (fQueue.empty())
        return {};
    TQueued queued = std::move(fQueue.back());
    fQueue.pop_back();
    --fQueued;
    queued.Batch->State = TEntryBatch::bsRunning;
    return queued;
}

bool TWalkWorkers::Take(TEntryBatch &batch)
{
    if (batch.State.load(std::memory_order_relaxed) != TEntryBatch::bsQueued)
        return false;
    std::lock_guard<std::mutex> lock(fLock);
    for (auto it = fQueue.begin(); it != fQueue.end(); ++it) {
        if (it->Batch == &batch) {
            fQueue.erase(it);
            --fQueued;
            batch.State = TEntryBatch::bsRunning;
            return true;
        }
    }
    return false;
}

bool TWalkWorkers::WaitForWork(const TEntryBatch *batch, uint64_t reads, std::chrono::milliseconds timeout)
{
    // A run of reading that ends a listing queues nothing, but the caller
    // must see that the listing has ended.
    const auto ready = [this, batch, reads] {
        return (batch && batch->State.load(std::memory_order_acquire) == TEntryBatch::bsDone)
               || fQueued.load(std::memory_order_relaxed) != 0 || fReadableHint.load(std::memory_order_relaxed)
               || fReads.load(std::memory_order_relaxed) != reads;
    };
    if (SpinUntil(BatchSpin, ready))
        return true;
    std::unique_lock<std::mutex> lock(fLock);
    // Whatever a helper does next notifies fProgressMade: a batch done, a
    // batch queued, or a run of reading finished.
    ++fProgressWaiters;
    const bool done = fProgressMade.wait_for(lock, timeout, ready);
    --fProgressWaiters;
    return done;
}

void TWalkWorkers::Quiesce()
{
    std::vector<std::shared_ptr<TFolderListing>> listings;
    std::deque<TQueued> queue;
    {
        std::unique_lock<std::mutex> lock(fLock);
        listings.swap(fListings);
        queue.swap(fQueue);
        fQueued = 0;
        fReadable = false;
        fReadableHint = false;
        WaitForProgressLocked(lock, [this] { return fRunning == 0 && fReading == 0; });
    }
    // The listings and their batches go here, once no thread uses them.
}

} // namespace engine
