// The phrase search against a plain substring search over the content as
// each reading of a file decodes it, with the content placed across the end
// of the first block and again near the start of the file.
//
// Input: byte 0 holds the options (bit 0 case-sensitive, bits 1-2 the file's
// form: no mark, UTF-8 mark, UTF-16 LE, UTF-16 BE); byte 1 where the content
// starts; byte 2 how many of the following bytes are the phrase; the rest is
// the content. Bytes 0xF2 to 0xFF, never part of UTF-8, stand for letters
// whose case variants have other lengths (the Kelvin sign, the long s, ß and
// ẞ, final sigma...), so that the hard cases are near.

#include "engine/CharTables.h"
#include "engine/PhraseSearch.h"
#include "platform/AnsiCodePage.h"

#include <QChar>
#include <QList>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

using namespace engine;

namespace {

const char32_t Alphabet[] = {U'k', U'K', 0x212A, U's', U'S', 0x17F, 0xE9, 0xC9,
                             0xDF, 0x1E9E, 0x3C3, 0x3A3, 0x3C2, 0x9648};
constexpr uint8_t FirstStandIn = 0xF2;

std::string Expand(const uint8_t *p, size_t n)
{
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        if (p[i] < FirstStandIn)
            out += char(p[i]);
        else
            out += QString::fromUcs4(&Alphabet[p[i] - FirstStandIn], 1).toUtf8().toStdString();
    }
    return out;
}

// One unit of UTF-8 text read from the start: a well-formed character, or a
// byte that begins none, which matches nothing.
struct TDecoded {
    int64_t Value;  // the character, or -1 - byte
    size_t Begin;
    size_t End;
};

size_t WellFormedLength(const std::string &s, size_t i)
{
    const auto b = [&](size_t k) { return k < s.size() ? uint8_t(s[k]) : 0; };
    const uint8_t c = b(i);
    const auto cont = [&](size_t k, uint8_t low = 0x80, uint8_t high = 0xBF) {
        return b(k) >= low && b(k) <= high;
    };
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        return cont(i + 1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF)
        return cont(i + 1, c == 0xE0 ? 0xA0 : 0x80, c == 0xED ? 0x9F : 0xBF) && cont(i + 2) ? 3 : 0;
    if (c >= 0xF0 && c <= 0xF4)
        return cont(i + 1, c == 0xF0 ? 0x90 : 0x80, c == 0xF4 ? 0x8F : 0xBF) && cont(i + 2) && cont(i + 3)
                   ? 4
                   : 0;
    return 0;
}

std::vector<TDecoded> Decode(const std::string &s, bool fold)
{
    std::vector<TDecoded> units;
    for (size_t i = 0; i < s.size();) {
        const size_t n = WellFormedLength(s, i);
        if (n == 0) {
            units.push_back({-1 - int64_t(uint8_t(s[i])), i, i + 1});
            ++i;
            continue;
        }
        static const uint8_t LeadBits[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
        char32_t c = uint8_t(s[i]) & LeadBits[n];
        for (size_t k = 1; k < n; ++k)
            c = c << 6 | (uint8_t(s[i + k]) & 0x3F);
        units.push_back({int64_t(fold ? QChar::toCaseFolded(c) : c), i, i + n});
        i += n;
    }
    return units;
}

bool Utf8Contains(const std::string &text, const std::string &phrase, bool caseSensitive)
{
    if (caseSensitive)
        return text.find(phrase) != std::string::npos;
    const auto t = Decode(text, true), p = Decode(phrase, true);
    return std::search(t.begin(), t.end(), p.begin(), p.end(),
                       [](const TDecoded &a, const TDecoded &b) { return a.Value == b.Value; })
           != t.end();
}

// An 8-bit occurrence counts unless one of its bytes belongs to a
// well-formed UTF-8 character of two bytes or more.
bool AnsiContains(const std::string &text, const QString &phrase, bool caseSensitive)
{
    std::string pattern;
    for (const QChar c : phrase) {
        const int b = platform::UnicodeToAnsi(c.unicode());
        if (b < 0)
            return false;
        pattern += char(b);
    }
    const auto &lower = AnsiLowerTable();
    auto fold = [&](char c) { return caseSensitive ? uint8_t(c) : lower[uint8_t(c)]; };
    std::vector<bool> inside(text.size(), false);
    for (const TDecoded &u : Decode(text, false))
        for (size_t i = u.Begin; u.End - u.Begin >= 2 && i < u.End; ++i)
            inside[i] = true;
    for (size_t k = 0; k + pattern.size() <= text.size(); ++k) {
        size_t i = 0;
        while (i < pattern.size() && fold(text[k + i]) == fold(pattern[i]) && !inside[k + i])
            ++i;
        if (i == pattern.size())
            return true;
    }
    return false;
}

bool Utf16Contains(const QString &text, const QString &phrase, bool caseSensitive)
{
    const auto &lower = WideLowerTable();
    auto same = [&](QChar a, QChar b) {
        return caseSensitive ? a == b : lower[a.unicode()] == lower[b.unicode()];
    };
    return std::search(text.begin(), text.end(), phrase.begin(), phrase.end(), same) != text.end();
}

bool FileContains(const std::string &file, const QString &phrase, TContentSearchOptions options)
{
    static const int fd = memfd_create("content", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, 0) != 0
        || pwrite(fd, file.data(), file.size(), 0) != ssize_t(file.size()))
        std::abort();
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    return FileContainsPhrase(-1, path.c_str(), MakeStringVariants(phrase), options);
}

