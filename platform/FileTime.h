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

// Calendar fields to the date-time scale; used by tests and formatting.
TDateTime EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                         int second = 0, int millisecond = 0);

// Days of the Unix epoch on the date-time scale.
constexpr int64_t UnixEpochDay = 25569;

} // namespace platform
