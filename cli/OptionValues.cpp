#include "cli/OptionValues.h"

#include <QDate>
#include <QRegularExpression>
#include <limits>

namespace cli {

namespace {

constexpr int64_t SecondsPerDay = 86400;
constexpr int FirstYear = 1900;
constexpr int LastYear = 9999;  // what four digits hold

// The fields of a date text, as typed.
struct TDateFields {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
    bool HasOffset = false;
    long Offset = 0;  // seconds east of UTC
};

int Field(const QRegularExpressionMatch &m, int index)
{
    return m.captured(index).isEmpty() ? 0 : m.captured(index).toInt();
}

bool ReadOffset(const QString &text, TDateFields &f)
{
    if (text.isEmpty())
        return true;
    f.HasOffset = true;
    if (text == QLatin1String("Z"))
        return true;
    const QString digits = QString(text.mid(1)).remove(QLatin1Char(':'));
    const int hours = digits.left(2).toInt();
    const int minutes = digits.size() > 2 ? digits.mid(2).toInt() : 0;
    if (hours > 23 || minutes > 59)
        return false;
    f.Offset = (text.startsWith(QLatin1Char('-')) ? -1 : 1) * long(hours * 3600 + minutes * 60);
    return true;
}

bool ReadDateFields(const QString &text, TDateFields &f)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(\\d{4})-(\\d{2})-(\\d{2})"
        "(?:[T ](\\d{2}):(\\d{2})(?::(\\d{2})(?:[.,](\\d{1,9}))?)?(Z|[+-]\\d{2}(?::?\\d{2})?)?)?$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return false;
    f.Year = Field(m, 1);
    f.Month = Field(m, 2);
    f.Day = Field(m, 3);
    f.Hour = Field(m, 4);
    f.Minute = Field(m, 5);
    f.Second = Field(m, 6);
    f.Millisecond = m.captured(7).leftJustified(3, QLatin1Char('0')).left(3).toInt();
    return QDate::isValid(f.Year, f.Month, f.Day) && f.Hour <= 23 && f.Minute <= 59 && f.Second <= 59
           && ReadOffset(m.captured(8), f);
}

listing::TTimeBound Bound(const TDateFields &f)
{
    listing::TTimeBound bound;
    if (!f.HasOffset) {
        bound.Local = platform::EncodeDateTime(f.Year, f.Month, f.Day, f.Hour, f.Minute, f.Second, f.Millisecond);
        return bound;
    }
    // The instant the text names, then the local clock's reading at it.
    const int64_t day = int64_t(platform::EncodeDateTime(f.Year, f.Month, f.Day)) - platform::UnixEpochDay;
    const int64_t seconds = day * SecondsPerDay + f.Hour * 3600 + f.Minute * 60 + f.Second - f.Offset;
    bound.HasInstant = true;
    bound.InstantMs = seconds * 1000 + f.Millisecond;
    bound.Local = platform::FileTimeToDateTime({seconds, uint32_t(f.Millisecond) * 1000000u});
    return bound;
}

} // namespace

bool ParseSize(const QString &text, int64_t &bytes, QString &error)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)([kKMG]?)$"));
    const QRegularExpressionMatch m = pattern.match(text);
    bool ok = m.hasMatch();
    const qulonglong number = ok ? m.captured(1).toULongLong(&ok) : 0;
    const QString suffix = m.captured(2).toLower();
    const int shift = suffix == QLatin1String("k") ? 10 : suffix == QLatin1String("m") ? 20 : suffix == QLatin1String("g") ? 30 : 0;
    if (!ok || number > qulonglong(std::numeric_limits<int64_t>::max() >> shift)) {
        error = QStringLiteral("\"%1\" is not a size (a number of bytes, or with k, M or G)").arg(text);
        return false;
    }
    bytes = int64_t(number) << shift;
    return true;
}

bool ParseDepth(const QString &text, int &depth, QString &error)
{
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    bool ok = digits.match(text).hasMatch();
    const qulonglong value = ok ? text.toULongLong(&ok) : 0;
    if (!ok || value > qulonglong(listing::TSelectionOptions::MaxDepthLimit)) {
        error = QStringLiteral("\"%1\" is not a depth (0 to %2)").arg(text).arg(listing::TSelectionOptions::MaxDepthLimit);
        return false;
    }
    depth = int(value);
    return true;
}

bool ParseJobs(const QString &text, int &threads, QString &error)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1 || value > MaxJobs) {
        error = QStringLiteral("\"%1\" is not a number of threads (1 to %2)").arg(text).arg(MaxJobs);
        return false;
    }
    threads = value;
    return true;
}

bool ParseDate(const QString &text, listing::TTimeBound &bound, QString &error)
{
    TDateFields fields;
    if (!ReadDateFields(text, fields)) {
        error = QStringLiteral("\"%1\" is not a date (2024-05-01, 2024-05-01T12:00, 2024-05-01T12:00+02:00)").arg(text);
        return false;
    }
    bound = Bound(fields);
    // The regular expression holds the years to four digits.
    if (bound.Local < platform::EncodeDateTime(FirstYear, 1, 1)) {
        error = QStringLiteral("\"%1\" is out of range (years %2 to %3)").arg(text).arg(FirstYear).arg(LastYear);
        return false;
    }
    return true;
}

} // namespace cli
