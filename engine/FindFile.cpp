#include "engine/FindFile.h"

#include "engine/FolderWalk.h"
#include "engine/ParallelWalk.h"
#include "engine/SearchRun.h"

#include <QCoreApplication>
#include <algorithm>

namespace engine {

namespace {

// Only these required-off attributes can keep a subfolder closed: Hidden,
// System, Device, Temporary, Offline, Encrypted and Virtual.
constexpr uint32_t SubfolderBarringAttributes = platform::faHidden | platform::faSystem | platform::faDevice
                                                | platform::faTemporary | platform::faOffline
                                                | platform::faEncrypted | platform::faVirtual;

uint8_t RepeatedTimes(const platform::TFindData &findData)
{
    return (platform::IsRepeatedLocalTime(findData.creationTime) ? rtCreated : 0)
           | (platform::IsRepeatedLocalTime(findData.lastWriteTime) ? rtModified : 0)
           | (platform::IsRepeatedLocalTime(findData.lastAccessTime) ? rtAccessed : 0);
}

// One thread walks alone; with helpers the walk reads ahead.
void Walk(TFindFile &engine, const std::shared_ptr<TSearchRun> &run)
{
    if (run->Workers > 1)
        TParallelWalk(engine, run).SearchTargets();
    else
        TFolderWalk(engine, run).SearchTargets();
}

} // namespace

class TFindFile::TSearchThread : public QThread {
public:
    TSearchThread(TFindFile &owner, std::shared_ptr<TSearchRun> run)
        : fOwner(owner), fRun(std::move(run))
    {
    }

protected:
    void run() override
    {
        try {
            Walk(fOwner, fRun);
        } catch (...) {
            fRun->WorkerError = std::current_exception();
        }
        // The end step belongs to the thread that created the engine. A
        // queued call bound to the engine is dropped if the engine is gone.
        TFindFile *owner = &fOwner;
        QMetaObject::invokeMethod(owner, [owner] { owner->WorkerFinished(); },
                                  Qt::QueuedConnection);
    }

private:
    TFindFile &fOwner;
    std::shared_ptr<TSearchRun> fRun;
};

TFindFile::TFindFile(QObject *owner)
    : QObject(owner), fCriteria(std::make_unique<TSearchCriteria>())
{
}

TFindFile::~TFindFile()
{
    fDestroying = true;
    if (fBusy)
        Abort();
    if (fSearchThread)
        fSearchThread->wait();
    if (fRun) {
        fRun->Orphaned = true;
        fRun->Stop = true;
    }
}

int TFindFile::ProcessorCount()
{
    return std::max(1, QThread::idealThreadCount());
}

uint16_t TFindFile::CurrentLevel() const
{
    const std::shared_ptr<TSearchRun> run = fRun;
    return run ? uint16_t(std::min<uint32_t>(run->Level, UINT16_MAX)) : 0;
}

void TFindFile::InitSearch()
{
    fBusy = true;
    fAborted = false;
    auto run = std::make_shared<TSearchRun>();
    run->Criteria = std::make_unique<TSearchCriteria>();
    run->Criteria->Assign(*fCriteria);
    run->SubfolderOffAttrs = run->Criteria->Attributes().OffAttributes() & SubfolderBarringAttributes;
    run->Workers = std::max(1, Workers);
    // The criteria copy lives in the run, so the run outlives this monitor.
    TSearchRun *searchRun = run.get();
    run->Criteria->Content().ReadMonitor = [this, searchRun] { return ContinueReading(*searchRun); };
    run->LastProgress = std::chrono::steady_clock::now();
    fRun = std::move(run);
    DoSearchBegin();
}

void TFindFile::DoneSearch()
{
    fRun.reset();
    fBusy = false;
    DoSearchFinish();
}

void TFindFile::Execute()
{
    if (fBusy)
        return;
    if (Threaded) {
        StartWorker();
        return;
    }
    InitSearch();
    const std::shared_ptr<TSearchRun> run = fRun;
    try {
        Walk(*this, run);
    } catch (...) {
        if (!run->Orphaned)
            DoneSearch();
        throw;
    }
    if (!run->Orphaned)
        DoneSearch();
}

void TFindFile::StartWorker()
{
    InitSearch();
    try {
        fSearchThread = std::make_unique<TSearchThread>(*this, fRun);
        fSearchThread->start(ThreadPriority);
    } catch (...) {
        fSearchThread.reset();
        DoneSearch();
        throw;
    }
}

void TFindFile::WorkerFinished()
{
    if (!fSearchThread)
        return;
    fSearchThread->wait();
    fSearchThread.reset();
    const std::exception_ptr error = fRun ? fRun->WorkerError : nullptr;
    DoneSearch();
    // What ended the walk reaches the application's exception display the
    // way any handler's exception does: out of this queued call.
    if (error)
        std::rethrow_exception(error);
}

void TFindFile::Abort()
{
    const std::shared_ptr<TSearchRun> run = fRun;
    if (!fBusy || fAborted || !run)
        return;
    fAborted = true;
    run->Stop = true;
    // A handler holding the lock on another thread may be waiting for this
    // one; keep this thread's events running until the handler lets go.
    while (!run->CS.try_lock()) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        else
            QThread::yieldCurrentThread();
    }
    std::lock_guard<std::recursive_mutex> lock(run->CS, std::adopt_lock);
    DoSearchAbort();
}

