#include "engine/ParallelWalk.h"

#include "engine/WalkRules.h"

#include <algorithm>
#include <cerrno>

namespace engine {

namespace {

// Folders read ahead of the walk, per thread: enough to keep the helpers
// busy while the walking thread delivers (on a tree of small folders four
// a thread left the helpers idle a tenth of the time), few enough that what
// they hold (a descriptor or two, a few batches each) stays small; and
// never more than MaxReadAhead, whatever the number of processors, so that
// the descriptors held stay well below the common limit of 1,024.
constexpr size_t ReadAheadPerThread = 16;
constexpr size_t MaxReadAhead = 64;

} // namespace

TParallelWalk::TParallelWalk(TFindFile &engine, std::shared_ptr<TSearchRun> run)
    : fEngine(engine), fRun(std::move(run)), fReadAheadLimit(std::min(ReadAheadPerThread * size_t(fRun->Workers), MaxReadAhead)),
      fWorkers(fRun->Workers - 1, *fRun->Criteria, fRun->Stop)
{
}

TParallelWalk::~TParallelWalk()
{
    // Nothing a helper still does may outlive the listings and batches.
    fWorkers.Quiesce();
}

void TParallelWalk::SearchTargets()
{
    SearchEachTarget(*fRun, [this](const QString &folder) { SearchTarget(folder); });
}

void TParallelWalk::SearchTarget(const QString &folder)
{
    TLevelReset levelReset(fRun->Level);
    fPath = folder;
    TChild target;
    Ask(target, fPath, 1);
    if (Stopped() || !target.Enter)
        return;
    fRun->Level = 1;
    if (const int error = fFolders.PushTarget(fPath)) {
        ReportError(fPath, error);
        return;
    }
    const int fd = fFolders.Duplicate(0);
    if (fd < 0) {
        ReportError(fPath, errno);
        fFolders.Clear();
        return;
    }
    target.Listing = MakeListing(target.Plan, -1, fd);
    Visit(target, true);
    Drop(target.Children);
    while (!fFrames.empty() && !Stopped()) {
        TFrame &top = fFrames.back();
        if (top.Next == top.Children.size()) {
            fFrames.pop_back();
            fFolders.Pop();
            continue;
        }
        TChild child = std::move(top.Children[top.Next++]);
        fPath.truncate(top.PathLength);
        fPath += child.Name.Name;
        fPath += QLatin1Char('/');
        if (child.Listing)
            --fReadAhead;
        else if (!child.Asked)
            Ask(child, fPath, uint32_t(fFrames.size() + 1));
        if (Stopped() || !child.Enter)
            continue;
        if (!child.Listing) {
            fRun->Level = child.Plan.Level;
            const int parent = fFolders.Duplicate(fFrames.size() - 1);
            if (parent < 0) {
                ReportError(fPath, errno);
                continue;
            }
            child.Listing = MakeListing(child.Plan, parent, -1);
        }
        Visit(child, false);
        // What Visit did not make a frame of: a stop, a folder that failed.
        Drop(child.Children);
    }
    // Whatever a stop left read ahead goes before the folders close.
    fWorkers.Quiesce();
    fFrames.clear();
    fFolders.Clear();
    fReadAhead = 0;
}

void TParallelWalk::Ask(TChild &child, const QString &path, uint32_t level)
{
    const uint32_t walking = fRun->Level;
    fRun->Level = level;
    const TFolderIgnore ignore = fEngine.DoFolderChange(path);
    fRun->Level = walking;
    const TFolderPasses passes = PassesFor(ignore, level, *fRun->ActiveTarget);
    child.Asked = true;
    child.Enter = passes.Any();
    child.Plan = TFolderPlan{path, child.Name.RawName, level, passes.File, passes.Folder};
}

std::shared_ptr<TFolderListing> TParallelWalk::MakeListing(const TFolderPlan &plan, int parentFd, int folderFd)
{
    return std::make_shared<TFolderListing>(plan, parentFd, folderFd, fRun->ActiveTarget->FileMasks(),
                                            fRun->SubfolderOffAttrs, fRun->Stop, fRun->MountTypes);
}

void TParallelWalk::Visit(TChild &child, bool onStack)
{
    fRun->Level = child.Plan.Level;
    fReportedEntries.clear();
    std::vector<TSubfolderName> subfolders;
    LookAhead(child);
    if (!Deliver(*child.Listing, subfolders))
        return;
    int openError = child.Listing->OpenError();
    if (!onStack && (openError == EMFILE || openError == ENFILE)) {
        // Opened ahead while other folders held descriptors: opened again
        // now, alone, as the walk on one thread would open it.
        fWorkers.SetListings(nullptr, {});
        const int parent = fFolders.Duplicate(fFrames.size() - 1);
        if (parent < 0) {
            ReportError(fPath, errno);
            return;
        }
        child.Listing = MakeListing(child.Plan, parent, -1);
        fWorkers.SetListings(child.Listing, {});
        if (!Deliver(*child.Listing, subfolders))
            return;
        openError = child.Listing->OpenError();
    }
    if (openError != 0) {
        ReportError(fPath, openError);
        return;
    }
    if (child.Listing->ReadError() != 0 && !fRun->Orphaned)
        ReportError(fPath, child.Listing->ReadError());
    if (child.Plan.FolderPass && !subfolders.empty())
        Descend(child, std::move(subfolders), onStack);
    child.Listing.reset();
}

bool TParallelWalk::Deliver(TFolderListing &listing, std::vector<TSubfolderName> &subfolders)
{
    TEntryTools own{*fRun->Criteria, fRun->MountTypes};
    std::vector<TSubfolderName> *collect = listing.Plan().FolderPass ? &subfolders : nullptr;
    for (;;) {
        if (Stopped())
            return false;
        const uint64_t reads = fWorkers.Reads();
        listing.RethrowFailure();
        bool listed = false;
        TEntryBatch *front = listing.Front(listed);
        if (front && front->State.load(std::memory_order_acquire) == TEntryBatch::bsDone) {
            if (!DeliverBatch(*front, collect))
                return false;
            listing.PopFront();
            fWorkers.Nudge();
            continue;
        }
        if (!front && listed)
            return true;
        if (front && !listed)
            fWorkers.Start();  // more than one batch: worth the helpers
        TWalkWorkers::TQueued taken;
        if (front && fWorkers.Take(*front))
            taken.Batch = front;
        else
            taken = fWorkers.Take();
        if (taken.Batch) {
            taken.Batch->Examine(own);
            taken.Batch->State.store(TEntryBatch::bsDone, std::memory_order_release);
        } else if (!fWorkers.ReadIfIdle() && !fWorkers.WaitForWork(front, reads, TFindFile::ProgressInterval)) {
            WhileWaiting();
        }
    }
}

bool TParallelWalk::DeliverBatch(TEntryBatch &batch, std::vector<TSubfolderName> *subfolders)
{
    batch.RethrowFailure();
    if (subfolders)
        for (TSubfolderName &sub : batch.Subfolders())
            subfolders->push_back(std::move(sub));
    for (const TEntryBatch::TOutcome &outcome : batch.Outcomes()) {
        if (Stopped())
            return false;
        if (outcome.ErrorNumber != 0) {
            // Each mask's pass meets an entry that cannot be examined.
            if (fReportedEntries.insert(batch.RawName(outcome.NameIndex)).second)
                ReportError(fPath + outcome.Data.cFileName, outcome.ErrorNumber);
            continue;
        }
        fEngine.DoFileMatch(fPath, outcome.Data);
        // The handler may have destroyed the engine.
        if (fRun->Orphaned)
            return false;
    }
    return !Stopped();
}

void TParallelWalk::Descend(TChild &child, std::vector<TSubfolderName> subfolders, bool onStack)
{
    if (!onStack) {
        const int fd = child.Listing->DuplicateFolderFd();
        // Short of descriptors: let go of the listing's and open it again,
        // as the walk on one thread opens a subfolder.
        child.Listing.reset();
        const int error = fd >= 0 ? fFolders.PushOpenedChild(fd, child.Plan.RawName.c_str())
                                  : fFolders.PushChild(child.Plan.RawName.c_str());
        if (error != 0) {
            ReportError(fPath, error);
            return;
        }
    }
    TFrame frame;
    frame.PathLength = fPath.size();
    if (child.Peeked) {
        // The same names, told by the same listing earlier.
        frame.Children = std::move(child.Children);
        child.Children.clear();
    } else {
        frame.Children.resize(subfolders.size());
        for (size_t i = 0; i < subfolders.size(); ++i)
            frame.Children[i].Name = std::move(subfolders[i]);
    }
    fFrames.push_back(std::move(frame));
}

void TParallelWalk::LookAhead(TChild &current)
{
    // The next folders in walk order: the current folder's own subfolders
    // if its listing has told them, then the rest of the deepest frame, and
    // so on up.
    std::vector<std::shared_ptr<TFolderListing>> ahead;
    Peek(current);
    bool more = true;
    for (size_t i = 0; more && i < current.Children.size(); ++i)
        more = PlanAhead(current.Children[i], current.Plan.Level + 1, 0, current.Listing.get(), ahead);
    for (size_t f = fFrames.size(); more && f-- > 0;) {
        TFrame &frame = fFrames[f];
        for (size_t i = frame.Next; more && i < frame.Children.size(); ++i)
            more = PlanAhead(frame.Children[i], uint32_t(f + 2), f, nullptr, ahead);
    }
    if (Stopped())
        return;
    if (!ahead.empty())
        fWorkers.Start();
    fWorkers.SetListings(current.Listing, std::move(ahead));
}

bool TParallelWalk::PlanAhead(TChild &child, uint32_t level, size_t frame, const TFolderListing *parent,
                              std::vector<std::shared_ptr<TFolderListing>> &ahead)
{
    if (ahead.size() >= fReadAheadLimit)
        return false;
    if (!child.Asked) {
        const QString folder = parent ? parent->Plan().Folder : fPath.left(fFrames[frame].PathLength);
        Ask(child, folder + child.Name.Name + QLatin1Char('/'), level);
        if (Stopped())
            return false;
    }
    if (!child.Enter)
        return true;
    if (!child.Listing) {
        // Folders read ahead and passed over by deeper ones keep what they
        // hold until their turn: no more of them.
        if (fReadAhead >= fReadAheadLimit)
            return false;
        const int parentFd = parent ? parent->DuplicateFolderFd() : fFolders.Duplicate(frame);
        if (parentFd < 0)
            return false;
        child.Listing = MakeListing(child.Plan, parentFd, -1);
        ++fReadAhead;
    }
    ahead.push_back(child.Listing);
    Peek(child);
    for (TChild &grandchild : child.Children)
        if (!PlanAhead(grandchild, level + 1, frame, child.Listing.get(), ahead))
            return false;
    return true;
}

void TParallelWalk::Peek(TChild &child)
{
    if (child.Peeked || !child.Listing || !child.Plan.FolderPass || Stopped())
        return;
    std::vector<TSubfolderName> subfolders;
    if (!child.Listing->PeekSubfolders(subfolders))
        return;
    child.Peeked = true;
    child.Children.resize(subfolders.size());
    for (size_t i = 0; i < subfolders.size(); ++i)
        child.Children[i].Name = std::move(subfolders[i]);
}

void TParallelWalk::Drop(std::vector<TChild> &children)
{
    for (TChild &child : children) {
        if (child.Listing)
            --fReadAhead;
        Drop(child.Children);
    }
    children.clear();
}

void TParallelWalk::WhileWaiting()
{
    // A helper is reading a long file for the phrase: the owner hears of it
    // as it would if this thread read the file.
    if (!fRun->Criteria->Content().Phrase().isEmpty())
        fEngine.ContinueReading(*fRun);
}

void TParallelWalk::ReportError(const QString &path, int errorNumber)
{
    fEngine.DoSearchError(
        TSearchError{path, uint16_t(std::min<uint32_t>(fRun->Level, UINT16_MAX)), errorNumber});
}

} // namespace engine
