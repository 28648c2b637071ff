#pragma once
// What a walk on one thread and a walk with helpers decide alike.

#include "engine/FileDetails.h"
#include "engine/SearchRun.h"
#include "engine/TargetPaths.h"

#include <atomic>
#include <cstdint>

namespace engine {

// What a folder entered at Level gets, given its OnFolderChange answer: its
// entries tested to be hits, its subfolders walked.
struct TFolderPasses {
    bool File = false;
    bool Folder = false;
    bool Any() const { return File || Folder; }
};

inline TFolderPasses PassesFor(TFolderIgnore ignore, uint32_t level, const TTargetPath &target)
{
    TFolderPasses passes;
    passes.File = (ignore == fiNone || ignore == fiJustSubfolders) && level >= target.MinLevel;
    passes.Folder = target.Recursive && (ignore == fiNone || ignore == fiJustThis)
                    && (target.MaxLevel == 0 || target.MaxLevel > level);
    return passes;
}

// Puts the level back to where a target's walk found it however the walk
// ends, by its end, a stop or an exception from a handler.
class TLevelReset {
public:
    explicit TLevelReset(std::atomic<uint32_t> &level) : fLevel(level), fStart(level) {}
    ~TLevelReset() { fLevel = fStart; }
    TLevelReset(const TLevelReset &) = delete;
    TLevelReset &operator=(const TLevelReset &) = delete;

private:
    std::atomic<uint32_t> &fLevel;
    uint32_t fStart;
};

// Walks every target of Run in turn with SearchTarget(folder), each from
// level 0 and with the run's ActiveTarget set, until the run is stopped.
template <class SearchTarget>
void SearchEachTarget(TSearchRun &run, SearchTarget searchTarget)
{
    const TTargetPaths &targets = run.Criteria->Files().GetTargetPaths();
    for (int i = 0; i < targets.Count() && !run.Stop; ++i) {
        run.Level = 0;
        run.ActiveTarget = &targets[i];
        searchTarget(targets[i].Folder);
    }
    run.Level = 0;
}

} // namespace engine
