#include "listing/ListingSelection.h"

#include "engine/TargetPaths.h"
#include "engine/Wildcard.h"
#include "platform/AbsolutePath.h"
#include "platform/MountTable.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace listing {

namespace {

// The engine counts the listed folder as level 1 and reads 0 as "no limit".
uint16_t Level(int depth)
{
    return uint16_t(std::min(depth, TSelectionOptions::MaxDepthLimit) + 1);
}

// The engine compares clock readings. A bound that is an instant is widened
// there by a day, more than the clocks ever go back, and the hits are then
// held to the instant itself.
constexpr platform::TDateTime OneDay = 1;

platform::TDateTime EngineFrom(const TTimeBound &bound)
{
    return bound.HasInstant ? bound.Local - OneDay : bound.Local;
}

platform::TDateTime EngineBefore(const TTimeBound &bound)
{
    return InclusiveBoundBefore(bound.HasInstant ? bound.Local + OneDay : bound.Local);
}

QString LastComponent(const QString &folder)
{
    const qsizetype end = folder.endsWith(QLatin1Char('/')) ? folder.size() - 1 : folder.size();
    const qsizetype slash = folder.lastIndexOf(QLatin1Char('/'), end - 1);
    return folder.mid(slash + 1, end - slash - 1);
}

} // namespace

platform::TDateTime InclusiveBoundBefore(platform::TDateTime before)
{
    if (before == 0)
        return 0;
    if (before == std::trunc(before))
        return before - 1;
    return std::nextafter(before, -std::numeric_limits<double>::infinity());
}

void TListingSelection::Begin(const TSelectionOptions &options, engine::TSearchCriteria &criteria,
                              const QString &folder)
{
    engine::TFileCriteria &files = criteria.Files();
    files.SetMinLevel(options.MinDepth > 0 ? Level(options.MinDepth) : 0);
    files.SetMaxLevel(options.MaxDepth >= 0 ? Level(options.MaxDepth) : 0);
    // The engine's 0 is "no bound", so "at most 0 bytes" is asked here.
    criteria.Size().Min = options.MinSize;
    criteria.Size().Max = options.MaxSize > 0 ? options.MaxSize : 0;
    fOnlyEmpty = options.MaxSize == 0;
    fFrom = options.ModifiedFrom;
    fBefore = options.ModifiedBefore;
    criteria.TimeStamp().ModifiedAfter = EngineFrom(fFrom);
    criteria.TimeStamp().ModifiedBefore = EngineBefore(fBefore);
    // Hidden at fsUnset also keeps the walk out of dot-named folders.
    criteria.Attributes().SetHidden(options.Hidden ? engine::fsIgnore : engine::fsUnset);
    engine::TContentSearchOptions contentOptions = 0;
    if (options.CaseSensitive)
        contentOptions |= engine::csoCaseSensitive;
    if (options.WholeWord)
        contentOptions |= engine::csoWholeWord;
    criteria.Content().Options = contentOptions;

    fExcludeMasks = engine::SplitList(options.Exclude, QLatin1Char(';'));
    fMountPoints.clear();
    if (options.OneFileSystem)
        ReadOtherMounts(folder);
}

void TListingSelection::ReadOtherMounts(const QString &folder)
{
    fWalkRoot = platform::IncludeTrailingDelimiter(folder);
    // A folder that cannot be found has no file system to keep to; the walk
    // finds nothing in it anyway.
    fRealRoot = platform::RealFolderPath(folder);
    if (fRealRoot.isEmpty())
        return;
    fRealRoot = platform::IncludeTrailingDelimiter(fRealRoot);
    const std::vector<platform::TMountInfo> table = platform::ReadMountTable();
    // The mount that holds the folder: the longest mount point above it,
    // the last one mounted where several share a point.
    const platform::TMountInfo *home = nullptr;
    for (const platform::TMountInfo &m : table)
        if (fRealRoot.startsWith(platform::IncludeTrailingDelimiter(m.mountPoint))
            && (!home || m.mountPoint.size() >= home->mountPoint.size()))
            home = &m;
    // Bind mounts of the folder's own file system are entered, as find
    // -xdev enters them.
    for (const platform::TMountInfo &m : table)
        fMountPoints.insert(m.mountPoint, !home || m.major != home->major || m.minor != home->minor);
}

bool TListingSelection::OnOtherFileSystem(const QString &folder) const
{
    if (fMountPoints.isEmpty() || !folder.startsWith(fWalkRoot))
        return false;
    QString real = fRealRoot + folder.mid(fWalkRoot.size());
    if (real.size() > 1 && real.endsWith(QLatin1Char('/')))
        real.chop(1);
    return fMountPoints.value(real, false);
}

bool TListingSelection::Excluded(const QString &name) const
{
    for (const QString &mask : fExcludeMasks)
        if (engine::NameMatchesMask(name, mask))
            return true;
    return false;
}

bool TListingSelection::KeepsOut(const QString &folder, uint16_t level) const
{
    if (level <= 1)
        return false;
    if (!fExcludeMasks.isEmpty() && Excluded(LastComponent(folder)))
        return true;
    return OnOtherFileSystem(folder);
}

bool TListingSelection::InTime(const engine::TFileDetails &hit) const
{
    if (!fFrom.HasInstant && !fBefore.HasInstant)
        return true;
    const int64_t modified =
        platform::LocalDateTimeToUnixMilliseconds(hit.ModifiedTime, hit.RepeatedTimes & engine::rtModified);
    return (!fFrom.HasInstant || modified >= fFrom.InstantMs) && (!fBefore.HasInstant || modified < fBefore.InstantMs);
}

bool TListingSelection::Admits(const engine::TFileDetails &hit) const
{
    if ((fOnlyEmpty && hit.Size != 0) || !InTime(hit))
        return false;
    return fExcludeMasks.isEmpty() || !Excluded(hit.Name);
}

} // namespace listing
