#pragma once
// Puts a listing's selection options to work. Most of them are conditions
// the search engine's criteria already hold (levels, sizes, modification
// bounds, the Hidden status, the phrase's options); the rest are answers of
// the listing's own steps, which the walk asks anyway: a folder that must
// not be entered is refused when the walk announces it, and an entry that
// must not be listed is dropped when it is reported.
//
// Other file systems are told by the mount table, read once: the walk never
// follows a link, so it reaches another file system only at a mount point,
// and a look-up by path costs nothing however deep the tree.

#include "engine/FileDetails.h"
#include "engine/SearchCriteria.h"
#include "listing/ListingOptions.h"

#include <QHash>
#include <QStringList>

namespace listing {

class TListingSelection {
public:
    // Sets the criteria for Options and gets ready to walk Folder (absolute).
    void Begin(const TSelectionOptions &options, engine::TSearchCriteria &criteria, const QString &folder);

    // For the folder being entered at Level (1: the listed folder itself,
    // which is always entered): true when it must be left alone, entries
    // and subfolders.
    bool KeepsOut(const QString &folder, uint16_t level) const;
    // False for a reported entry that must not be listed.
    bool Admits(const engine::TFileDetails &hit) const;

private:
    bool Excluded(const QString &name) const;
    bool InTime(const engine::TFileDetails &hit) const;
    void ReadOtherMounts(const QString &folder);
    bool OnOtherFileSystem(const QString &folder) const;

    QStringList fExcludeMasks;
    TTimeBound fFrom;
    TTimeBound fBefore;
    bool fOnlyEmpty = false;
    // With --one-file-system: the listed folder as the walk spells it and
    // with its links resolved, and the mount points (resolved) with whether
    // each holds another file system than the folder's.
    QString fWalkRoot;
    QString fRealRoot;
    QHash<QString, bool> fMountPoints;
};

// The engine's bounds are inclusive; a "before" bound is not. The largest
// date-time below Before as the engine reads a bound: for a date (midnight)
// the day before, which it takes to cover the whole of that day; otherwise
// the next smaller number. 0 stays 0 (no bound).
platform::TDateTime InclusiveBoundBefore(platform::TDateTime before);

} // namespace listing