std::string Utf16Bytes(const QString &text, bool bigEndian)
{
    std::string out;
    for (const QChar c : text) {
        const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return out;
}

void Check(int form, const std::string &content, size_t lead, const QString &phrase,
           const std::string &phraseUtf8, bool caseSensitive)
{
    // The plain search needs only the blanks a phrase can reach into.
    const size_t shortLead = std::min<size_t>(lead, 64);
    std::string file;
    bool expected = false;
    if (form <= 1) {
        file = (form == 1 ? "\xEF\xBB\xBF" : "") + std::string(lead, ' ') + content;
        const std::string text = std::string(shortLead, ' ') + content;
        expected = Utf8Contains(text, phraseUtf8, caseSensitive)
                   || (form == 0 && AnsiContains(text, phrase, caseSensitive));
    } else {
        const QString text = QString::fromUtf8(content.data(), qsizetype(content.size()));
        const QString blanks(qsizetype(lead / 2), QLatin1Char(' '));
        file = (form == 2 ? "\xFF\xFE" : "\xFE\xFF") + Utf16Bytes(blanks + text, form == 3);
        expected = Utf16Contains(blanks.left(qsizetype(shortLead)) + text, phrase, caseSensitive);
    }
    const TContentSearchOptions options = caseSensitive ? csoCaseSensitive : 0;
    const bool found = FileContains(file, phrase, options);
    if (found != expected) {
        std::fprintf(stderr, "form %d, lead %zu, case %d: found %d, the plain search says %d\n", form,
                     lead, caseSensitive, found, expected);
        std::abort();
    }
    // A whole word is an occurrence first.
    if (FileContains(file, phrase, options | csoWholeWord) && !found)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4 || size > 4096)
        return 0;
    InitCharTables();
    const bool caseSensitive = data[0] & 1;
    const int form = (data[0] >> 1) & 3;
    const size_t offset = data[1] % 64;
    const size_t phraseBytes = std::min<size_t>(1 + data[2] % 16, size - 3);
    const std::string phraseUtf8 = QString::fromUtf8(QByteArray::fromStdString(Expand(data + 3, phraseBytes))).toUtf8().toStdString();
    const QString phrase = QString::fromUtf8(phraseUtf8.data(), qsizetype(phraseUtf8.size()));
    if (phrase.isEmpty())
        return 0;
    const std::string content = Expand(data + 3 + phraseBytes, size - 3 - phraseBytes);
    const size_t mark = form == 0 ? 0 : form == 1 ? 3 : 2;
    // Across the end of the first block, then near the start of the file.
    Check(form, content, ContentBlockSize - mark - offset, phrase, phraseUtf8, caseSensitive);
    Check(form, content, 1 + offset, phrase, phraseUtf8, caseSensitive);
    return 0;
}
