#include "engine/WalkWorkers.h"

#include <system_error>

namespace engine {

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
        fWorkArrived.wait(lock, [this] { return fQuit || !fQueue.empty(); });
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
    {
        std::lock_guard<std::mutex> lock(fLock);
        fQueue.push_back(&batch);
        ++fQueued;
    }
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
