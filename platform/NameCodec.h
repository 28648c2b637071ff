#pragma once
// File names on Linux are bytes; in memory they are UTF-16 (QString). The
// conversion must be lossless both ways, or a listed name could no longer be
// opened: bytes that are not valid UTF-8 become lone surrogates U+DC80..U+DCFF
// (the "surrogateescape" convention) and turn back into the same bytes.

#include <QString>
#include <string>

namespace platform {

QString DecodeFileName(const char *bytes, size_t length);
inline QString DecodeFileName(const std::string &bytes)
{
    return DecodeFileName(bytes.data(), bytes.size());
}

// The exact bytes DecodeFileName was given for this text.
std::string EncodeFileName(const QString &name);

// True for the units that stand for an undecodable byte, unless the unit
// completes a surrogate pair (see ReplaceEscapedBytes).
inline bool IsEscapedByte(char16_t unit) { return unit >= 0xDC80 && unit <= 0xDCFF; }

// For display and reports: each escaped byte becomes U+FFFD.
QString ReplaceEscapedBytes(const QString &name);

} // namespace platform
