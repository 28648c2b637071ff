#pragma once
// The 8-bit code page that stands for the "ANSI" one: Windows-1252.

#include <QByteArray>
#include <QString>

namespace platform {

char16_t AnsiToUnicode(unsigned char byte);

// The byte for the character, or -1 when the code page lacks it.
int UnicodeToAnsi(char16_t unit);

// Characters the code page lacks become "?".
QByteArray EncodeAnsi(const QString &text);

} // namespace platform