void TFindFile::FireNotify(const TNotifyEvent &event)
{
    if (fDestroying || !event)
        return;
    const TNotifyEvent handler = event;
    handler(*this);
}

bool TFindFile::ContinueReading(TSearchRun &run)
{
    if (run.Stop)
        return false;
    const auto now = std::chrono::steady_clock::now();
    if (now - run.LastProgress < ProgressInterval)
        return true;
    run.LastProgress = now;
    DoSearchProgress();
    // The handler may have stopped the search, or destroyed this engine.
    return !run.Stop;
}

void TFindFile::DoSearchProgress()
{
    const std::shared_ptr<TSearchRun> run = fRun;
    if (run && !run->Stop)
        FireNotify(OnSearchProgress);
}

void TFindFile::DoSearchBegin() { FireNotify(OnSearchBegin); }
void TFindFile::DoSearchFinish() { FireNotify(OnSearchFinish); }
void TFindFile::DoSearchAbort() { FireNotify(OnSearchAbort); }

TFolderIgnore TFindFile::DoFolderChange(const QString &folder)
{
    TFolderIgnore ignore = fiNone;
    const std::shared_ptr<TSearchRun> run = fRun;
    if (!run || run->Stop || !OnFolderChange)
        return ignore;
    const TFolderChangeEvent handler = OnFolderChange;
    std::lock_guard<std::recursive_mutex> lock(run->CS);
    if (!run->Stop)
        handler(*this, folder, ignore);
    return ignore;
}

void TFindFile::DoSearchError(const TSearchError &error)
{
    const std::shared_ptr<TSearchRun> run = fRun;
    if (!run || run->Stop || !OnSearchError)
        return;
    const TSearchErrorEvent handler = OnSearchError;
    std::lock_guard<std::recursive_mutex> lock(run->CS);
    if (!run->Stop)
        handler(*this, error);
}

void TFindFile::DoFileMatch(const QString &folder, const platform::TFindData &findData)
{
    const std::shared_ptr<TSearchRun> run = fRun;
    if (!run || run->Stop || !OnFileMatch)
        return;
    TFileDetails details;
    details.Location = folder;
    details.Name = findData.cFileName;
    details.Attributes = findData.dwFileAttributes;
    details.Size = findData.size;
    details.CreatedTime = platform::FileTimeToDateTime(findData.creationTime);
    details.ModifiedTime = platform::FileTimeToDateTime(findData.lastWriteTime);
    details.AccessedTime = platform::FileTimeToDateTime(findData.lastAccessTime);
    details.RepeatedTimes = RepeatedTimes(findData);
    const TFileMatchEvent handler = OnFileMatch;
    std::lock_guard<std::recursive_mutex> lock(run->CS);
    // In threaded mode an abort may have come between the test above and
    // the lock; a hit is never delivered after OnSearchAbort.
    if (!run->Stop)
        handler(*this, details);
}

bool TFindFile::AcceptFile(const QString &folder, const platform::TFindData &findData, int &contentError)
{
    contentError = 0;
    const std::shared_ptr<TSearchRun> run = fRun;
    return run && !run->Stop && run->Criteria->Matches(folder, findData, &contentError);
}

} // namespace engine
