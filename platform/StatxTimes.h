#pragma once
// The three time stamps of one statx result, as the walk and a folder's own
// entry both report them.

#include "platform/FindData.h"

#include <sys/stat.h>

namespace platform {

inline TFileTime ToFileTime(const struct statx_timestamp &ts)
{
    return TFileTime{ts.tv_sec, ts.tv_nsec};
}

// Creation is the birth time where the file system records one, else the
// earlier of modification and status change. A birth time of exactly the
// epoch is not a record: file systems made from images (and some drivers)
// fill in zero, and every such folder would claim to date from 1970.
inline void FillTimes(const struct statx &sx, TFindData &data)
{
    data.lastWriteTime = ToFileTime(sx.stx_mtime);
    data.lastAccessTime = ToFileTime(sx.stx_atime);
    const bool birthRecorded = (sx.stx_mask & STATX_BTIME)
                               && (sx.stx_btime.tv_sec != 0 || sx.stx_btime.tv_nsec != 0);
    if (birthRecorded) {
        data.creationTime = ToFileTime(sx.stx_btime);
        return;
    }
    const bool ctimeFirst = sx.stx_ctime.tv_sec < sx.stx_mtime.tv_sec
                            || (sx.stx_ctime.tv_sec == sx.stx_mtime.tv_sec
                                && sx.stx_ctime.tv_nsec < sx.stx_mtime.tv_nsec);
    data.creationTime = ToFileTime(ctimeFirst ? sx.stx_ctime : sx.stx_mtime);
}

} // namespace platform
