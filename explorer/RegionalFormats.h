#pragma once
// The user's number and date formats, read once at start-up and kept for the
// whole run, so that a change of the desktop's settings does not change how
// a running program writes dates.

#include <QLocale>
#include <QString>

namespace explorer {

struct TRegionalFormats {
    QLocale Locale;
    QChar DecimalSeparator = QLatin1Char('.');
    QString TimeSeparator = QStringLiteral(":");
    QString DateSeparator = QStringLiteral(".");
    QString ShortDateFormat = QStringLiteral("d.M.yyyy");  // a QLocale pattern
    QString LongTimeFormat = QStringLiteral("H:mm:ss");    // with seconds, no zone

    // The formats of a locale, with the year always in four digits and the
    // time without its zone. For Slovak, a locale without a date separator
    // gets "." and "d.M.yyyy".
    static TRegionalFormats FromLocale(const QLocale &locale);
    // The user's locale (LANG, LC_*), as start-up reads it.
    static TRegionalFormats FromSystem() { return FromLocale(QLocale::system()); }
};

} // namespace explorer
