#include "engine/EntryBatch.h"

#include "engine/Wildcard.h"
#include "platform/DirReader.h"
#include "platform/NameCodec.h"

#include <cerrno>

namespace engine {

void TEntryBatch::Add(const char *name, size_t length, bool mayBeFolder)
{
    fNames.push_back({fBytes.size(), length, mayBeFolder});
    fBytes.insert(fBytes.end(), name, name + length);
    fBytes.push_back('\0');
}

void TEntryBatch::Examine(TEntryTools &tools) noexcept
{
    try {
        for (size_t i = 0; i < fNames.size(); ++i) {
            if (fPass.Stop->load(std::memory_order_relaxed))
                return;
            ExamineOne(i, tools);
        }
    } catch (...) {
        fFailure = std::current_exception();
    }
}

void TEntryBatch::ExamineOne(size_t index, TEntryTools &tools)
{
    // The same steps, in the same order, as the walk takes on one thread.
    const TName &entry = fNames[index];
    const bool mayEnter = fPass.CollectSubfolders && entry.MayBeFolder;
    if (!fPass.FilePass && !mayEnter)
        return;
    const char *raw = RawName(index);
    platform::TFindData data;
    data.cFileName = platform::DecodeFileName(raw, entry.Length);
    const bool matched = fPass.FilePass && (fPass.EveryName || NameMatchesMask(data.cFileName, fPass.Mask));
    if (!matched && !mayEnter)
        return;
    const int error = platform::StatEntry(fPass.FolderFd, fPass.FolderDevice, tools.MountTypes, raw, data);
    if (error != 0) {
        // An entry deleted since the listing was read is simply not there.
        if (error != ENOENT)
            fOutcomes.push_back({error, index, std::move(data)});
        return;
    }
    if (mayEnter && MayEnterFolder(data.dwFileAttributes, fPass.SubfolderOffAttrs))
        fSubfolders.push_back({std::string(raw, entry.Length), data.cFileName});
    int contentError = 0;
    if (!matched || !tools.Criteria.Matches(fPass.Folder, data, &contentError)) {
        if (contentError != 0)
            fOutcomes.push_back({contentError, index, std::move(data)});
        return;
    }
    // Only good while this batch is examined.
    data.folderFd = -1;
    data.rawName = nullptr;
    fOutcomes.push_back({0, index, std::move(data)});
}

void TEntryBatch::RethrowFailure() const
{
    if (fFailure)
        std::rethrow_exception(fFailure);
}

} // namespace engine
