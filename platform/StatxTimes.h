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
// earlier of modification and status change.
inline void FillTimes(const struct statx &sx, TFindData &data)
{
    data.lastWriteTime = ToFileTime(sx.stx_mtime);
    data.lastAccessTime = ToFileTime(sx.stx_atime);
    if (sx.stx_mask & STATX_BTIME) {
        data.creationTime = ToFileTime(sx.stx_btime);
        return;
    }
    const bool ctimeFirst = sx.stx_ctime.tv_sec < sx.stx_mtime.tv_sec
                            || (sx.stx_ctime.tv_sec == sx.stx_mtime.tv_sec
                                && sx.stx_ctime.tv_nsec < sx.stx_mtime.tv_nsec);
    data.creationTime = ToFileTime(ctimeFirst ? sx.stx_ctime : sx.stx_mtime);
}

} // namespace platform
