#pragma once
// The scan of a file's content for a phrase: a window over the stream that
// keeps, across blocks, the units an occurrence or its neighbouring
// characters may still need, so an occurrence (or the letter that keeps it
// from being a whole word) may straddle two blocks. Every position is a
// candidate; the search skips ahead to the next possible first units.

#include "engine/LeadingBytes.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace engine {

using TReadMore = std::function<size_t(uint8_t *buffer, size_t count)>;

// A file's content as a scanner takes it: the first block, already read
// (the encoding was told from it; fewer bytes than a block is the whole
// file), then ReadMore for what follows. The first block is scanned where it
// lies, so a small file costs no copy.
struct TContent {
    const uint8_t *First;
    size_t FirstLength;
    TReadMore ReadMore;
};

// How a pattern's bytes are told in the content, and the characters around
// an occurrence for a whole-word match.
enum class TWordRule {
    // Windows-1252: byte by byte; an occurrence whose bytes belong to a
    // well-formed UTF-8 character of the content does not count.
    Ansi,
    // UTF-8: ignoring case, whole characters compare by their Unicode
    // simple case folding, so "É" finds "é" and "k" the Kelvin sign.
    Utf8,
    // The phrase is the same bytes in both (ASCII): either reading of the
    // content admits an occurrence.
    AnsiOrUtf8,
};

struct TBytePattern {
    std::vector<uint8_t> Units;
    TWordRule Rule;
};

class TByteScanner {
public:
    TByteScanner(std::vector<TBytePattern> patterns, bool caseSensitive, bool wholeWord);
    // The text begins after the byte-order mark of MarkLength bytes.
    bool Scan(const TContent &content, size_t markLength) const;

private:
    struct TPattern {
        TWordRule Rule;
        bool ByCharacter = false;
        std::vector<uint8_t> Folded;       // byte by byte: through the fold table
        std::vector<char32_t> Characters;  // by character: case-folded
        size_t MaxLength = 0;              // the most bytes an occurrence takes
    };
    void AddBytePattern(const TBytePattern &source, std::vector<TBytePair> &pairs);
    void AddCharacterPattern(const TBytePattern &source, std::vector<TBytePair> &pairs);
    bool Find(const uint8_t *b, size_t len, size_t from, size_t limit, size_t streamStart) const;
    // Examines positions from K on, in steps of the vector width, while a
    // whole step fits; returns where it stopped, or Found.
    size_t FindVector(const uint8_t *b, size_t len, size_t k, size_t limit, size_t streamStart,
                      bool &found) const;
    size_t FindVectorAvx2(const uint8_t *b, size_t len, size_t k, size_t limit,
                          size_t streamStart, bool &found) const;
    bool Verify(const uint8_t *b, size_t len, size_t k, size_t streamStart) const;
    // Where the occurrence of P at K ends, or 0 when there is none.
    size_t MatchAt(const TPattern &p, const uint8_t *b, size_t len, size_t k) const;
    bool Counts(const TPattern &p, const uint8_t *b, size_t len, size_t k, size_t e,
                size_t streamStart) const;
    bool WordOk(const TPattern &p, const uint8_t *b, size_t len, size_t k, size_t e,
                size_t low, bool atStart) const;

    std::vector<TPattern> fPatterns;
    const unsigned char *fFold;
    bool fWholeWord;
    std::vector<TBytePair> fPairs;  // the vector search's, when few enough
    bool fVectorSearch = false;
    bool fAvx2 = false;
    std::array<bool, 256> fCandidate{};
    size_t fMaxLength = 0;
    size_t fLookahead = 0;
};

class TWideScanner {
public:
    TWideScanner(const QString &phrase, bool caseSensitive, bool wholeWord, bool bigEndian);
    bool Scan(const TContent &content, size_t markLength) const;

private:
    bool Find(const char16_t *b, size_t len, size_t from, size_t limit, size_t streamStart) const;

    std::vector<char16_t> fFolded;
    const char16_t *fFold;
    bool fWholeWord;
    bool fBigEndian;
};

} // namespace engine
