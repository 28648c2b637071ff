#include "engine/BatchedPass.h"

#include "engine/FindFile.h"

namespace engine {

namespace {

// Batches read ahead of the one to deliver, per thread at work.
constexpr size_t BatchesAheadPerThread = 4;

} // namespace

TBatchedPass::TBatchedPass(platform::TDirReader &dir, const TListingPass &pass, TEntryTools ownTools,
                           TWorkersSource workers, TDeliver deliver, std::function<void()> whileWaiting)
    : fDir(dir), fPass(pass), fOwnTools(ownTools), fWorkersSource(std::move(workers)),
      fDeliver(std::move(deliver)), fWhileWaiting(std::move(whileWaiting))
{
}

TBatchedPass::~TBatchedPass()
{
    // A stop or an exception may leave batches queued or in a worker's
    // hands; they read the folder, which closes after this.
    if (fWorkers)
        fWorkers->Quiesce();
}

bool TBatchedPass::Run()
{
    bool listed = false;
    for (;;) {
        if (Stopped())
            return false;
        if (FrontDone()) {
            if (!fDeliver(*fBatches.front()))
                return false;
            fBatches.pop_front();
            continue;
        }
        const size_t threads = fWorkers ? size_t(fWorkers->Count()) + 1 : 2;
        if (!listed && fBatches.size() < BatchesAheadPerThread * threads) {
            listed = !ReadBatch();
            continue;
        }
        if (fBatches.empty())
            return true;
        if (!ExamineOne())
            Wait();
    }
}

bool TBatchedPass::ReadBatch()
{
    auto batch = std::make_unique<TEntryBatch>(fPass);
    platform::TDirReader::Entry entry;
    while (!batch->Full() && fDir.Next(entry))
        batch->Add(entry.name, entry.length, entry.mayBeFolder);
    if (batch->Empty())
        return false;
    TEntryBatch &read = *batch;
    fBatches.push_back(std::move(batch));
    if (!read.Full()) {
        fUnqueued = &read;
        return false;
    }
    if (!fWorkers)
        fWorkers = fWorkersSource();
    if (fWorkers) {
        fWorkers->Post(read);
    } else {
        read.Examine(fOwnTools);  // no helpers after all
        read.State.store(TEntryBatch::bsDone, std::memory_order_release);
    }
    return true;
}

bool TBatchedPass::FrontDone() const
{
    return !fBatches.empty()
           && fBatches.front()->State.load(std::memory_order_acquire) == TEntryBatch::bsDone;
}

bool TBatchedPass::ExamineOne()
{
    TEntryBatch *batch = fWorkers ? fWorkers->Take() : nullptr;
    if (!batch) {
        batch = fUnqueued;
        fUnqueued = nullptr;
    }
    if (!batch)
        return false;
    batch->Examine(fOwnTools);
    batch->State.store(TEntryBatch::bsDone, std::memory_order_release);
    return true;
}

void TBatchedPass::Wait()
{
    if (fWorkers && !fWorkers->WaitFor(*fBatches.front(), TFindFile::ProgressInterval))
        fWhileWaiting();
}

} // namespace engine
