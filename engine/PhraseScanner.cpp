#include "engine/PhraseScanner.h"

#include "engine/CaseFolding.h"
#include "engine/CharTables.h"
#include "engine/PhraseSearch.h"
#include "engine/Utf8Text.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#if defined(__x86_64__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace engine {

namespace {

constexpr size_t NoStart = std::numeric_limits<size_t>::max();
// Units kept before the next position to examine: the character before an
// occurrence is at most this long.
constexpr size_t History = utf8::MaxCharacterBytes;

const unsigned char *IdentityBytes()
{
    static const auto table = [] {
        std::array<unsigned char, 256> t{};
        for (int i = 0; i < 256; ++i)
            t[size_t(i)] = static_cast<unsigned char>(i);
        return t;
    }();
    return table.data();
}

const char16_t *IdentityUnits()
{
    static const auto table = [] {
        auto t = std::make_unique<std::array<char16_t, 65536>>();
        for (uint32_t i = 0; i < 65536; ++i)
            (*t)[i] = char16_t(i);
        return t;
    }();
    return table->data();
}

// The pairs of leading bytes the vector search can test at once.
constexpr size_t MaxVectorPairs = 4;
// Bytes after an occurrence the rule of the Windows-1252 reading looks at:
// the rest of a UTF-8 character its last byte may begin.
constexpr size_t Utf8Tail = 3;

bool Utf8DelimiterBefore(const uint8_t *b, size_t k, size_t low)
{
    const size_t s = utf8::CharacterStart(b, k, low);
    return WideDelimiterTable()[utf8::DecodeOneUnit(b + s, k - s)];
}

bool Utf8DelimiterAfter(const uint8_t *b, size_t len, size_t e)
{
    return WideDelimiterTable()[utf8::DecodeOneUnit(b + e, utf8::CharacterLength(b, len, e))];
}

// True when the neighbouring bytes are one valid character beyond ASCII.
bool Utf8CharacterBefore(const uint8_t *b, size_t k, size_t low)
{
    const size_t s = utf8::CharacterStart(b, k, low);
    return b[k - 1] < 0x80 || utf8::DecodeOneUnit(b + s, k - s) != 0;
}

bool Utf8CharacterAfter(const uint8_t *b, size_t len, size_t e)
{
    return b[e] < 0x80 || utf8::DecodeOneUnit(b + e, utf8::CharacterLength(b, len, e)) != 0;
}

// A phrase whose every character is ASCII and folds only with ASCII ones is
// compared byte by byte, as fast as ever; "k" and "s" have non-ASCII
// variants (the Kelvin sign, the long s), so phrases with them are not.
bool NeedsWholeCharacters(const std::vector<uint8_t> &units)
{
    for (const uint8_t u : units) {
        if (u >= 0x80)
            return true;
        for (const char32_t v : CaseVariants(u))
            if (v >= 0x80)
                return true;
    }
    return false;
}

std::vector<std::string> Utf8Variants(char32_t c)
{
    std::vector<std::string> variants;
    for (const char32_t v : CaseVariants(c))
        variants.push_back(utf8::Encode(v));
    return variants;
}

// The sliding window shared by both scanners. Initial, when given, holds
// the first units of the content, scanned where they lie; ReadUnits appends
// up to BlockUnits units read from the file and says when the file has
// ended; Find examines positions [from, limit). Between blocks only the units
// an occurrence may still need are moved to the front, and the buffer is
// reused from file to file: fresh buffers would cost more than the scan
// itself.
template <typename Unit, typename ReadUnits, typename FindFn>
bool ScanWindow(size_t need, size_t skip, size_t blockUnits, const Unit *initial,
                size_t initialLength, ReadUnits readUnits, FindFn find)
{
    thread_local std::vector<Unit> win;
    const size_t capacity = History + need + blockUnits;
    if (win.size() < capacity)
        win.resize(capacity);
    size_t len = 0;
    size_t from = skip;
    size_t streamStart = skip;
    bool eof = false;
    if (initial) {
        eof = initialLength < blockUnits;
        const size_t limit = eof ? initialLength : (initialLength >= need ? initialLength - need + 1 : 0);
        if (limit > from) {
            if (find(initial, initialLength, from, limit, streamStart))
                return true;
            from = limit;
        }
        if (eof)
            return false;
        const size_t keep = std::min(from > History ? from - History : 0, initialLength);
        len = initialLength - keep;
        std::memcpy(win.data(), initial + keep, len * sizeof(Unit));
        from -= keep;
        streamStart = streamStart >= keep ? streamStart - keep : NoStart;
    }
    while (!eof) {
        const size_t keep = from > History ? from - History : 0;
        if (keep > 0) {
            std::memmove(win.data(), win.data() + keep, (len - keep) * sizeof(Unit));
            len -= keep;
            from -= keep;
            streamStart = streamStart >= keep ? streamStart - keep : NoStart;
        }
        len += readUnits(win.data() + len, blockUnits, eof);
        const size_t limit = eof ? len : (len >= need ? len - need + 1 : 0);
        if (limit > from) {
            if (find(win.data(), len, from, limit, streamStart))
                return true;
            from = limit;
        }
    }
    return false;
}

} // namespace

