#include "engine/SearchCriteria.h"

namespace engine {

void TSearchCriteria::Assign(const TCustomCriteria &source)
{
    const auto &s = SourceAs<TSearchCriteria>(source, "TSearchCriteria");
    fFiles.Assign(s.fFiles);
    fAttributes.Assign(s.fAttributes);
    fTimeStamp.Assign(s.fTimeStamp);
    fSize.Assign(s.fSize);
    fContent.Assign(s.fContent);
}

void TSearchCriteria::Clear()
{
    fFiles.Clear();
    fAttributes.Clear();
    fTimeStamp.Clear();
    fSize.Clear();
    fContent.Clear();
}

bool TSearchCriteria::Matches(const QString &folder, const platform::TFindData &findData, int *contentError) const
{
    if (contentError)
        *contentError = 0;
    return fAttributes.Matches(findData.dwFileAttributes)
           && fSize.Matches(findData.size)
           && fTimeStamp.Matches(findData.creationTime, findData.lastWriteTime,
                                 findData.lastAccessTime)
           && fFiles.Matches(folder, findData.cFileName)
           && fContent.Matches(findData.folderFd, findData.rawName, findData.dwFileAttributes, contentError);
}

} // namespace engine
