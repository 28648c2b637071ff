#pragma once
// Case-folding and word-character tables, built once and read-only after, so
// that folding a character or testing a word boundary is one look-up. They
// are shared by every engine and every thread.

#include <array>
#include <cstdint>

namespace engine {

struct TCharTables {
    std::array<unsigned char, 256> AnsiLower;
    std::array<bool, 256> AnsiDelimiter;    // neither letter nor digit
    std::array<char16_t, 65536> WideLower;
    std::array<bool, 65536> WideDelimiter;  // neither letter nor digit
};

// Builds the tables on the first call; later calls return the same ones.
const TCharTables &InitCharTables();

inline const std::array<char16_t, 65536> &WideLowerTable() { return InitCharTables().WideLower; }
inline const std::array<unsigned char, 256> &AnsiLowerTable() { return InitCharTables().AnsiLower; }
inline const std::array<bool, 65536> &WideDelimiterTable() { return InitCharTables().WideDelimiter; }
inline const std::array<bool, 256> &AnsiDelimiterTable() { return InitCharTables().AnsiDelimiter; }

} // namespace engine
