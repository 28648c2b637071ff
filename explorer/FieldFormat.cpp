#include "explorer/FieldFormat.h"

#include "platform/FindData.h"
#include "platform/NameCodec.h"

#include <cmath>

namespace explorer {

namespace {

// Index of the extension dot, or -1: the last "." with no "/" after it.
qsizetype ExtensionDot(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > path.lastIndexOf(QLatin1Char('/')) ? dot : -1;
}

QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// The Julian day of 1899-12-30, the day a TDateTime counts from.
constexpr long long DayZero = 2415019;

// The value's day (as a Julian day) and milliseconds into it.
void SplitDateTime(TDateTime value, long long &julianDay, int &msOfDay)
{
    const double day = std::trunc(value);
    long long ms = std::llround(std::fabs(value - day) * 86400000.0);
    // Before 1899-12-30 the day counts back and the time of day forward:
    // -1.25 is 1899-12-29 06:00.
    long long days = static_cast<long long>(day);
    if (ms >= 86400000LL) {
        ms -= 86400000LL;
        days += value < 0 ? -1 : 1;
    }
    julianDay = DayZero + days;
    msOfDay = int(ms);
}

} // namespace

QString FormatFileSize(int64_t size, const TRegionalFormats &formats)
{
    static const struct {
        int64_t unit;
        const char *suffix;
    } units[] = {{int64_t(1) << 30, " G"}, {int64_t(1) << 20, " M"}, {int64_t(1) << 10, " k"}};
    for (const auto &u : units) {
        if (size < u.unit)
            continue;
        const long double value = static_cast<long double>(size) / u.unit;
        const long long tenths = std::llround(value * 10);
        return QString::number(tenths / 10) + formats.DecimalSeparator
               + QString::number(tenths % 10) + QLatin1String(u.suffix);
    }
    return QString::number(size) + QLatin1String(" b");
}

QString AttributesToText(int32_t attributes)
{
    using namespace platform;
    QString text = QStringLiteral("----");
    const uint32_t bits = uint32_t(attributes);
    if (bits & faDirectory)
        return text;
    // Not the order of the bits: "rahs" is how the letters have always read.
    if (bits & faReadOnly)
        text[0] = QLatin1Char('r');
    if (bits & faArchive)
        text[1] = QLatin1Char('a');
    if (bits & faHidden)
        text[2] = QLatin1Char('h');
    if (bits & faSystem)
        text[3] = QLatin1Char('s');
    return text;
}

QDateTime ToQDateTime(TDateTime value)
{
    long long day = 0;
    int ms = 0;
    SplitDateTime(value, day, ms);
    // The value is local time already; as UTC the fields stay as they are,
    // and no time-zone look-up happens for each of millions of stamps.
    return QDateTime(QDate::fromJulianDay(day), QTime::fromMSecsSinceStartOfDay(ms), Qt::UTC);
}

QString FormatTimestamp(TDateTime value, const QString &pattern, const TRegionalFormats &formats)
{
    const QDateTime dt = ToQDateTime(value);
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        const QStringView rest = QStringView(pattern).mid(i);
        if (rest.startsWith(QLatin1String("yyyy"))) {
            out += QStringLiteral("%1").arg(dt.date().year(), 4, 10, QLatin1Char('0'));
            i += 4;
        } else if (rest.startsWith(QLatin1String("dd"))) {
            out += TwoDigits(dt.date().day());
            i += 2;
        } else if (rest.startsWith(QLatin1String("mm"))) {
            out += TwoDigits(dt.date().month());
            i += 2;
        } else if (rest.startsWith(QLatin1String("hh"))) {
            out += TwoDigits(dt.time().hour());
            i += 2;
        } else if (rest.startsWith(QLatin1String("nn"))) {
            out += TwoDigits(dt.time().minute());
            i += 2;
        } else {
            out += pattern.at(i) == QLatin1Char(':') ? formats.TimeSeparator : QString(pattern.at(i));
            ++i;
        }
    }
    return out;
}

QString FormatDateTime(TDateTime value, const TRegionalFormats &formats)
{
    const QDateTime dt = ToQDateTime(value);
    QString text = formats.Locale.toString(dt.date(), formats.ShortDateFormat);
    const QTime t = dt.time();
    if (t.hour() != 0 || t.minute() != 0 || t.second() != 0)
        text += QLatin1Char(' ') + formats.Locale.toString(t, formats.LongTimeFormat);
    return text;
}

QString TDateTimeTexts::Text(TDateTime value)
{
    QString out;
    Append(out, value);
    return out;
}

void TDateTimeTexts::Append(QString &out, TDateTime value)
{
    // Texts are made only for a day or second not met lately; the rest is
    // arithmetic, with no date object made for each of millions of stamps.
    long long day = 0;
    int ms = 0;
    SplitDateTime(value, day, ms);
    const size_t d = size_t(day) % 256;
    if (fDates.Keys[d] != day) {
        fDates.Keys[d] = day;
        fDates.Texts[d] = fFormats.Locale.toString(QDate::fromJulianDay(day), fFormats.ShortDateFormat);
    }
    const long long second = ms / 1000;
    out += fDates.Texts[d];
    if (second == 0)
        return;
    const size_t s = size_t(second) % 4096;
    if (fTimes.Keys[s] != second) {
        fTimes.Keys[s] = second;
        fTimes.Texts[s] = fFormats.Locale.toString(QTime::fromMSecsSinceStartOfDay(int(second * 1000)),
                                                   fFormats.LongTimeFormat);
    }
    out += QLatin1Char(' ');
    out += fTimes.Texts[s];
}

QString ExtractFileName(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString ExtractFolderPart(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString ExtractExtension(const QString &path)
{
    const qsizetype dot = ExtensionDot(path);
    return dot < 0 ? QString() : path.mid(dot + 1, MaxExtension);
}

QString ExtractDottedExtension(const QString &path)
{
    const qsizetype dot = ExtensionDot(path);
    return dot < 0 ? QString() : path.mid(dot);
}

QString ExtractBaseName(const QString &path)
{
    const QString name = ExtractFileName(path);
    const qsizetype dot = ExtensionDot(name);
    return dot < 0 ? name : name.left(dot);
}

QString ReportText(const QString &name)
{
    return platform::ReplaceEscapedBytes(name);
}

QString DisplayText(const QString &text)
{
    // Control Pictures: U+2400 + c for C0 controls, U+2421 for DEL.
    constexpr char16_t PictureOfControl = 0x2400;
    constexpr char16_t PictureOfDelete = 0x2421;
    QString shown = ReportText(text);
    for (QChar &c : shown) {
        const char16_t u = c.unicode();
        if (u < 0x20)
            c = QChar(char16_t(PictureOfControl + u));
        else if (u == 0x7F)
            c = QChar(PictureOfDelete);
    }
    return shown;
}

} // namespace explorer
