#pragma once
// Time stamps as the file system stores them, and their conversion to the
// application's date-time: days since 1899-12-30 00:00 local time, the time
// of day as the fraction. Before that day the number is negative and the time
// of day is subtracted (-1.25 is 1899-12-29 06:00).

#include <cstdint>

namespace platform {

using TDateTime = double;

// Seconds and nanoseconds since 1970-01-01 00:00 UTC.
struct TFileTime {
    int64_t seconds = 0;
    uint32_t nanoseconds = 0;
};

// Local time with the UTC offset in force at the given instant (not today's),
// to the millisecond. Offsets are cached per hour of UTC, so converting the
// many time stamps of a large walk costs little more than the arithmetic.
TDateTime FileTimeToDateTime(const TFileTime &time);

// After the process changes its time zone (TZ, tzset), forget this thread's
// cached offsets.
void ForgetTimeZoneOffsets();

// Where the clocks are set back, the local times of an hour happen twice.
// True when this instant is the second of the two that share its local
// time (2024-10-27 01:30 UTC, 02:30 CET, after 00:30 UTC, 02:30 CEST, in
// Berlin). A date-time alone cannot tell them apart; this flag can.
bool IsRepeatedLocalTime(const TFileTime &time);

// Milliseconds from 1970-01-01 00:00 to the date-time, on its own clock
// (local, for stamps): the inverse of the date-time scale. Dates beyond
// about 270,000 years either way are held at that bound.
int64_t DateTimeToMilliseconds(TDateTime value);

// The UTC offset in seconds (7200 for CEST) that was in force when the local
// clock showed LocalSeconds (seconds from 1970-01-01 00:00 on that clock).
// Where it showed that time twice, Repeated picks the second time
// (IsRepeatedLocalTime); a time the clocks skipped takes the offset from
// before the change.
long UtcOffsetOfLocalTime(int64_t localSeconds, bool repeated);

// The instant of a local date-time, in milliseconds since 1970-01-01 00:00
// UTC; Repeated as for UtcOffsetOfLocalTime.
int64_t LocalDateTimeToUnixMilliseconds(TDateTime local, bool repeated);

// Calendar fields to the date-time scale; used by tests and formatting.
TDateTime EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                         int second = 0, int millisecond = 0);

// Days of the Unix epoch on the date-time scale.
constexpr int64_t UnixEpochDay = 25569;

} // namespace platform
