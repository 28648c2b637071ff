#pragma once

#include <QString>

namespace engine {

// Case-blind wildcard test: "*" stands for any stretch of text, possibly
// empty; "?" for a single character, except that a "?" following a "*", or
// trailing once the text is used up, may stand for nothing ("a*?c" matches
// "ac", "abc?" matches "abc"), as users of these masks have long relied on.
bool WildcardMatch(const QString &text, const QString &mask);

// A folder listing's mask test: as WildcardMatch, except that a name without
// a dot also matches as if it ended in ".", so "*.*" matches every name and
// "*." exactly the names without an extension.
bool NameMatchesMask(const QString &name, const QString &mask);

// True for the masks that match every name ("*", "*.*"), so that a walk can
// skip matching altogether.
bool MatchesEveryName(const QString &mask);

} // namespace engine
