#pragma once

#include "platform/FileTime.h"

#include <QString>
#include <cstdint>

namespace engine {

// Bits of RepeatedTimes: the stamps whose local time the clocks showed twice
// (set back for winter) and that are the second showing of it, so that a
// report can still tell the true instant (platform::IsRepeatedLocalTime).
enum : uint8_t { rtCreated = 1, rtModified = 2, rtAccessed = 4 };

// One hit, handed to OnFileMatch; valid only during that call.
struct TFileDetails {
    QString Location;  // the folder, absolute and ending in "/"
    QString Name;      // without any folder part
    uint32_t Attributes = 0;
    int64_t Size = 0;
    platform::TDateTime CreatedTime = 0;
    platform::TDateTime ModifiedTime = 0;
    platform::TDateTime AccessedTime = 0;
    uint8_t RepeatedTimes = 0;
};

// A folder that could not be opened or read to its end, or an entry in one
// that could not be examined, handed to OnSearchError; valid only during
// that call. The walk goes on past it.
struct TSearchError {
    QString Path;        // a folder as the walk holds it, ending in "/"; or an entry's full path
    uint16_t Level = 0;  // the folder's own level; for an entry, its folder's
    int ErrorNumber = 0;  // the errno, e.g. EACCES, EMFILE, ENOENT
};

// An OnFolderChange handler's answer for the folder being entered.
enum TFolderIgnore {
    fiNone = 0,               // its entries are reported, its subfolders entered
    fiJustThis = 1,           // its entries are not reported, its subfolders are entered
    fiJustSubfolders = 2,     // its entries are reported, its subfolders not entered
    fiThisAndSubfolders = 3,  // neither
};

} // namespace engine