TByteScanner::TByteScanner(std::vector<TBytePattern> patterns, bool caseSensitive, bool wholeWord)
    : fFold(caseSensitive ? IdentityBytes() : AnsiLowerTable().data()), fWholeWord(wholeWord)
{
    std::vector<TBytePair> pairs;
    for (const TBytePattern &source : patterns) {
        if (source.Units.empty())
            continue;
        if (!caseSensitive && source.Rule != TWordRule::Ansi && NeedsWholeCharacters(source.Units))
            AddCharacterPattern(source, pairs);
        else
            AddBytePattern(source, pairs);
        if (wholeWord)
            fLookahead = std::max(fLookahead, source.Rule == TWordRule::Ansi ? 1 : utf8::MaxCharacterBytes);
        if (source.Rule == TWordRule::Ansi)
            fLookahead = std::max(fLookahead, Utf8Tail);
    }
    for (const TBytePair &pair : pairs)
        for (int b = 0; b < 256; ++b)
            if (pair.First.Contains(uint8_t(b)))
                fCandidate[size_t(b)] = true;
    fPairs = MergeBytePairs(std::move(pairs));
    fVectorSearch = fPairs.size() <= MaxVectorPairs;
#if defined(__x86_64__)
    fAvx2 = __builtin_cpu_supports("avx2");
#endif
}

void TByteScanner::AddBytePattern(const TBytePattern &source, std::vector<TBytePair> &pairs)
{
    TPattern p;
    p.Rule = source.Rule;
    for (const uint8_t u : source.Units)
        p.Folded.push_back(fFold[u]);
    p.MaxLength = p.Folded.size();
    fMaxLength = std::max(fMaxLength, p.MaxLength);
    for (int first = 0; first < 256; ++first) {
        if (fFold[first] != p.Folded[0])
            continue;
        if (p.Folded.size() == 1) {
            pairs.push_back({TByteClass::Exactly(uint8_t(first)), TByteClass::Any()});
            continue;
        }
        for (int second = 0; second < 256; ++second)
            if (fFold[second] == p.Folded[1])
                pairs.push_back({TByteClass::Exactly(uint8_t(first)), TByteClass::Exactly(uint8_t(second))});
    }
    fPatterns.push_back(std::move(p));
}

void TByteScanner::AddCharacterPattern(const TBytePattern &source, std::vector<TBytePair> &pairs)
{
    TPattern p;
    p.Rule = source.Rule;
    p.ByCharacter = true;
    char32_t c = 0;
    for (size_t i = 0; i < source.Units.size();) {
        const size_t n = utf8::Decode(source.Units.data() + i, source.Units.size() - i, c);
        if (n == 0)
            return;  // not UTF-8: no text can hold it
        p.Characters.push_back(FoldCase(c));
        size_t longest = 0;
        for (const std::string &v : Utf8Variants(c))
            longest = std::max(longest, v.size());
        p.MaxLength += longest;
        i += n;
    }
    fMaxLength = std::max(fMaxLength, p.MaxLength);
    // An occurrence starts with the bytes of some variant of the first
    // character, and, when that is one byte, of some variant of the second.
    const auto exactly = [](char b) { return TByteClass::Exactly(uint8_t(b)); };
    for (const std::string &v : Utf8Variants(p.Characters[0])) {
        if (v.size() >= 2)
            pairs.push_back({exactly(v[0]), exactly(v[1])});
        else if (p.Characters.size() == 1)
            pairs.push_back({exactly(v[0]), TByteClass::Any()});
        else
            for (const std::string &w : Utf8Variants(p.Characters[1]))
                pairs.push_back({exactly(v[0]), exactly(w[0])});
    }
    fPatterns.push_back(std::move(p));
}

size_t TByteScanner::MatchAt(const TPattern &p, const uint8_t *b, size_t len, size_t k) const
{
    if (!p.ByCharacter) {
        const size_t m = p.Folded.size();
        if (k + m > len)
            return 0;
        for (size_t i = 0; i < m; ++i)
            if (fFold[b[k + i]] != p.Folded[i])
                return 0;
        return k + m;
    }
    size_t pos = k;
    for (const char32_t wanted : p.Characters) {
        char32_t c = 0;
        const size_t n = utf8::Decode(b + pos, len - pos, c);
        if (n == 0 || FoldCase(c) != wanted)
            return 0;
        pos += n;
    }
    return pos;
}

