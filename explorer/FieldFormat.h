#pragma once
// The texts every table and report makes of a record's fields, in one place
// so that they cannot drift apart.

#include "explorer/RegionalFormats.h"
#include "platform/FileTime.h"

#include <QDateTime>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>

namespace explorer {

using platform::TDateTime;

// The pattern of the time stamps in both tables.
inline const QString TableTimestampFormat = QStringLiteral("dd.mm.yyyy hh:nn");
// What the Size column of both tables shows for a folder.
inline const QString FolderSizeText = QStringLiteral("<DIR>   ");

// "1023 b", "1.3 k", "1024.0 M", "1.0 G": one decimal, halves away from zero.
QString FormatFileSize(int64_t size, const TRegionalFormats &formats);

// "rahs" letters in that order, "----" for folders whatever else is set.
QString AttributesToText(int32_t attributes);

// A date-time by a pattern of dd, mm, yyyy, hh, nn; ":" becomes the locale's
// time separator, other characters stay. Seconds are dropped, not rounded.
QString FormatTimestamp(TDateTime value, const QString &pattern, const TRegionalFormats &formats);

// The locale's short date, then its long time unless the time of day is
// 00:00:00 (milliseconds aside).
QString FormatDateTime(TDateTime value, const TRegionalFormats &formats);

// FormatDateTime for many stamps in a row: the date and time texts are kept
// per day and per second, since the stamps of a listing cluster and the
// locale's formatting is slow.
class TDateTimeTexts {
public:
    explicit TDateTimeTexts(const TRegionalFormats &formats) : fFormats(formats) {}
    QString Text(TDateTime value);
    void Append(QString &out, TDateTime value);

private:
    template <size_t N>
    struct TCache {
        long long Keys[N];
        QString Texts[N];
        TCache() { std::fill(std::begin(Keys), std::end(Keys), std::numeric_limits<long long>::min()); }
    };
    const TRegionalFormats &fFormats;
    TCache<256> fDates;
    TCache<4096> fTimes;
};

// Calendar fields of a date-time, to the millisecond (as a UTC value, so
// that nothing shifts them).
QDateTime ToQDateTime(TDateTime value);

// Name splitting; "/" ends a folder part.
constexpr qsizetype MaxExtension = 255;
QString ExtractFileName(const QString &path);     // after the last "/"
QString ExtractFolderPart(const QString &path);   // up to and including the last "/"
QString ExtractExtension(const QString &path);    // "pdf" of "a.final.pdf", at most 255
QString ExtractDottedExtension(const QString &path);  // ".pdf"
QString ExtractBaseName(const QString &path);     // "a.final"; "" for ".profile"

// Names as reports write them: bytes that were not UTF-8 become U+FFFD.
QString ReportText(const QString &name);

// Texts as the tables show them: as in reports, and a control character
// (a newline, a tab, ESC) as its visible picture ("new\nline" as
// "new␊line"), since a table cell shows one line and would cut the name at
// the break.
QString DisplayText(const QString &text);

} // namespace explorer
