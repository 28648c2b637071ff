#include "engine/DateTimeCriteria.h"

#include <cmath>

namespace engine {

namespace {

// The part of T a bound of this kind is compared with.
double Comparable(TDateTime bound, TDateTime t)
{
    const double whole = std::trunc(bound);
    if (bound == whole)
        return std::trunc(t);  // a date
    if (whole == 0)
        return std::fabs(t - std::trunc(t));  // a time of day
    return t;
}

bool PairMatches(TDateTime before, TDateTime after, const platform::TFileTime &time)
{
    if (before == 0 && after == 0)
        return true;
    const TDateTime t = platform::FileTimeToDateTime(time);
    if (before != 0 && Comparable(before, t) > before)
        return false;
    if (after != 0 && Comparable(after, t) < after)
        return false;
    return true;
}

} // namespace

void TDateTimeCriteria::Assign(const TCustomCriteria &source)
{
    const auto &s = SourceAs<TDateTimeCriteria>(source, "TDateTimeCriteria");
    CreatedBefore = s.CreatedBefore;
    CreatedAfter = s.CreatedAfter;
    ModifiedBefore = s.ModifiedBefore;
    ModifiedAfter = s.ModifiedAfter;
    AccessedBefore = s.AccessedBefore;
    AccessedAfter = s.AccessedAfter;
}

void TDateTimeCriteria::Clear()
{
    CreatedBefore = CreatedAfter = ModifiedBefore = ModifiedAfter = AccessedBefore
        = AccessedAfter = 0;
}

bool TDateTimeCriteria::Matches(const platform::TFileTime &created,
                                const platform::TFileTime &modified,
                                const platform::TFileTime &accessed) const
{
    return PairMatches(CreatedBefore, CreatedAfter, created)
           && PairMatches(ModifiedBefore, ModifiedAfter, modified)
           && PairMatches(AccessedBefore, AccessedAfter, accessed);
}

} // namespace engine
