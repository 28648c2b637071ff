#pragma once
// Unicode simple case folding of whole characters: the mapping that makes
// "É" and "é", "ß" and "ẞ", "K" and the Kelvin sign "K" compare equal, one
// character to one character. The table is generated at build time from Qt's
// Unicode data and laid out once into pages for a look-up per character;
// like the other character tables it is read-only after that.

#include <vector>

namespace engine {

// Builds the pages on the first call (InitCharTables makes that call).
void InitCaseFolding();

char32_t FoldCase(char32_t c);

// Every character whose folding is C's, C's folding first: "k" gives k, K
// and the Kelvin sign U+212A.
std::vector<char32_t> CaseVariants(char32_t c);

} // namespace engine
