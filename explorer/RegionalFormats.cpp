#include "explorer/RegionalFormats.h"

namespace explorer {

namespace {

// The first character of a pattern that is neither a field letter nor
// quoted text: "/" in "dd/MM/yyyy", ":" in "HH:mm:ss".
QString SeparatorOf(const QString &pattern, const QString &fieldLetters)
{
    bool quoted = false;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (!quoted && !fieldLetters.contains(c) && !c.isSpace())
            return QString(c);
    }
    return QString();
}

// Long time formats name the time zone ("t", "tt"); the program's time
// stamps are local and written without one.
QString WithoutTimeZone(QString pattern)
{
    QString out;
    bool quoted = false;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    return out.trimmed();
}

} // namespace

TRegionalFormats TRegionalFormats::FromLocale(const QLocale &locale)
{
    TRegionalFormats f;
    f.Locale = locale;
    f.DecimalSeparator = locale.decimalPoint().isEmpty() ? QLatin1Char('.') : locale.decimalPoint().at(0);
    f.ShortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    f.LongTimeFormat = WithoutTimeZone(locale.timeFormat(QLocale::LongFormat));
    f.DateSeparator = SeparatorOf(f.ShortDateFormat, QStringLiteral("dMy"));
    f.TimeSeparator = SeparatorOf(f.LongTimeFormat, QStringLiteral("hHmsaApzZ"));
    if (f.TimeSeparator.isEmpty())
        f.TimeSeparator = QStringLiteral(":");
    if (locale.language() == QLocale::Slovak && f.DateSeparator.isEmpty()) {
        f.DateSeparator = QStringLiteral(".");
        f.ShortDateFormat = QStringLiteral("d.M.yyyy");
    }
    return f;
}

} // namespace explorer
