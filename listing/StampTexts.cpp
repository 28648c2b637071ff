#include "listing/StampTexts.h"

#include "engine/FileDetails.h"


namespace listing {

namespace {

constexpr int64_t SecondsPerDay = 86400;

int64_t FloorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Writes the stamp's fields into a small buffer: a listing has millions of
// stamps, and building each field as a string of its own shows in the time.
class TFieldWriter {
public:
    void Digits(int64_t value, int width, char after = 0)
    {
        if (value < 0) {
            *fEnd++ = '-';
            value = -value;
        }
        char digits[24];
        int n = 0;
        do {
            digits[n++] = char('0' + value % 10);
            value /= 10;
        } while (value > 0);
        while (n < width)
            digits[n++] = '0';
        while (n > 0)
            *fEnd++ = digits[--n];
        if (after)
            *fEnd++ = after;
    }
    void Char(char c) { *fEnd++ = c; }
    void AppendTo(QString &out) const { out += QLatin1String(fText, fEnd - fText); }

private:
    char fText[64];
    char *fEnd = fText;
};

// "yyyy-mm-ddThh:mm:ss" of seconds since 1970-01-01 00:00 on some clock;
// the calendar is the proleptic Gregorian one (Howard Hinnant's algorithm).
void WriteClock(TFieldWriter &w, int64_t seconds)
{
    const int64_t days = FloorDiv(seconds, SecondsPerDay);
    const int64_t ofDay = seconds - days * SecondsPerDay;
    const int64_t era = FloorDiv(days + 719468, 146097);
    const int64_t doe = days + 719468 - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    w.Digits(yoe + era * 400 + (month <= 2), 4, '-');
    w.Digits(month, 2, '-');
    w.Digits(day, 2, 'T');
    w.Digits(ofDay / 3600, 2, ':');
    w.Digits(ofDay / 60 % 60, 2, ':');
    w.Digits(ofDay % 60, 2);
}

void WriteOffset(TFieldWriter &w, long offset)
{
    const long magnitude = offset < 0 ? -offset : offset;
    w.Char(offset < 0 ? '-' : '+');
    w.Digits(magnitude / 3600, 2, ':');
    w.Digits(magnitude / 60 % 60, 2, magnitude % 60 != 0 ? ':' : 0);
    if (magnitude % 60 != 0)
        w.Digits(magnitude % 60, 2);
}

} // namespace

void AppendIsoDateTime(QString &out, platform::TDateTime local, bool repeated, bool utc)
{
    const int64_t seconds = FloorDiv(platform::DateTimeToMilliseconds(local), 1000);
    const long offset = platform::UtcOffsetOfLocalTime(seconds, repeated);
    TFieldWriter w;
    if (utc) {
        WriteClock(w, seconds - offset);
        w.Char('Z');
    } else {
        WriteClock(w, seconds);
        WriteOffset(w, offset);
    }
    w.AppendTo(out);
}

TStampTexts::TStampTexts(const explorer::TRegionalFormats &formats, TTimeStyle style)
    : fStyle(style), fLocaleTexts(formats)
{
}

void TStampTexts::Append(QString &out, platform::TDateTime value, bool repeated)
{
    if (fStyle == tsLocale)
        fLocaleTexts.Append(out, value);
    else
        AppendIsoDateTime(out, value, repeated, fStyle == tsUtc);
}

QString TStampTexts::Text(platform::TDateTime value, bool repeated)
{
    QString out;
    Append(out, value, repeated);
    return out;
}

platform::TDateTime StampValue(const explorer::TFileData &d, TStamp stamp)
{
    return stamp == stCreated ? d.Created : (stamp == stModified ? d.Modified : d.Accessed);
}

bool StampRepeated(const explorer::TFileData &d, TStamp stamp)
{
    const uint8_t bit = stamp == stCreated ? engine::rtCreated
                                           : (stamp == stModified ? engine::rtModified : engine::rtAccessed);
    return d.RepeatedTimes & bit;
}

} // namespace listing
