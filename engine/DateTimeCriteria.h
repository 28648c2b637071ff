#pragma once
// Bounds on the three time stamps. A bound of 0 is not set; a whole number is
// a date (its whole day on both sides), a number between 0 and 1 a time of day
// on any date, anything else a full date and time. Bounds are inclusive.

#include "engine/CustomCriteria.h"
#include "platform/FileTime.h"

namespace engine {

using platform::TDateTime;

class TDateTimeCriteria : public TCustomCriteria {
public:
    void Assign(const TCustomCriteria &source) override;
    void Clear() override;
    // Converts a time stamp only when its pair has a bound.
    bool Matches(const platform::TFileTime &created, const platform::TFileTime &modified,
                 const platform::TFileTime &accessed) const;

    TDateTime CreatedBefore = 0;
    TDateTime CreatedAfter = 0;
    TDateTime ModifiedBefore = 0;
    TDateTime ModifiedAfter = 0;
    TDateTime AccessedBefore = 0;
    TDateTime AccessedAfter = 0;
};

} // namespace engine
