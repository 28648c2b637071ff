#include "engine/Wildcard.h"

#include "engine/CharTables.h"

namespace engine {

namespace {

bool Match(const char16_t *t, const char16_t *tEnd, const char16_t *m, const char16_t *mEnd,
           const std::array<char16_t, 65536> &lower)
{
    while (t < tEnd && m < mEnd && *m != u'*') {
        if (*m != u'?' && lower[*m] != lower[*t])
            return false;
        ++t;
        ++m;
    }
    if (t < tEnd && m == mEnd)
        return false;
    while (m < mEnd && (*m == u'*' || *m == u'?'))
        ++m;
    if (t == tEnd || m == mEnd)
        return m == mEnd;
    const char16_t c = lower[*m++];
    for (; t < tEnd; ++t)
        if (lower[*t] == c && Match(t + 1, tEnd, m, mEnd, lower))
            return true;
    return false;
}

} // namespace

bool WildcardMatch(const QString &text, const QString &mask)
{
    const auto *t = reinterpret_cast<const char16_t *>(text.constData());
    const auto *m = reinterpret_cast<const char16_t *>(mask.constData());
    return Match(t, t + text.size(), m, m + mask.size(), WideLowerTable());
}

bool NameMatchesMask(const QString &name, const QString &mask)
{
    if (MatchesEveryName(mask) || WildcardMatch(name, mask))
        return true;
    return !name.contains(QLatin1Char('.')) && WildcardMatch(name + QLatin1Char('.'), mask);
}

bool MatchesEveryName(const QString &mask)
{
    return mask == QLatin1String("*") || mask == QLatin1String("*.*");
}

} // namespace engine
