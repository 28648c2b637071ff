#pragma once
// The scan of a file's content for a phrase: a window over the stream that
// keeps, across blocks, the units an occurrence or its neighbouring
// characters may still need, so an occurrence (or the letter that keeps it
// from being a whole word) may straddle two blocks. Every position is a
// candidate; the search skips ahead to the next possible first units.

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace engine {

using TReadMore = std::function<size_t(uint8_t *buffer, size_t count)>;

// How the characters around an occurrence are told for a whole-word match.
enum class TWordRule {
    Ansi,        // the neighbouring byte, Windows-1252
    Utf8,        // the neighbouring UTF-8 character, decoded
    AnsiOrUtf8,  // the phrase is the same bytes in both: either rule admits it
};

struct TBytePattern {
    std::vector<uint8_t> Units;
    TWordRule Rule;
};

class TByteScanner {
public:
    TByteScanner(std::vector<TBytePattern> patterns, bool caseSensitive, bool wholeWord);
    // Reads the file from its start through ReadMore; the content begins
    // after the byte-order mark of MarkLength bytes.
    bool Scan(const TReadMore &readMore, size_t markLength) const;

private:
    // The bytes that fold to one unit of the pattern, as the test
    // (byte | Mask) == Value: one byte, or two that differ in one bit
    // ("a"/"A", "š"/"Š"). A unit whose bytes cannot be told so is not
    // Simple, and the scan then goes byte by byte.
    struct TUnitClass {
        uint8_t Mask = 0xFF;
        uint8_t Value = 0xFF;
        bool Simple = true;
    };
    struct TPattern {
        std::vector<uint8_t> Folded;
        TWordRule Rule;
        TUnitClass First;
        TUnitClass Second;  // matches every byte for a one-unit pattern
    };
    bool Find(const uint8_t *b, size_t len, size_t from, size_t limit, size_t streamStart) const;
    // Examines positions from K on, in steps of the vector width, while a
    // whole step fits; returns where it stopped, or Found.
    size_t FindVector(const uint8_t *b, size_t len, size_t k, size_t limit, size_t streamStart,
                      bool &found) const;
    size_t FindVectorAvx2(const uint8_t *b, size_t len, size_t k, size_t limit,
                          size_t streamStart, bool &found) const;
    bool Verify(const uint8_t *b, size_t len, size_t k, size_t streamStart) const;
    bool WordOk(const TPattern &p, const uint8_t *b, size_t len, size_t k, size_t streamStart) const;

    std::vector<TPattern> fPatterns;
    const unsigned char *fFold;
    bool fWholeWord;
    bool fVectorSearch = false;
    bool fAvx2 = false;
    std::array<bool, 256> fCandidate{};
    size_t fMaxLength = 0;
    size_t fLookahead = 0;
};

class TWideScanner {
public:
    TWideScanner(const QString &phrase, bool caseSensitive, bool wholeWord, bool bigEndian);
    bool Scan(const TReadMore &readMore, size_t markLength) const;

private:
    bool Find(const char16_t *b, size_t len, size_t from, size_t limit, size_t streamStart) const;

    std::vector<char16_t> fFolded;
    const char16_t *fFold;
    bool fWholeWord;
    bool fBigEndian;
};

} // namespace engine
