#include "engine/WalkWorkers.h"

#include <system_error>

namespace engine {

namespace {

// Handing a batch to a sleeping thread, or waking up for one, costs a few
// microseconds of the kernel's time; a folder's batches come a few tens of
// microseconds apart. So a thread that runs out of work first looks again for
// about as long as a batch takes, and only then sleeps.
constexpr auto SpinTime = std::chrono::microseconds(50);

template <class Ready>
bool SpinUntil(Ready ready)
{
    const auto end = std::chrono::steady_clock::now() + SpinTime;
    do {
        for (int i = 0; i < 64; ++i) {
            if (ready())
                return true;
            __builtin_ia32_pause();
        }
    } while (std::chrono::steady_clock::now() < end);
    return ready();
}

} // namespace

TWalkWorkers::TWalkWorkers(int threads, const TSearchCriteria &criteria, const std::atomic<bool> &stop)
{
    for (int i = 0; i < threads; ++i) {
        auto worker = std::make_unique<TWorker>();
        worker->Criteria = std::make_unique<TSearchCriteria>();
        worker->Criteria->Assign(criteria);
        worker->Criteria->Content().ReadMonitor = [&stop] { return !stop.load(std::memory_order_relaxed); };
        try {
            fThreads.emplace_back(&TWalkWorkers::Work, this, std::ref(*worker));
        } catch (const std::system_error &) {
            break;  // the walking thread does the work of those not started
        }
        fWorkers.push_back(std::move(worker));
    }
}

TWalkWorkers::~TWalkWorkers()
{
    {
        std::lock_guard<std::mutex> lock(fLock);
        fQuit = true;
        fQuitting = true;
        fQueue.clear();
        fQueued = 0;
    }
    fWorkArrived.notify_all();
    for (std::thread &thread : fThreads)
        thread.join();
}

void TWalkWorkers::Work(TWorker &worker)
{
    TEntryTools tools{*worker.Criteria, worker.MountTypes};
    std::unique_lock<std::mutex> lock(fLock);
    for (;;) {
        if (!fQuit && fQueue.empty()) {
            lock.unlock();
            SpinUntil([this] { return fQueued.load(std::memory_order_relaxed) != 0 || fQuitting.load(); });
            lock.lock();
        }
        if (!fQuit && fQueue.empty()) {
            ++fAsleep;
            fWorkArrived.wait(lock, [this] { return fQuit || !fQueue.empty(); });
            --fAsleep;
            if (fWoken > 0)
                --fWoken;
        }
        if (fQuit)
            return;
        TEntryBatch *batch = fQueue.front();
        fQueue.pop_front();
        --fQueued;
        batch->State = TEntryBatch::bsRunning;
        ++fRunning;
        lock.unlock();
        batch->Examine(tools);
        lock.lock();
        batch->State.store(TEntryBatch::bsDone, std::memory_order_release);
        --fRunning;
        fBatchDone.notify_all();
    }
}

void TWalkWorkers::Post(TEntryBatch &batch)
{
    bool wake = false;
    {
        std::lock_guard<std::mutex> lock(fLock);
        fQueue.push_back(&batch);
        ++fQueued;
        // Waking a thread is a system call: only for one that sleeps and
        // has not been woken already.
        wake = fAsleep > fWoken;
        if (wake)
            ++fWoken;
    }
    if (wake)
        fWorkArrived.notify_one();
}

TEntryBatch *TWalkWorkers::Take()
{
    std::lock_guard<std::mutex> lock(fLock);
    if (fQueue.empty())
        return nullptr;
    TEntryBatch *batch = fQueue.front();
    fQueue.pop_front();
    --fQueued;
    batch->State = TEntryBatch::bsRunning;
    return batch;
}

void TWalkWorkers::Finish(TEntryBatch &batch)
{
    batch.State.store(TEntryBatch::bsDone, std::memory_order_release);
}

bool TWalkWorkers::WaitFor(const TEntryBatch &batch, std::chrono::milliseconds timeout)
{
    if (SpinUntil([&batch] { return batch.State.load(std::memory_order_acquire) == TEntryBatch::bsDone; }))
        return true;
    std::unique_lock<std::mutex> lock(fLock);
    return fBatchDone.wait_for(lock, timeout, [&batch] {
        return batch.State.load(std::memory_order_acquire) == TEntryBatch::bsDone;
    });
}

void TWalkWorkers::Quiesce()
{
    std::unique_lock<std::mutex> lock(fLock);
    for (TEntryBatch *batch : fQueue)
        batch->State = TEntryBatch::bsDone;
    fQueue.clear();
    fQueued = 0;
    fBatchDone.wait(lock, [this] { return fRunning == 0; });
}

} // namespace engine
