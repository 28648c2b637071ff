#include "engine/PhraseScanner.h"

#include "engine/CharTables.h"
#include "engine/ContentSearch.h"

#include <algorithm>
#include <cstring>
#include <limits>
#ifdef __SSE2__
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

bool Utf8DelimiterBefore(const uint8_t *b, size_t k, size_t low)
{
    size_t s = k - 1;
    while (s > low && IsContinuation(b[s]) && k - s < MaxUtf8Character)
        --s;
    // A continuation byte right after an ASCII byte starts a character of
    // its own.
    if (s + 1 < k && b[s] < 0x80)
        ++s;
    return WideDelimiterTable()[DecodeOneUnit(b + s, k - s)];
}

bool Utf8DelimiterAfter(const uint8_t *b, size_t len, size_t e)
{
    size_t n = 1;
    while (e + n < len && n < MaxUtf8Character && IsContinuation(b[e + n]))
        ++n;
    return WideDelimiterTable()[DecodeOneUnit(b + e, n)];
}

std::vector<uint8_t> ClassOf(uint8_t folded, const unsigned char *fold)
{
    std::vector<uint8_t> cls;
    for (int b = 0; b < 256; ++b)
        if (fold[b] == folded)
            cls.push_back(uint8_t(b));
    return cls;
}

// The sliding window shared by both scanners. Fill appends the units of a
// block of raw bytes; Find examines positions [from, limit).
template <typename Unit, typename FillFn, typename FindFn>
bool ScanWindow(size_t need, const std::vector<uint8_t> &firstBlock, size_t start,
                size_t firstCount, const TReadMore &readMore, FillFn fill, FindFn find)
{
    std::vector<Unit> win;
    win.reserve(History + need + ContentBlockSize);
    std::vector<uint8_t> raw(ContentBlockSize);
    fill(win, firstBlock.data() + start, firstCount - start, firstCount < ContentBlockSize);
    bool eof = firstCount < ContentBlockSize;
    size_t from = 0;
    size_t streamStart = 0;
    for (;;) {
        const size_t len = win.size();
        const size_t limit = eof ? len : (len >= need ? len - need + 1 : 0);
        if (limit > from) {
            if (find(win.data(), len, from, limit, streamStart))
                return true;
            from = limit;
        }
        if (eof)
            return false;
        const size_t keep = from > History ? from - History : 0;
        if (keep > 0) {
            win.erase(win.begin(), win.begin() + ptrdiff_t(keep));
            from -= keep;
            streamStart = NoStart;
        }
        const size_t n = readMore(raw.data(), raw.size());
        eof = n < raw.size();
        fill(win, raw.data(), n, eof);
    }
}

} // namespace

TByteScanner::TByteScanner(std::vector<TBytePattern> patterns, bool caseSensitive, bool wholeWord)
    : fFold(caseSensitive ? IdentityBytes() : AnsiLowerTable().data()), fWholeWord(wholeWord)
{
    fVectorSearch = true;
    for (TBytePattern &source : patterns) {
        if (source.Units.empty())
            continue;
        TPattern p;
        p.Rule = source.Rule;
        for (uint8_t u : source.Units)
            p.Folded.push_back(fFold[u]);
        p.FirstClass = ClassOf(p.Folded[0], fFold);
        if (p.Folded.size() > 1)
            p.SecondClass = ClassOf(p.Folded[1], fFold);
        for (uint8_t b : p.FirstClass)
            fCandidate[b] = true;
        fVectorSearch = fVectorSearch && p.FirstClass.size() <= 4 && p.SecondClass.size() <= 4;
        fMaxLength = std::max(fMaxLength, p.Folded.size());
        if (wholeWord)
            fLookahead = std::max(fLookahead, p.Rule == TWordRule::Ansi ? size_t(1) : MaxUtf8Character);
        fPatterns.push_back(std::move(p));
    }
}

