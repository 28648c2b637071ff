#include "engine/Utf8Text.h"

namespace engine::utf8 {

namespace {

// The bytes a character starting with Lead has, and the range its second
// byte must lie in to be well-formed; 0 for a byte no character starts with.
struct TLead {
    size_t Length;
    uint8_t SecondLow;
    uint8_t SecondHigh;
};

TLead LeadOf(uint8_t b)
{
    if (b < 0x80)
        return {1, 0, 0};
    if (b >= 0xC2 && b <= 0xDF)
        return {2, 0x80, 0xBF};
    if (b >= 0xE0 && b <= 0xEF)
        return {3, uint8_t(b == 0xE0 ? 0xA0 : 0x80), uint8_t(b == 0xED ? 0x9F : 0xBF)};
    if (b >= 0xF0 && b <= 0xF4)
        return {4, uint8_t(b == 0xF0 ? 0x90 : 0x80), uint8_t(b == 0xF4 ? 0x8F : 0xBF)};
    return {0, 0, 0};
}

} // namespace

size_t Decode(const uint8_t *p, size_t n, char32_t &c)
{
    if (n == 0)
        return 0;
    const TLead lead = LeadOf(p[0]);
    if (lead.Length == 0 || lead.Length > n)
        return 0;
    if (lead.Length == 1) {
        c = p[0];
        return 1;
    }
    if (p[1] < lead.SecondLow || p[1] > lead.SecondHigh)
        return 0;
    static const uint8_t LeadBits[5] = {0, 0, 0x1F, 0x0F, 0x07};
    char32_t value = p[0] & LeadBits[lead.Length];
    for (size_t i = 1; i < lead.Length; ++i) {
        if (!IsContinuation(p[i]))
            return 0;
        value = value << 6 | (p[i] & 0x3F);
    }
    c = value;
    return lead.Length;
}

std::string Encode(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | c >> 6);
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | c >> 12);
        out += char(0x80 | (c >> 6 & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | c >> 18);
        out += char(0x80 | (c >> 12 & 0x3F));
        out += char(0x80 | (c >> 6 & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
    return out;
}

bool InsideMultiByteCharacter(const uint8_t *b, size_t i, size_t low, size_t len)
{
    // A character is at most 4 bytes: its lead lies at most 3 bytes back.
    for (size_t s = i + 1; s-- > low && i - s < 4;) {
        if (IsContinuation(b[s]))
            continue;
        char32_t c;
        const size_t n = Decode(b + s, len - s, c);
        return n >= 2 && s + n > i;
    }
    return false;
}

size_t CharacterStart(const uint8_t *b, size_t k, size_t low)
{
    size_t s = k - 1;
    while (s > low && IsContinuation(b[s]) && k - s < MaxCharacterBytes)
        --s;
    // A continuation byte right after an ASCII byte starts a character of
    // its own.
    if (s + 1 < k && b[s] < 0x80)
        ++s;
    return s;
}

size_t CharacterLength(const uint8_t *b, size_t len, size_t e)
{
    size_t n = 1;
    while (e + n < len && n < MaxCharacterBytes && IsContinuation(b[e + n]))
        ++n;
    return n;
}

char16_t DecodeOneUnit(const uint8_t *p, size_t n)
{
    char32_t c = 0;
    return Decode(p, n, c) == n && c <= 0xFFFF ? char16_t(c) : 0;
}

} // namespace engine::utf8
