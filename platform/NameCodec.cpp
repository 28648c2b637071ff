#include "platform/NameCodec.h"

#include <algorithm>

namespace platform {

namespace {

// Length of the valid UTF-8 sequence at p (1..4), or 0 when the bytes there
// are not one. Overlong forms, surrogates and values past U+10FFFF are
// invalid, exactly as a strict decoder sees them, so they get escaped.
int ValidSequenceLength(const unsigned char *p, const unsigned char *end)
{
    const unsigned char b0 = p[0];
    if (b0 < 0x80)
        return 1;
    auto cont = [&](int i) { return p + i < end && (p[i] & 0xC0) == 0x80; };
    if (b0 >= 0xC2 && b0 <= 0xDF)
        return cont(1) ? 2 : 0;
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (!cont(1) || !cont(2))
            return 0;
        if (b0 == 0xE0 && p[1] < 0xA0)
            return 0; // overlong
        if (b0 == 0xED && p[1] >= 0xA0)
            return 0; // UTF-16 surrogate
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (!cont(1) || !cont(2) || !cont(3))
            return 0;
        if (b0 == 0xF0 && p[1] < 0x90)
            return 0; // overlong
        if (b0 == 0xF4 && p[1] >= 0x90)
            return 0; // past U+10FFFF
        return 4;
    }
    return 0;
}

void AppendCodePoint(QString &out, char32_t cp)
{
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.append(QChar(char16_t(0xD800 + (cp >> 10))));
        out.append(QChar(char16_t(0xDC00 + (cp & 0x3FF))));
    } else {
        out.append(QChar(char16_t(cp)));
    }
}

} // namespace

QString DecodeFileName(const char *bytes, size_t length)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes);
    const auto *end = p + length;

    // Nearly every name is plain ASCII; that case needs no validation.
    const unsigned char *q = p;
    while (q < end && *q < 0x80)
        ++q;
    if (q == end)
        return QString::fromLatin1(bytes, qsizetype(length));

    QString out;
    out.reserve(qsizetype(length));
    while (p < end) {
        const int n = ValidSequenceLength(p, end);
        if (n == 0) {
            out.append(QChar(char16_t(0xDC00 + *p)));
            ++p;
            continue;
        }
        char32_t cp;
        switch (n) {
        case 1: cp = p[0]; break;
        case 2: cp = char32_t(p[0] & 0x1F) << 6 | (p[1] & 0x3F); break;
        case 3: cp = char32_t(p[0] & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F); break;
        default:
            cp = char32_t(p[0] & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12
                 | char32_t(p[2] & 0x3F) << 6 | (p[3] & 0x3F);
        }
        AppendCodePoint(out, cp);
        p += n;
    }
    return out;
}

std::string EncodeFileName(const QString &name)
{
    std::string out;
    out.reserve(size_t(name.size()));
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t u = name.at(i).unicode();
        if (u < 0x80) {
            out.push_back(char(u));
            continue;
        }
        if (IsEscapedByte(char16_t(u))) {
            out.push_back(char(u - 0xDC00));
            continue;
        }
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n) {
            const char16_t low = name.at(i + 1).unicode();
            if (low >= 0xDC00 && low <= 0xDFFF) {
                u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF)
            u = 0xFFFD; // a lone surrogate no decoded name can hold
        if (u < 0x800) {
            out.push_back(char(0xC0 | (u >> 6)));
        } else if (u < 0x10000) {
            out.push_back(char(0xE0 | (u >> 12)));
            out.push_back(char(0x80 | ((u >> 6) & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (u >> 18)));
            out.push_back(char(0x80 | ((u >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((u >> 6) & 0x3F)));
        }
        out.push_back(char(0x80 | (u & 0x3F)));
    }
    return out;
}

QString ReplaceEscapedBytes(const QString &name)
{
    // The low half of a character beyond the Basic Multilingual Plane may lie
    // in the escapes' range too ("\U0001F4A9" is D83D DCA9): only a unit that
    // does not follow a high surrogate stands for a byte. Nearly no name holds
    // one; those share the original text.
    QString out;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!IsEscapedByte(name.at(i).unicode()) || (i > 0 && name.at(i - 1).isHighSurrogate()))
            continue;
        if (out.isNull())
            out = name;
        out[i] = QChar(char16_t(0xFFFD));
    }
    return out.isNull() ? name : out;
}

} // namespace platform