bool TByteScanner::Counts(const TPattern &p, const uint8_t *b, size_t len, size_t k, size_t e,
                          size_t streamStart) const
{
    const size_t low = streamStart == NoStart ? (k > History ? k - History : 0) : streamStart;
    if (p.Rule == TWordRule::Ansi) {
        // "é" as the byte E9 is not in a UTF-8 file whose E9 begins a
        // Chinese character.
        for (size_t i = k; i < e; ++i)
            if (b[i] >= 0x80 && utf8::InsideMultiByteCharacter(b, i, low, len))
                return false;
    }
    return !fWholeWord || WordOk(p, b, len, k, e, low, k == streamStart);
}

bool TByteScanner::WordOk(const TPattern &p, const uint8_t *b, size_t len, size_t k, size_t e,
                          size_t low, bool atStart) const
{
    const bool atEnd = e == len;
    const auto &ansiDelimiter = AnsiDelimiterTable();
    switch (p.Rule) {
    case TWordRule::Ansi:
        return (atStart || ansiDelimiter[b[k - 1]]) && (atEnd || ansiDelimiter[b[e]]);
    case TWordRule::Utf8:
        return (atStart || Utf8DelimiterBefore(b, k, low)) && (atEnd || Utf8DelimiterAfter(b, len, e));
    case TWordRule::AnsiOrUtf8:
        break;
    }
    // The same bytes in a file without a mark: a neighbour that reads as
    // UTF-8 is judged as UTF-8, any other by the 8-bit code page, so that an
    // 8-bit letter is not taken for an undecodable (and so delimiting) byte.
    const bool before = atStart
                        || (Utf8CharacterBefore(b, k, low) ? Utf8DelimiterBefore(b, k, low)
                                                           : ansiDelimiter[b[k - 1]]);
    const bool after = atEnd
                       || (Utf8CharacterAfter(b, len, e) ? Utf8DelimiterAfter(b, len, e)
                                                         : ansiDelimiter[b[e]]);
    return before && after;
}

bool TByteScanner::Verify(const uint8_t *b, size_t len, size_t k, size_t streamStart) const
{
    for (const TPattern &p : fPatterns) {
        const size_t e = MatchAt(p, b, len, k);
        if (e != 0 && Counts(p, b, len, k, e, streamStart))
            return true;
    }
    return false;
}

// The vector loops test two neighbouring bytes at once, the first two units
// of each pattern, so that a frequent first letter costs little.
size_t TByteScanner::FindVector(const uint8_t *b, size_t len, size_t k, size_t limit,
                                size_t streamStart, bool &found) const
{
#ifdef __SSE2__
    const size_t n = fPairs.size();
    __m128i m0[MaxVectorPairs], v0[MaxVectorPairs], m1[MaxVectorPairs], v1[MaxVectorPairs];
    for (size_t i = 0; i < n; ++i) {
        m0[i] = _mm_set1_epi8(char(fPairs[i].First.Mask));
        v0[i] = _mm_set1_epi8(char(fPairs[i].First.Value));
        m1[i] = _mm_set1_epi8(char(fPairs[i].Second.Mask));
        v1[i] = _mm_set1_epi8(char(fPairs[i].Second.Value));
    }
    for (; k + 16 <= limit && k + 17 <= len; k += 16) {
        const __m128i x0 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + k));
        const __m128i x1 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + k + 1));
        unsigned mask = 0;
        for (size_t i = 0; i < n; ++i)
            mask |= unsigned(_mm_movemask_epi8(
                _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(x0, m0[i]), v0[i]),
                              _mm_cmpeq_epi8(_mm_or_si128(x1, m1[i]), v1[i]))));
        while (mask) {
            if (Verify(b, len, k + unsigned(__builtin_ctz(mask)), streamStart)) {
                found = true;
                return k;
            }
            mask &= mask - 1;
        }
    }
#else
    (void)b; (void)len; (void)limit; (void)streamStart; (void)found;
#endif
    return k;
}

#if defined(__x86_64__)
__attribute__((target("avx2")))
size_t TByteScanner::FindVectorAvx2(const uint8_t *b, size_t len, size_t k, size_t limit,
                                    size_t streamStart, bool &found) const
{
    const size_t n = fPairs.size();
    __m256i m0[MaxVectorPairs], v0[MaxVectorPairs], m1[MaxVectorPairs], v1[MaxVectorPairs];
    for (size_t i = 0; i < n; ++i) {
        m0[i] = _mm256_set1_epi8(char(fPairs[i].First.Mask));
        v0[i] = _mm256_set1_epi8(char(fPairs[i].First.Value));
        m1[i] = _mm256_set1_epi8(char(fPairs[i].Second.Mask));
        v1[i] = _mm256_set1_epi8(char(fPairs[i].Second.Value));
    }
    for (; k + 32 <= limit && k + 33 <= len; k += 32) {
        const __m256i x0 = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(b + k));
        const __m256i x1 = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(b + k + 1));
        unsigned mask = 0;
        for (size_t i = 0; i < n; ++i)
            mask |= unsigned(_mm256_movemask_epi8(
                _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(x0, m0[i]), v0[i]),
                                 _mm256_cmpeq_epi8(_mm256_or_si256(x1, m1[i]), v1[i]))));
        while (mask) {
            if (Verify(b, len, k + unsigned(__builtin_ctz(mask)), streamStart)) {
                found = true;
                return k;
            }
            mask &= mask - 1;
        }
    }
    return k;
}
#else
size_t TByteScanner::FindVectorAvx2(const uint8_t *, size_t, size_t k, size_t, size_t,
                                    bool &) const
{
    return k;
}
#endif