bool TByteScanner::WordOk(const TPattern &p, const uint8_t *b, size_t len, size_t k,
                          size_t streamStart) const
{
    const size_t e = k + p.Folded.size();
    const bool atStart = k == streamStart;
    const bool atEnd = e == len;
    const auto &ansiDelimiter = AnsiDelimiterTable();
    const bool ansi = (atStart || ansiDelimiter[b[k - 1]]) && (atEnd || ansiDelimiter[b[e]]);
    if (p.Rule == TWordRule::Ansi || (ansi && p.Rule == TWordRule::AnsiOrUtf8))
        return ansi;
    const size_t low = streamStart == NoStart ? (k > History ? k - History : 0) : streamStart;
    return (atStart || Utf8DelimiterBefore(b, k, low)) && (atEnd || Utf8DelimiterAfter(b, len, e));
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

bool TByteScanner::Find(const uint8_t *b, size_t len, size_t from, size_t limit,
                        size_t streamStart) const
{
    size_t k = from;
#ifdef __SSE2__
    if (fVectorSearch) {
        auto anyOf = [](__m128i v, const std::vector<uint8_t> &cls) {
            if (cls.empty())
                return _mm_set1_epi8(char(-1));
            __m128i hit = _mm_setzero_si128();
            for (uint8_t c : cls)
                hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, _mm_set1_epi8(char(c))));
            return hit;
        };
        for (; k + 16 <= limit && k + 17 <= len; k += 16) {
            const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + k));
            const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + k + 1));
            unsigned mask = 0;
            for (const TPattern &p : fPatterns)
                mask |= unsigned(_mm_movemask_epi8(
                    _mm_and_si128(anyOf(v0, p.FirstClass), anyOf(v1, p.SecondClass))));
            while (mask) {
                const unsigned bit = unsigned(__builtin_ctz(mask));
                if (Verify(b, len, k + bit, streamStart))
                    return true;
                mask &= mask - 1;
            }
        }
    }
#endif
    for (; k < limit; ++k)
        if (fCandidate[b[k]] && Verify(b, len, k, streamStart))
            return true;
    return false;
}

bool TByteScanner::Scan(const std::vector<uint8_t> &firstBlock, size_t start, size_t firstCount,
                        const TReadMore &readMore) const
{
    if (fPatterns.empty())
        return false;
    auto fill = [](std::vector<uint8_t> &win, const uint8_t *p, size_t n, bool) {
        win.insert(win.end(), p, p + n);
    };
    auto find = [this](const uint8_t *b, size_t len, size_t from, size_t limit, size_t streamStart) {
        return Find(b, len, from, limit, streamStart);
    };
    return ScanWindow<uint8_t>(fMaxLength + fLookahead, firstBlock, std::min(start, firstCount),
                               firstCount, readMore, fill, find);
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

bool TWideScanner::Scan(const std::vector<uint8_t> &firstBlock, size_t start, size_t firstCount,
                        const TReadMore &readMore) const
{
    if (fFolded.empty())
        return false;
    // A byte left over from an odd-sized read waits for its partner; at the
    // end of the file it is ignored.
    std::vector<uint8_t> pending;
    const bool swap = fBigEndian;
    auto fill = [&pending, swap](std::vector<char16_t> &win, const uint8_t *p, size_t n, bool) {
        pending.insert(pending.end(), p, p + n);
        const size_t pairs = pending.size() / 2;
        for (size_t i = 0; i < pairs; ++i) {
            const uint8_t lo = pending[2 * i + (swap ? 1 : 0)];
            const uint8_t hi = pending[2 * i + (swap ? 0 : 1)];
            win.push_back(char16_t(lo | hi << 8));
        }
        pending.erase(pending.begin(), pending.begin() + ptrdiff_t(pairs * 2));
    };
    auto find = [this](const char16_t *b, size_t len, size_t from, size_t limit, size_t streamStart) {
        return Find(b, len, from, limit, streamStart);
    };
    return ScanWindow<char16_t>(fFolded.size() + (fWholeWord ? 1 : 0), firstBlock,
                                std::min(start, firstCount), firstCount, readMore, fill, find);
}

} // namespace engine
