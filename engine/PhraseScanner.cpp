#include "engine/PhraseScanner.h"

#include "engine/CharTables.h"
#include "engine/PhraseSearch.h"

#include <algorithm>
#include <cstring>
#include <limits>
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
constexpr size_t History = 8;
constexpr size_t MaxUtf8Character = 8;

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

bool IsContinuation(uint8_t b)
{
    return b >= 0x80 && b <= 0xBF;
}

// The UTF-16 unit the bytes decode to, or 0 unless they are exactly one
// valid UTF-8 character in the Basic Multilingual Plane.
char16_t DecodeOneUnit(const uint8_t *p, size_t n)
{
    if (n == 1)
        return p[0] < 0x80 ? p[0] : 0;
    if (n == 2 && p[0] >= 0xC2 && p[0] <= 0xDF && IsContinuation(p[1]))
        return char16_t((p[0] & 0x1F) << 6 | (p[1] & 0x3F));
    if (n == 3 && p[0] >= 0xE0 && p[0] <= 0xEF && IsContinuation(p[1]) && IsContinuation(p[2])) {
        const char16_t u = char16_t((p[0] & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F));
        return (u < 0x800 || (u >= 0xD800 && u <= 0xDFFF)) ? 0 : u;
    }
    return 0;
}

// Where the UTF-8 character before position K starts.
size_t Utf8CharacterStart(const uint8_t *b, size_t k, size_t low)
{
    size_t s = k - 1;
    while (s > low && IsContinuation(b[s]) && k - s < MaxUtf8Character)
        --s;
    // A continuation byte right after an ASCII byte starts a character of
    // its own.
    if (s + 1 < k && b[s] < 0x80)
        ++s;
    return s;
}

size_t Utf8CharacterLength(const uint8_t *b, size_t len, size_t e)
{
    size_t n = 1;
    while (e + n < len && n < MaxUtf8Character && IsContinuation(b[e + n]))
        ++n;
    return n;
}

bool Utf8DelimiterBefore(const uint8_t *b, size_t k, size_t low)
{
    const size_t s = Utf8CharacterStart(b, k, low);
    return WideDelimiterTable()[DecodeOneUnit(b + s, k - s)];
}

bool Utf8DelimiterAfter(const uint8_t *b, size_t len, size_t e)
{
    return WideDelimiterTable()[DecodeOneUnit(b + e, Utf8CharacterLength(b, len, e))];
}

// True when the neighbouring bytes are one valid character beyond ASCII.
bool Utf8CharacterBefore(const uint8_t *b, size_t k, size_t low)
{
    const size_t s = Utf8CharacterStart(b, k, low);
    return b[k - 1] < 0x80 || DecodeOneUnit(b + s, k - s) != 0;
}

bool Utf8CharacterAfter(const uint8_t *b, size_t len, size_t e)
{
    return b[e] < 0x80 || DecodeOneUnit(b + e, Utf8CharacterLength(b, len, e)) != 0;
}

// The sliding window shared by both scanners. ReadUnits appends up to
// BlockUnits units read from the file and says when the file has ended; Find
// examines positions [from, limit). Between blocks only the units an
// occurrence may still need are moved to the front, and the buffer is reused
// from file to file: fresh buffers would cost more than the scan itself.
template <typename Unit, typename ReadUnits, typename FindFn>
bool ScanWindow(size_t need, size_t skip, size_t blockUnits, ReadUnits readUnits, FindFn find)
{
    thread_local std::vector<Unit> win;
    const size_t capacity = History + need + blockUnits;
    if (win.size() < capacity)
        win.resize(capacity);
    size_t len = 0;
    size_t from = skip;
    size_t streamStart = skip;
    bool eof = false;
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
    auto classOf = [this](uint8_t folded) {
        std::vector<uint8_t> bytes;
        for (int b = 0; b < 256; ++b)
            if (fFold[b] == folded)
                bytes.push_back(uint8_t(b));
        TUnitClass cls;
        const unsigned differ = bytes.size() == 2 ? unsigned(bytes[0] ^ bytes[1]) : 0;
        if (bytes.size() == 1) {
            cls.Mask = 0;
            cls.Value = bytes[0];
        } else if (differ != 0 && (differ & (differ - 1)) == 0) {
            cls.Mask = uint8_t(differ);
            cls.Value = uint8_t(bytes[0] | differ);
        } else {
            cls.Simple = false;
        }
        return cls;
    };
    fVectorSearch = true;
    for (TBytePattern &source : patterns) {
        if (source.Units.empty())
            continue;
        TPattern p;
        p.Rule = source.Rule;
        for (uint8_t u : source.Units)
            p.Folded.push_back(fFold[u]);
        p.First = classOf(p.Folded[0]);
        if (p.Folded.size() > 1)
            p.Second = classOf(p.Folded[1]);
        for (int b = 0; b < 256; ++b)
            if (fFold[b] == p.Folded[0])
                fCandidate[size_t(b)] = true;
        fVectorSearch = fVectorSearch && p.First.Simple && p.Second.Simple;
        fMaxLength = std::max(fMaxLength, p.Folded.size());
        if (wholeWord)
            fLookahead = std::max(fLookahead, p.Rule == TWordRule::Ansi ? size_t(1) : MaxUtf8Character);
        fPatterns.push_back(std::move(p));
    }
    fVectorSearch = fVectorSearch && fPatterns.size() <= 2;
#if defined(__x86_64__)
    fAvx2 = __builtin_cpu_supports("avx2");
#endif
}

