#pragma once

#include <QString>

namespace engine {

// "*" any run of characters, "?" one character, letter case ignored. A "?"
// right after a "*", or at the end of the mask once the text has run out,
// also matches nothing: "a*?c" matches "ac", "abc?" matches "abc".
bool WildcardMatch(const QString &text, const QString &mask);

// A folder listing's mask test: as WildcardMatch, except that a name without
// a dot also matches as if it ended in ".", so "*.*" matches every name and
// "*." exactly the names without an extension.
bool NameMatchesMask(const QString &name, const QString &mask);

// True for the masks that match every name ("*", "*.*"), so that a walk can
// skip matching altogether.
bool MatchesEveryName(const QString &mask);

} // namespace engine
