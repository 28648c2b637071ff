#pragma once
// The search component: walks the target folders of its criteria and reports
// every matching entry through events. Not threaded (the default), a search
// runs to its end inside Execute; the owner keeps a window alive by letting
// pending events run from its OnFileMatch handler, which is also how Abort
// reaches a running search.

#include "engine/FileDetails.h"
#include "engine/SearchCriteria.h"

#include <QObject>
#include <QThread>
#include <chrono>
#include <functional>
#include <memory>

namespace engine {

struct TSearchRun;
class TFolderWalk;

class TFindFile : public QObject {
public:
    using TNotifyEvent = std::function<void(TFindFile &sender)>;
    using TFileMatchEvent = std::function<void(TFindFile &sender, const TFileDetails &fileInfo)>;
    using TFolderChangeEvent =
        std::function<void(TFindFile &sender, const QString &folder, TFolderIgnore &ignoreFolder)>;
    using TSearchErrorEvent = std::function<void(TFindFile &sender, const TSearchError &error)>;

    // The criteria start as a fresh TSearchCriteria; the owner edits them.
    explicit TFindFile(QObject *owner = nullptr);
    // A busy engine is aborted first; a worker is waited for, and a walk on
    // this thread (the engine destroyed from its own handler) unwinds
    // without touching the engine again.
    ~TFindFile() override;

    // Starts a search; ignored while busy. Not threaded: returns after
    // OnSearchFinish, and an exception from a handler leaves here after it.
    // Threaded: returns once the worker runs; OnSearchFinish fires later on
    // this thread, from its event loop.
    void Execute();
    // Stops the running search: OnSearchAbort fires before Abort returns, no
    // hit or folder event after it. Ignored while idle or once aborted.
    void Abort();

    TSearchCriteria &Criteria() { return *fCriteria; }
    void SetCriteria(const TSearchCriteria &value) { fCriteria->Assign(value); }

    bool Threaded = false;
    QThread::Priority ThreadPriority = QThread::NormalPriority;
    // Threads that read folders and examine their entries (statx, criteria,
    // the content for a phrase), the walking thread included; 1 walks
    // alone. Every event still fires on the walking thread; hits, errors
    // and their order are the same for any number, and OnFolderChange still
    // keeps a folder out unopened, but it comes for the next few folders
    // ahead of their turn (see TParallelWalk). Helpers start when there is
    // more than a batch of entries to examine, and end with the search.
    int Workers = 1;
    // One worker per processor this process may run on.
    static int ProcessorCount();

    bool Busy() const { return fBusy; }
    bool Aborted() const { return fAborted; }
    // How deep the walk is now: a target's own entries are level 1, their
    // subfolders' entries 2, and so on; 0 while no folder is being read.
    // Saturates at 65535.
    uint16_t CurrentLevel() const;

    TFileMatchEvent OnFileMatch;
    TFolderChangeEvent OnFolderChange;
    TNotifyEvent OnSearchBegin;
    TNotifyEvent OnSearchFinish;
    TNotifyEvent OnSearchAbort;
    // A folder that cannot be opened or read (the target too, ENOENT when it
    // does not exist), or an entry whose details cannot be read for another
    // reason than having vanished. Fired where the walk meets it, on the
    // walking thread and under the same lock as OnFileMatch, never after
    // OnSearchAbort; the folder's OnFolderChange has fired before. Owners
    // that keep silent about such folders leave it unbound.
    TSearchErrorEvent OnSearchError;
    // While files are read for a phrase: before a block is read, once
    // ProgressInterval has passed since the search began or this last fired
    // (so inside a huge file, and over a run of files none of which holds
    // the phrase). On the walking thread, outside the lock, so that a
    // single-threaded owner can let its pending events run and call Abort,
    // which ends the read before its next block. Never after OnSearchAbort.
    TNotifyEvent OnSearchProgress;
    static constexpr std::chrono::milliseconds ProgressInterval{25};

protected:
    virtual void DoSearchBegin();
    virtual void DoSearchFinish();
    virtual void DoSearchAbort();
    virtual TFolderIgnore DoFolderChange(const QString &folder);
    virtual void DoSearchError(const TSearchError &error);
    virtual void DoSearchProgress();
    virtual void DoFileMatch(const QString &folder, const platform::TFindData &findData);
    // ContentError gets the errno of a file whose content could not be
    // read, or 0.
    virtual bool AcceptFile(const QString &folder, const platform::TFindData &findData, int &contentError);

private:
    friend class TFolderWalk;
    friend class TParallelWalk;
    class TSearchThread;

    void InitSearch();
    void DoneSearch();
    void StartWorker();
    void WorkerFinished();
    void FireNotify(const TNotifyEvent &event);
    // Between the blocks of a file: false once the search has stopped.
    bool ContinueReading(TSearchRun &run);

    std::unique_ptr<TSearchCriteria> fCriteria;
    std::atomic<bool> fAborted{false};
    std::atomic<bool> fBusy{false};
    bool fDestroying = false;
    std::shared_ptr<TSearchRun> fRun;
    std::unique_ptr<QThread> fSearchThread;
};

} // namespace engine
