#include "explorer/RegionalFormats.h"

#include <vector>

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

// A date or time pattern cut into runs of one field letter ("yy", "HH",
// "t") and the literal text between them, quoted words included, so that a
// field can be changed or dropped without touching the words around it.
struct TPatternPiece {
    QString Text;
    bool Field = false;
};

std::vector<TPatternPiece> SplitPattern(const QString &pattern)
{
    std::vector<TPatternPiece> pieces;
    bool quoted = false;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        const bool field = !quoted && c.isLetter() && c.unicode() < 0x80;
        const bool sameRun = !pieces.empty() && pieces.back().Field == field
                             && (!field || pieces.back().Text.back() == c);
        if (!sameRun)
            pieces.push_back({QString(), field});
        pieces.back().Text += c;
    }
    return pieces;
}

QString JoinPattern(const std::vector<TPatternPiece> &pieces)
{
    QString out;
    for (const TPatternPiece &piece : pieces)
        out += piece.Text;
    return out;
}

// Many locales write the year with two digits ("5/25/23"); a listing that
// outlives the century must not, so the year field gets four.
QString WithFourDigitYear(const QString &pattern)
{
    std::vector<TPatternPiece> pieces = SplitPattern(pattern);
    for (TPatternPiece &piece : pieces)
        if (piece.Field && piece.Text == QLatin1String("yy"))
            piece.Text = QStringLiteral("yyyy");
    return JoinPattern(pieces);
}

bool IsZoneSeparator(QChar c)
{
    return c.isSpace() || c == QLatin1Char(',');
}

// Long time formats name the time zone ("t", sometimes in brackets: "(t)",
// "[t]", or after a comma); the program's time stamps are local and written
// without one, so the field goes with its brackets and what separates it
// from the time.
QString WithoutTimeZone(const QString &pattern)
{
    std::vector<TPatternPiece> pieces = SplitPattern(pattern);
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (!pieces[i].Field || pieces[i].Text.front() != QLatin1Char('t'))
            continue;
        QString *before = (i > 0 && !pieces[i - 1].Field) ? &pieces[i - 1].Text : nullptr;
        QString *after = (i + 1 < pieces.size() && !pieces[i + 1].Field) ? &pieces[i + 1].Text : nullptr;
        if (before && after && !before->isEmpty() && !after->isEmpty()
            && ((before->back() == QLatin1Char('(') && after->front() == QLatin1Char(')'))
                || (before->back() == QLatin1Char('[') && after->front() == QLatin1Char(']')))) {
            before->chop(1);
            after->remove(0, 1);
        }
        if (i > 0) {
            while (before && !before->isEmpty() && IsZoneSeparator(before->back()))
                before->chop(1);
        } else {
            while (after && !after->isEmpty() && IsZoneSeparator(after->front()))
                after->remove(0, 1);
        }
        pieces[i].Text.clear();
    }
    return JoinPattern(pieces).trimmed();
}

} // namespace

TRegionalFormats TRegionalFormats::FromLocale(const QLocale &locale)
{
    TRegionalFormats f;
    f.Locale = locale;
    f.DecimalSeparator = locale.decimalPoint().isEmpty() ? QLatin1Char('.') : locale.decimalPoint().at(0);
    f.ShortDateFormat = WithFourDigitYear(locale.dateFormat(QLocale::ShortFormat));
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
