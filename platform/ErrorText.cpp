#include "platform/ErrorText.h"

#include <cstring>

namespace platform {

QString ErrorText(int error)
{
    char buffer[256];
    // The GNU strerror_r may return a static text instead of filling the
    // buffer; either way the answer is what it returns.
    const char *text = strerror_r(error, buffer, sizeof buffer);
    return QString::fromLocal8Bit(text);
}

} // namespace platform
