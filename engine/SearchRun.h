#pragma once
// The state of one running search. It is shared between the engine and the
// walk, so that an engine destroyed from inside one of its own handlers leaves
// the walk something valid to unwind through: the walk sees Orphaned and
// returns without touching the engine again.

#include "engine/SearchCriteria.h"
#include "platform/MountTable.h"

#include <atomic>
#include <chrono>
#include <exception>
#include <memory>
#include <mutex>

namespace engine {

class TTargetPath;

struct TSearchRun {
    std::unique_ptr<TSearchCriteria> Criteria;  // the engine's criteria as the search began
    const TTargetPath *ActiveTarget = nullptr;
    uint32_t SubfolderOffAttrs = 0;
    int Workers = 1;  // threads examining entries, the walking one included
    std::atomic<bool> Stop{false};      // aborted, or the engine is gone
    std::atomic<bool> Orphaned{false};  // the engine is gone
    // Wider than the 16 bits CurrentLevel shows, so that a tree deeper than
    // that is still walked and limited correctly.
    std::atomic<uint32_t> Level{0};
    // Serialises the owner's handlers with Abort's own event. Recursive: the
    // usual Abort comes from within a handler, on the thread that already
    // holds it.
    std::recursive_mutex CS;
    platform::TMountTypes MountTypes;
    // When OnSearchProgress last fired (or the search began); walking thread only.
    std::chrono::steady_clock::time_point LastProgress;
    std::exception_ptr WorkerError;  // threaded mode: what ended the walk
};

} // namespace engine