bool TByteScanner::WordOk(const TPattern &p, const uint8_t *b, size_t len, size_t k,
                          size_t streamStart) const
{
    const size_t e = k + p.Folded.size();
    const size_t low = streamStart == NoStart ? (k > History ? k - History : 0) : streamStart;
    const bool atStart = k == streamStart;
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
        const size_t m = p.Folded.size();
        if (k + m > len)
            continue;
        size_t i = 0;
        while (i < m && fFold[b[k + i]] == p.Folded[i])
            ++i;
        if (i == m && (!fWholeWord || WordOk(p, b, len, k, streamStart)))
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
    const size_t n = fPatterns.size();
    __m128i m0[2], v0[2], m1[2], v1[2];
    for (size_t i = 0; i < n; ++i) {
        m0[i] = _mm_set1_epi8(char(fPatterns[i].First.Mask));
        v0[i] = _mm_set1_epi8(char(fPatterns[i].First.Value));
        m1[i] = _mm_set1_epi8(char(fPatterns[i].Second.Mask));
        v1[i] = _mm_set1_epi8(char(fPatterns[i].Second.Value));
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
    const size_t n = fPatterns.size();
    __m256i m0[2], v0[2], m1[2], v1[2];
    for (size_t i = 0; i < n; ++i) {
        m0[i] = _mm256_set1_epi8(char(fPatterns[i].First.Mask));
        v0[i] = _mm256_set1_epi8(char(fPatterns[i].First.Value));
        m1[i] = _mm256_set1_epi8(char(fPatterns[i].Second.Mask));
        v1[i] = _mm256_set1_epi8(char(fPatterns[i].Second.Value));
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

bool TByteScanner::Scan(const TReadMore &readMore, size_t markLength) const
{
    if (fPatterns.empty())
        return false;
    auto readUnits = [&readMore](uint8_t *dst, size_t count, bool &eof) {
        const size_t n = readMore(dst, count);
        eof = n < count;
        return n;
    };
    auto find = [this](const uint8_t *b, size_t len, size_t from, size_t limit, size_t streamStart) {
        return Find(b, len, from, limit, streamStart);
    };
    return ScanWindow<uint8_t>(fMaxLength + fLookahead, markLength, ContentBlockSize, readUnits,
                               find);
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

bool TWideScanner::Scan(const TReadMore &readMore, size_t markLength) const
{
    if (fFolded.empty())
        return false;
    // A byte left over from an odd-sized read waits for its partner; at the
    // end of the file it is ignored.
    thread_local std::vector<uint8_t> raw(ContentBlockSize + 1);
    size_t pending = 0;
    const bool swap = fBigEndian;
    auto readUnits = [&](char16_t *dst, size_t count, bool &eof) {
        const size_t n = readMore(raw.data() + pending, count * 2);
        eof = n < count * 2;
        const size_t total = pending + n;
        const size_t pairs = total / 2;
        for (size_t i = 0; i < pairs; ++i) {
            const uint8_t lo = raw[2 * i + (swap ? 1 : 0)];
            const uint8_t hi = raw[2 * i + (swap ? 0 : 1)];
            dst[i] = char16_t(lo | hi << 8);
        }
        pending = total % 2;
        if (pending)
            raw[0] = raw[total - 1];
        return pairs;
    };
    auto find = [this](const char16_t *b, size_t len, size_t from, size_t limit, size_t streamStart) {
        return Find(b, len, from, limit, streamStart);
    };
    return ScanWindow<char16_t>(fFolded.size() + (fWholeWord ? 1 : 0), markLength / 2,
                                ContentBlockSize / 2, readUnits, find);
}

} // namespace engine
