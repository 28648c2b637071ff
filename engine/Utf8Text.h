#pragma once
// Reading UTF-8 inside a window of a file's bytes, where the text may be
// anything: well-formed characters only count as characters (no overlong
// forms, no surrogates, nothing past U+10FFFF); any other byte is a byte.

#include <cstddef>
#include <cstdint>
#include <string>

namespace engine::utf8 {

// Neighbouring characters of an occurrence are looked at up to this many bytes.
constexpr size_t MaxCharacterBytes = 8;

inline bool IsContinuation(uint8_t b)
{
    return b >= 0x80 && b <= 0xBF;
}

// The length of the well-formed character that starts at P, of which N bytes
// are at hand, with its code point in C; 0 when there is none.
size_t Decode(const uint8_t *p, size_t n, char32_t &c);

// The UTF-8 bytes of C.
std::string Encode(char32_t c);

// True when byte I (0x80 or above) belongs to a well-formed character of two
// bytes or more. Bytes before Low are not there to look at; Len is the end.
bool InsideMultiByteCharacter(const uint8_t *b, size_t i, size_t low, size_t len);

// Where the character before position K starts, looking back no further
// than Low.
size_t CharacterStart(const uint8_t *b, size_t k, size_t low);

// The bytes of the character that starts at E: a lead byte and the
// continuation bytes after it.
size_t CharacterLength(const uint8_t *b, size_t len, size_t e);

// The UTF-16 unit the bytes are, or 0 unless they are exactly one
// well-formed character in the Basic Multilingual Plane.
char16_t DecodeOneUnit(const uint8_t *p, size_t n);

} // namespace engine::utf8
