#pragma once
// Sets TZ for the life of the object and puts back what was there, with the
// engine's cached offsets forgotten both times.

#include "platform/FileTime.h"

#include <cstdlib>
#include <ctime>
#include <string>

namespace testing_support {

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char *zone)
    {
        const char *old = getenv("TZ");
        fOld = old ? old : "";
        fHad = old != nullptr;
        setenv("TZ", zone, 1);
        tzset();
        platform::ForgetTimeZoneOffsets();
    }
    ~ScopedTimeZone()
    {
        if (fHad)
            setenv("TZ", fOld.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
        platform::ForgetTimeZoneOffsets();
    }
    ScopedTimeZone(const ScopedTimeZone &) = delete;
    ScopedTimeZone &operator=(const ScopedTimeZone &) = delete;

private:
    std::string fOld;
    bool fHad;
};

} // namespace testing_support
