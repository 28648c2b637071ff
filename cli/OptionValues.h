#pragma once
// The values of tamarel-list's options that are more than a word: sizes,
// depths and dates. Each answers false with a message for the user when
// the text is not one.

#include "listing/ListingOptions.h"

#include <QString>
#include <cstdint>

namespace cli {

// "4096", "10k", "2M", "1G": bytes, the suffixes powers of 1024 ("K" is
// taken for "k").
bool ParseSize(const QString &text, int64_t &bytes, QString &error);

// A depth below the listed folder: 0 to listing::TSelectionOptions::MaxDepthLimit.
bool ParseDepth(const QString &text, int &depth, QString &error);

// A number of threads for -j: 1 to MaxJobs, far more than any machine
// gains from.
constexpr int MaxJobs = 1024;
bool ParseJobs(const QString &text, int &threads, QString &error);

// ISO 8601 as a bound on a time stamp: "2024-05-01" (its midnight),
// "2024-05-01T12:00", "2024-05-01 12:00:30", "2024-05-01T12:00:30.250".
// Without an offset the text is a reading of the local clock, and stamps
// are compared by their readings, so a time the clocks skipped in spring
// sorts where it would have been. With an offset ("Z", "+02:00", "+0200",
// "-05") it is an instant, and is compared as one. Years 1900 to 9999: the
// engine reads the date-times of 1899-12-30 as times of day.
bool ParseDate(const QString &text, listing::TTimeBound &bound, QString &error);

} // namespace cli
