#pragma once
// The threads that help one walk: they take batches of entries from a queue,
// oldest first, and examine them. They never deliver anything and never
// touch the engine, only the batch and their own tools, so the owner's
// events all stay on the walking thread. The walking thread takes batches
// from the same queue whenever it would otherwise wait.
//
// The threads live exactly as long as this object: the walk makes it when a
// folder first has more than one batch of entries, and joins the threads
// when the walk ends, whatever ends it.

#include "engine/EntryBatch.h"

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
    // Up to Threads threads, each with its own copy of Criteria whose
    // content test gives up between two blocks once Stop is set. Fewer when
    // the system refuses more; Count() says how many run.
    TWalkWorkers(int threads, const TSearchCriteria &criteria, const std::atomic<bool> &stop);
    // Drops what is queued, lets the batches being examined finish, joins.
    ~TWalkWorkers();
    TWalkWorkers(const TWalkWorkers &) = delete;
    TWalkWorkers &operator=(const TWalkWorkers &) = delete;

    int Count() const { return int(fThreads.size()); }

    void Post(TEntryBatch &batch);
    // The oldest batch no thread has begun, now the caller's to examine and
    // Finish; null when nothing is queued.
    TEntryBatch *Take();
    void Finish(TEntryBatch &batch);
    bool QueueEmpty() const { return fQueued.load(std::memory_order_relaxed) == 0; }
    // Until Batch is done, at most Timeout: true when it is.
    bool WaitFor(const TEntryBatch &batch, std::chrono::milliseconds timeout);
    // Drops the queued batches and waits until no thread examines one: the
    // folder they were read from may close after this.
    void Quiesce();

private:
    struct TWorker {
        std::unique_ptr<TSearchCriteria> Criteria;
        platform::TMountTypes MountTypes;
    };
    void Work(TWorker &worker);

    mutable std::mutex fLock;
    std::condition_variable fWorkArrived;
    std::condition_variable fBatchDone;
    std::deque<TEntryBatch *> fQueue;
    std::atomic<size_t> fQueued{0};
    int fRunning = 0;  // batches being examined by the threads
    int fAsleep = 0;   // threads waiting for work
    int fWoken = 0;    // of those, woken and not yet running
    bool fQuit = false;
    std::atomic<bool> fQuitting{false};  // fQuit, for a thread that looks without the lock
    std::vector<std::unique_ptr<TWorker>> fWorkers;
    std::vector<std::thread> fThreads;
};

} // namespace engine
