#pragma once
// The first two bytes an occurrence of a phrase may start with, held as a
// few pairs of byte classes, so that vector instructions can test 16 or 32
// positions of a file at once. A class is a byte with some bits left open:
// "e" or "E" is one class, since the two differ in a single bit.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace engine {

struct TByteClass {
    uint8_t Mask = 0;   // the bits that may be anything
    uint8_t Value = 0;  // with those bits set
    bool Contains(uint8_t x) const { return uint8_t(x | Mask) == Value; }
    bool operator==(const TByteClass &o) const { return Mask == o.Mask && Value == o.Value; }
    static TByteClass Exactly(uint8_t b) { return {0, b}; }
    static TByteClass Any() { return {0xFF, 0xFF}; }
};

struct TBytePair {
    TByteClass First;
    TByteClass Second;
};

// The same bytes in as few pairs as single open bits allow: the four pairs
// (e,x) (e,X) (E,x) (E,X) become one. Pairs another one covers are dropped.
std::vector<TBytePair> MergeBytePairs(std::vector<TBytePair> pairs);

} // namespace engine