bool TByteScanner::Find(const uint8_t *b, size_t len, size_t from, size_t limit,
                        size_t streamStart) const
{
    size_t k = from;
    bool found = false;
    if (fVectorSearch) {
        if (fAvx2)
            k = FindVectorAvx2(b, len, k, limit, streamStart, found);
        if (!found)
            k = FindVector(b, len, k, limit, streamStart, found);
        if (found)
            return true;
    }
    for (; k < limit; ++k)
        if (fCandidate[b[k]] && Verify(b, len, k, streamStart))
            return true;
    return false;
}

bool TByteScanner::Scan(const TContent &content, size_t markLength) const
{
    if (fPatterns.empty())
        return false;
    const TReadMore &readMore = content.ReadMore;
    auto readUnits = [&readMore](uint8_t *dst, size_t count, bool &eof) {
        const size_t n = readMore(dst, count);
        eof = n < count;
        return n;
    };
    auto find = [this](const uint8_t *b, size_t len, size_t from, size_t limit, size_t streamStart) {
        return Find(b, len, from, limit, streamStart);
    };
    return ScanWindow<uint8_t>(fMaxLength + fLookahead, markLength, ContentBlockSize, content.First,
                               content.FirstLength, readUnits, find);
}

TWideScanner::TWideScanner(const QString &phrase, bool caseSensitive, bool wholeWord,
                           bool bigEndian)
    : fFold(caseSensitive ? IdentityUnits() : WideLowerTable().data()),
      fWholeWord(wholeWord),
      fBigEndian(bigEndian)
{
    for (const QChar c : phrase)
        fFolded.push_back(fFold[c.unicode()]);
}

bool TWideScanner::Find(const char16_t *b, size_t len, size_t from, size_t limit,
                        size_t streamStart) const
{
    const size_t m = fFolded.size();
    const auto &delimiter = WideDelimiterTable();
    for (size_t k = from; k < limit; ++k) {
        if (fFold[b[k]] != fFolded[0] || k + m > len)
            continue;
        size_t i = 1;
        while (i < m && fFold[b[k + i]] == fFolded[i])
            ++i;
        if (i < m)
            continue;
        if (!fWholeWord)
            return true;
        const bool before = k == streamStart || delimiter[b[k - 1]];
        const bool after = k + m == len || delimiter[b[k + m]];
        if (before && after)
            return true;
    }
    return false;
}

bool TWideScanner::Scan(const TContent &content, size_t markLength) const
{
    if (fFolded.empty())
        return false;
    // A byte left over from an odd-sized read waits for its partner; at the
    // end of the file it is ignored. The first block's bytes are taken as
    // they were read.
    thread_local std::vector<uint8_t> raw(ContentBlockSize + 1);
    size_t pending = 0;
    bool firstTaken = false;
    const bool swap = fBigEndian;
    auto readUnits = [&](char16_t *dst, size_t count, bool &eof) {
        const uint8_t *src = raw.data();
        size_t total = 0;
        if (!firstTaken) {
            firstTaken = true;
            src = content.First;
            total = content.FirstLength;
            eof = total < count * 2;
        } else {
            const size_t n = content.ReadMore(raw.data() + pending, count * 2);
            eof = n < count * 2;
            total = pending + n;
        }
        const size_t pairs = total / 2;
        for (size_t i = 0; i < pairs; ++i) {
            const uint8_t lo = src[2 * i + (swap ? 1 : 0)];
            const uint8_t hi = src[2 * i + (swap ? 0 : 1)];
            dst[i] = char16_t(lo | hi << 8);
        }
        pending = total % 2;
        if (pending)
            raw[0] = src[total - 1];
        return pairs;
    };
    auto find = [this](const char16_t *b, size_t len, size_t from, size_t limit, size_t streamStart) {
        return Find(b, len, from, limit, streamStart);
    };
    return ScanWindow<char16_t>(fFolded.size() + (fWholeWord ? 1 : 0), markLength / 2,
                                ContentBlockSize / 2, nullptr, 0, readUnits, find);
}

} // namespace engine
