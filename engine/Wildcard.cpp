#include "engine/Wildcard.h"

#include "engine/CharTables.h"

namespace engine {

namespace {

bool IsWild(char16_t c)
{
    return c == u'*' || c == u'?';
}

// One pass with a single point to come back to: the last "*" met. When the
// rest fails, that "*" takes one more character and the rest is tried again;
// an earlier "*" never needs another try, because the later one can take
// whatever it would have. So names and masks from anyone cost at most
// (name length x mask length) steps.
bool Match(const char16_t *t, const char16_t *tEnd, const char16_t *m, const char16_t *mEnd,
           const std::array<char16_t, 65536> &lower)
{
    const char16_t *restAfterStar = nullptr;  // the mask after the last "*" run
    const char16_t *starTakesUpTo = nullptr;  // the text that "*" has taken so far
    while (t < tEnd) {
        if (m < mEnd && *m == u'*') {
            // A "?" in a run that a "*" opens matches nothing of its own:
            // "a*?c" matches "ac".
            while (m < mEnd && IsWild(*m))
                ++m;
            if (m == mEnd)
                return true;
            restAfterStar = m;
            starTakesUpTo = t;
            continue;
        }
        if (m < mEnd && (*m == u'?' || lower[*m] == lower[*t])) {
            ++t;
            ++m;
            continue;
        }
        if (!restAfterStar)
            return false;
        m = restAfterStar;
        t = ++starTakesUpTo;
    }
    // Once the name has run out, a "?" matches nothing as well: "abc?"
    // matches "abc".
    while (m < mEnd && IsWild(*m))
        ++m;
    return m == mEnd;
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
