#pragma once
// File names on Linux are bytes; in memory they are UTF-16 (QString). The
// conversion must be lossless both ways, or a listed name could no longer be
// opened. Each byte that does not decode as UTF-8 is kept as one unpaired
// surrogate, 0xDC00 plus the byte (Python calls this "surrogateescape"), and
// encoding turns it back into that byte.

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
