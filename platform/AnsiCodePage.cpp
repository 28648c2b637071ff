#include "platform/AnsiCodePage.h"

namespace platform {

namespace {

// 0x80..0x9F; 0 marks the five unassigned bytes, which map to themselves.
const char16_t HighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

} // namespace

char16_t AnsiToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F && HighControls[byte - 0x80] != 0)
        return HighControls[byte - 0x80];
    return byte;
}

int UnicodeToAnsi(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return unit;
    for (int i = 0; i < 32; ++i)
        if (HighControls[i] == unit || (HighControls[i] == 0 && unit == 0x80 + i))
            return 0x80 + i;
    return -1;
}

QByteArray EncodeAnsi(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const int byte = UnicodeToAnsi(c.unicode());
        out.append(byte < 0 ? '?' : char(byte));
    }
    return out;
}

} // namespace platform
