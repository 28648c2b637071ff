#include "platform/FileTime.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <limits>

namespace platform {

namespace {

constexpr int64_t SecondsPerDay = 86400;
constexpr int64_t SecondsPerBucket = 3600;
constexpr int CacheSize = 4096;
// 0001-01-01 00:00:00 and 9999-12-31 23:59:59, the first and last second
// the date-time scale and every date text can show. Some file systems keep
// any 64-bit value; such a stamp shows as the nearest of the two.
constexpr int64_t FirstSecond = -62135596800;
constexpr int64_t LastSecond = 253402300799;

long OffsetAt(int64_t seconds)
{
    const time_t t = time_t(seconds);
    struct tm local {};
    if (!localtime_r(&t, &local))
        return 0;
    return local.tm_gmtoff;
}

// One bucket is an hour of UTC. Its offset is cached only when the offset at
// its first and last second agree, so a bucket holding a daylight-saving
// change is always computed exactly. Thread-local because engines may walk in
// worker threads.
struct OffsetCacheEntry {
    int64_t bucket = INT64_MIN;
    long offset = 0;
    bool uniform = false;
};
thread_local OffsetCacheEntry offsetCache[CacheSize];

long CachedOffsetAt(int64_t seconds)
{
    const int64_t bucket = seconds >= 0 ? seconds / SecondsPerBucket
                                        : -((-seconds + SecondsPerBucket - 1) / SecondsPerBucket);
    OffsetCacheEntry &entry = offsetCache[size_t(bucket) % CacheSize];
    if (entry.bucket != bucket) {
        const int64_t first = bucket * SecondsPerBucket;
        entry.bucket = bucket;
        entry.offset = OffsetAt(first);
        entry.uniform = entry.offset == OffsetAt(first + SecondsPerBucket - 1);
    }
    return entry.uniform ? entry.offset : OffsetAt(seconds);
}

int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

TDateTime FromDayAndMilliseconds(int64_t day, int64_t msOfDay)
{
    const double fraction = double(msOfDay) / double(SecondsPerDay * 1000);
    return day >= 0 ? double(day) + fraction : double(day) - fraction;
}

} // namespace

TDateTime FileTimeToDateTime(const TFileTime &time)
{
    const int64_t utc = std::clamp(time.seconds, FirstSecond, LastSecond);
    const int64_t unclamped = utc + CachedOffsetAt(utc);
    const int64_t local = std::clamp(unclamped, FirstSecond, LastSecond);
    const bool inRange = local == unclamped && utc == time.seconds;
    const int64_t day = FloorDiv(local, SecondsPerDay);
    const int64_t msOfDay =
        (local - day * SecondsPerDay) * 1000 + (inRange ? time.nanoseconds / 1000000 : 0);
    return FromDayAndMilliseconds(day + UnixEpochDay, msOfDay);
}

bool IsRepeatedLocalTime(const TFileTime &time)
{
    // Clocks go back at most once a day, and never by a day or more: a
    // change within the last day shows as a larger offset a day ago.
    if (time.seconds < std::numeric_limits<int64_t>::min() + 2 * SecondsPerDay)
        return false;
    const long now = CachedOffsetAt(time.seconds);
    const long dayBefore = CachedOffsetAt(time.seconds - SecondsPerDay);
    if (dayBefore <= now)
        return false;
    return CachedOffsetAt(time.seconds - (dayBefore - now)) == dayBefore;
}

int64_t DateTimeToMilliseconds(TDateTime value)
{
    constexpr double Bound = 1e11;  // days: far inside what 64-bit milliseconds hold
    const double day = std::trunc(std::fmax(-Bound, std::fmin(Bound, value)));
    const double fraction = std::fabs(value - std::trunc(value));
    const int64_t ms = std::llround(std::fmin(fraction, 1.0) * double(SecondsPerDay * 1000));
    return (int64_t(day) - UnixEpochDay) * SecondsPerDay * 1000 + ms;
}

long UtcOffsetOfLocalTime(int64_t localSeconds, bool repeated)
{
    // An offset is less than a day, so the instant lies within a day of the
    // clock's reading, and the offsets in force a day either side are the
    // only candidates (one change a day at most).
    constexpr int64_t Limit = std::numeric_limits<int64_t>::max() - 2 * SecondsPerDay;
    if (localSeconds > Limit || localSeconds < -Limit)
        return 0;
    const long before = CachedOffsetAt(localSeconds - SecondsPerDay);
    const long after = CachedOffsetAt(localSeconds + SecondsPerDay);
    if (before == after)
        return before;
    const bool beforeFits = CachedOffsetAt(localSeconds - before) == before;
    const bool afterFits = CachedOffsetAt(localSeconds - after) == after;
    if (beforeFits && afterFits)  // the clock showed this time twice
        return repeated ? std::min(before, after) : std::max(before, after);
    return afterFits ? after : before;
}

int64_t LocalDateTimeToUnixMilliseconds(TDateTime local, bool repeated)
{
    const int64_t ms = DateTimeToMilliseconds(local);
    return ms - int64_t(UtcOffsetOfLocalTime(FloorDiv(ms, 1000), repeated)) * 1000;
}

void ForgetTimeZoneOffsets()
{
    for (OffsetCacheEntry &entry : offsetCache)
        entry = OffsetCacheEntry();
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                         int millisecond)
{
    // Days from civil (proleptic Gregorian), Howard Hinnant's algorithm.
    const int y = year - (month <= 2);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = unsigned((153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1);
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const int64_t unixDay = int64_t(era) * 146097 + int64_t(doe) - 719468;
    const int64_t ms = ((int64_t(hour) * 60 + minute) * 60 + second) * 1000 + millisecond;
    return FromDayAndMilliseconds(unixDay + UnixEpochDay, ms);
}

} // namespace platform
