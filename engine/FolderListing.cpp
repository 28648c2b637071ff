#include "engine/FolderListing.h"

#include "engine/Wildcard.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace engine {

namespace {

// As the walk on one thread opens a subfolder: never through a link.
constexpr int ChildFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

void CloseIfOpen(int &fd)
{
    if (fd >= 0)
        close(fd);
    fd = -1;
}

} // namespace

TFolderListing::TFolderListing(TFolderPlan plan, int parentFd, int folderFd, const QStringList &masks,
                               uint32_t subfolderOffAttrs, const std::atomic<bool> &stop,
                               platform::TMountTypes &mountTypes)
    : fPlan(std::move(plan)), fParentFd(parentFd), fFolderFd(folderFd), fMasks(masks),
      fSubfolderOffAttrs(subfolderOffAttrs), fStop(stop), fMountTypes(mountTypes)
{
}

TFolderListing::~TFolderListing()
{
    fDir.reset();
    CloseIfOpen(fParentFd);
    CloseIfOpen(fFolderFd);
}

bool TFolderListing::Open()
{
    fOpened = true;
    if (fFolderFd < 0) {
        fFolderFd = openat(fParentFd, fPlan.RawName.c_str(), ChildFlags);
        fOpenError = fFolderFd < 0 ? errno : 0;
    }
    CloseIfOpen(fParentFd);
    if (fOpenError != 0)
        return false;
    // One descriptor serves the listing, every entry's statx and, later,
    // the walk's way into the subfolders: as few as a walk on one thread
    // holds. The mount types serve only TDirReader::Stat, not used here.
    fDir = std::make_unique<platform::TDirReader>(fFolderFd, fMountTypes);
    fFolderFd = -1;
    if (!fDir->IsOpen())
        return false;
    TListingPass pass;
    pass.FolderFd = fDir->Fd();
    pass.FolderDevice = fDir->FolderDevice();
    pass.Folder = fPlan.Folder;
    pass.SubfolderOffAttrs = fSubfolderOffAttrs;
    pass.Stop = &fStop;
    if (!fPlan.FilePass) {
        pass.FilePass = false;
        pass.CollectSubfolders = true;
        fPasses.push_back(pass);
        return true;
    }
    for (qsizetype i = 0; i < fMasks.size(); ++i) {
        pass.Mask = fMasks[i];
        pass.EveryName = MatchesEveryName(fMasks[i]);
        pass.CollectSubfolders = i == 0 && fPlan.FolderPass;
        fPasses.push_back(pass);
    }
    return true;
}

bool TFolderListing::NextPass()
{
    // One listing serves every mask, read again from its start.
    if (fPassIndex + 1 >= fPasses.size())
        return false;
    ++fPassIndex;
    fDir->Rewind();
    return true;
}

void TFolderListing::EndListing()
{
    // The folder stays open: batches not yet examined need it.
    if (fDir)
        fReadError = fDir->Error();
    std::lock_guard<std::mutex> lock(fLock);
    fListed = true;
}

TEntryBatch *TFolderListing::ReadBatch()
{
    if (!fOpened && !Open()) {
        EndListing();
        return nullptr;
    }
    while (fDir && fDir->IsOpen() && !fStop.load(std::memory_order_relaxed)) {
        auto batch = std::make_unique<TEntryBatch>(fPasses[fPassIndex]);
        platform::TDirReader::Entry entry;
        while (!batch->Full() && fDir->Next(entry))
            batch->Add(entry.name, entry.length, entry.mayBeFolder);
        if (!batch->Empty()) {
            TEntryBatch *read = batch.get();
            std::lock_guard<std::mutex> lock(fLock);
            fBatches.push_back(std::move(batch));
            return read;
        }
        if (!NextPass())
            break;
    }
    EndListing();
    return nullptr;
}

void TFolderListing::KeepFailure(std::exception_ptr failure)
{
    std::lock_guard<std::mutex> lock(fLock);
    fFailure = std::move(failure);
    fListed = true;
}

bool TFolderListing::Listed() const
{
    std::lock_guard<std::mutex> lock(fLock);
    return fListed;
}

size_t TFolderListing::Buffered() const
{
    std::lock_guard<std::mutex> lock(fLock);
    return fBatches.size();
}

TEntryBatch *TFolderListing::Front(bool &listed) const
{
    std::lock_guard<std::mutex> lock(fLock);
    listed = fListed;
    return fBatches.empty() ? nullptr : fBatches.front().get();
}

void TFolderListing::PopFront()
{
    std::lock_guard<std::mutex> lock(fLock);
    fBatches.pop_front();
}

void TFolderListing::RethrowFailure() const
{
    std::lock_guard<std::mutex> lock(fLock);
    if (fFailure)
        std::rethrow_exception(fFailure);
}

bool TFolderListing::PeekSubfolders(std::vector<TSubfolderName> &subfolders) const
{
    std::lock_guard<std::mutex> lock(fLock);
    if (!fListed || fFailure || fOpenError != 0 || fReadError != 0)
        return false;
    for (const std::unique_ptr<TEntryBatch> &batch : fBatches)
        if (batch->State.load(std::memory_order_acquire) != TEntryBatch::bsDone || batch->Failed())
            return false;
    subfolders.clear();
    for (const std::unique_ptr<TEntryBatch> &batch : fBatches)
        subfolders.insert(subfolders.end(), batch->Subfolders().begin(), batch->Subfolders().end());
    return true;
}

int TFolderListing::DuplicateFolderFd() const
{
    if (!fDir || !fDir->IsOpen()) {
        errno = EBADF;
        return -1;
    }
    return fcntl(fDir->Fd(), F_DUPFD_CLOEXEC, 0);
}

} // namespace engine
